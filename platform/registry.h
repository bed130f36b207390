// The registry: keys under HKEY_CURRENT_USER holding typed values (numbers,
// strings, byte blocks). The keys live in one settings file that is read
// once per run and saved whole, atomically, after every change.
//
// Key and value names compare without regard to case; a key's path is split
// at backslashes, and a key exists as soon as one of its sub-keys does. Data
// are kept exactly as written: the type and every byte (a REG_SZ's size is
// the caller's, terminator included).
#pragma once

#include "platform/types.h"

using REGSAM = DWORD;
using PHKEY = HKEY*;
using LPDWORD = DWORD*;
using LPBYTE = BYTE*;
struct SECURITY_ATTRIBUTES;  // not used: always NULL
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

inline const HKEY HKEY_CURRENT_USER =
    reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001));

// Access rights: a key opened without KEY_SET_VALUE refuses writes.
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Value types; any other number is kept too, as it was written.
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;

// Results of the calls.
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;  // no such key or value
inline constexpr LONG ERROR_ACCESS_DENIED = 5;   // writing through a read-only key
inline constexpr LONG ERROR_INVALID_HANDLE = 6;  // not an open key
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;   // the buffer is too small
inline constexpr LONG ERROR_CANTWRITE = 1013;  // the settings file could not be saved

// Opens the existing key `subKey` (NULL or empty: `key` itself) below `key`.
// On success *result is a new handle (close it with RegCloseKey), else NULL.
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);

// Opens `subKey` below `key`, creating it (and saving the file) when it is
// missing; *disposition (optional) says which happened.
LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options,
                     REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result,
                     LPDWORD disposition);

// Reads the value `name` (NULL or empty: the key's default value). `type`
// receives its type; with `data`, up to *dataSize bytes are copied; *dataSize
// receives the value's size in bytes. A buffer smaller than the value gives
// ERROR_MORE_DATA and copies nothing.
LONG RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize);

// Stores `size` bytes of `data` as the value `name` of type `type` and saves
// the file. When the file cannot be saved, nothing changes and the result is
// ERROR_CANTWRITE. Names holding line breaks are refused.
LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size);

// Closes a handle from RegOpenKeyExW or RegCreateKeyExW.
LONG RegCloseKey(HKEY key);
