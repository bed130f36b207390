#include "settings/bookmarks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/msgbox.h"
#include "tests/settings/settings_folder.h"

namespace {

using List = std::vector<std::uint16_t>;

class Bookmarks : public testing::Test {
 protected:
  void SetUp() override { ClearAppState(); }
  void TearDown() override {
    FreeBookmarks();
    SetMessageBoxHook(nullptr);
  }

  // The list in AppState, checked to agree with BookmarkCount: the entries
  // before the 0 entry, with no 0 among them.
  static List Marked() {
    if (AppState.Bookmarks == nullptr) {
      EXPECT_EQ(AppState.BookmarkCount, 0);
      return {};
    }
    const List list(AppState.Bookmarks, AppState.Bookmarks + AppState.BookmarkCount);
    EXPECT_EQ(AppState.Bookmarks[AppState.BookmarkCount], 0) << "the 0 entry after the list";
    for (std::uint16_t entry : list) EXPECT_NE(entry, 0);
    return list;
  }

  static void Add(std::uint16_t article) {
    AppState.Lesson = article;
    AddBookmark();
  }

  // The "Bookmarks" line SaveBookmarks writes.
  std::string Saved() {
    SaveBookmarks();
    const std::string file = folder.Stored();
    const std::size_t start = file.find("\"Bookmarks\"=");
    return start == std::string::npos ? "" : file.substr(start, file.find('\n', start) - start);
  }

  SettingsFolder folder;
};

TEST_F(Bookmarks, MarkingAndUnmarkingStoresTheEntriesAndAZero) {
  EXPECT_EQ(Saved(), "\"Bookmarks\"=hex:00,00") << "no list";
  Add(3);
  Add(11);
  EXPECT_EQ(Marked(), (List{3, 11}));
  EXPECT_EQ(Saved(), "\"Bookmarks\"=hex:03,00,0b,00,00,00");
  AppState.Lesson = 3;
  RemoveBookmark();
  EXPECT_EQ(Saved(), "\"Bookmarks\"=hex:0b,00,00,00");
  AppState.Lesson = 11;
  RemoveBookmark();
  EXPECT_EQ(Marked(), List{});
  EXPECT_EQ(Saved(), "\"Bookmarks\"=hex:00,00");
}

TEST_F(Bookmarks, AddingAMarkedArticleChangesNothing) {
  Add(3);
  Add(11);
  Add(3);
  EXPECT_EQ(Marked(), (List{3, 11}));
  AppState.Lesson = 11;
  EXPECT_EQ(IsBookmarked(), 1);
  AppState.Lesson = 5;
  EXPECT_EQ(IsBookmarked(), 0);
}

int answer;
int questionsAsked;
int Answer(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  ++questionsAsked;
  EXPECT_EQ(owner, AppState.MainWindow);
  EXPECT_EQ(std::u16string(text), u"Remove Bookmark?\n\nCancel - Don't ask again");
  EXPECT_EQ(std::u16string(caption), u"Bookmark");
  EXPECT_EQ(type, MB_YESNOCANCEL);
  return answer;
}

TEST_F(Bookmarks, ToggleAsksBeforeRemoving) {
  struct {
    const char* what;
    int answer;
    bool stillMarked;
    bool askedNextTime;
  } const cases[] = {
      {"Yes", IDYES, false, true},
      {"No", IDNO, true, true},
      {"Cancel", IDCANCEL, false, false},
  };
  AppState.MainWindow = reinterpret_cast<HWND>(0x1234);
  SetMessageBoxHook(Answer);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AppState.BookmarkNoAsk = 0;
    answer = c.answer;
    questionsAsked = 0;
    AppState.Lesson = 4;
    ToggleBookmark(IsBookmarked());
    EXPECT_EQ(IsBookmarked(), 1) << "not marked: added without a question";
    EXPECT_EQ(questionsAsked, 0);
    ToggleBookmark(IsBookmarked());
    EXPECT_EQ(questionsAsked, 1);
    EXPECT_EQ(IsBookmarked(), c.stillMarked ? 1 : 0);
    AddBookmark();
    ToggleBookmark(IsBookmarked());
    EXPECT_EQ(questionsAsked, c.askedNextTime ? 2 : 1);
    EXPECT_EQ(IsBookmarked(), c.stillMarked ? 1 : 0) << "the same answer, or no question";
    FreeBookmarks();
  }
}

struct LoadCase {
  const char* what;
  std::optional<std::string> stored;  // the hex of "Bookmarks"; nothing: missing
  std::optional<List> list;           // nothing: no array
  std::string saved;                  // SaveBookmarks afterwards
};

const LoadCase kLoadCases[] = {
    {"missing", std::nullopt, std::nullopt, "00,00"},
    {"as the program stores it", "03,00,0b,00,00,00", List{3, 11}, "03,00,0b,00,00,00"},
    {"empty list", "00,00", List{}, "00,00"},
    {"no bytes", "", List{}, "00,00"},
    {"without its 0 entry", "03,00,0b,00", List{3, 11}, "03,00,0b,00,00,00"},
    {"odd-sized", "03,00,0b", List{3}, "03,00,00,00"},
    {"one byte", "03", List{}, "00,00"},
    {"a 0 entry inside", "03,00,00,00,05,00,00,00", List{3, 5}, "03,00,05,00,00,00"},
    {"the same Article twice", "03,00,05,00,03,00,00,00", List{3, 5, 3}, "03,00,05,00,03,00,00,00"},
};

TEST_F(Bookmarks, LoadReadsEveryStoredArticleAndEndsWithA0Entry) {
  for (const LoadCase& c : kLoadCases) {
    SCOPED_TRACE(c.what);
    SettingsFolder stored;
    if (c.stored) stored.Store(ProductFile("\"Bookmarks\"=hex:" + *c.stored + "\n"));
    Add(7);  // a list from before, replaced by the stored one
    LoadBookmarks();
    EXPECT_EQ(AppState.Bookmarks != nullptr, c.list.has_value());
    EXPECT_EQ(Marked(), c.list.value_or(List{}));
    SaveBookmarks();
    EXPECT_NE(stored.Stored().find("\"Bookmarks\"=hex:" + c.saved + "\n"), std::string::npos);
    FreeBookmarks();
  }
}

TEST_F(Bookmarks, OneRemovalDropsEveryEntryOfTheArticle) {
  folder.Store(ProductFile("\"Bookmarks\"=hex:03,00,05,00,03,00,00,00\n"));
  LoadBookmarks();
  AppState.Lesson = 3;
  RemoveBookmark();
  EXPECT_EQ(Marked(), List{5});
  EXPECT_EQ(IsBookmarked(), 0);
}

}  // namespace
