// The settings file as the registry writes it, and what happens to files
// that cannot be read in full.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "settings/registry_helpers.h"
#include "tests/settings/settings_folder.h"

using namespace std::string_literals;

namespace {

TEST(SettingsFile, HelpersWriteEachType) {
  SettingsFolder folder;
  const BYTE search[] = "abc";
  const BYTE bookmarks[] = {3, 0, 11, 0, 0, 0};
  EXPECT_EQ(WriteDword(u"Flags", 0xD1140040), 1);
  EXPECT_EQ(WriteWideString(u"FontName", u"Ezra \"SIL\" \\ \u05D0"), 1);
  EXPECT_EQ(WriteByteString(u"SearchString", search), 1);
  EXPECT_EQ(WriteBlob(u"Bookmarks", bookmarks, sizeof bookmarks), 1);
  EXPECT_EQ(WriteDword(u"flags", 0x2A), 1) << "replaces the value of the same name";
  EXPECT_EQ(folder.Stored(),
            "REGEDIT4\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\Lumarith\\Kestro (Vowels)]\n"
            "\"Flags\"=dword:0000002a\n"
            "\"FontName\"=\"Ezra \\\"SIL\\\" \\\\ \xD7\x90\"\n"
            "\"SearchString\"=hex:61,62,63,00\n"
            "\"Bookmarks\"=hex:03,00,0b,00,00,00\n");
  EXPECT_TRUE(folder.KeptAside().empty());
}

// A value as RegSetValueExW is given it, the line that stores it, and the
// same type and bytes back in the next run.
struct WrittenCase {
  const char* what;
  std::u16string name;
  DWORD type;
  std::string bytes;
  std::string line;
};

const WrittenCase kWrittenCases[] = {
    {"string", u"S", REG_SZ, "a\0b\0\0\0"s, "\"S\"=\"ab\""},
    {"empty string", u"S", REG_SZ, "\0\0"s, "\"S\"=\"\""},
    {"string of no bytes", u"S", REG_SZ, "", "\"S\"=hex(1):"},
    {"odd-sized string", u"S", REG_SZ, "a\0b\0\0"s, "\"S\"=hex(1):61,00,62,00,00"},
    {"string without its zero", u"S", REG_SZ, "a\0b\0"s, "\"S\"=hex(1):61,00,62,00"},
    {"zero inside a string", u"S", REG_SZ, "a\0\0\0b\0\0\0"s,
     "\"S\"=hex(1):61,00,00,00,62,00,00,00"},
    {"line break in a string", u"S", REG_SZ, "a\0\n\0\0\0"s, "\"S\"=hex(1):61,00,0a,00,00,00"},
    {"unpaired surrogate", u"S", REG_SZ, "\x00\xD8\0\0"s, "\"S\"=hex(1):00,d8,00,00"},
    {"tab and quote in a string", u"S", REG_SZ, "\t\0\"\0\0\0"s, "\"S\"=\"\t\\\"\""},
    {"letter beyond the BMP", u"S", REG_SZ, "\x3D\xD8\x00\xDE\0\0"s, "\"S\"=\"\xF0\x9F\x98\x80\""},
    {"dword", u"D", REG_DWORD, "\x78\x56\x34\x12"s, "\"D\"=dword:12345678"},
    {"dword of three bytes", u"D", REG_DWORD, "\1\2\3"s, "\"D\"=hex(4):01,02,03"},
    {"empty binary", u"B", REG_BINARY, "", "\"B\"=hex:"},
    {"binary", u"B", REG_BINARY, "\xFF\0"s, "\"B\"=hex:ff,00"},
    {"another type", u"Q", 11, "\1\0\0\0\0\0\0\0"s, "\"Q\"=hex(b):01,00,00,00,00,00,00,00"},
    {"default value", u"", REG_DWORD, "\1\0\0\0"s, "@=dword:00000001"},
    {"name with quote and backslash", u"a\"\\b", REG_DWORD, "\0\0\0\0"s,
     "\"a\\\"\\\\b\"=dword:00000000"},
};

void ExpectWrittenAndReadBack(const WrittenCase& c) {
  SCOPED_TRACE(c.what);
  SettingsFolder folder;
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const auto* data = reinterpret_cast<const BYTE*>(c.bytes.data());
  ASSERT_EQ(
      RegSetValueExW(key, c.name.c_str(), 0, c.type, data, static_cast<DWORD>(c.bytes.size())),
      ERROR_SUCCESS);
  EXPECT_EQ(folder.Stored(), ProductFile(c.line + "\n"));
  RegCloseKey(key);

  folder.StartNewRun();
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD type = 0;
  DWORD size = 64;
  BYTE back[64] = {};
  ASSERT_EQ(RegQueryValueExW(key, c.name.c_str(), nullptr, &type, back, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, c.type);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(back), size), c.bytes);
  RegCloseKey(key);
}

TEST(SettingsFile, EveryValueComesBackAsWritten) {
  for (const WrittenCase& c : kWrittenCases) ExpectWrittenAndReadBack(c);
}

