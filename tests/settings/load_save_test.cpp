// The settings as a whole: a stored file becomes AppState, and AppState at
// the end of the run becomes exactly these bytes.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/gdi.h"
#include "platform/system.h"
#include "platform/window.h"
#include "res/ui_resources.h"
#include "settings/bookmarks.h"
#include "tests/settings/settings_folder.h"
#include "text/view.h"

namespace {

// What LoadSettings leaves in AppState.
struct Loaded {
  std::u16string fontName;
  std::int32_t fontSize = 0;
  std::int32_t fontAsciiBase = kDefaultFontAsciiBase;
  std::uint16_t lastPosition = 0;
  std::uint32_t flags = kDefaultFlags;
  std::uint16_t lesson = 0;
  std::string searchString;
  std::vector<std::uint16_t> bookmarks;
};

Loaded FromAppState() {
  Loaded state{AppState.Font.FontName,
               AppState.Font.FontSize,
               AppState.Font.FontAsciiBase,
               AppState.LastPosition,
               AppState.Flags,
               AppState.Lesson,
               reinterpret_cast<const char*>(AppState.SearchString),
               {}};
  if (AppState.Bookmarks != nullptr) {
    state.bookmarks.assign(AppState.Bookmarks, AppState.Bookmarks + AppState.BookmarkCount);
  }
  return state;
}

void ExpectSame(const Loaded& actual, const Loaded& expected) {
  EXPECT_EQ(actual.fontName, expected.fontName);
  EXPECT_EQ(actual.fontSize, expected.fontSize);
  EXPECT_EQ(actual.fontAsciiBase, expected.fontAsciiBase);
  EXPECT_EQ(actual.lastPosition, expected.lastPosition);
  EXPECT_EQ(actual.flags, expected.flags);
  EXPECT_EQ(actual.lesson, expected.lesson);
  EXPECT_EQ(actual.searchString, expected.searchString);
  EXPECT_EQ(actual.bookmarks, expected.bookmarks);
}

// Takes the quit message SaveSettingsAndQuit posts; true when it came.
bool TakeQuit() {
  bool quit = false;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) quit = quit || message.message == WM_QUIT;
  return quit;
}

class Settings : public testing::Test {
 protected:
  void SetUp() override {
    static std::vector<ResourceEntry> resources;
    if (resources.empty()) AddUiResources(resources);
    InstallResources(resources.data(), resources.size());
    ClearAppState();
  }
  void TearDown() override {
    if (AppState.View != nullptr || AppState.PlusBitmap != nullptr) SaveSettingsAndQuit();
    TakeQuit();
  }
};

struct LoadCase {
  const char* name;
  std::optional<std::string> file;  // nothing: no settings file
  Loaded expected;
  bool keptAside;  // a damaged file is kept before the first write
};

const std::string k40 = std::string(40, 'x');
const std::u16string k31(31, u'x');

const LoadCase kLoadCases[] = {
    {"no file: the defaults", std::nullopt, {}, false},
    {"empty file: the defaults", "", {}, false},
    {"the defaults as stored",
     ProductFile("\"FontAsciiBase\"=dword:000005d0\n\"LastPosition\"=dword:00000000\n"
                 "\"Flags\"=dword:d1140040\n\"Bookmarks\"=hex:00,00\n"),
     {},
     false},
    {"every value as the reader stores it",
     ProductFile("\"SearchString\"=hex:61,62,63,00\n\"FontName\"=\"David CLM\"\n"
                 "\"FontSize\"=dword:00000012\n\"FontAsciiBase\"=dword:000000e0\n"
                 "\"LastPosition\"=dword:00000007\n\"Flags\"=dword:d1140840\n"
                 "\"Lesson\"=dword:00000005\n\"Bookmarks\"=hex:03,00,0b,00,00,00\n"),
     {u"David CLM", 18, 224, 7, 0xD1140840, 5, "abc", {3, 11}},
     false},
    {"numbers stored as strings of digits",
     ProductFile("\"FontSize\"=\"20\"\n\"Lesson\"=\"7\"\n\"Flags\"=\"12a\"\n\"LastPosition\"=\"\"\n"),
     {u"", 20, 1488, 0, 169, 7, "", {}},
     false},
    {"over-long values are cut",
     ProductFile("\"FontName\"=\"" + k40 + "\"\n\"SearchString\"=hex:" +
                 [] {
                   std::string hex;
                   for (int i = 0; i < 40; ++i) hex += "61,";
                   return hex + "00";
                 }() +
                 "\n\"Lesson\"=dword:00010005\n\"LastPosition\"=dword:00012345\n"),
     {k31, 0, 1488, 0x2345, kDefaultFlags, 5, std::string(33, 'a'), {}},
     false},
    {"empty strings leave the fields empty",
     ProductFile("\"FontName\"=\"\"\n\"SearchString\"=hex:00,61,00\n"),
     {},
     false},
    {"damaged lines are skipped, the rest is read",
     ProductFile("\"Flags\"=dword:zz\nnot a line\n\"Lesson\"=dword:00000004\n\"FontSize\"=hex(4):01,02\n"),
     {u"", 0, 1488, 0, kDefaultFlags, 4, "", {}},
     true},
    {"no header: the defaults", "Lesson=4\n", {}, true},
};

