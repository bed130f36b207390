// Basic types, handles and helpers shared by every platform service.
// Wide characters are UTF-16 code units (char16_t), as the reader's text is.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using INT = int;
using BOOL = int;
using WCHAR = char16_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = DWORD;
using ATOM = WORD;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// Opaque handles: the application never looks inside them.
#define KESTRO_DECLARE_HANDLE(name) \
  struct name##__;                  \
  using name = name##__*
KESTRO_DECLARE_HANDLE(HWND);
KESTRO_DECLARE_HANDLE(HDC);
KESTRO_DECLARE_HANDLE(HFONT);
KESTRO_DECLARE_HANDLE(HBITMAP);
KESTRO_DECLARE_HANDLE(HBRUSH);
KESTRO_DECLARE_HANDLE(HPEN);
KESTRO_DECLARE_HANDLE(HMENU);
KESTRO_DECLARE_HANDLE(HINSTANCE);
KESTRO_DECLARE_HANDLE(HRSRC);
KESTRO_DECLARE_HANDLE(HACCEL);
KESTRO_DECLARE_HANDLE(HKEY);
KESTRO_DECLARE_HANDLE(HICON);
KESTRO_DECLARE_HANDLE(HCURSOR);
#undef KESTRO_DECLARE_HANDLE

using HMODULE = HINSTANCE;
using HGDIOBJ = void*;    // any of HFONT, HBITMAP, HBRUSH, HPEN
using HANDLE = void*;
using HLOCAL = void*;     // a block from LocalAlloc
using HGLOBAL = const void*;  // a loaded resource: read-only bytes in place

struct POINT {
  LONG x;
  LONG y;
};

struct SIZE {
  LONG cx;
  LONG cy;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

constexpr WORD LOWORD(std::uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
  return static_cast<LPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
  return static_cast<WPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}
constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
  return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) |
         (static_cast<COLORREF>(blue) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

// A numeric resource or class id passed where a name is expected.
inline LPCWSTR MAKEINTRESOURCEW(WORD id) {
  return reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(id));
}
inline bool IS_INTRESOURCE(LPCWSTR name) {
  return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}
