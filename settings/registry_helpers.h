// Typed helpers over the registry: each works on one value and keeps no key
// open between calls. All but ReadNumber use the product key.
//
// Readers give a default or NULL when the key or value is missing or the
// read fails; their buffers come from AllocOrDie and the caller frees them.
// Writers open the product key with KEY_ALL_ACCESS, creating it when it is
// missing, and return 1 when the value was stored, 0 when not.
#pragma once

#include "platform/types.h"

// Below HKEY_CURRENT_USER: the reader's own settings, and its maker's key
// with the start-up switches (only read).
inline constexpr LPCWSTR kProductKey = u"Software\\Lumarith\\Kestro (Vowels)";
inline constexpr LPCWSTR kMakerKey = u"software\\Lumarith";

// A REG_DWORD as it is; any other type read as wide decimal digits: from 0,
// value * 10 + (character - '0') for each character up to the first zero or
// the end of the data, unchecked and modulo 2^32. `key` is a path below
// HKEY_CURRENT_USER. A REG_DWORD that is not 4 bytes long gives the default.
DWORD ReadNumber(LPCWSTR key, LPCWSTR name, DWORD defaultValue);

DWORD ReadDword(LPCWSTR name, DWORD defaultValue);
int WriteDword(LPCWSTR name, DWORD value);

// The value's data as a new zero-terminated wide string, ended at its first
// zero character or at the end of the data (an odd last byte is dropped).
LPWSTR ReadWideString(LPCWSTR name);

// REG_SZ of (length + 1) x 2 bytes, the terminator included.
int WriteWideString(LPCWSTR name, LPCWSTR text);

// A zero-terminated byte string as REG_BINARY of length + 1 bytes.
int WriteByteString(LPCWSTR name, const BYTE* text);

// The value's bytes in a new buffer (at least one byte long, so an empty
// value is not NULL); `size`, when given, receives their number on success.
BYTE* ReadBlob(LPCWSTR name, DWORD* size = nullptr);

// REG_BINARY of `length` bytes.
int WriteBlob(LPCWSTR name, const void* data, DWORD length);

// Puts the stored "SearchString" into AppState.SearchString: its bytes up to
// the first zero or the end, at most 33, then a zero. A missing or empty
// value, or one whose first byte is 0, leaves the field as it is.
void ReadSearchString();
