// Device contexts, their attributes and objects, fills and rectangles.
#include <QtMath>
#include <algorithm>
#include <array>
#include <unordered_set>
#include <utility>

#include "platform/qt/gdi_font.h"
#include "platform/qt/gdi_pixels.h"

namespace gdi {

namespace {
std::unordered_set<Object*>& LiveObjects() {
  static std::unordered_set<Object*> objects;
  return objects;
}

std::unordered_set<DeviceContext*>& LiveContexts() {
  static std::unordered_set<DeviceContext*> contexts;
  return contexts;
}

Object* MakeStockObject(int index) {
  switch (index) {
    case WHITE_BRUSH: return new Brush(true, false, qRgb(255, 255, 255));
    case LTGRAY_BRUSH: return new Brush(true, false, qRgb(192, 192, 192));
    case GRAY_BRUSH: return new Brush(true, false, qRgb(128, 128, 128));
    case DKGRAY_BRUSH: return new Brush(true, false, qRgb(64, 64, 64));
    case BLACK_BRUSH: return new Brush(true, false, qRgb(0, 0, 0));
    case NULL_BRUSH: return new Brush(true, true, 0);
    case WHITE_PEN: return new Pen(true, false, 1, qRgb(255, 255, 255));
    case BLACK_PEN: return new Pen(true, false, 1, qRgb(0, 0, 0));
    case NULL_PEN: return new Pen(true, true, 1, 0);
    case SYSTEM_FONT: return new Font(LOGFONTW{}, true);
    default: return nullptr;
  }
}

template <typename Kind>
HGDIOBJ Replace(Kind*& slot, Kind* next) {
  Kind* previous = slot;
  if (previous == next) return previous;
  Acquire(next);
  slot = next;
  Release(previous);
  return previous;
}

DeviceContext* NewContext(Surface* surface, bool memory) {
  auto* context = new DeviceContext;
  context->surface = surface;
  context->memory = memory;
  context->font = static_cast<Font*>(StockObject(SYSTEM_FONT));
  context->brush = static_cast<Brush*>(StockObject(WHITE_BRUSH));
  context->pen = static_cast<Pen*>(StockObject(BLACK_PEN));
  if (memory) {
    context->bitmap = DefaultBitmap();
    context->surface = &context->bitmap->surface;
  }
  for (Object* object : std::initializer_list<Object*>{context->font, context->brush,
                                                       context->pen, context->bitmap})
    if (object != nullptr) Acquire(object);
  LiveContexts().insert(context);
  return context;
}

bool DestroyContext(HDC dc, bool memory) {
  DeviceContext* context = ToContext(dc);
  if (LiveContexts().erase(context) == 0 || context->memory != memory) return false;
  for (Object* object : std::initializer_list<Object*>{context->font, context->brush,
                                                       context->pen, context->bitmap})
    if (object != nullptr) Release(object);
  delete context;
  return true;
}

// A DC attribute set (returning the old value) or read; `failure` for no DC.
template <typename Value>
Value Exchange(HDC dc, Value DeviceContext::*field, Value value, Value failure) {
  DeviceContext* context = ToContext(dc);
  return context == nullptr ? failure : std::exchange(context->*field, value);
}

template <typename Value>
Value Read(HDC dc, Value DeviceContext::*field, Value failure) {
  const DeviceContext* context = ToContext(dc);
  return context == nullptr ? failure : context->*field;
}

// Fills a logical rectangle of the DC's surface and reports it drawn.
void FillLogical(DeviceContext& context, const QRect& logical, QRgb colour) {
  QImage& image = context.surface->image;
  if (logical.isEmpty() || !PrepareImage(image)) return;
  FillDevice(image, ToDevice(logical, image.devicePixelRatio()), colour);
}
}  // namespace

Object* LiveObject(HGDIOBJ handle) {
  auto* object = static_cast<Object*>(handle);
  return LiveObjects().count(object) != 0 ? object : nullptr;
}

HGDIOBJ Register(Object* object) {
  LiveObjects().insert(object);
  return object;
}

Object* StockObject(int index) {
  static std::array<Object*, SYSTEM_FONT + 1> stock{};
  if (index < 0 || index > SYSTEM_FONT) return nullptr;
  if (stock[index] == nullptr) {
    stock[index] = MakeStockObject(index);
    if (stock[index] != nullptr) Register(stock[index]);
  }
  return stock[index];
}

Bitmap* DefaultBitmap() {
  static Bitmap* bitmap = [] {
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.fill(Qt::white);
    auto* made = new Bitmap(true, true, pixel);
    Register(made);
    return made;
  }();
  return bitmap;
}

void Acquire(Object* object) { ++object->selections; }

void Release(Object* object) {
  if (--object->selections == 0 && object->deletePending) delete object;
}

}  // namespace gdi

using gdi::ToContext;

HDC CreateSurfaceDC(Surface* surface) {
  if (surface == nullptr) return nullptr;
  return reinterpret_cast<HDC>(gdi::NewContext(surface, false));
}

void DestroySurfaceDC(HDC dc) { gdi::DestroyContext(dc, false); }

HDC CreateCompatibleDC(HDC) { return reinterpret_cast<HDC>(gdi::NewContext(nullptr, true)); }

BOOL DeleteDC(HDC dc) { return gdi::DestroyContext(dc, true) ? TRUE : FALSE; }

