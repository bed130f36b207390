// Bitmaps: made from bits, loaded from resources, blitted between DCs.
#include <QGuiApplication>
#include <QPainter>
#include <QtMath>
#include <array>

#include "platform/qt/gdi_objects.h"
#include "platform/qt/gdi_pixels.h"
#include "platform/resources.h"

namespace gdi {

namespace {
constexpr int kLargestSide = 8192;

// The standard 16-colour palette of 4-bit bitmaps.
constexpr std::array<QRgb, 16> kSixteenColours = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
    0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
    0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

bool ValidSize(int width, int height) {
  return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide;
}

HBITMAP MakeBitmap(bool monochrome, QImage pixels) {
  return static_cast<HBITMAP>(Register(new Bitmap(false, monochrome, std::move(pixels))));
}

// Rows of bits are padded to whole 16-bit words, as bitmap bits are.
QImage FromBits(int width, int height, int bitsPerPixel, const unsigned char* bits) {
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(bitsPerPixel == 1 ? Qt::white : Qt::black);
  if (bits == nullptr) return image;
  const int stride = (width * bitsPerPixel + 15) / 16 * 2;
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = bits + static_cast<qsizetype>(y) * stride;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      if (bitsPerPixel == 1) {
        line[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? 0xFFFFFFFF : 0xFF000000;
      } else {
        const int index = x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0xF;
        line[x] = kSixteenColours[static_cast<std::size_t>(index)];
      }
    }
  }
  return image;
}

// An image made opaque over white: transparent pixels show as white.
QImage OverWhite(const QImage& image) {
  QImage opaque(image.size(), QImage::Format_RGB32);
  opaque.fill(Qt::white);
  QPainter painter(&opaque);
  painter.drawImage(0, 0, image);
  return opaque;
}

bool IsDark(QRgb pixel) { return qGray(pixel) < 128; }

// How a source pixel reads in the target: a monochrome source shows black
// in the target's text colour and white in its background colour; a colour
// source going into a monochrome bitmap turns white where it has the
// source's background colour and black elsewhere.
struct PixelRule {
  bool fromMonochrome;
  bool toMonochrome;
  QRgb foreground;
  QRgb background;
  QRgb sourceBackground;
  QRgb operator()(QRgb pixel) const {
    if (fromMonochrome) return IsDark(pixel) ? foreground : background;
    if (toMonochrome) return (pixel & 0xFFFFFF) == (sourceBackground & 0xFFFFFF) ? 0xFFFFFFFF
                                                                                  : 0xFF000000;
    return pixel | 0xFF000000;
  }
};

bool IsMonochrome(const DeviceContext& context) {
  return context.memory && context.bitmap->monochrome;
}
}  // namespace

}  // namespace gdi

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
  HRSRC resource = FindResourceW(instance, name, RT_BITMAP);
  const auto* bytes = static_cast<const uchar*>(LoadResource(instance, resource));
  const DWORD size = SizeofResource(instance, resource);
  if (bytes == nullptr || size == 0 || size > INT_MAX) return nullptr;
  QImage image;
  if (!image.loadFromData(bytes, static_cast<int>(size)) || !gdi::ValidSize(image.width(), image.height()))
    return nullptr;
  return gdi::MakeBitmap(image.depth() == 1, gdi::OverWhite(image));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (!gdi::ValidSize(width, height) || planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 4))
    return nullptr;
  const QImage image = gdi::FromBits(width, height, static_cast<int>(bitsPerPixel),
                                     static_cast<const unsigned char*>(bits));
  return image.isNull() ? nullptr : gdi::MakeBitmap(bitsPerPixel == 1, image);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  const gdi::DeviceContext* context = gdi::ToContext(dc);
  if (context == nullptr || !gdi::ValidSize(width, height)) return nullptr;
  // The pixel ratio of the DC's surface, or of the screen for a memory DC
  // still holding its default bitmap.
  const bool screen = context->memory && context->bitmap == gdi::DefaultBitmap();
  const qreal ratio = !screen ? context->surface->image.devicePixelRatio()
                      : qGuiApp != nullptr ? qGuiApp->devicePixelRatio()
                                           : 1.0;
  QImage image(qCeil(width * ratio), qCeil(height * ratio), QImage::Format_RGB32);
  if (image.isNull()) return nullptr;
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::black);
  return gdi::MakeBitmap(false, image);
}

BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
            int sourceY, DWORD rop) {
  return StretchBlt(target, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
  gdi::DeviceContext* to = gdi::ToContext(target);
  gdi::DeviceContext* from = gdi::ToContext(source);
  if (to == nullptr || from == nullptr || rop != SRCCOPY || width <= 0 || height <= 0 ||
      sourceWidth <= 0 || sourceHeight <= 0)
    return FALSE;
  QImage& image = to->surface->image;
  if (!gdi::PrepareImage(image) || from->surface->image.isNull()) return FALSE;
  // A copy when both are the same image, so overlapping areas read the old pixels.
  const QImage sourceImage = from->surface->image.convertToFormat(QImage::Format_RGB32);
  const qreal ratio = image.devicePixelRatio();
  const qreal sourceRatio = sourceImage.devicePixelRatio();
  const QRect area = gdi::ToDevice(QRect(x, y, width, height), ratio);
  const QRect drawn = area & image.rect();
  const gdi::PixelRule rule{gdi::IsMonochrome(*from), gdi::IsMonochrome(*to),
                            gdi::ToRgb(to->textColour), gdi::ToRgb(to->backColour),
                            gdi::ToRgb(from->backColour)};
  const double scaleX = sourceWidth * sourceRatio / area.width();
  const double scaleY = sourceHeight * sourceRatio / area.height();
  for (int ty = drawn.top(); ty <= drawn.bottom(); ++ty) {
    const int sy = qFloor(sourceY * sourceRatio + (ty - area.top() + 0.5) * scaleY);
    if (sy < 0 || sy >= sourceImage.height()) continue;
    const auto* sourceLine = reinterpret_cast<const QRgb*>(sourceImage.constScanLine(sy));
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(ty));
    for (int tx = drawn.left(); tx <= drawn.right(); ++tx) {
      const int sx = qFloor(sourceX * sourceRatio + (tx - area.left() + 0.5) * scaleX);
      if (sx >= 0 && sx < sourceImage.width()) line[tx] = rule(sourceLine[sx]);
    }
  }
  gdi::NotifyDrawn(*to->surface, QRect(x, y, width, height));
  return TRUE;
}
