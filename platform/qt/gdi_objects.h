// Drawing objects and device contexts of the device-context service
// (implementation only): what the opaque GDI handles point at.
#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

#include "platform/gdi.h"
#include "platform/qt/surface.h"

namespace gdi {

class Font;

enum class ObjectKind { Font, Brush, Pen, Bitmap };

// Every HGDIOBJ points at one of these. An object deleted while a DC still
// has it selected lives on until it is replaced there, then goes.
struct Object {
  Object(ObjectKind objectKind, bool isStock) : kind(objectKind), stock(isStock) {}
  virtual ~Object() = default;
  const ObjectKind kind;
  const bool stock;
  int selections = 0;  // DCs that have it selected
  bool deletePending = false;
};

struct Brush : Object {
  Brush(bool isStock, bool isHollow, QRgb fill)
      : Object(ObjectKind::Brush, isStock), hollow(isHollow), colour(fill) {}
  const bool hollow;  // NULL_BRUSH: fills nothing
  const QRgb colour;
};

struct Pen : Object {
  Pen(bool isStock, bool isHollow, int penWidth, QRgb ink)
      : Object(ObjectKind::Pen, isStock), hollow(isHollow), width(penWidth), colour(ink) {}
  const bool hollow;  // NULL_PEN: draws nothing
  const int width;    // logical pixels, at least 1
  const QRgb colour;
};

// A bitmap owns the surface a memory DC draws into while it is selected.
// A monochrome bitmap holds only black and white pixels.
struct Bitmap : Object {
  Bitmap(bool isStock, bool isMonochrome, QImage pixels)
      : Object(ObjectKind::Bitmap, isStock), monochrome(isMonochrome) {
    surface.image = std::move(pixels);
  }
  const bool monochrome;
  Surface surface;
};

struct DeviceContext {
  Surface* surface = nullptr;  // the window's surface, or the selected bitmap's
  bool memory = false;         // a memory DC (bitmaps can be selected)
  Font* font = nullptr;
  Brush* brush = nullptr;
  Pen* pen = nullptr;
  Bitmap* bitmap = nullptr;  // memory DCs only
  COLORREF textColour = RGB(0, 0, 0);
  COLORREF backColour = RGB(255, 255, 255);
  int backMode = OPAQUE;
};

inline DeviceContext* ToContext(HDC dc) { return reinterpret_cast<DeviceContext*>(dc); }

// The live object behind a handle, or nullptr when the handle is not one
// (never made, or already deleted).
Object* LiveObject(HGDIOBJ handle);
// Registers a newly made object as live and returns its handle.
HGDIOBJ Register(Object* object);
// The stock object of that index, made on first use; nullptr for others.
Object* StockObject(int index);
Bitmap* DefaultBitmap();  // what a new memory DC has selected

// One more DC has `object` selected; one fewer (which deletes an object
// whose deletion was asked for meanwhile).
void Acquire(Object* object);
void Release(Object* object);

inline QRgb ToRgb(COLORREF colour) {
  return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}
inline COLORREF ToColorRef(QRgb rgb) {
  return RGB(static_cast<BYTE>(qRed(rgb)), static_cast<BYTE>(qGreen(rgb)),
             static_cast<BYTE>(qBlue(rgb)));
}
inline QRect ToQRect(const RECT& rect) {
  return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

}  // namespace gdi
