// Menus made from menu templates, check marks, and accelerator tables.
#pragma once

#include "platform/types.h"

struct MSG;

// Item flags (templates, CheckMenuItem).
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_END = 0x0080;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;

// An RT_MENU resource is an array of these, read in order: an entry with
// MF_POPUP opens a drop-down whose entries follow; MF_END marks the last
// entry of its level. In an item's text "&" marks the mnemonic and the
// character 0x08 separates the name from the shortcut shown at the right
// edge. A separator has MF_SEPARATOR, id 0 and no text.
struct MENUTEMPLATEITEM {
  UINT flags;
  UINT id;
  LPCWSTR text;
};

inline constexpr UINT MIIM_STATE = 0x0001;
inline constexpr UINT MIIM_ID = 0x0002;
inline constexpr UINT MIIM_SUBMENU = 0x0004;
inline constexpr UINT MFS_CHECKED = 0x0008;
inline constexpr UINT MFS_GRAYED = 0x0003;

struct MENUITEMINFOW {
  UINT cbSize;
  UINT fMask;  // which of fState, wID, hSubMenu GetMenuItemInfoW fills
  UINT fType;
  UINT fState;
  UINT wID;
  HMENU hSubMenu;
  HBITMAP hbmpChecked;
  HBITMAP hbmpUnchecked;
  std::uintptr_t dwItemData;
  LPWSTR dwTypeData;
  UINT cch;
};

// A menu from an RT_MENU resource; NULL when it is missing or malformed.
// A menu given to a bar belongs to the bar.
HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name);
BOOL DestroyMenu(HMENU menu);
HMENU GetSubMenu(HMENU menu, int position);  // NULL when that item has none
int GetMenuItemCount(HMENU menu);            // -1 for NULL

// Sets the check mark of an item (by command, searched through the
// drop-downs, or by position) and returns its previous state, MF_CHECKED or
// MF_UNCHECKED; 0xFFFFFFFF when there is no such item.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFOW* info);
// Enables (MF_ENABLED) or disables (MF_GRAYED) an item, found as for
// CheckMenuItem, also where it is shown already; returns its previous state,
// MF_ENABLED or MF_GRAYED, or 0xFFFFFFFF when there is no such item.
DWORD EnableMenuItem(HMENU menu, UINT item, UINT flags);

// Accelerators. An RT_ACCELERATOR resource is an array of ACCEL; the key is
// a virtual key (FVIRTKEY) and the modifiers must match exactly.
inline constexpr BYTE FVIRTKEY = 0x01;
inline constexpr BYTE FSHIFT = 0x04;
inline constexpr BYTE FCONTROL = 0x08;
inline constexpr BYTE FALT = 0x10;

struct ACCEL {
  BYTE fVirt;
  WORD key;
  WORD cmd;
};

// NULL when the table is missing or malformed.
HACCEL LoadAcceleratorsW(HINSTANCE instance, LPCWSTR name);
// When a WM_KEYDOWN or WM_SYSKEYDOWN matches an entry, sends WM_COMMAND
// (id, 1) to window and returns 1; else 0.
int TranslateAcceleratorW(HWND window, HACCEL table, MSG* message);
