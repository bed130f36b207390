#include "app/main_window.h"

#include <cstdlib>

#include "app/app_state.h"
#include "app/bars.h"
#include "app/commands.h"
#include "app/navigation.h"
#include "platform/gdi.h"
#include "platform/msgbox.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "settings/settings.h"
#include "store/article_store.h"
#include "text/layout.h"
#include "text/paint.h"
#include "text/scroll.h"
#include "text/view.h"

namespace {

constexpr int kLineCapacity = 100;

// The gutter is kept on both sides of a direction only where the extent is
// larger than both together (64 bits: the switch may hold any number).
bool GutterFits(std::int64_t extent) { return extent > 2 * std::int64_t{AppState.SurroundingGutter}; }

// A 3-bit paging mode of the Flags: 2 and 4 step half a page, the others a
// page less one line.
int PageStep(const TextView& view, int shift) {
  const std::uint32_t mode = (AppState.Flags >> shift) & 7;
  return mode == 2 || mode == 4 ? view.PageLines / 2 : view.PageLines - 1;
}

void ScrollBy(HWND window, TextView& view, int delta) {
  ScrollView(&view, delta, ScrollPaint::Repaint, ScrollClamp::Clamp);
  UpdateScrollBar(window);
}

// The scroll of a paging or line key, in display lines.
int KeyDelta(const TextView& view, WPARAM key) {
  const int page = PageStep(view, kKeyPageShift);
  switch (key) {
    case VK_PRIOR: return -page;
    case VK_NEXT: return page;
    case VK_END: return view.MaxTopLine != 0 ? view.MaxTopLine : page;
    case VK_HOME: return view.TopLine != 0 ? -view.TopLine : -page;
    case VK_UP: return -1;
    default: return 1;  // VK_DOWN
  }
}

LRESULT PressKey(HWND window, WPARAM key) {
  switch (key) {
    // Enter searches again for a stored search string; that joins here
    // with the search.
    case VK_RETURN: return 0;
    case VK_LEFT: PreviousArticle(window); return 0;
    case VK_RIGHT: NextArticle(window); return 0;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_UP:
    case VK_DOWN:
      if (AppState.View != nullptr) ScrollBy(window, *AppState.View, KeyDelta(*AppState.View, key));
      return 0;
    default: return 1;
  }
}

// The scroll bar pages by a page less one line whatever the Flags say.
int ScrollBarDelta(const TextView& view, WORD code, int thumb) {
  switch (code) {
    case SB_LINEUP: return -1;
    case SB_LINEDOWN: return 1;
    case SB_PAGEUP: return 1 - view.PageLines;
    case SB_PAGEDOWN: return view.PageLines - 1;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return thumb - view.TopLine;
    case SB_TOP: return -view.TopLine;
    case SB_BOTTOM: return 1;  // one line down, as SB_LINEDOWN
    default: return 0;
  }
}

void ScrollFromBar(HWND window, WPARAM wParam, LPARAM lParam) {
  TextView* view = AppState.View;
  const int thumb = static_cast<std::int16_t>(HIWORD(wParam));
  const int delta = view != nullptr ? ScrollBarDelta(*view, LOWORD(wParam), thumb) : 0;
  if (delta != 0) ScrollView(view, delta, ScrollPaint::Repaint, ScrollClamp::Clamp);
  DefWindowProcW(window, WM_VSCROLL, wParam, lParam);
  if (delta != 0) UpdateScrollBar(window);
}

// The text area: the client area less the bar, inset by the gutter.
RECT ViewRectangle(HWND window) {
  RECT area{};
  GetClientRect(window, &area);
  if (BarAtBottom()) {
    area.bottom -= AppState.BarHeight;
  } else {
    area.top += AppState.BarHeight;
  }
  const int gutter = AppState.SurroundingGutter;
  if (GutterFits(area.bottom - area.top)) {
    area.top += gutter;
    area.bottom -= gutter;
  }
  if (GutterFits(area.right - area.left)) {
    area.left += gutter;
    area.right -= gutter;
  }
  return area;
}

void CreateMainWindow(HWND window) {
  AppState.MainWindow = window;
  CreateBars();
  CreateViewAndLoad(window);
  UpdateReverseCheck(CheckMode::Set);
  UpdateBookmarkCheck(CheckMode::Set);
}

void DestroyMainWindow(HWND window) {
  if (AppState.View != nullptr) ReleaseDC(window, AppState.View->DC);
  DestroyWindow(AppState.BarWindow);
  AppState.BarWindow = nullptr;
  SaveSettingsAndQuit();
}

LRESULT Activate(HWND window, WPARAM wParam, LPARAM lParam) {
  if (IgnoreActivate != 0) return DefWindowProcW(window, WM_ACTIVATE, wParam, lParam);
  if (LOWORD(wParam) != WA_INACTIVE) {
    SHFullScreen(window, FullScreen != 0 ? kFullScreenState : SHFS_HIDESIPBUTTON);
  }
  return 0;
}

void HandleSettingChange(HWND window, WPARAM wParam, LPARAM lParam) {
  SHACTIVATEINFO activation{};
  activation.cbSize = sizeof activation;
  SHHandleWMSettingChange(window, wParam, lParam, &activation);
}

// The system closes the reader by a position change with one of the upper
// flag bits together with SWP_NOACTIVATE.
void CloseWhenAsked(HWND window, LPARAM lParam) {
  const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
  if (position == nullptr) return;
  if ((position->flags & 0xFFFF0000) != 0 && (position->flags & SWP_NOACTIVATE) != 0) {
    DestroyWindow(window);
  }
}

}  // namespace

