// A manual demo for looking at the bars on a desktop (not a test, not part
// of the reader): the main window with the command bar, or with "bottom"
// the handheld's menu bar, and the six tool buttons.
#include <string>
#include <vector>

#include "platform/commandbar.h"
#include "platform/gdi.h"
#include "platform/menu.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/window.h"
#include "res/ui_resources.h"

namespace {
const LPCWSTR kToolTips[] = {nullptr,        u"Previous Article", u"Choose Article", u"Next Article",
                             u"Choose Font", u"Search",           u"Search Again"};
const TBBUTTON kButtons[] = {
    {0, 110, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1}, {1, 119, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
    {2, 109, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1}, {3, 40006, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
    {4, 116, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1}, {5, 117, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
};
bool bottom = false;

void MakeBar(HWND window) {
  HWND bar = nullptr;
  if (bottom) {
    SHMENUBARINFO info{sizeof(SHMENUBARINFO), window, SHCMBF_HIDESIPBUTTON, 102, nullptr, 0, 0, nullptr, 0};
    SHCreateMenuBar(&info);
    bar = info.hwndMB;
    RECT r;
    GetWindowRect(bar, &r);
    MoveWindow(bar, r.left, r.top, r.right - r.left - GetSystemMetrics(SM_CXVSCROLL), r.bottom - r.top, TRUE);
  } else {
    bar = CommandBar_Create(nullptr, window, 1);
    CommandBar_InsertMenubar(bar, nullptr, 102, 0);
  }
  SendMessageW(bar, TB_SETTOOLTIPS, 7, reinterpret_cast<LPARAM>(kToolTips));
  CommandBar_AddBitmap(bar, nullptr, 114, 6, 16, 16);
  SendMessageW(bar, TB_ADDBUTTONS, 6, reinterpret_cast<LPARAM>(kButtons));
  CheckMenuItem(bottom ? reinterpret_cast<HMENU>(SendMessageW(bar, SHCMBM_GETSUBMENU, 0, 40001))
                       : CommandBar_GetMenu(bar, 0),
                122, MF_CHECKED);
  CommandBar_Show(bar, TRUE);
}

LRESULT DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: MakeBar(window); return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      client.top += 60;
      DrawTextW(dc, u"\u05E9\u05C1\u05B8\u05DC\u05D5\u05B9\u05DD", -1, &client, DT_CENTER | DT_SINGLELINE);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int show) {
  bottom = std::u16string(commandLine) == u"bottom";
  static std::vector<ResourceEntry> table;
  AddUiResources(table);
  InstallResources(table.data(), table.size());
  WNDCLASSW windowClass{CS_HREDRAW | CS_VREDRAW, DemoProc, 0, 0, instance,
                        LoadIconW(instance, MAKEINTRESOURCEW(101)), nullptr,
                        static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), nullptr, u"Demo"};
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, u"Demo", u"Kestro (Vowels)", WS_VISIBLE | WS_VSCROLL, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, 0, 40, 0, 5, 0};
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  ShowWindow(window, show);
  HACCEL shortcuts = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(3));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0)
    if (!TranslateAcceleratorW(message.hwnd, shortcuts, &message)) DispatchMessageW(&message);
  return 0;
}
}  // namespace

int main(int argc, char** argv) { return RunWinMain(argc, argv, WinMain); }
