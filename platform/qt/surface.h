// Drawing surfaces shared by the device-context and window services
// (implementation only; the application never sees these).
#pragma once

#include <QImage>
#include <QRect>
#include <functional>

#include "platform/types.h"

// A retained backing image that device contexts draw into. A window owns
// one and re-makes `image` on a size change (keeping what still fits); a
// memory DC owns one for its selected bitmap. The image carries the screen's
// device pixel ratio; DC coordinates are logical pixels.
struct Surface {
  QImage image;
  // Called after each drawing call with the logical rectangle it touched, so
  // a window can present the change at once.
  std::function<void(const QRect&)> drawn;
};

// A device context over `surface`, which must outlive it. The DC keeps its
// selected objects, colours and background mode between calls and reads
// surface->image afresh on every call, so it stays valid across resizes.
HDC CreateSurfaceDC(Surface* surface);
// Releases a DC made by CreateSurfaceDC (not its surface).
void DestroySurfaceDC(HDC dc);
