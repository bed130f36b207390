#include "app/startup.h"

#include <algorithm>

#include "app/alloc_or_die.h"
#include "app/app_state.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/navigation.h"
#include "platform/commandbar.h"
#include "platform/gdi.h"
#include "platform/menu.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "settings/registry_helpers.h"
#include "settings/settings.h"
#include "text/view.h"

namespace {

constexpr WORD kIconId = 101;
constexpr WORD kShortcutsId = 3;

std::int32_t ReadSwitch(LPCWSTR name, DWORD defaultValue) {
  return static_cast<std::int32_t>(ReadNumber(kMakerKey, name, defaultValue));
}

// Finds the handheld's taskbar in full-screen mode; true when it is shown
// now (and is to be shown again at the end).
bool FindTaskBar() {
  if (FullScreen == 0) return false;
  TaskBarWindow = FindWindowW(u"HHTaskBar", u"");
  return TaskBarWindow != nullptr && IsWindowVisible(TaskBarWindow);
}

HWND TopOfChain(HWND window) {
  while (window != nullptr && GetParent(window) != nullptr) window = GetParent(window);
  return window;
}

// When a reader runs already: in front, it opens its Choose Article dialog
// (this waits until that is closed); behind another program, it comes to
// the front. True when there was one.
bool HandOverToRunningReader() {
  HWND running = FindWindowW(kMainWindowName, kMainWindowName);
  if (running == nullptr) return false;
  HWND foreground = GetForegroundWindow();
  if (running == foreground) SendMessageW(running, WM_COMMAND, kCmdChooseArticle, 0);
  if (running != TopOfChain(foreground)) SetForegroundWindow(running);
  return true;
}

// Full screen, with the window's top edge at the top of the screen and its
// bottom edge where it was.
void EnterFullScreen(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  SHFullScreen(window, kFullScreenState);
  MoveWindow(window, area.left, 0, area.right, area.bottom, FALSE);
}

int RunMessageLoop(HACCEL shortcuts) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(message.hwnd, shortcuts, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  ClearAppState();
  AppState.Instance = instance;
  IgnoreActivate = ReadSwitch(u"IgnoreActivate", 0);
  FullScreen = ReadSwitch(u"FullScreen", 0);
  AllowSipInHebrewSearch = ReadSwitch(u"AllowSipInHebrewSearch", 1);
  const bool taskBarShown = FindTaskBar();
  AppState.MenuBarOnBottom = ReadSwitch(u"MenuBarOnBottom", 0);
  // A width; a negative one would push the text area out of the window.
  AppState.SurroundingGutter = std::max(0, ReadSwitch(u"SurroundingGutter", 0));
  if (InitInstance(showCommand) == nullptr) return 0;
  const int exitCode = RunMessageLoop(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(kShortcutsId)));
  if (taskBarShown) ShowWindow(TaskBarWindow, SW_SHOW);
  return exitCode;
}

HWND InitInstance(int showCommand) {
  if (HandOverToRunningReader()) return nullptr;
  InitCommonControls();
  if (TaskBarWindow != nullptr) ShowWindow(TaskBarWindow, SW_HIDE);
  LoadSettings();
  // Only now: a failure while the settings were read must not store values
  // that were never loaded.
  SetOutOfMemorySave(SaveSettingsAndQuit);
  SelectArticle(0);
  RegisterMainClass(AppState.Instance, kMainWindowName);
  const DWORD style = WS_VISIBLE | ((AppState.Flags & kScrollBarFlags) != 0 ? WS_VSCROLL : 0);
  HWND window = CreateWindowExW(WS_EX_WINDOWEDGE, kMainWindowName, kMainWindowName, style,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                nullptr, AppState.Instance, nullptr);
  if (window == nullptr) return nullptr;
  if (FullScreen != 0) EnterFullScreen(window);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  // The first start (no font ever chosen) is where the font chooser will
  // open; until the reader has one, the view takes AppState.Font as it
  // would after the chooser.
  if (AppState.Font.FontName[0] == 0) SetViewFont(AppState.View, &AppState.Font);
  return window;
}

void RegisterMainClass(HINSTANCE instance, LPCWSTR className) {
  WNDCLASSW windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWndProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);
}
