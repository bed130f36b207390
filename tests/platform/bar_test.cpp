// Menus, accelerators, the command bar and the handheld's menu bar, built
// from the program's own resources.
#include <gtest/gtest.h>

#include <string>

#include "platform/commandbar.h"
#include "platform/menu.h"
#include "platform/shell.h"
#include "platform/testing.h"
#include "res/ui_resources.h"
#include "tests/platform/window_fixture.h"

namespace {
const LPCWSTR kToolTips[] = {nullptr,        u"Previous Article", u"Choose Article", u"Next Article",
                             u"Choose Font", u"Search",           u"Search Again"};
const TBBUTTON kButtons[] = {
    {0, 110, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
    {1, 119, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
    {2, 109, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
    {3, 40006, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
    {4, 116, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
    {5, 117, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
};

const char16_t kFileMenu[] =
    u"&File\n"
    u"  &About\n"
    u"  Check For &Updates\n"
    u"  &Choose Article\tCtrl+D\n"
    u"  -\n"
    u"  F&ont\tCtrl+F\n"
    u"  Re&verse\n"
    u"  -\n"
    u"  &Copy\tCtrl+C\n"
    u"  &Append to ClipBoard\tCtrl+E\n"
    u"  E&xit\tCtrl+Q\n";
const char16_t kGoMenu[] =
    u"&Go\n"
    u"  &Index\tCtrl+D\n"
    u"  &Bookmark\n"
    u"  &Previous Article\n"
    u"  &Next Article\n"
    u"  -\n"
    u"  &Search\tAlt+F3\n"
    u"  Search A&gain\tF3\n";

class BarTest : public RecordingWindow {
 protected:
  void SetUp() override {
    RecordingWindow::SetUp();
    static const std::vector<ResourceEntry> table = [] {
      std::vector<ResourceEntry> entries;
      AddUiResources(entries);
      return entries;
    }();
    InstallResources(table.data(), table.size());
    Create(WS_VISIBLE | WS_VSCROLL);
    Pump();
  }

  HWND MakeCommandBar() {
    HWND bar = CommandBar_Create(nullptr, window_, 1);
    EXPECT_TRUE(CommandBar_InsertMenubar(bar, nullptr, 102, 0));
    AddToolButtons(bar);
    return bar;
  }

  HWND MakeMenuBar() {
    SHMENUBARINFO info{sizeof(SHMENUBARINFO), window_, SHCMBF_HIDESIPBUTTON, 102, nullptr, 0, 0,
                       nullptr, 0};
    EXPECT_TRUE(SHCreateMenuBar(&info));
    AddToolButtons(info.hwndMB);
    return info.hwndMB;
  }

  static void AddToolButtons(HWND bar) {
    SendMessageW(bar, TB_SETTOOLTIPS, 7, reinterpret_cast<LPARAM>(kToolTips));
    EXPECT_EQ(CommandBar_AddBitmap(bar, nullptr, 114, 6, 16, 16), 0);
    SendMessageW(bar, TB_ADDBUTTONS, 6, reinterpret_cast<LPARAM>(kButtons));
  }

  std::vector<WPARAM> Commands() const {
    std::vector<WPARAM> commands;
    for (const Received& command : Of(WM_COMMAND)) commands.push_back(command.wParam);
    return commands;
  }
};

TEST_F(BarTest, CommandBarShowsMenu102WithShortcutsAtTheRight) {
  HWND bar = MakeCommandBar();
  EXPECT_EQ(TestShownMenus(bar), std::u16string(kFileMenu) + kGoMenu);
  EXPECT_GT(CommandBar_Height(bar), 16);
  EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 7) << "the menu, then six buttons";
}

TEST_F(BarTest, CheckMarksShowAndReadBack) {
  HWND bar = MakeCommandBar();
  HMENU menu = CommandBar_GetMenu(bar, 0);
  EXPECT_EQ(CheckMenuItem(menu, 122, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(CheckMenuItem(menu, 123, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(CheckMenuItem(menu, 123, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
  EXPECT_EQ(CheckMenuItem(menu, 4242, MF_BYCOMMAND | MF_CHECKED), 0xFFFFFFFF);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 122, FALSE, &info));
  EXPECT_EQ(info.fState & MFS_CHECKED, MFS_CHECKED);
  ASSERT_TRUE(GetMenuItemInfoW(menu, 123, FALSE, &info));
  EXPECT_EQ(info.fState & MFS_CHECKED, 0u);
  const std::u16string shown = TestShownMenus(bar);
  EXPECT_NE(shown.find(u"  Re&verse [x]\n"), std::u16string::npos) << "shown: checked";
  EXPECT_NE(shown.find(u"  &Bookmark\n"), std::u16string::npos) << "shown: not checked";
}

TEST_F(BarTest, MenusOpenWithTheirMnemonicsAndItemsWithTheirLetters) {
  MakeCommandBar();
  struct Case {
    WPARAM menuLetter;
    const char16_t* title;
    WPARAM itemLetter;
    WPARAM command;
  };
  for (const Case& c : {Case{'F', u"&File", 'O', 40006}, Case{'F', u"&File", 'X', 40005},
                        Case{'G', u"&Go", 'G', 117}, Case{'G', u"&Go", 'B', 123}}) {
    SCOPED_TRACE(testing::Message() << "Alt+" << char(c.menuLetter) << ", " << char(c.itemLetter));
    received_.clear();
    TestPressKey(window_, c.menuLetter, KeyModifiers::Alt);
    EXPECT_EQ(TestOpenMenu(), c.title);
    TestPressKey(window_, c.itemLetter);
    Pump();
    EXPECT_EQ(TestOpenMenu(), u"");
    EXPECT_EQ(Commands(), std::vector<WPARAM>{c.command});
    TestCloseMenus();
  }
}

TEST_F(BarTest, AcceleratorTable3BindsTheShortcutsTheMenusShow) {
  HACCEL table = LoadAcceleratorsW(nullptr, MAKEINTRESOURCEW(3));
  ASSERT_NE(table, nullptr);
  struct Case {
    WPARAM key;
    KeyModifiers modifiers;
    WPARAM command;  // 0: not a shortcut
  };
  const KeyModifiers ctrl = KeyModifiers::Control;
  for (const Case& c : {Case{'D', ctrl, 119}, Case{'F', ctrl, 40006}, Case{'C', ctrl, 40007},
                        Case{'E', ctrl, 40009}, Case{'Q', ctrl, 40005},
                        Case{VK_F3, KeyModifiers::Alt, 116}, Case{VK_F3, KeyModifiers::None, 117},
                        Case{'D', ctrl | KeyModifiers::Shift, 0}, Case{'D', KeyModifiers::None, 0},
                        Case{VK_F3, ctrl, 0}}) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " modifiers "
                                    << static_cast<unsigned>(c.modifiers));
    received_.clear();
    TestPressKey(window_, c.key, c.modifiers);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      if (!TranslateAcceleratorW(message.hwnd, table, &message)) DispatchMessageW(&message);
    const std::vector<WPARAM> expected =
        c.command != 0 ? std::vector<WPARAM>{MAKEWPARAM(static_cast<WORD>(c.command), 1)}
                       : std::vector<WPARAM>{};
    EXPECT_EQ(Commands(), expected);
    EXPECT_EQ(Of(WM_KEYDOWN).size() + Of(WM_SYSKEYDOWN).size(), c.command != 0 ? 0u : 1u);
  }
}

TEST_F(BarTest, ToolButtonsSendTheirCommandsAndShowTheirToolTips) {
  // The command bar's menu takes one position, the menu bar's File and Go
  // two; tooltips pair with positions on both.
  struct Case {
    const char* bar;
    int firstButton;
  };
  for (const Case& c : {Case{"command bar", 1}, Case{"menu bar", 2}}) {
    SCOPED_TRACE(c.bar);
    HWND bar = c.firstButton == 1 ? MakeCommandBar() : MakeMenuBar();
    received_.clear();
    for (int i = 0; i < 6; ++i) TestClickBarPosition(bar, c.firstButton + i);
    Pump();
    std::vector<WPARAM> expected;
    for (const TBBUTTON& button : kButtons) expected.push_back(static_cast<WPARAM>(button.idCommand));
    EXPECT_EQ(Commands(), expected);
    for (const Received& command : Of(WM_COMMAND))
      EXPECT_EQ(command.lParam, reinterpret_cast<LPARAM>(bar));
    for (int position = 0; position < 7; ++position)
      EXPECT_EQ(TestBarToolTip(bar, position), kToolTips[position] ? kToolTips[position] : u"")
          << "position " << position;
    DestroyWindow(bar);
  }
}

TEST_F(BarTest, TheCloseButtonIsAnAdornmentThatClosesTheParent) {
  HWND bar = MakeCommandBar();
  EXPECT_FALSE(TestBarHasCloseButton(bar));
  CommandBar_AddAdornments(bar, 0, 0);
  EXPECT_TRUE(TestBarHasCloseButton(bar));
  EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 7) << "not a position";
}

TEST_F(BarTest, MenuBarHasFileAndGoDropDownsAlongTheBottom) {
  HWND bar = MakeMenuBar();
  EXPECT_EQ(TestShownMenus(bar), std::u16string(kFileMenu) + kGoMenu);
  HMENU file = reinterpret_cast<HMENU>(SendMessageW(bar, SHCMBM_GETSUBMENU, 0, 40001));
  HMENU go = reinterpret_cast<HMENU>(SendMessageW(bar, SHCMBM_GETSUBMENU, 0, 40002));
  EXPECT_EQ(CheckMenuItem(file, 122, MF_CHECKED), MF_UNCHECKED) << "Reverse is in File";
  EXPECT_EQ(CheckMenuItem(go, 123, MF_CHECKED), MF_UNCHECKED) << "Bookmark is in Go";
  EXPECT_EQ(CheckMenuItem(go, 122, MF_CHECKED), 0xFFFFFFFF);

  TestPressKey(window_, 'G', KeyModifiers::Alt);
  EXPECT_EQ(TestOpenMenu(), u"&Go");
  TestCloseMenus();

  // Narrowed as the program does it, the bar stays along the bottom edge
  // with its right end short of the window's by the scroll bar's width.
  RECT frame, barRect;
  GetWindowRect(window_, &frame);
  GetWindowRect(bar, &barRect);
  EXPECT_EQ(barRect.bottom, frame.bottom);
  EXPECT_EQ(barRect.right, frame.right);
  const int narrowing = GetSystemMetrics(SM_CXVSCROLL);
  MoveWindow(bar, barRect.left, barRect.top, barRect.right - barRect.left - narrowing,
             barRect.bottom - barRect.top, TRUE);
  MoveWindow(window_, frame.left, frame.top, 400, 500, FALSE);
  GetWindowRect(window_, &frame);
  GetWindowRect(bar, &barRect);
  EXPECT_EQ(barRect.bottom, frame.bottom);
  EXPECT_EQ(barRect.right, frame.right - narrowing);
}
}  // namespace
