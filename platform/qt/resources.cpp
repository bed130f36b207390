// The module's resources: a table installed by the program or a test.
#include "platform/resources.h"

#include <cstdint>

namespace {
const ResourceEntry* installedTable = nullptr;
std::size_t installedCount = 0;

WORD NumericId(LPCWSTR name) {
  return static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name) & 0xFFFF);
}

const ResourceEntry* Entry(HRSRC resource) {
  return reinterpret_cast<const ResourceEntry*>(resource);
}
}  // namespace

void InstallResources(const ResourceEntry* table, std::size_t count) {
  installedTable = table;
  installedCount = table == nullptr ? 0 : count;
}

HRSRC FindResourceW(HMODULE, LPCWSTR name, LPCWSTR type) {
  if (!IS_INTRESOURCE(name) || !IS_INTRESOURCE(type)) return nullptr;
  const WORD id = NumericId(name);
  const WORD typeId = NumericId(type);
  for (std::size_t i = 0; i < installedCount; ++i) {
    const ResourceEntry& entry = installedTable[i];
    if (entry.type == typeId && entry.id == id)
      return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(&entry));
  }
  return nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
  return resource == nullptr ? 0 : Entry(resource)->size;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
  return resource == nullptr ? nullptr : Entry(resource)->data;
}
