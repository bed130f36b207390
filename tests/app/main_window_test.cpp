// The main window driven by messages: keys, taps, the scroll bar, stepping
// between Articles, resizing and the ways the window closes.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/main_window.h"
#include "app/navigation.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "settings/settings.h"
#include "tests/app/reader_fixture.h"
#include "tests/support/message_log.h"

namespace {

constexpr std::uint32_t kKeyPageBits = 0x00700000;
constexpr std::uint32_t kTapPageBits = 0x07000000;

// What a paging case expects of TopLine, from the view before the message
// and the line it started on.
using Expected = std::function<int(const TextView& before, int start)>;

int ScrollPosition(HWND window) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS | SIF_RANGE;
  GetScrollInfo(window, SB_VERT, &info);
  return info.nPos;
}

class MainWindow : public ReaderTest {
 protected:
  // The longest Article, with TopLine far enough from both ends that a page
  // step either way is taken in full.
  int StartInTheMiddle() {
    const int article = LongestArticle();
    Start(DwordLine("Lesson", static_cast<DWORD>(article)));
    const int middle = View().PageLines + 2;
    EXPECT_GT(View().MaxTopLine, 2 * middle) << "Article " << article << " is too short to page";
    ScrollTo(middle);
    return middle;
  }
  void BackTo(int article, int line) {
    GoToArticle(window_, static_cast<unsigned>(article));
    ScrollTo(line);
  }
};

TEST_F(MainWindow, KeysPageScrollAndStep) {
  enum class From { First, Middle };
  struct Case {
    const char* name;
    WPARAM key;
    std::uint32_t keyPaging;  // Flags & 0x00700000
    From from;
    LRESULT result;
    int articleStep;
    Expected top;
  };
  const auto page = [](const TextView& v, int s) { return s + v.PageLines - 1; };
  const Case cases[] = {
      {"Page Down", VK_NEXT, 0x00100000, From::Middle, 0, 0, page},
      {"Page Up", VK_PRIOR, 0x00100000, From::Middle, 0, 0,
       [](const TextView& v, int s) { return s - (v.PageLines - 1); }},
      {"Page Down in half-page mode 2", VK_NEXT, 0x00200000, From::Middle, 0, 0,
       [](const TextView& v, int s) { return s + v.PageLines / 2; }},
      {"Page Up in half-page mode 4", VK_PRIOR, 0x00400000, From::Middle, 0, 0,
       [](const TextView& v, int s) { return s - v.PageLines / 2; }},
      {"Page Down in mode 3 (a page less one line)", VK_NEXT, 0x00300000, From::Middle, 0, 0, page},
      {"Down", VK_DOWN, 0x00100000, From::Middle, 0, 0, [](const TextView&, int s) { return s + 1; }},
      {"Up", VK_UP, 0x00100000, From::Middle, 0, 0, [](const TextView&, int s) { return s - 1; }},
      {"End from the first line", VK_END, 0x00100000, From::First, 0, 0,
       [](const TextView& v, int) { return v.MaxTopLine; }},
      {"Home", VK_HOME, 0x00100000, From::Middle, 0, 0, [](const TextView&, int) { return 0; }},
      {"Home on the first line", VK_HOME, 0x00100000, From::First, 0, 0,
       [](const TextView&, int) { return 0; }},
      {"Right: next Article", VK_RIGHT, 0x00100000, From::Middle, 0, +1,
       [](const TextView&, int) { return 0; }},
      {"Left: previous Article", VK_LEFT, 0x00100000, From::Middle, 0, -1,
       [](const TextView&, int) { return 0; }},
      {"Enter with an empty search string", VK_RETURN, 0x00100000, From::Middle, 0, 0,
       [](const TextView&, int s) { return s; }},
      {"Space, a key of no meaning", VK_SPACE, 0x00100000, From::Middle, 1, 0,
       [](const TextView&, int s) { return s; }},
  };
  const int middle = StartInTheMiddle();
  const int article = AppState.Lesson;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppState.Flags = (kDefaultFlags & ~kKeyPageBits) | c.keyPaging;
    const int start = c.from == From::Middle ? middle : 0;
    BackTo(article, start);
    const TextView before = View();
    EXPECT_EQ(Key(c.key), c.result);
    EXPECT_EQ(AppState.Lesson, (article - 1 + c.articleStep + kArticleCount) % kArticleCount + 1);
    EXPECT_EQ(View().TopLine, c.top(before, start));
    EXPECT_EQ(ScrollPosition(window_), View().TopLine) << "the scroll bar follows";
  }
}

