// Windows and the messages the layer makes for them.
#include <gtest/gtest.h>

#include "platform/gdi.h"
#include "platform/msgbox.h"
#include "platform/shell.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "tests/platform/window_fixture.h"

namespace {
using WindowTest = RecordingWindow;

TEST_F(WindowTest, CreationSendsCreateThenSizeWithTheDefaultSize) {
  int parameter = 0;
  window_ = CreateWindowExW(0, kRedrawClass, u"Title", WS_VSCROLL, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, &parameter);
  ASSERT_NE(window_, nullptr);
  ASSERT_GE(received_.size(), 2u);
  EXPECT_EQ(received_[0].message, WM_CREATE);
  EXPECT_EQ(received_[1].message, WM_SIZE);
  const RECT expectedClient{0, 0, 480 - GetSystemMetrics(SM_CXVSCROLL), 640};
  RECT client, frame;
  ASSERT_TRUE(GetClientRect(window_, &client));
  ASSERT_TRUE(GetWindowRect(window_, &frame));
  EXPECT_EQ(client.right, expectedClient.right);
  EXPECT_EQ(client.bottom, expectedClient.bottom);
  EXPECT_EQ(frame.right - frame.left, 480);
  EXPECT_EQ(frame.bottom - frame.top, 640);
  EXPECT_EQ(LOWORD(received_[1].lParam), expectedClient.right);
  EXPECT_EQ(HIWORD(received_[1].lParam), expectedClient.bottom);
  EXPECT_EQ(FindWindowW(kRedrawClass, u"Title"), window_);
  EXPECT_FALSE(IsWindowVisible(window_));
}

TEST_F(WindowTest, CreationFailsWhenCreateRefuses) {
  createResult_ = -1;
  EXPECT_EQ(Create(), nullptr);
  EXPECT_EQ(FindWindowW(kRedrawClass, u"Recorder"), nullptr);
  EXPECT_EQ(Of(WM_DESTROY).size(), 1u);
}

TEST_F(WindowTest, PaintComesOnlyWhenInvalid) {
  Create(WS_VISIBLE);
  Pump();
  EXPECT_EQ(Of(WM_PAINT).size(), 1u) << "the first show paints once";
  EXPECT_EQ(Of(WM_ERASEBKGND).size(), 1u);
  Pump();
  EXPECT_EQ(Of(WM_PAINT).size(), 1u) << "a valid window gets no paint";

  const RECT area{10, 20, 30, 40};
  InvalidateRect(window_, &area, FALSE);
  Pump();
  ASSERT_EQ(Of(WM_PAINT).size(), 2u);
  EXPECT_EQ(lastPaint_.left, 10);
  EXPECT_EQ(lastPaint_.bottom, 40);
  EXPECT_EQ(Of(WM_ERASEBKGND).size(), 1u) << "no erase was asked for";

  UpdateWindow(window_);
  EXPECT_EQ(Of(WM_PAINT).size(), 2u) << "UpdateWindow paints only an invalid window";
}

TEST_F(WindowTest, ResizeRepaintsOnlyWithRedrawStyles) {
  struct Case {
    LPCWSTR className;
    int width, height;
    std::size_t paints;
  };
  for (const Case& c : {Case{kRedrawClass, 300, 400, 1}, Case{kPlainClass, 300, 400, 0},
                        Case{kPlainClass, 500, 400, 1}}) {
    SCOPED_TRACE(testing::Message() << (c.className == kRedrawClass ? "redraw" : "plain") << " to "
                                    << c.width << " x " << c.height);
    received_.clear();
    Create(WS_VISIBLE, c.className);
    Pump();
    received_.clear();
    RECT frame;
    GetWindowRect(window_, &frame);
    MoveWindow(window_, frame.left, frame.top, c.width, c.height, FALSE);
    Pump();
    ASSERT_EQ(Of(WM_SIZE).size(), 1u);
    EXPECT_EQ(LOWORD(Of(WM_SIZE)[0].lParam), c.width);
    EXPECT_EQ(HIWORD(Of(WM_SIZE)[0].lParam), c.height);
    EXPECT_EQ(Of(WM_PAINT).size(), c.paints);
    ASSERT_FALSE(Of(WM_WINDOWPOSCHANGED).empty());
    for (const Received& change : Of(WM_WINDOWPOSCHANGED))
      EXPECT_EQ(change.wParam >> 16, 0u) << "flags " << change.wParam;
    DestroyWindow(window_);
  }
}

TEST_F(WindowTest, KeysArriveAsVirtualKeys) {
  Create(WS_VISIBLE);
  Pump();
  for (WPARAM key : {VK_RETURN, VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_UP, VK_RIGHT,
                     VK_DOWN, VK_TAB, WPARAM{'A'}, WPARAM{'7'}, VK_F3}) {
    received_.clear();
    TestPressKey(window_, key);
    Pump();
    ASSERT_EQ(Of(WM_KEYDOWN).size(), 1u) << "key " << key;
    EXPECT_EQ(Of(WM_KEYDOWN)[0].wParam, key);
  }
}

TEST_F(WindowTest, F1AsksForHelpAndAltMakesSystemKeys) {
  Create(WS_VISIBLE);
  Pump();
  received_.clear();
  TestPressKey(window_, VK_F1);
  TestPressKey(window_, VK_F3, KeyModifiers::Alt);
  TestPressKey(window_, 'D', KeyModifiers::Control);
  Pump();
  EXPECT_EQ(Of(WM_HELP).size(), 1u);
  ASSERT_EQ(Of(WM_SYSKEYDOWN).size(), 1u);
  EXPECT_EQ(Of(WM_SYSKEYDOWN)[0].wParam, VK_F3);
  ASSERT_EQ(Of(WM_KEYDOWN).size(), 1u) << "F1 is no key message";
  EXPECT_TRUE(Of(WM_KEYDOWN)[0].lParam & KF_CONTROL_HELD);
}

TEST_F(WindowTest, ClicksArriveInClientCoordinates) {
  Create(WS_VISIBLE);
  Pump();
  TestClick(window_, 120, 300);
  Pump();
  ASSERT_EQ(Of(WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(LOWORD(Of(WM_LBUTTONDOWN)[0].lParam), 120);
  EXPECT_EQ(HIWORD(Of(WM_LBUTTONDOWN)[0].lParam), 300);
}

TEST_F(WindowTest, ScrollBarGesturesBecomeScrollCodes) {
  Create(WS_VISIBLE | WS_VSCROLL);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, 0, 50, 0, 10, 0};
  SetScrollInfo(window_, SB_VERT, &info, TRUE);
  Pump();
  struct Case {
    ScrollGesture gesture;
    WORD code;
  };
  for (const Case& c : {Case{ScrollGesture::ArrowDown, SB_LINEDOWN}, Case{ScrollGesture::ArrowUp, SB_LINEUP},
                        Case{ScrollGesture::TroughBelow, SB_PAGEDOWN},
                        Case{ScrollGesture::TroughAbove, SB_PAGEUP}, Case{ScrollGesture::ToTop, SB_TOP},
                        Case{ScrollGesture::ToBottom, SB_BOTTOM}}) {
    received_.clear();
    TestScroll(window_, c.gesture);
    Pump();
    const std::vector<Received> scrolls = Of(WM_VSCROLL);
    ASSERT_EQ(scrolls.size(), 2u) << "code " << c.code;
    EXPECT_EQ(LOWORD(scrolls[0].wParam), c.code);
    EXPECT_EQ(LOWORD(scrolls[1].wParam), SB_ENDSCROLL);
  }
  SCROLLINFO now{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
  GetScrollInfo(window_, SB_VERT, &now);
  EXPECT_EQ(now.nPos, 10) << "the bar moves only when the window sets it";

  received_.clear();
  TestDragThumb(window_, 20, 30);
  TestTurnWheel(window_, -1);
  Pump();
  std::vector<std::pair<WORD, int>> codes;
  for (const Received& scroll : Of(WM_VSCROLL))
    codes.emplace_back(LOWORD(scroll.wParam), static_cast<short>(HIWORD(scroll.wParam)));
  const std::vector<std::pair<WORD, int>> expected{
      {SB_THUMBTRACK, 20}, {SB_THUMBTRACK, 30}, {SB_THUMBPOSITION, 30}, {SB_ENDSCROLL, 10},
      {SB_LINEDOWN, 10},   {SB_LINEDOWN, 10},   {SB_LINEDOWN, 10},      {SB_ENDSCROLL, 10}};
  EXPECT_EQ(codes, expected);
}

TEST_F(WindowTest, AnEmptyScrollRangeHidesTheBarAndWidensTheClient) {
  Create(WS_VISIBLE | WS_VSCROLL);
  Pump();
  received_.clear();
  SCROLLINFO empty{sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
  SetScrollInfo(window_, SB_VERT, &empty, TRUE);
  EXPECT_FALSE(TestScrollBarShown(window_));
  ASSERT_EQ(Of(WM_SIZE).size(), 1u);
  EXPECT_EQ(LOWORD(Of(WM_SIZE)[0].lParam), 480);

  SCROLLINFO some{sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, 0, 7, 0, 3, 0};
  EXPECT_EQ(SetScrollInfo(window_, SB_VERT, &some, TRUE), 3);
  EXPECT_TRUE(TestScrollBarShown(window_));
  ASSERT_EQ(Of(WM_SIZE).size(), 2u);
  EXPECT_EQ(LOWORD(Of(WM_SIZE)[1].lParam), 480 - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(WindowTest, PostQuitMessageEndsGetMessageAfterWhatCameBefore) {
  Create();
  PostMessageW(window_, WM_USER + 5, 1, 2);
  PostQuitMessage(7);
  MSG message;
  EXPECT_GT(GetMessageW(&message, nullptr, 0, 0), 0);
  EXPECT_EQ(message.message, WM_USER + 5);
  EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), 0);
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 7u);
}

TEST_F(WindowTest, TheCloseButtonDestroysTheWindowThroughWmClose) {
  Create(WS_VISIBLE);
  Pump();
  received_.clear();
  TestPressCloseButton(window_);
  Pump();
  EXPECT_EQ(Of(WM_CLOSE).size(), 1u);
  EXPECT_EQ(Of(WM_DESTROY).size(), 1u);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(SendMessageW(window_, WM_USER, 0, 0), 0) << "a stale handle is refused";
}

TEST_F(WindowTest, DeviceContextsDrawIntoTheBackingImage) {
  Create(WS_VISIBLE);
  Pump();
  HDC dc = GetDC(window_);
  ASSERT_NE(dc, nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const RECT area{5, 5, 15, 15};
  FillRect(dc, &area, red);
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 20, 20), RGB(255, 255, 255)) << "the class brush erased the rest";

  // A resize keeps what still fits.
  RECT frame;
  GetWindowRect(window_, &frame);
  MoveWindow(window_, frame.left, frame.top, 200, 200, FALSE);
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 300, 300), CLR_INVALID);
  EXPECT_EQ(ReleaseDC(window_, dc), 1);
  EXPECT_EQ(ReleaseDC(window_, dc), 0) << "a context is released once";
  DeleteObject(red);
}