TEST(SettingsFile, NamesThatCannotBeALineAreRefused) {
  SettingsFolder folder;
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  const BYTE one[] = {1, 0, 0, 0};
  EXPECT_EQ(RegSetValueExW(key, u"a\nb", 0, REG_DWORD, one, 4), ERROR_INVALID_PARAMETER);
  HKEY other = nullptr;
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\a\rb", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &other, nullptr),
            ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
  EXPECT_EQ(folder.Stored(), ProductFile(""));
}

TEST(SettingsFile, AHandEditedFileKeepsAllItHeld) {
  SettingsFolder folder;
  folder.Store(
      "regedit4\r\n"
      "[HKEY_CURRENT_USER\\software\\Lumarith]\r\n"
      "  \"FullScreen\" = \"1\"\r\n"
      "[HKEY_CURRENT_USER\\Software\\Lumarith\\Kestro (Vowels)]\r\n"
      "\"Bookmarks\"=hex:03,00,\\\r\n"
      "    00,00\r\n");
  EXPECT_EQ(WriteDword(u"Lesson", 3), 1);
  EXPECT_EQ(folder.Stored(),
            "REGEDIT4\n"
            "\n"
            "[HKEY_CURRENT_USER\\software\\Lumarith]\n"
            "\"FullScreen\"=\"1\"\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\Lumarith\\Kestro (Vowels)]\n"
            "\"Bookmarks\"=hex:03,00,00,00\n"
            "\"Lesson\"=dword:00000003\n");
  EXPECT_TRUE(folder.KeptAside().empty()) << "nothing in it was skipped";
}

// A stored file that cannot be read in full: reads give what could be read,
// the first save keeps the whole file aside, and the new file holds what
// could be read plus the new value.
struct DamagedCase {
  const char* what;
  std::string file;
  std::string saved;  // the product key's lines after WriteDword("Lesson", 3)
};

const DamagedCase kDamagedCases[] = {
    {"no header", "[HKEY_CURRENT_USER\\Software\\Lumarith\\Kestro (Vowels)]\n\"Flags\"=dword:1\n",
     "\"Lesson\"=dword:00000003\n"},
    {"binary junk", "\0\1\2\xFF\n\n"s, "\"Lesson\"=dword:00000003\n"},
    {"larger than 4 MiB", "REGEDIT4\n" + std::string(4 * 1024 * 1024, ';'),
     "\"Lesson\"=dword:00000003\n"},
    {"a line not understood", ProductFile("\"Flags\"=dword:1\nnonsense\n"),
     "\"Flags\"=dword:00000001\n\"Lesson\"=dword:00000003\n"},
    {"a comment", ProductFile(";mine\n\"Flags\"=dword:1\n"),
     "\"Flags\"=dword:00000001\n\"Lesson\"=dword:00000003\n"},
    {"a value read over", ProductFile("\"Lesson\"=dword:1\n\"Lesson\"=dword:2\n"),
     "\"Lesson\"=dword:00000003\n"},
    {"a line not UTF-8", ProductFile("\"FontName\"=\"\xC0\xAF\"\n\"Flags\"=dword:1\n"),
     "\"Flags\"=dword:00000001\n\"Lesson\"=dword:00000003\n"},
};

void ExpectKeptAside(const DamagedCase& c) {
  SCOPED_TRACE(c.what);
  SettingsFolder folder;
  folder.Store(c.file);
  testing::internal::CaptureStderr();
  ReadDword(u"Flags", 0);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find(folder.File().string()), std::string::npos) << said;
  EXPECT_EQ(folder.Stored(), c.file) << "reading changes nothing";
  EXPECT_TRUE(folder.KeptAside().empty());

  testing::internal::CaptureStderr();
  EXPECT_EQ(WriteDword(u"Lesson", 3), 1);
  const std::string saidOnSave = testing::internal::GetCapturedStderr();
  EXPECT_NE(saidOnSave.find(".damaged-"), std::string::npos) << saidOnSave;
  EXPECT_EQ(folder.KeptAside(), std::vector<std::string>{c.file});
  EXPECT_EQ(folder.Stored(), ProductFile(c.saved));

  EXPECT_EQ(WriteDword(u"Lesson", 4), 1);
  EXPECT_EQ(folder.KeptAside().size(), 1u) << "kept aside once";
}

TEST(SettingsFile, DamagedFilesAreKeptAsideBeforeTheFirstSave) {
  for (const DamagedCase& c : kDamagedCases) ExpectKeptAside(c);
}

TEST(SettingsFile, AFileThatCannotBeSavedChangesNothing) {
  SettingsFolder folder;
  std::filesystem::remove_all(folder.File().parent_path());
  std::ofstream(folder.File().parent_path()) << "a file where the folder should be";
  EXPECT_EQ(WriteDword(u"Lesson", 3), 0);
  EXPECT_EQ(ReadDword(u"Lesson", 7), 7u);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND)
      << "the key was not created either";
}

TEST(SettingsFile, WithoutXdgConfigHomeItLivesInDotConfig) {
  SettingsFolder folder;
  const std::filesystem::path file = folder.UseHomeInstead();
  EXPECT_EQ(WriteDword(u"Lesson", 3), 1);
  EXPECT_TRUE(std::filesystem::exists(file)) << file;
}

}  // namespace
