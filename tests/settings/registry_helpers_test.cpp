#include "settings/registry_helpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "platform/registry.h"
#include "tests/settings/settings_folder.h"

using namespace std::string_literals;

namespace {

// The bytes of a REG_SZ holding `ascii`, terminator included.
std::string Sz(const std::string& ascii) {
  std::string bytes;
  for (char c : ascii) bytes += std::string{c, '\0'};
  return bytes + "\0\0"s;
}

// Bytes as the settings file shows them: "31,00".
std::string Hex(const std::string& bytes) {
  std::string text;
  for (unsigned char b : bytes) {
    if (!text.empty()) text += ',';
    text += "0123456789abcdef"[b >> 4];
    text += "0123456789abcdef"[b & 15];
  }
  return text;
}

// What each reading helper gives for the value "V" of a stored file.
struct StoredCase {
  const char* what;
  std::optional<std::string> file;     // nothing: no file at all
  DWORD number;                        // ReadDword("V", 777)
  std::optional<std::u16string> text;  // ReadWideString("V"); nothing: NULL
  std::optional<std::string> blob;     // ReadBlob("V") in hex; nothing: NULL
};

const std::string kLongDigits = std::string(298, '0') + "42";

const StoredCase kStoredCases[] = {
    {"no file", std::nullopt, 777, std::nullopt, std::nullopt},
    {"empty file", "", 777, std::nullopt, std::nullopt},
    {"header only", "REGEDIT4\n", 777, std::nullopt, std::nullopt},
    {"another value only", ProductFile("\"W\"=dword:00000001\n"), 777, std::nullopt, std::nullopt},
    {"dword", ProductFile("\"V\"=dword:d1140040\n"), 0xD1140040, u"\x0040\xD114", "40,00,14,d1"},
    {"digits as a string", ProductFile("\"V\"=\"123\"\n"), 123, u"123", "31,00,32,00,33,00,00,00"},
    {"a letter adds its code - 48", ProductFile("\"V\"=\"12a\"\n"), 169, u"12a",
     "31,00,32,00,61,00,00,00"},
    {"escaped characters, unchecked", ProductFile("\"V\"=\"1\\\\\\\"\"\n"), 526, u"1\\\"",
     "31,00,5c,00,22,00,00,00"},
    {"empty string", ProductFile("\"V\"=\"\"\n"), 0, u"", "00,00"},
    {"digits as binary", ProductFile("\"V\"=hex:31,00,32,00\n"), 12, u"12", "31,00,32,00"},
    {"odd-sized binary", ProductFile("\"V\"=hex:31,00,32\n"), 1, u"1", "31,00,32"},
    {"empty binary", ProductFile("\"V\"=hex:\n"), 0, u"", ""},
    {"dword of three bytes", ProductFile("\"V\"=hex(4):01,02,03\n"), 777, u"\x0201", "01,02,03"},
    {"string with a zero inside", ProductFile("\"V\"=hex(1):34,00,00,00,35,00,00,00\n"), 4, u"4",
     "34,00,00,00,35,00,00,00"},
    {"unknown type kept", ProductFile("\"V\"=hex(b):35,00,00,00,00,00,00,00\n"), 5, u"5",
     "35,00,00,00,00,00,00,00"},
    {"over-long digits", ProductFile("\"V\"=\"" + kLongDigits + "\"\n"), 42,
     std::u16string(kLongDigits.begin(), kLongDigits.end()), Hex(Sz(kLongDigits))},
    {"value names ignore case", ProductFile("\"v\"=dword:0000002a\n"), 42, u"*", "2a,00,00,00"},
    {"later duplicate wins", ProductFile("\"V\"=dword:1\n\"v\"=dword:2a\n"), 42, u"*",
     "2a,00,00,00"},
    {"sections of one key merge",
     ProductFile("\"W\"=dword:1\n") + "[HKEY_CURRENT_USER\\Software\\Lumarith]\n\"V\"=dword:7\n" +
         "[hkey_current_user\\SOFTWARE\\lumarith\\kestro (vowels)]\n\"V\"=dword:2a\n",
     42, u"*", "2a,00,00,00"},
    {"odd spacing, BOM, lower case, doubled backslashes",
     "\xEF\xBB\xBF  regedit4 \n\n [HKEY_CURRENT_USER\\\\Software\\Lumarith\\\\Kestro (Vowels)]  "
     "\n \t\"V\"  =  DWORD:  2A  \n",
     42, u"*", "2a,00,00,00"},
    {"CRLF and a continued hex line",
     "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Lumarith\\Kestro (Vowels)]\r\n"
     "\"V\"=hex:31,00,\\\r\n  32 , 00\r\n",
     12, u"12", "31,00,32,00"},
    {"value among damaged lines",
     ProductFile("garbage\n\"W\"=dword:zz\n;comment\n\"X\"=\"\xFF\xFE\"\n\"V\"=dword:2a\n"), 42,
     u"*", "2a,00,00,00"},
    {"nine dword digits", ProductFile("\"V\"=dword:123456789\n"), 777, std::nullopt, std::nullopt},
    {"unknown syntax", ProductFile("\"V\"=qword:1\n"), 777, std::nullopt, std::nullopt},
    {"unknown escape", ProductFile("\"V\"=\"a\\qb\"\n"), 777, std::nullopt, std::nullopt},
    {"unterminated string", ProductFile("\"V\"=\"12\n"), 777, std::nullopt, std::nullopt},
    {"trailing text", ProductFile("\"V\"=\"12\" 3\n"), 777, std::nullopt, std::nullopt},
    {"continued past the end", ProductFile("\"V\"=hex:31,00,\\\n"), 777, std::nullopt,
     std::nullopt},
    {"encoded surrogate", ProductFile("\"V\"=\"\xED\xA0\x80\"\n"), 777, std::nullopt, std::nullopt},
    {"under an unreadable header",
     ProductFile("\"W\"=dword:1\n") + "[HKEY_CURRENT_USER\\Software\\\xFF]\n\"V\"=dword:2a\n", 777,
     std::nullopt, std::nullopt},
    {"under another root",
     "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Lumarith\\Kestro (Vowels)]\n\"V\"=dword:1\n", 777,
     std::nullopt, std::nullopt},
    {"before any key",
     "REGEDIT4\n\"V\"=dword:1\n[HKEY_CURRENT_USER\\Software\\Lumarith\\Kestro (Vowels)]\n", 777,
     std::nullopt, std::nullopt},
    {"no header: damaged",
     "[HKEY_CURRENT_USER\\Software\\Lumarith\\Kestro (Vowels)]\n\"V\"=dword:1\n", 777, std::nullopt,
     std::nullopt},
    {"binary junk: damaged", "\177ELF\2\1\1\0\0\0\n\"V\"=dword:1\n"s, 777, std::nullopt,
     std::nullopt},
};

void ExpectHelpersRead(const StoredCase& c) {
  SCOPED_TRACE(c.what);
  SettingsFolder folder;
  if (c.file) folder.Store(*c.file);
  EXPECT_EQ(ReadDword(u"V", 777), c.number);

  LPWSTR text = ReadWideString(u"V");
  EXPECT_EQ(text ? std::optional<std::u16string>(text) : std::nullopt, c.text);
  std::free(text);

  DWORD size = 0xDEAD;
  BYTE* blob = ReadBlob(u"V", &size);
  std::optional<std::string> bytes;
  if (blob) bytes = Hex(std::string(reinterpret_cast<const char*>(blob), size));
  EXPECT_EQ(bytes, c.blob);
  if (!blob) {
    EXPECT_EQ(size, 0xDEADu) << "size is set only on success";
  }
  std::free(blob);
}

TEST(RegistryHelpers, ReadStoredFiles) {
  for (const StoredCase& c : kStoredCases) ExpectHelpersRead(c);
}

TEST(RegistryHelpers, ReadNumberUsesTheKeyItIsGiven) {
  SettingsFolder folder;
  folder.Store(
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\LUMARITH]\n\"fullscreen\"=\"1\"\n"
      "\"MenuBarOnBottom\"=dword:00000001\n"
      "\n[HKEY_CURRENT_USER\\Software\\Lumarith\\Kestro "
      "(Vowels)]\n\"SurroundingGutter\"=dword:5\n");
  EXPECT_EQ(ReadNumber(kMakerKey, u"FullScreen", 0), 1u);
  EXPECT_EQ(ReadNumber(kMakerKey, u"menubaronbottom", 0), 1u);
  EXPECT_EQ(ReadNumber(kMakerKey, u"AllowSipInHebrewSearch", 1), 1u);
  EXPECT_EQ(ReadNumber(kMakerKey, u"SurroundingGutter", 0), 0u) << "a value of the product key";
  EXPECT_EQ(ReadNumber(u"software\\Lumarith\\Other", u"FullScreen", 3), 3u) << "missing key";
  EXPECT_EQ(ReadDword(u"surroundinggutter", 0), 5u);
}

