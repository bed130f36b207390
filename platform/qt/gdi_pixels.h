// Pixel work on a surface's image (implementation only). Coordinates named
// "device" are image pixels; DC coordinates are logical pixels, which the
// image's device pixel ratio scales.
#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <cstdint>

#include "platform/qt/surface.h"

namespace gdi {

// Makes the image one of the 32-bit formats the pixel routines write
// (converting it once if needed); false for a null image.
bool PrepareImage(QImage& image);

// The device rectangle covering a logical one (edges rounded).
QRect ToDevice(const QRect& logical, qreal ratio);
// The smallest logical rectangle covering a device one.
QRect ToLogical(const QRect& device, qreal ratio);

// Fills `device` (clipped to the image) with an opaque colour.
void FillDevice(QImage& image, const QRect& device, QRgb colour);

// An 8-bit coverage mask placed with its top-left at (x, y) in device pixels.
struct Coverage {
  const std::uint8_t* bits;
  int width;
  int height;
  int x;
  int y;
};

// Blends `colour` through the mask into the image, within `clip` (which
// must lie inside the image).
void BlendCoverage(QImage& image, const Coverage& mask, QRgb colour, const QRect& clip);

// Tells the surface's owner which logical rectangle changed.
inline void NotifyDrawn(Surface& surface, const QRect& logical) {
  if (surface.drawn && !logical.isEmpty()) surface.drawn(logical);
}

}  // namespace gdi