TEST_F(MainWindow, ATapPagesByItsHalfAndGutter) {
  enum class At { Upper, Lower, MiddleRow, Left, Right, MiddleColumn, LeftGutter, RightGutter, TopGutter, BottomGutter };
  struct Case {
    const char* name;
    std::uint32_t flags;
    At at;
    Expected top;
  };
  constexpr std::uint32_t byWidth = kDefaultFlags & ~0x10000000u;
  constexpr std::uint32_t noTaps = kDefaultFlags & ~0x80000000u;
  constexpr std::uint32_t halfTaps = (kDefaultFlags & ~kTapPageBits) | 0x02000000;
  const auto back = [](const TextView& v, int s) { return s - (v.PageLines - 1); };
  const auto forward = [](const TextView& v, int s) { return s + v.PageLines - 1; };
  const auto stays = [](const TextView&, int s) { return s; };
  const Case cases[] = {
      {"upper half goes back", kDefaultFlags, At::Upper, back},
      {"lower half goes forward", kDefaultFlags, At::Lower, forward},
      {"exactly on the middle row goes forward", kDefaultFlags, At::MiddleRow, forward},
      {"left half goes back when judged by width", byWidth, At::Left, back},
      {"right half goes forward when judged by width", byWidth, At::Right, forward},
      {"exactly on the middle column goes forward", byWidth, At::MiddleColumn, forward},
      {"left gutter pages", byWidth, At::LeftGutter, back},
      {"right gutter pages", byWidth, At::RightGutter, forward},
      {"top gutter pages", kDefaultFlags, At::TopGutter, back},
      {"bottom gutter does nothing", kDefaultFlags, At::BottomGutter, stays},
      {"taps off: nothing", noTaps, At::Lower, stays},
      {"half-page tap mode", halfTaps, At::Lower,
       [](const TextView& v, int s) { return s + v.PageLines / 2; }},
  };
  constexpr int kGutter = 8;
  AppState.SurroundingGutter = kGutter;
  const int middle = StartInTheMiddle();
  const TextView& v = View();
  const auto point = [&](At at) -> POINT {
    const int cx = v.Left + v.Width / 2, cy = v.Top + v.Height / 2;
    switch (at) {
      case At::Upper: return {cx, v.Top + 10};
      case At::Lower: return {cx, v.Top + v.Height - 10};
      case At::MiddleRow: return {cx, cy};
      case At::Left: return {v.Left + 10, cy};
      case At::Right: return {v.Left + v.Width - 10, cy};
      case At::MiddleColumn: return {cx, cy};
      case At::LeftGutter: return {v.Left - kGutter / 2, cy};
      case At::RightGutter: return {v.Left + v.Width + kGutter / 2, cy};
      case At::TopGutter: return {cx, v.Top - kGutter / 2};
      case At::BottomGutter: return {cx, v.Top + v.Height + kGutter / 2};
    }
    return {};
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppState.Flags = c.flags;
    ScrollTo(middle);
    const TextView before = View();
    const POINT p = point(c.at);
    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y))), 0);
    EXPECT_EQ(View().TopLine, c.top(before, middle)) << "tap at " << p.x << ", " << p.y;
  }
}

TEST_F(MainWindow, EveryScrollBarCode) {
  struct Case {
    const char* name;
    WORD code;
    int thumb;
    Expected top;
  };
  const Case cases[] = {
      {"SB_LINEUP", SB_LINEUP, 0, [](const TextView&, int s) { return s - 1; }},
      {"SB_LINEDOWN", SB_LINEDOWN, 0, [](const TextView&, int s) { return s + 1; }},
      {"SB_PAGEUP", SB_PAGEUP, 0, [](const TextView& v, int s) { return s + 1 - v.PageLines; }},
      {"SB_PAGEDOWN: a page less one line even in half-page key mode", SB_PAGEDOWN, 0,
       [](const TextView& v, int s) { return s + v.PageLines - 1; }},
      {"SB_THUMBPOSITION", SB_THUMBPOSITION, 3, [](const TextView&, int) { return 3; }},
      {"SB_THUMBTRACK", SB_THUMBTRACK, 20, [](const TextView&, int) { return 20; }},
      {"SB_TOP", SB_TOP, 0, [](const TextView&, int) { return 0; }},
      {"SB_BOTTOM: one line down", SB_BOTTOM, 0, [](const TextView&, int s) { return s + 1; }},
      {"SB_ENDSCROLL", SB_ENDSCROLL, 0, [](const TextView&, int s) { return s; }},
      {"an unknown code", 9, 0, [](const TextView&, int s) { return s; }},
  };
  const int middle = StartInTheMiddle();
  AppState.Flags = (kDefaultFlags & ~kKeyPageBits) | 0x00200000;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScrollTo(middle);
    const TextView before = View();
    EXPECT_EQ(Send(WM_VSCROLL, MAKEWPARAM(c.code, static_cast<WORD>(c.thumb))), 1);
    EXPECT_EQ(View().TopLine, c.top(before, middle));
    EXPECT_EQ(ScrollPosition(window_), View().TopLine);
  }
}

