// The command bar at the top of a window.
#include "platform/commandbar.h"

#include "platform/menu.h"
#include "platform/qt/bar_widget.h"
#include "platform/qt/window_internal.h"
#include "platform/resources.h"

void InitCommonControls() {}

HWND CommandBar_Create(HINSTANCE, HWND parent, int) {
  auto* widget = new BarWidget;
  HWND bar = CreateWidgetWindow(parent, WindowKind::Control, u"CommandBar", BarProc, widget);
  if (bar == nullptr) {
    delete widget;
    return nullptr;
  }
  widget->Attach(bar, parent);
  widget->FollowParentWidth();
  widget->show();
  return bar;
}

int CommandBar_Height(HWND bar) {
  const BarWidget* widget = BarOf(bar);
  return widget != nullptr ? widget->height() : 0;
}

BOOL CommandBar_InsertMenubar(HWND bar, HINSTANCE instance, WORD menuId, WORD button) {
  BarWidget* widget = BarOf(bar);
  if (widget == nullptr) return FALSE;
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(menuId));
  if (menu == nullptr) return FALSE;
  if (widget->InsertMenuBar(menu, button)) return TRUE;
  DestroyMenu(menu);
  return FALSE;
}

int CommandBar_AddBitmap(HWND bar, HINSTANCE instance, int bitmapId, int count, int width,
                         int height) {
  BarWidget* widget = BarOf(bar);
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(static_cast<WORD>(bitmapId)), RT_BITMAP);
  const auto* bytes = static_cast<const uchar*>(LoadResource(instance, resource));
  if (widget == nullptr || bytes == nullptr) return -1;
  const QImage strip = QImage::fromData(bytes, static_cast<int>(SizeofResource(instance, resource)));
  return widget->AddImages(strip, count, width, height);
}

BOOL CommandBar_AddAdornments(HWND bar, DWORD, DWORD) {
  BarWidget* widget = BarOf(bar);
  if (widget == nullptr) return FALSE;
  widget->AddCloseButton();
  return TRUE;
}

BOOL CommandBar_Show(HWND bar, BOOL show) {
  BarWidget* widget = BarOf(bar);
  if (widget == nullptr) return FALSE;
  widget->setVisible(show != FALSE);
  return TRUE;
}

HMENU CommandBar_GetMenu(HWND bar, WORD) {
  const BarWidget* widget = BarOf(bar);
  return widget != nullptr ? widget->Menu() : nullptr;
}
