// Fonts of the device-context service (implementation only): a LOGFONTW
// made into a QFont, its metrics, and per code point its advance and its
// glyph's coverage mask, rendered once through Qt and kept.
#pragma once

#include <QFont>
#include <QRawFont>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/qt/gdi_objects.h"

namespace gdi {

// A table indexed by code point, in pages of 256 made on first use: a
// lookup is two loads, which the per-glyph drawing path needs.
template <typename Entry>
class CodePointTable {
 public:
  CodePointTable() : pages_(kPageCount) {}
  Entry& operator[](char32_t codePoint) {
    if (codePoint >= kPageCount * kPageSize) codePoint = 0xFFFD;
    std::unique_ptr<Page>& page = pages_[codePoint / kPageSize];
    if (!page) page = std::make_unique<Page>();
    return (*page)[codePoint % kPageSize];
  }

 private:
  static constexpr char32_t kPageSize = 256;
  static constexpr char32_t kPageCount = 0x110000 / kPageSize;
  using Page = std::array<Entry, kPageSize>;
  std::vector<std::unique_ptr<Page>> pages_;
};

// What a code point is in a font, independent of the screen.
struct CodePointInfo {
  bool ready = false;
  bool mark = false;       // a combining mark: no advance, placed over a letter
  bool invisible = false;  // a control character: no advance, no ink
  std::uint8_t face = 0;   // index into Font's faces (0: the font itself)
  std::uint32_t glyph = 0;
  int advance = 0;  // logical pixels
};

// A glyph's antialiased ink in device pixels: `left` and `top` are the
// offsets of the mask's top-left corner from the pen at the baseline.
struct GlyphMask {
  bool ready = false;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width * height, row by row
};

class Font : public Object {
 public:
  Font(const LOGFONTW& description, bool isStock);

  const TEXTMETRICW& Metrics() const { return metrics_; }
  bool Underlined() const { return qfont_.underline(); }
  double UnderlinePosition() const { return underlinePosition_; }  // below the baseline
  double UnderlineThickness() const { return underlineThickness_; }
  const QFont& QtFont() const { return qfont_; }

  const CodePointInfo& Info(char32_t codePoint) {
    CodePointInfo& info = infos_[codePoint];
    if (!info.ready) Resolve(codePoint, info);
    return info;
  }
  // The glyph of the code point as drawn at `ratio` device pixels per
  // logical pixel.
  const GlyphMask& Mask(char32_t codePoint, qreal ratio) {
    MaskCache& cache = Masks(ratio);
    GlyphMask& mask = cache.masks[codePoint];
    if (!mask.ready) Render(codePoint, ratio, mask);
    return mask;
  }

 private:
  struct MaskCache {
    qreal ratio;
    CodePointTable<GlyphMask> masks;
  };

  MaskCache& Masks(qreal ratio) {
    if (lastCache_ != nullptr && lastCache_->ratio == ratio) return *lastCache_;
    return FindMasks(ratio);
  }
  MaskCache& FindMasks(qreal ratio);
  void Resolve(char32_t codePoint, CodePointInfo& info);
  void FindGlyph(char32_t codePoint, CodePointInfo& info);
  void Render(char32_t codePoint, qreal ratio, GlyphMask& mask);

  QFont qfont_;
  TEXTMETRICW metrics_{};
  double underlinePosition_ = 0;
  double underlineThickness_ = 1;
  std::vector<QRawFont> faces_;  // the font's own face, then fallbacks used
  CodePointTable<CodePointInfo> infos_;
  std::vector<std::unique_ptr<MaskCache>> caches_;
  MaskCache* lastCache_ = nullptr;
};

// A combining mark, drawn without advance over the letter it belongs to.
bool IsCombiningMark(char32_t codePoint);

// Reads one code point (a surrogate pair counts as one) at text[*index]
// and moves *index past it.
char32_t NextCodePoint(const char16_t* text, int count, int* index);

}  // namespace gdi