LRESULT MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: CreateMainWindow(window); return 0;
    case WM_DESTROY: DestroyMainWindow(window); return 0;
    case WM_SIZE: ResizeMainWindow(window, lParam); return 0;
    case WM_ACTIVATE: return Activate(window, wParam, lParam);
    case WM_PAINT: PaintMainWindow(reinterpret_cast<HDC>(wParam), window); return 0;
    case WM_SETTINGCHANGE: HandleSettingChange(window, wParam, lParam); return 0;
    case WM_WINDOWPOSCHANGED: CloseWhenAsked(window, lParam); return 0;
    case WM_KEYDOWN: return PressKey(window, wParam);
    case WM_COMMAND:
      if (DispatchCommand(window, wParam) == 0) return 0;
      break;
    case WM_VSCROLL: ScrollFromBar(window, wParam, lParam); return 1;
    case WM_LBUTTONDOWN:
      if (AppState.View != nullptr) TapPage(window, AppState.View, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case kCloseReaderMessage: DestroyWindow(window); return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void UpdateScrollBar(HWND window) {
  const TextView* view = AppState.View;
  if ((AppState.Flags & kScrollBarFlags) == 0 || view == nullptr) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS;
  info.nMin = 0;
  info.nMax = view->MaxTopLine;
  info.nPos = view->TopLine;
  SetScrollInfo(window, SB_VERT, &info, TRUE);
}

void RepaintNow(HWND window) {
  if (window == nullptr) window = AppState.MainWindow;
  HDC dc = GetDC(window);
  PaintMainWindow(dc, window);
  ReleaseDC(window, dc);
  UpdateScrollBar(window);
}

void PaintMainWindow(HDC dc, HWND window) {
  PAINTSTRUCT paint{};
  if (dc == nullptr) BeginPaint(window, &paint);
  // The view always draws through its own DC.
  PaintView(AppState.View, PaintErase::Erase);
  if (dc == nullptr) EndPaint(window, &paint);
}

void CreateViewAndLoad(HWND window) {
  HDC dc = GetDC(window);
  const RECT area = ViewRectangle(window);
  AppState.View = CreateView(dc, &area, &AppState.Font, kLineCapacity);
  if (AppState.View == nullptr) {
    ReleaseDC(window, dc);
    return;
  }
  BYTE* text = LoadArticle(AppState.Lesson);
  if (text == nullptr) {
    MessageBoxW(window, u"Resource not found", u"Error", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  LayoutArticle(AppState.View, text, LayoutMode::Replace);
  // A position past the Article's end is brought back by the first paint.
  AppState.View->TopLine = AppState.LastPosition;
  UpdateScrollBar(window);
}

void ResizeMainWindow(HWND window, LPARAM size) {
  int width = LOWORD(static_cast<std::uintptr_t>(size));
  int height = HIWORD(static_cast<std::uintptr_t>(size));
  const int gutter = AppState.SurroundingGutter;
  if (GutterFits(width)) width -= 2 * gutter;
  if (GutterFits(height)) height -= 2 * gutter;
  height -= AppState.BarHeight;
  TextView* view = AppState.View;
  if (view == nullptr || (width == view->Width && height == view->Height)) return;
  ResizeView(view, width, height);
  UpdateScrollBar(window);
}

bool TapHitTest(const TextView* view, int x, int y) {
  const std::int64_t gutter = AppState.SurroundingGutter;
  return view->Left - gutter <= x && x <= view->Left + view->Width + gutter &&
         view->Top - gutter <= y && y <= view->Top + view->Height;
}

int TapPage(HWND window, TextView* view, int x, int y) {
  if (!TapHitTest(view, x, y) || (AppState.Flags & kTapPagesFlag) == 0) return 0;
  const bool byHeight = (AppState.Flags & kTapByHeightFlag) != 0;
  const int at = byHeight ? y : x;
  const int middle = byHeight ? view->Top + view->Height / 2 : view->Left + view->Width / 2;
  const int step = std::abs(PageStep(*view, kTapPageShift));
  ScrollBy(window, *view, at < middle ? -step : step);
  return 1;
}
