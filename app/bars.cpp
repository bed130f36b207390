#include "app/bars.h"

#include <algorithm>
#include <iterator>

#include "app/app_state.h"
#include "app/commands.h"
#include "platform/commandbar.h"
#include "platform/menu.h"
#include "platform/shell.h"
#include "platform/window.h"

namespace {

constexpr WORD kMenuId = 102;
constexpr int kCommandBarId = 1;
constexpr int kToolBitmapId = 114;
constexpr int kToolImageSize = 16;
constexpr WORD kFileButton = 40001;
constexpr WORD kGoButton = 40002;

// Commands whose dialogs the reader does not have yet: their menu items and
// tool buttons are shown disabled. Each leaves this list when its dialog
// is built.
constexpr WORD kUnavailableCommands[] = {kCmdAbout,         kCmdCheckForUpdates, kCmdChooseArticle,
                                         kCmdFont,          kCmdSearch,          kCmdSearchAgain};

bool Available(WORD command) {
  return std::find(std::begin(kUnavailableCommands), std::end(kUnavailableCommands), command) ==
         std::end(kUnavailableCommands);
}

constexpr WORD kToolCommands[] = {kCmdPreviousArticle, kCmdChooseArticle, kCmdNextArticle,
                                  kCmdFont,            kCmdSearch,        kCmdSearchAgain};
constexpr int kToolCount = static_cast<int>(std::size(kToolCommands));

// Tooltips pair with the bar's positions: first the command bar's menu (one
// position) or the menu bar's File and Go buttons (two), then the tools. Each
// bar gets its own table, so every tool button shows its own text.
const LPCWSTR kCommandBarToolTips[] = {nullptr,           u"Previous Article", u"Choose Article",
                                       u"Next Article",   u"Choose Font",      u"Search",
                                       u"Search Again"};
const LPCWSTR kMenuBarToolTips[] = {nullptr,         nullptr,       u"Previous Article",
                                    u"Choose Article", u"Next Article", u"Choose Font",
                                    u"Search",       u"Search Again"};

bool CreateMenuBar() {
  SHMENUBARINFO info{};
  info.cbSize = sizeof info;
  info.hwndParent = AppState.MainWindow;
  info.dwFlags = SHCMBF_HIDESIPBUTTON;
  info.nToolBarId = kMenuId;
  info.hInstRes = AppState.Instance;
  if (!SHCreateMenuBar(&info)) return false;
  AppState.BarWindow = info.hwndMB;
  RECT bar;
  GetWindowRect(AppState.BarWindow, &bar);
  AppState.BarHeight = bar.bottom - bar.top;
  // Its right end stops short of the screen's edge by a scroll bar's width.
  MoveWindow(AppState.BarWindow, bar.left, bar.top,
             bar.right - bar.left - GetSystemMetrics(SM_CXVSCROLL), AppState.BarHeight, TRUE);
  return true;
}

bool CreateCommandBar() {
  AppState.BarWindow = CommandBar_Create(AppState.Instance, AppState.MainWindow, kCommandBarId);
  if (AppState.BarWindow == nullptr) return false;
  AppState.BarHeight = CommandBar_Height(AppState.BarWindow);
  CommandBar_InsertMenubar(AppState.BarWindow, AppState.Instance, kMenuId, 0);
  return true;
}

void AddToolButtons() {
  TBBUTTON buttons[kToolCount] = {};
  for (int i = 0; i < kToolCount; ++i) {
    buttons[i].iBitmap = i;
    buttons[i].idCommand = kToolCommands[i];
    buttons[i].fsState = Available(kToolCommands[i]) ? TBSTATE_ENABLED : 0;
    buttons[i].fsStyle = TBSTYLE_BUTTON;
    buttons[i].iString = -1;
  }
  if (BarAtBottom()) {
    SendMessageW(AppState.BarWindow, TB_SETTOOLTIPS, std::size(kMenuBarToolTips),
                 reinterpret_cast<LPARAM>(kMenuBarToolTips));
  } else {
    SendMessageW(AppState.BarWindow, TB_SETTOOLTIPS, std::size(kCommandBarToolTips),
                 reinterpret_cast<LPARAM>(kCommandBarToolTips));
  }
  CommandBar_AddBitmap(AppState.BarWindow, AppState.Instance, kToolBitmapId, kToolCount,
                       kToolImageSize, kToolImageSize);
  SendMessageW(AppState.BarWindow, TB_ADDBUTTONS, kToolCount, reinterpret_cast<LPARAM>(buttons));
}

void DisableUnavailableItems() {
  for (HMENU menu : {BarMenu(DropDown::File), BarMenu(DropDown::Go)}) {
    for (WORD command : kUnavailableCommands) EnableMenuItem(menu, command, MF_BYCOMMAND | MF_GRAYED);
  }
}

// The handheld's system 4.21 and later always has the menu bar at the bottom.
bool SystemWantsBarAtBottom() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExW(&version);
  return version.dwMajorVersion > 4 || (version.dwMajorVersion == 4 && version.dwMinorVersion >= 21);
}

}  // namespace

bool BarAtBottom() { return AppState.MenuBarOnBottom == 1; }

void CreateBars() {
  if (SystemWantsBarAtBottom()) AppState.MenuBarOnBottom = 1;
  if (!(BarAtBottom() ? CreateMenuBar() : CreateCommandBar())) return;
  AddToolButtons();
  if (FullScreen != 0 && !BarAtBottom()) CommandBar_AddAdornments(AppState.BarWindow, 0, 0);
  DisableUnavailableItems();
  CommandBar_Show(AppState.BarWindow, TRUE);
}

HMENU BarMenu(DropDown which) {
  if (AppState.BarWindow == nullptr) return nullptr;
  if (BarAtBottom()) {
    const WORD button = which == DropDown::File ? kFileButton : kGoButton;
    return reinterpret_cast<HMENU>(SendMessageW(AppState.BarWindow, SHCMBM_GETSUBMENU, 0, button));
  }
  return GetSubMenu(CommandBar_GetMenu(AppState.BarWindow, 0), which == DropDown::File ? 0 : 1);
}
