// The handheld shell's services: the bottom menu bar, full-screen mode.
#include "platform/shell.h"

#include <cstring>
#include <vector>

#include "platform/commandbar.h"
#include "platform/menu.h"
#include "platform/qt/bar_widget.h"
#include "platform/qt/window_internal.h"
#include "platform/resources.h"

namespace {
constexpr std::size_t kWordsPerButton = 7;

// The bar resource as 16-bit words; empty when missing or cut short.
std::vector<WORD> BarWords(HINSTANCE instance, UINT id) {
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(static_cast<WORD>(id)), RT_RCDATA);
  const void* data = LoadResource(instance, resource);
  const std::size_t size = SizeofResource(instance, resource);
  if (data == nullptr || size < 4) return {};
  std::vector<WORD> words(size / 2);
  const auto* bytes = static_cast<const BYTE*>(data);
  for (std::size_t i = 0; i < words.size(); ++i)
    words[i] = static_cast<WORD>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  if (words.size() < 2 + words[1] * kWordsPerButton) return {};
  return words;
}

// An RT_STRING resource: the text's UTF-16 code units.
QString LoadedString(HINSTANCE instance, WORD id) {
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_STRING);
  const void* data = LoadResource(instance, resource);
  if (data == nullptr) return QString();
  std::u16string text(SizeofResource(instance, resource) / 2, u'\0');
  std::memcpy(text.data(), data, text.size() * 2);
  return QString::fromStdU16String(text);
}
}  // namespace

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
  if (info == nullptr) return FALSE;
  const std::vector<WORD> words = BarWords(info->hInstRes, info->nToolBarId);
  const Window* owner = LookUpWindow(info->hwndParent);
  if (words.empty() || owner == nullptr || owner->host == nullptr) return FALSE;
  HMENU menu = LoadMenuW(info->hInstRes, MAKEINTRESOURCEW(words[0]));
  if (menu == nullptr) return FALSE;

  auto* widget = new BarWidget;
  HWND bar = CreateWidgetWindow(info->hwndParent, WindowKind::Docked, u"MenuBar", BarProc, widget);
  widget->Attach(bar, info->hwndParent);
  for (std::size_t i = 0; i < words[1]; ++i) {
    const WORD* button = &words[2 + i * kWordsPerButton];
    widget->AddDropDown(menu, button[1], LoadedString(info->hInstRes, button[4]), button[6]);
  }
  if (words[1] == 0) DestroyMenu(menu);
  const QWidget* frame = widget->parentWidget();
  widget->setGeometry(0, frame->height() - widget->height(), frame->width(), widget->height());
  widget->setVisible(!(info->dwFlags & SHCMBF_HIDDEN));
  info->hwndMB = bar;
  return TRUE;
}

BOOL SHFullScreen(HWND window, DWORD state) {
  Window* record = LookUpWindow(window);
  if (record == nullptr || !record->widget || !record->widget->isWindow()) return FALSE;
  QWidget* widget = record->widget;
  if (state & SHFS_HIDETASKBAR) {
    record->fullScreen = true;
    if (widget->isVisible() && !widget->isFullScreen()) widget->showFullScreen();
  } else if (state & SHFS_SHOWTASKBAR) {
    record->fullScreen = false;
    if (widget->isFullScreen()) widget->showNormal();
  }
  return TRUE;
}

BOOL SHHandleWMSettingChange(HWND, WPARAM, LPARAM, SHACTIVATEINFO*) { return TRUE; }

BOOL SHSipPreference(HWND, int) { return TRUE; }

BOOL SipShowIM(DWORD) { return TRUE; }
