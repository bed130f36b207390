#include "platform/qt/gdi_pixels.h"

#include <QtMath>
#include <algorithm>

namespace gdi {

namespace {
bool IsWritableFormat(QImage::Format format) {
  return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
         format == QImage::Format_ARGB32_Premultiplied;
}

// x * a + y * (255 - a) per 8-bit channel, divided by 255 with rounding.
inline std::uint32_t Mix(std::uint32_t x, std::uint32_t y, std::uint32_t a) {
  const std::uint32_t b = 255 - a;
  std::uint32_t redBlue = (x & 0xFF00FF) * a + (y & 0xFF00FF) * b;
  redBlue = ((redBlue + ((redBlue >> 8) & 0xFF00FF) + 0x800080) >> 8) & 0xFF00FF;
  std::uint32_t alphaGreen = ((x >> 8) & 0xFF00FF) * a + ((y >> 8) & 0xFF00FF) * b;
  alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xFF00FF) + 0x800080) & 0xFF00FF00;
  return alphaGreen | redBlue;
}
}  // namespace

bool PrepareImage(QImage& image) {
  if (image.isNull()) return false;
  if (!IsWritableFormat(image.format())) image.convertTo(QImage::Format_ARGB32_Premultiplied);
  return true;
}

QRect ToDevice(const QRect& logical, qreal ratio) {
  if (ratio == 1.0) return logical;
  const int left = qRound(logical.left() * ratio);
  const int top = qRound(logical.top() * ratio);
  const int right = qRound((logical.left() + logical.width()) * ratio);
  const int bottom = qRound((logical.top() + logical.height()) * ratio);
  return QRect(left, top, right - left, bottom - top);
}

QRect ToLogical(const QRect& device, qreal ratio) {
  if (ratio == 1.0) return device;
  const int left = qFloor(device.left() / ratio);
  const int top = qFloor(device.top() / ratio);
  const int right = qCeil((device.left() + device.width()) / ratio);
  const int bottom = qCeil((device.top() + device.height()) / ratio);
  return QRect(left, top, right - left, bottom - top);
}

void FillDevice(QImage& image, const QRect& device, QRgb colour) {
  const QRect area = device & image.rect();
  if (area.isEmpty()) return;
  const auto pixel = static_cast<std::uint32_t>(colour | 0xFF000000u);
  const qsizetype stride = image.bytesPerLine();
  uchar* row = image.bits() + area.top() * stride;
  for (int y = 0; y < area.height(); ++y, row += stride) {
    auto* line = reinterpret_cast<std::uint32_t*>(row) + area.left();
    std::fill(line, line + area.width(), pixel);
  }
}

void BlendCoverage(QImage& image, const Coverage& mask, QRgb colour, const QRect& clip) {
  const QRect area = QRect(mask.x, mask.y, mask.width, mask.height) & clip;
  if (area.isEmpty()) return;
  const auto pixel = static_cast<std::uint32_t>(colour | 0xFF000000u);
  const qsizetype stride = image.bytesPerLine();
  uchar* row = image.bits() + area.top() * stride;
  const std::uint8_t* source =
      mask.bits + (area.top() - mask.y) * mask.width + (area.left() - mask.x);
  for (int y = 0; y < area.height(); ++y, row += stride, source += mask.width) {
    auto* line = reinterpret_cast<std::uint32_t*>(row) + area.left();
    for (int x = 0; x < area.width(); ++x) {
      const std::uint32_t a = source[x];
      if (a == 255)
        line[x] = pixel;
      else if (a != 0)
        line[x] = Mix(pixel, line[x], a);
    }
  }
}

}  // namespace gdi
