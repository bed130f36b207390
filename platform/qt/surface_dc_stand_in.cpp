// A stand-in for the device-context service while it is being written:
// just enough (contexts over a surface, FillRect, GetPixel, solid brushes)
// for the window tests. Removed when the real service is merged.
#include <QPainter>

#include "platform/gdi.h"
#include "platform/qt/surface.h"

struct HDC__ {
  Surface* surface;
};
struct HBRUSH__ {
  COLORREF colour;
};

namespace {
QColor ColourOf(COLORREF colour) { return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }
}  // namespace

HDC CreateSurfaceDC(Surface* surface) { return new HDC__{surface}; }
void DestroySurfaceDC(HDC dc) { delete dc; }

HGDIOBJ GetStockObject(int index) {
  static HBRUSH__ white{RGB(255, 255, 255)};
  static HBRUSH__ black{RGB(0, 0, 0)};
  return index == BLACK_BRUSH ? &black : &white;
}

HBRUSH CreateSolidBrush(COLORREF colour) { return new HBRUSH__{colour}; }

BOOL DeleteObject(HGDIOBJ object) {
  if (object != GetStockObject(WHITE_BRUSH) && object != GetStockObject(BLACK_BRUSH))
    delete static_cast<HBRUSH__*>(object);
  return TRUE;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (dc == nullptr || rect == nullptr || brush == nullptr) return 0;
  QPainter painter(&dc->surface->image);
  const QRect area(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
  painter.fillRect(area, ColourOf(brush->colour));
  if (dc->surface->drawn) dc->surface->drawn(area);
  return 1;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  const QImage& image = dc->surface->image;
  const qreal ratio = image.devicePixelRatio();
  const QPoint pixel(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
  if (!image.rect().contains(pixel)) return CLR_INVALID;
  const QColor colour = image.pixelColor(pixel);
  return RGB(static_cast<BYTE>(colour.red()), static_cast<BYTE>(colour.green()),
             static_cast<BYTE>(colour.blue()));
}