TEST_F(MainWindow, NextAndPreviousWrapRoundTheBookAndTheBookmarkMarkFollows) {
  Start(DwordLine("Lesson", 12) + "\"Bookmarks\"=hex:01,00,00,00\n");
  EXPECT_FALSE(Checked(123));
  Key(VK_RIGHT);
  EXPECT_EQ(AppState.Lesson, 1);
  EXPECT_TRUE(Checked(123)) << "Article 1 is bookmarked";
  Key(VK_LEFT);
  EXPECT_EQ(AppState.Lesson, 12);
  EXPECT_FALSE(Checked(123));
  Command(109);
  EXPECT_EQ(AppState.Lesson, 1);
  Command(110);
  EXPECT_EQ(AppState.Lesson, 12);
}

TEST_F(MainWindow, SizeChangesLayOutAgainAndKeepTheTopLine) {
  struct Case {
    const char* name;
    int gutter;
    int width, height;     // the new client size
    int viewWidth;         // expected; the height is less the bar and the gutter
    int verticalGutter;
  };
  const Case cases[] = {
      {"no gutter", 0, 300, 500, 300, 0},
      {"gutter on every side", 8, 300, 500, 284, 16},
      {"gutter wider than half the width", 200, 300, 500, 300, 400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearAppState();
    AppState.SurroundingGutter = c.gutter;
    Start(DwordLine("Lesson", static_cast<DWORD>(LongestArticle())));
    ScrollTo(5);
    const int linesBefore = View().TotalLines;
    EXPECT_EQ(Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(c.width), static_cast<WORD>(c.height))), 0);
    EXPECT_EQ(View().Width, c.viewWidth);
    EXPECT_EQ(View().Height, c.height - c.verticalGutter - AppState.BarHeight);
    EXPECT_NE(View().TotalLines, linesBefore) << "laid out again";
    EXPECT_EQ(View().TopLine, 5);
    Stop();
  }
}

TEST_F(MainWindow, ClosesOnMessage1023AndOnTheWindowPositionRule) {
  struct Case {
    const char* name;
    UINT message;
    UINT positionFlags;
    bool closes;
  };
  const Case cases[] = {
      {"message 1023", kCloseReaderMessage, 0, true},
      {"upper flag bit with SWP_NOACTIVATE", WM_WINDOWPOSCHANGED, 0x00010000 | SWP_NOACTIVATE, true},
      {"top flag bit with SWP_NOACTIVATE", WM_WINDOWPOSCHANGED, 0x80000000 | SWP_NOACTIVATE, true},
      {"upper flag bit alone", WM_WINDOWPOSCHANGED, 0x00010000, false},
      {"SWP_NOACTIVATE alone", WM_WINDOWPOSCHANGED, SWP_NOACTIVATE | SWP_NOMOVE, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearAppState();
    Start(DwordLine("Lesson", 4));
    Key(VK_DOWN);
    WINDOWPOS position{window_, nullptr, 0, 0, 480, 640, c.positionFlags};
    EXPECT_EQ(Send(c.message, 0, reinterpret_cast<LPARAM>(&position)), 0);
    EXPECT_EQ(IsWindow(window_) == FALSE, c.closes);
    EXPECT_EQ(Pump(), c.closes) << "the quit message";
    if (c.closes) {
      EXPECT_NE(Stored().find(DwordLine("LastPosition", 1)), std::string::npos) << Stored();
    } else {
      Stop();
    }
  }
}

TEST_F(MainWindow, StartShowsTheStoredArticleAndPosition) {
  struct Case {
    const char* name;
    std::string stored;
    int lesson;
    bool lastPage;     // TopLine at MaxTopLine, else 0
    bool scrollBar;
    std::u16string message;  // shown at start, if any
  };
  const Case cases[] = {
      {"no settings: Article 1", "", 1, false, true, u""},
      {"a position past the end shows the last page",
       DwordLine("Lesson", 3) + DwordLine("LastPosition", 5000), 3, true, true, u""},
      {"Flags without 0xC0: no scroll bar", DwordLine("Flags", 0xD1140000), 1, false, false, u""},
      {"an Article that does not exist", DwordLine("Lesson", 13), 13, false, true, u"Resource not found"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearAppState();
    MessageLog messages;
    Start(c.stored);
    EXPECT_EQ(AppState.Lesson, c.lesson);
    if (View().Text != nullptr) {
      EXPECT_EQ(View().TopLine, c.lastPage ? View().MaxTopLine : 0);
    }
    EXPECT_EQ(TestScrollBarShown(window_), c.scrollBar);
    EXPECT_EQ(messages.texts(), c.message.empty() ? std::vector<std::u16string>{}
                                                   : std::vector<std::u16string>{c.message});
    Stop();
  }
}

TEST_F(MainWindow, AfterAFailedFirstLoadNextAndPreviousStillWork) {
  MessageLog messages;
  Start(DwordLine("Lesson", 13));
  EXPECT_EQ(View().Text, nullptr) << "an empty page";
  Key(VK_RIGHT);
  EXPECT_EQ(AppState.Lesson, 1);
  EXPECT_NE(View().Text, nullptr);
  Stop();
  Start(DwordLine("Lesson", 13));
  Key(VK_LEFT);
  EXPECT_EQ(AppState.Lesson, 12);
}

}  // namespace