struct SearchCase {
  const char* what;
  std::optional<std::string> stored;  // "SearchString" bytes; nothing: missing
  std::string field;                  // AppState.SearchString afterwards (was "old")
};

const SearchCase kSearchCases[] = {
    {"missing", std::nullopt, "old"},
    {"empty value", "", "old"},
    {"first byte 0", "\0abc"s, "old"},
    {"with its zero", "abc\0"s, "abc"},
    {"without a zero", "abc", "abc"},
    {"ends at the first zero", "ab\0cd"s, "ab"},
    {"33 bytes", std::string(33, 'b'), std::string(33, 'b')},
    {"longer than 33 bytes", std::string(40, 'c') + '\0', std::string(33, 'c')},
};

TEST(RegistryHelpers, ReadSearchString) {
  for (const SearchCase& c : kSearchCases) {
    SCOPED_TRACE(c.what);
    SettingsFolder folder;
    if (c.stored)
      WriteBlob(u"SearchString", c.stored->data(), static_cast<DWORD>(c.stored->size()));
    std::memset(AppState.SearchString, 'x', sizeof AppState.SearchString);
    std::strcpy(reinterpret_cast<char*>(AppState.SearchString), "old");
    ReadSearchString();
    EXPECT_EQ(reinterpret_cast<const char*>(AppState.SearchString), c.field);
  }
}