COLORREF SetTextColor(HDC dc, COLORREF colour) {
  return gdi::Exchange(dc, &gdi::DeviceContext::textColour, colour & 0xFFFFFF, CLR_INVALID);
}

COLORREF GetTextColor(HDC dc) { return gdi::Read(dc, &gdi::DeviceContext::textColour, CLR_INVALID); }

COLORREF SetBkColor(HDC dc, COLORREF colour) {
  return gdi::Exchange(dc, &gdi::DeviceContext::backColour, colour & 0xFFFFFF, CLR_INVALID);
}

COLORREF GetBkColor(HDC dc) { return gdi::Read(dc, &gdi::DeviceContext::backColour, CLR_INVALID); }

int SetBkMode(HDC dc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return gdi::Exchange(dc, &gdi::DeviceContext::backMode, mode, 0);
}

int GetBkMode(HDC dc) { return gdi::Read(dc, &gdi::DeviceContext::backMode, 0); }

HGDIOBJ GetStockObject(int index) { return gdi::StockObject(index); }

HBRUSH CreateSolidBrush(COLORREF colour) {
  return static_cast<HBRUSH>(gdi::Register(new gdi::Brush(false, false, gdi::ToRgb(colour))));
}

HPEN CreatePen(int style, int width, COLORREF colour) {
  if (style != PS_SOLID) return nullptr;
  auto* pen = new gdi::Pen(false, false, std::max(1, width), gdi::ToRgb(colour));
  return static_cast<HPEN>(gdi::Register(pen));
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  gdi::DeviceContext* context = ToContext(dc);
  gdi::Object* live = gdi::LiveObject(object);
  if (context == nullptr || live == nullptr) return nullptr;
  switch (live->kind) {
    case gdi::ObjectKind::Font: return gdi::Replace(context->font, static_cast<gdi::Font*>(live));
    case gdi::ObjectKind::Brush:
      return gdi::Replace(context->brush, static_cast<gdi::Brush*>(live));
    case gdi::ObjectKind::Pen: return gdi::Replace(context->pen, static_cast<gdi::Pen*>(live));
    case gdi::ObjectKind::Bitmap: {
      auto* bitmap = static_cast<gdi::Bitmap*>(live);
      // A bitmap goes into one memory DC at a time.
      const bool elsewhere = bitmap->selections > 0 && !bitmap->stock && bitmap != context->bitmap;
      if (!context->memory || elsewhere) return nullptr;
      HGDIOBJ previous = gdi::Replace(context->bitmap, bitmap);
      context->surface = &bitmap->surface;
      return previous;
    }
  }
  return nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
  gdi::Object* live = gdi::LiveObject(object);
  if (live == nullptr) return FALSE;
  if (live->stock) return TRUE;
  gdi::LiveObjects().erase(live);
  if (live->selections > 0)
    live->deletePending = true;
  else
    delete live;
  return TRUE;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  gdi::DeviceContext* context = ToContext(dc);
  gdi::Object* live = gdi::LiveObject(brush);
  if (context == nullptr || rect == nullptr || live == nullptr ||
      live->kind != gdi::ObjectKind::Brush)
    return 0;
  const auto* fill = static_cast<gdi::Brush*>(live);
  if (fill->hollow) return 1;
  const QRect area = gdi::ToQRect(*rect);
  gdi::FillLogical(*context, area, fill->colour);
  gdi::NotifyDrawn(*context->surface, area);
  return 1;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  gdi::DeviceContext* context = ToContext(dc);
  if (context == nullptr) return FALSE;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const QRect box(left, top, right - left, bottom - top);
  const gdi::Pen& pen = *context->pen;
  const gdi::Brush& brush = *context->brush;
  // Without a pen the filled area is one pixel smaller on the right and
  // bottom; with one, the outline covers the box's edge pixels.
  const int edge = pen.hollow ? 0 : std::min({pen.width, (box.width() + 1) / 2,
                                              (box.height() + 1) / 2});
  const QRect inside = pen.hollow ? box.adjusted(0, 0, -1, -1)
                                  : box.adjusted(edge, edge, -edge, -edge);
  if (!brush.hollow) gdi::FillLogical(*context, inside, brush.colour);
  if (!pen.hollow) {
    gdi::FillLogical(*context, QRect(box.left(), box.top(), box.width(), edge), pen.colour);
    gdi::FillLogical(*context, QRect(box.left(), box.bottom() + 1 - edge, box.width(), edge),
                     pen.colour);
    gdi::FillLogical(*context, QRect(box.left(), box.top(), edge, box.height()), pen.colour);
    gdi::FillLogical(*context, QRect(box.right() + 1 - edge, box.top(), edge, box.height()),
                     pen.colour);
  }
  gdi::NotifyDrawn(*context->surface, box);
  return TRUE;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  gdi::DeviceContext* context = ToContext(dc);
  if (context == nullptr) return CLR_INVALID;
  const QImage& image = context->surface->image;
  const qreal ratio = image.devicePixelRatio();
  const QPoint device(qFloor((x + 0.5) * ratio), qFloor((y + 0.5) * ratio));
  if (x < 0 || y < 0 || !image.rect().contains(device)) return CLR_INVALID;
  return gdi::ToColorRef(image.pixel(device));
}
