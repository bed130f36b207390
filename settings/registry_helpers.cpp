#include "settings/registry_helpers.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/alloc_or_die.h"
#include "app/app_state.h"
#include "platform/registry.h"

// Stored numbers and wide strings are little-endian, as the host is.
static_assert(std::endian::native == std::endian::little);

namespace {
// One stored value: its type and `size` bytes from AllocOrDie.
struct StoredValue {
  DWORD type = 0;
  DWORD size = 0;
  BYTE* data = nullptr;
};

bool ReadValue(LPCWSTR keyPath, LPCWSTR name, StoredValue& value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  bool read =
      RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &value.size) == ERROR_SUCCESS;
  if (read) {
    value.data = static_cast<BYTE*>(AllocOrDie(value.size));
    read =
        RegQueryValueExW(key, name, nullptr, &value.type, value.data, &value.size) == ERROR_SUCCESS;
  }
  RegCloseKey(key);
  if (!read) std::free(value.data);
  return read;
}

int WriteValue(LPCWSTR name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return 0;
  }
  const LONG result = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? 1 : 0;
}

WCHAR WideAt(const StoredValue& value, std::size_t index) {
  WCHAR c;
  std::memcpy(&c, value.data + index * sizeof c, sizeof c);
  return c;
}

// The number of whole wide characters before the first zero one; an odd
// last byte is never read.
std::size_t WideLength(const StoredValue& value) {
  std::size_t length = 0;
  while (length < value.size / sizeof(WCHAR) && WideAt(value, length) != 0) ++length;
  return length;
}
}  // namespace

DWORD ReadNumber(LPCWSTR key, LPCWSTR name, DWORD defaultValue) {
  StoredValue value;
  if (!ReadValue(key, name, value)) return defaultValue;
  DWORD number = defaultValue;
  if (value.type == REG_DWORD) {
    if (value.size == sizeof number) std::memcpy(&number, value.data, sizeof number);
  } else {
    number = 0;
    const std::size_t length = WideLength(value);
    for (std::size_t i = 0; i < length; ++i) {
      number = number * 10 + (WideAt(value, i) - DWORD{u'0'});
    }
  }
  std::free(value.data);
  return number;
}

DWORD ReadDword(LPCWSTR name, DWORD defaultValue) {
  return ReadNumber(kProductKey, name, defaultValue);
}

int WriteDword(LPCWSTR name, DWORD value) {
  return WriteValue(name, REG_DWORD, &value, sizeof value);
}

LPWSTR ReadWideString(LPCWSTR name) {
  StoredValue value;
  if (!ReadValue(kProductKey, name, value)) return nullptr;
  const std::size_t length = WideLength(value);
  auto* text = static_cast<LPWSTR>(AllocOrDie((length + 1) * sizeof(WCHAR)));
  std::memcpy(text, value.data, length * sizeof(WCHAR));
  text[length] = 0;
  std::free(value.data);
  return text;
}

int WriteWideString(LPCWSTR name, LPCWSTR text) {
  if (text == nullptr) return 0;
  const std::size_t length = std::char_traits<WCHAR>::length(text);
  return WriteValue(name, REG_SZ, text, static_cast<DWORD>((length + 1) * sizeof(WCHAR)));
}

int WriteByteString(LPCWSTR name, const BYTE* text) {
  if (text == nullptr) return 0;
  const std::size_t length = std::strlen(reinterpret_cast<const char*>(text));
  return WriteValue(name, REG_BINARY, text, static_cast<DWORD>(length + 1));
}

BYTE* ReadBlob(LPCWSTR name, DWORD* size) {
  StoredValue value;
  if (!ReadValue(kProductKey, name, value)) return nullptr;
  if (size != nullptr) *size = value.size;
  return value.data;
}

int WriteBlob(LPCWSTR name, const void* data, DWORD length) {
  return WriteValue(name, REG_BINARY, data, length);
}

void ReadSearchString() {
  DWORD size = 0;
  BYTE* stored = ReadBlob(u"SearchString", &size);
  if (stored != nullptr && size > 0 && stored[0] != 0) {
    constexpr std::size_t kLimit = sizeof AppState.SearchString - 1;
    BYTE* end = stored + std::min<std::size_t>(size, kLimit);
    const auto length = static_cast<std::size_t>(std::find(stored, end, BYTE{0}) - stored);
    std::memcpy(AppState.SearchString, stored, length);
    AppState.SearchString[length] = 0;
  }
  std::free(stored);
}
