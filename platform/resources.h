// Resources of the program's own module: found by type and numeric id,
// handed out as read-only bytes in place.
#pragma once

#include "platform/types.h"

inline const LPCWSTR RT_BITMAP = MAKEINTRESOURCEW(2);
inline const LPCWSTR RT_MENU = MAKEINTRESOURCEW(4);
inline const LPCWSTR RT_DIALOG = MAKEINTRESOURCEW(5);
inline const LPCWSTR RT_STRING = MAKEINTRESOURCEW(6);
inline const LPCWSTR RT_ACCELERATOR = MAKEINTRESOURCEW(9);
inline const LPCWSTR RT_RCDATA = MAKEINTRESOURCEW(10);
inline const LPCWSTR RT_GROUP_ICON = MAKEINTRESOURCEW(14);

// One resource of the table. `data` stays valid for the whole run.
struct ResourceEntry {
  WORD type;  // the numeric value of an RT_ constant
  WORD id;
  const void* data;
  DWORD size;
};

// Makes `table` (count entries, alive for the whole run) the module's
// resources. The program installs its embedded table at start-up; tests
// install fixture tables in its place.
void InstallResources(const ResourceEntry* table, std::size_t count);

// NULL when no resource of that type and id exists. Only numeric names
// and types are supported.
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
// The resource's size in bytes; 0 for a NULL handle.
DWORD SizeofResource(HMODULE module, HRSRC resource);
// A pointer to the resource's bytes, read in place; NULL for a NULL handle.
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