TEST(RegistryKeys, AKeyExistsWhenAKeyBelowItDoes) {
  SettingsFolder folder;
  folder.Store(ProductFile("\"Flags\"=dword:1\n"));
  struct {
    LPCWSTR path;
    LONG result;
  } const cases[] = {
      {u"software\\lumarith", ERROR_SUCCESS},
      {u"Software", ERROR_SUCCESS},
      {u"", ERROR_SUCCESS},
      {u"SOFTWARE\\LUMARITH\\KESTRO (VOWELS)", ERROR_SUCCESS},
      {u"Software\\Lumarith\\Kestro", ERROR_FILE_NOT_FOUND},
      {u"Software\\Other", ERROR_FILE_NOT_FOUND},
  };
  for (const auto& c : cases) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, c.path, 0, KEY_READ, &key), c.result)
        << std::string(c.path, c.path + std::char_traits<char16_t>::length(c.path));
    EXPECT_EQ(key != nullptr, c.result == ERROR_SUCCESS);
    if (key != nullptr) {
      EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    }
  }
}

TEST(RegistryKeys, QueriesAndWritesKeepTheirContract) {
  SettingsFolder folder;
  folder.Store(ProductFile("\"V\"=hex:01,02,03\n"));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD type = 0;
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"V", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(size, 3u);
  BYTE buffer[3] = {9, 9, 9};
  size = 2;
  EXPECT_EQ(RegQueryValueExW(key, u"V", nullptr, nullptr, buffer, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(buffer[0], 9) << "nothing copied into a small buffer";
  EXPECT_EQ(RegQueryValueExW(key, u"V", nullptr, nullptr, buffer, &size), ERROR_SUCCESS);
  EXPECT_EQ(buffer[2], 3);
  EXPECT_EQ(RegQueryValueExW(key, u"W", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegSetValueExW(key, u"V", 0, REG_BINARY, buffer, 1), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueExW(key, u"V", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
  EXPECT_EQ(folder.Stored(), ProductFile("\"V\"=hex:01,02,03\n")) << "nothing was written";
}

}  // namespace
