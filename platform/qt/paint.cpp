// Device contexts of windows, invalidation and the paint bracket.
#include <QGuiApplication>
#include <QScreen>
#include <map>

#include "platform/gdi.h"
#include "platform/qt/host_widget.h"
#include "platform/qt/window_internal.h"

namespace {
// Each context keeps its window's image alive, so a context kept past its
// window's end draws into an image nobody shows instead of freed memory.
std::map<HDC, std::shared_ptr<Surface>> contexts;

std::shared_ptr<Surface> ScreenSurface() {
  static const std::shared_ptr<Surface> surface = [] {
    auto made = std::make_shared<Surface>();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen != nullptr ? screen->devicePixelRatio() : 1.0;
    made->image = QImage((QSizeF(1, 1) * ratio).toSize(), QImage::Format_RGB32);
    made->image.setDevicePixelRatio(ratio);
    made->image.fill(Qt::white);
    return made;
  }();
  return surface;
}

HDC MakeContext(std::shared_ptr<Surface> surface) {
  HDC dc = CreateSurfaceDC(surface.get());
  if (dc != nullptr) contexts.emplace(dc, std::move(surface));
  return dc;
}

QRect ClientArea(const Window& record) { return QRect(QPoint(0, 0), record.host->ClientSize()); }

RECT ToRect(const QRect& area) {
  return RECT{area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}
}  // namespace

HDC GetDC(HWND window) {
  if (window == nullptr) return MakeContext(ScreenSurface());
  const Window* record = LookUpWindow(window);
  if (record == nullptr || !record->surface) return nullptr;
  return MakeContext(record->surface);
}

int ReleaseDC(HWND, HDC dc) {
  const auto found = contexts.find(dc);
  if (found == contexts.end()) return 0;
  DestroySurfaceDC(dc);
  contexts.erase(found);
  return 1;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  Window* record = LookUpWindow(window);
  if (record == nullptr || record->host == nullptr || paint == nullptr) return nullptr;
  *paint = PAINTSTRUCT{};
  const QRect area = record->invalid.isEmpty() ? ClientArea(*record) : record->invalid;
  const bool erase = record->eraseWanted;
  // Validated before the erase, so that the erase may invalidate again.
  record->invalid = QRect();
  record->eraseWanted = false;
  ++record->paints;
  paint->hdc = MakeContext(record->surface);
  paint->rcPaint = ToRect(area);
  paint->fErase = FALSE;
  if (erase)
    paint->fErase = SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) == 0;
  return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (paint == nullptr) return FALSE;
  return ReleaseDC(window, paint->hdc);
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  Window* record = LookUpWindow(window);
  if (record == nullptr || record->host == nullptr) return FALSE;
  QRect area = ClientArea(*record);
  if (rect != nullptr)
    area &= QRect(QPoint(rect->left, rect->top), QPoint(rect->right - 1, rect->bottom - 1));
  if (area.isEmpty()) return TRUE;
  record->invalid |= area;
  record->eraseWanted = record->eraseWanted || erase;
  WakeMessageLoop();
  return TRUE;
}

LRESULT EraseWithClassBrush(HWND window, HDC dc) {
  const Window* record = LookUpWindow(window);
  if (record == nullptr || record->host == nullptr || record->background == nullptr || dc == nullptr)
    return 0;
  const RECT client = ToRect(ClientArea(*record));
  FillRect(dc, &client, record->background);
  return 1;
}
