// The commands on both bars: check marks, bookmarks, copy, exit, and the
// commands whose dialogs the reader does not have yet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

#include "app/bars.h"
#include "app/commands.h"
#include "export/clipboard_data.h"
#include "platform/menu.h"
#include "platform/msgbox.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "settings/bookmarks.h"
#include "tests/app/reader_fixture.h"

namespace {

struct Bar {
  const char* name;
  std::int32_t bottom;
};
const Bar kBars[] = {{"command bar", 0}, {"menu bar at the bottom", 1}};

class Commands : public ReaderTest {
 protected:
  void StartWith(const Bar& bar, const std::string& stored = "") {
    ClearAppState();
    AppState.MenuBarOnBottom = bar.bottom;
    Start(stored);
  }
};

TEST_F(Commands, ReverseTogglesTheMarkAndTheFlag) {
  for (const Bar& bar : kBars) {
    SCOPED_TRACE(bar.name);
    StartWith(bar, DwordLine("Flags", 0xD1140840));
    EXPECT_TRUE(Checked(kCmdReverse)) << "shows the stored bit";
    Command(kCmdReverse);
    EXPECT_FALSE(Checked(kCmdReverse));
    EXPECT_EQ(AppState.Flags, 0xD1140040u);
    Command(kCmdReverse);
    EXPECT_TRUE(Checked(kCmdReverse));
    EXPECT_EQ(AppState.Flags, 0xD1140840u);
    Stop();
    EXPECT_NE(Stored().find(DwordLine("Flags", 0xD1140840)), std::string::npos);
  }
}

int answer;
int Answer(HWND, LPCWSTR, LPCWSTR, UINT) { return answer; }

TEST_F(Commands, BookmarkAddsAndAsksBeforeRemoving) {
  for (const Bar& bar : kBars) {
    SCOPED_TRACE(bar.name);
    StartWith(bar, DwordLine("Lesson", 3));
    SetMessageBoxHook(Answer);
    EXPECT_FALSE(Checked(kCmdBookmark));
    Command(kCmdBookmark);
    EXPECT_TRUE(Checked(kCmdBookmark)) << "added";
    answer = IDNO;
    Command(kCmdBookmark);
    EXPECT_TRUE(Checked(kCmdBookmark)) << "No keeps it";
    answer = IDYES;
    Command(kCmdBookmark);
    EXPECT_FALSE(Checked(kCmdBookmark)) << "Yes removes it";
    Command(kCmdBookmark);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_FALSE(Checked(kCmdBookmark)) << "Article 5 is not bookmarked";
    Command(kCmdBookmark);
    SetMessageBoxHook(nullptr);
    Stop();
    EXPECT_NE(Stored().find("\"Bookmarks\"=hex:03,00,05,00,00,00\n"), std::string::npos) << Stored();
  }
}

TEST_F(Commands, CommandsWithoutTheirDialogsAreDisabledAndNotHandled) {
  const WORD unavailable[] = {kCmdAbout, kCmdCheckForUpdates, kCmdChooseArticle,
                              kCmdFont,  kCmdSearch,          kCmdSearchAgain};
  const WORD available[] = {kCmdReverse, kCmdCopy,     kCmdAppend,         kCmdExit,
                            kCmdBookmark, kCmdNextArticle, kCmdPreviousArticle};
  for (const Bar& bar : kBars) {
    SCOPED_TRACE(bar.name);
    StartWith(bar);
    for (WORD id : unavailable) {
      EXPECT_EQ(DispatchCommand(window_, id), 1) << id;
      EXPECT_EQ(AppState.Lesson, 1) << id;
    }
    for (HMENU menu : {BarMenu(DropDown::File), BarMenu(DropDown::Go)}) {
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STATE;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
        if (item.wID == 0) continue;  // a separator
        const bool isUnavailable = std::find(std::begin(unavailable), std::end(unavailable), item.wID) !=
                                   std::end(unavailable);
        const bool isAvailable =
            std::find(std::begin(available), std::end(available), item.wID) != std::end(available);
        EXPECT_TRUE(isUnavailable || isAvailable) << "item " << item.wID << " in neither list";
        EXPECT_EQ((item.fState & MFS_GRAYED) != 0, isUnavailable) << "item " << item.wID;
      }
    }
    Stop();
  }
}

TEST_F(Commands, TheToolButtonsStepBetweenArticles) {
  for (const Bar& bar : kBars) {
    SCOPED_TRACE(bar.name);
    StartWith(bar, DwordLine("Lesson", 6));
    const int firstTool = bar.bottom ? 2 : 1;  // after the menu, or the File and Go buttons
    TestClickBarPosition(AppState.BarWindow, firstTool + 2);
    Pump();
    EXPECT_EQ(AppState.Lesson, 7) << "Next Article";
    TestClickBarPosition(AppState.BarWindow, firstTool);
    Pump();
    EXPECT_EQ(AppState.Lesson, 6) << "Previous Article";
    Stop();
  }
}

TEST_F(Commands, EveryToolButtonShowsItsOwnTooltip) {
  const std::u16string texts[] = {u"Previous Article", u"Choose Article", u"Next Article",
                                  u"Choose Font",      u"Search",         u"Search Again"};
  for (const Bar& bar : kBars) {
    SCOPED_TRACE(bar.name);
    StartWith(bar);
    const int firstTool = bar.bottom ? 2 : 1;  // after the menu, or the File and Go buttons
    for (int i = 0; i < firstTool; ++i) EXPECT_EQ(TestBarToolTip(AppState.BarWindow, i), u"");
    for (int i = 0; i < 6; ++i) {
      EXPECT_TRUE(TestBarToolTip(AppState.BarWindow, firstTool + i) == texts[i]) << "tool " << i;
    }
    Stop();
  }
}

TEST_F(Commands, TheViewLiesBesideTheBar) {
  for (const Bar& bar : kBars) {
    SCOPED_TRACE(bar.name);
    StartWith(bar);
    RECT client;
    GetClientRect(window_, &client);
    EXPECT_GT(AppState.BarHeight, 0);
    EXPECT_EQ(View().Top, bar.bottom ? 0 : AppState.BarHeight);
    EXPECT_EQ(View().Height, client.bottom - AppState.BarHeight);
    Stop();
  }
}

TEST_F(Commands, CopyAndAppendPutTheArticleOnTheClipboard) {
  Start(DwordLine("FontAsciiBase", 224));
  Command(kCmdCopy);
  std::size_t once = 0;
  BYTE* copied = ReadClipboard(0, once);
  ASSERT_NE(copied, nullptr);
  Command(kCmdAppend);
  std::size_t twice = 0;
  BYTE* appended = ReadClipboard(0, twice);
  ASSERT_NE(appended, nullptr);
  EXPECT_GT(once, 100u);
  EXPECT_EQ(twice, 2 * once);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(appended), once), std::string(reinterpret_cast<char*>(copied), once));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(appended) + once, once),
            std::string(reinterpret_cast<char*>(copied), once));
  std::free(copied);
  std::free(appended);
}

TEST_F(Commands, ExitClosesTheReaderAndSavesTheSettings) {
  Start(DwordLine("Lesson", 9));
  Command(kCmdExit);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_TRUE(Pump()) << "the quit message";
  EXPECT_NE(Stored().find(DwordLine("Lesson", 9)), std::string::npos);
}

}  // namespace