TEST_F(Settings, LoadReadsEveryValueWithItsDefault) {
  for (const LoadCase& c : kLoadCases) {
    SCOPED_TRACE(c.name);
    SettingsFolder folder;
    if (c.file) folder.Store(*c.file);
    ClearAppState();
    LoadSettings();
    ExpectSame(FromAppState(), c.expected);
    EXPECT_EQ(folder.KeptAside().size(), c.keptAside ? 1u : 0u) << "nothing of the file is lost";
    if (c.keptAside) {
      EXPECT_EQ(folder.KeptAside()[0], *c.file);
    }
    SaveSettingsAndQuit();
    TakeQuit();
  }
}

TEST_F(Settings, LoadWritesTheProgramPathAndLoadsTheBitmaps) {
  SettingsFolder folder;
  LoadSettings();
  WCHAR path[260];
  ASSERT_GT(GetModuleFileNameW(nullptr, path, 260), 0u);
  const std::u16string line = u"\"Program Path\"=\"" + std::u16string(path) + u"\"\n";
  EXPECT_NE(folder.Stored().find(std::string(line.begin(), line.end())), std::string::npos)
      << folder.Stored();
  EXPECT_NE(AppState.PlusBitmap, nullptr);
  EXPECT_NE(AppState.MinusBitmap, nullptr);
  EXPECT_NE(AppState.DocumentBitmap, nullptr);
  SaveSettingsAndQuit();
  EXPECT_EQ(AppState.PlusBitmap, nullptr) << "released";
  EXPECT_TRUE(TakeQuit());
}

// AppState at the end of a run, and the file SaveSettingsAndQuit leaves.
struct SaveCase {
  const char* name;
  std::optional<std::string> before;  // the file before; nothing: none
  std::string searchString;
  std::u16string fontName;
  std::int32_t fontSize;
  std::int32_t fontAsciiBase;
  std::optional<std::uint16_t> topLine;  // nothing: no view
  std::uint32_t flags;
  std::uint16_t lesson;
  std::vector<std::uint16_t> bookmarks;
  std::string after;
};

const std::string kHeader = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Lumarith\\Kestro (Vowels)]\n";

const SaveCase kSaveCases[] = {
    {"every value", std::nullopt, "abc", u"Ezra SIL", 18, 224, 12, 0xD1140840, 5, {3, 11},
     kHeader +
         "\"SearchString\"=hex:61,62,63,00\n\"FontName\"=\"Ezra SIL\"\n\"FontSize\"=dword:00000012\n"
         "\"FontAsciiBase\"=dword:000000e0\n\"LastPosition\"=dword:0000000c\n"
         "\"Flags\"=dword:d1140840\n\"Lesson\"=dword:00000005\n\"Bookmarks\"=hex:03,00,0b,00,00,00\n"},
    {"nothing set: only Flags and the empty list", std::nullopt, "", u"", 0, 0, std::nullopt, 0, 0, {},
     kHeader + "\"Flags\"=dword:00000000\n\"Bookmarks\"=hex:00,00\n"},
    {"empty and 0 values keep what was stored",
     kHeader + "\"SearchString\"=hex:61,00\n\"FontName\"=\"David CLM\"\n\"FontSize\"=dword:00000010\n"
               "\"FontAsciiBase\"=dword:000000e0\n\"LastPosition\"=dword:00000009\n"
               "\"Flags\"=dword:d1140040\n\"Lesson\"=dword:00000004\n\"Bookmarks\"=hex:04,00,00,00\n",
     "", u"", 0, 0, std::nullopt, 0x51140040, 0, {},
     kHeader + "\"SearchString\"=hex:61,00\n\"FontName\"=\"David CLM\"\n\"FontSize\"=dword:00000010\n"
               "\"FontAsciiBase\"=dword:000000e0\n\"LastPosition\"=dword:00000009\n"
               "\"Flags\"=dword:51140040\n\"Lesson\"=dword:00000004\n\"Bookmarks\"=hex:00,00\n"},
    {"a view at line 0 writes LastPosition 0", kHeader + "\"LastPosition\"=dword:00000009\n", "", u"", 0,
     1488, 0, kDefaultFlags, 1, {},
     kHeader + "\"LastPosition\"=dword:00000000\n\"FontAsciiBase\"=dword:000005d0\n"
               "\"Flags\"=dword:d1140040\n\"Lesson\"=dword:00000001\n\"Bookmarks\"=hex:00,00\n"},
};

TEST_F(Settings, SaveWritesExactlyTheseBytes) {
  for (const SaveCase& c : kSaveCases) {
    SCOPED_TRACE(c.name);
    SettingsFolder folder;
    if (c.before) folder.Store(*c.before);
    ClearAppState();
    std::copy(c.searchString.begin(), c.searchString.end(), AppState.SearchString);
    SetFontName(AppState.Font, c.fontName.c_str());
    AppState.Font.FontSize = c.fontSize;
    AppState.Font.FontAsciiBase = c.fontAsciiBase;
    AppState.Flags = c.flags;
    AppState.Lesson = c.lesson;
    for (std::uint16_t article : c.bookmarks) {
      AppState.Lesson = article;
      AddBookmark();
    }
    AppState.Lesson = c.lesson;
    HDC dc = CreateCompatibleDC(nullptr);
    if (c.topLine) {
      AppState.View = CreateView(dc, nullptr, &AppState.Font, 0);
      AppState.View->TopLine = *c.topLine;
    }
    SaveSettingsAndQuit();
    DeleteDC(dc);
    EXPECT_EQ(folder.Stored(), c.after);
    EXPECT_EQ(AppState.View, nullptr) << "freed";
    EXPECT_EQ(AppState.Bookmarks, nullptr) << "freed";
    EXPECT_TRUE(TakeQuit());
  }
}

}  // namespace