TEST_F(WindowTest, MessageBoxIsModalOverItsOwnerWhileWindowsGoOn) {
  Create(WS_VISIBLE);
  Pump();
  HWND box = nullptr;
  HWND boxOwner = nullptr;
  react_ = [&](HWND, UINT message) {
    if (message == WM_USER + 9) {
      box = GetForegroundWindow();
      if (box == window_ || box == nullptr) {  // not shown yet: look again
        box = nullptr;
        PostMessageW(window_, WM_USER + 9, 0, 0);
        return;
      }
      boxOwner = GetParent(box);
      InvalidateRect(window_, nullptr, FALSE);
    }
    if (message == WM_PAINT && box != nullptr) TestPressKey(box, VK_ESCAPE);
  };
  received_.clear();
  PostMessageW(window_, WM_USER + 9, 0, 0);
  EXPECT_EQ(MessageBoxW(window_, u"Remove Bookmark?", u"Kestro (Vowels)", MB_YESNOCANCEL), IDCANCEL);
  EXPECT_NE(box, window_);
  EXPECT_EQ(boxOwner, window_) << "the box is owned by its window";
  EXPECT_EQ(Of(WM_PAINT).size(), 1u) << "the owner painted while the box was up";
  EXPECT_TRUE(Of(WM_KEYDOWN).empty()) << "the key went to the box";
  EXPECT_FALSE(IsWindow(box)) << "the box is gone";
}

TEST_F(WindowTest, FullScreenFillsTheScreenAndKeepsIt) {
  Create(WS_VISIBLE);
  Pump();
  SHFullScreen(window_, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON);
  Pump();
  RECT frame;
  GetWindowRect(window_, &frame);
  EXPECT_EQ(frame.right - frame.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(frame.bottom - frame.top, GetSystemMetrics(SM_CYSCREEN));
  MoveWindow(window_, frame.left, 0, frame.right, frame.bottom, FALSE);
  ShowWindow(window_, SW_SHOWNORMAL);
  Pump();
  GetWindowRect(window_, &frame);
  EXPECT_EQ(frame.right - frame.left, GetSystemMetrics(SM_CXSCREEN));
  SHFullScreen(window_, SHFS_SHOWTASKBAR);
  Pump();
  GetWindowRect(window_, &frame);
  EXPECT_EQ(frame.right - frame.left, 480);
}

TEST_F(WindowTest, VersionIsThatOfTheHandheld) {
  OSVERSIONINFOW version{};
  ASSERT_TRUE(GetVersionExW(&version));
  EXPECT_EQ(version.dwMajorVersion, 3u);
  EXPECT_EQ(version.dwMinorVersion, 0u);
}
}  // namespace
