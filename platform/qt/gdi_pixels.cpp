#include "platform/qt/gdi_pixels.h"

#include <QtMath>
#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

inline void BlendPixel(std::uint32_t& target, std::uint32_t pixel, std::uint32_t a) {
  if (a == 255)
    target = pixel;
  else if (a != 0)
    target = Mix(pixel, target, a);
}

#if defined(__SSE2__)
// x / 255 with rounding for 16-bit lanes holding at most 255 * 255:
// (x + 127) * 0x8081 >> 23 is exact for every 16-bit value.
inline __m128i DivideBy255(__m128i x) {
  x = _mm_add_epi16(x, _mm_set1_epi16(127));
  return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
}

// Two pixels' channels (16-bit lanes) mixed with their two coverages.
inline __m128i MixTwo(__m128i target, __m128i source, __m128i coverage) {
  const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(255), coverage);
  return DivideBy255(
      _mm_add_epi16(_mm_mullo_epi16(source, coverage), _mm_mullo_epi16(target, inverse)));
}

// Coverage bytes c0..c1 spread to 16-bit lanes, four per pixel.
inline __m128i SpreadTwo(__m128i coverage16) {
  const __m128i pairs = _mm_unpacklo_epi16(coverage16, coverage16);  // c0 c0 c1 c1
  return _mm_unpacklo_epi32(pairs, pairs);                              // c0 x4, c1 x4
}
#endif

// Blends `pixel` into `count` target pixels through their coverages: four
// at a time where the processor allows, skipping empty runs.
void BlendRow(std::uint32_t* target, const std::uint8_t* coverage, int count,
              std::uint32_t pixel) {
  int x = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i source = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(pixel)), zero);
  for (; x + 4 <= count; x += 4) {
    std::uint32_t four;
    std::memcpy(&four, coverage + x, 4);
    if (four == 0) continue;
    auto* place = reinterpret_cast<__m128i*>(target + x);
    if (four == 0xFFFFFFFFu) {
      _mm_storeu_si128(place, _mm_set1_epi32(static_cast<int>(pixel)));
      continue;
    }
    const __m128i pixels = _mm_loadu_si128(place);
    const __m128i coverage16 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(four)), zero);
    const __m128i low = MixTwo(_mm_unpacklo_epi8(pixels, zero), source, SpreadTwo(coverage16));
    const __m128i high = MixTwo(_mm_unpackhi_epi8(pixels, zero), source,
                                SpreadTwo(_mm_srli_si128(coverage16, 4)));
    _mm_storeu_si128(place, _mm_packus_epi16(low, high));
  }
#endif
  for (; x < count; ++x) BlendPixel(target[x], pixel, coverage[x]);
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
  const int whole = static_cast<int>(ratio);
  if (whole == ratio) {  // integer division, rounding outwards
    auto down = [whole](int v) { return v >= 0 ? v / whole : -((-v + whole - 1) / whole); };
    const int left = down(device.left());
    const int top = down(device.top());
    const int right = -down(-(device.left() + device.width()));
    const int bottom = -down(-(device.top() + device.height()));
    return QRect(left, top, right - left, bottom - top);
  }
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
  for (int y = 0; y < area.height(); ++y, row += stride, source += mask.width)
    BlendRow(reinterpret_cast<std::uint32_t*>(row) + area.left(), source, area.width(), pixel);
}

}  // namespace gdi
