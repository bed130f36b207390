// Fonts: LOGFONTW to QFont, metrics, extents, and the per-glyph caches.
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>
#include <cstdlib>

#include "platform/qt/gdi_font.h"

namespace gdi {

namespace {
constexpr int kDefaultPixelSize = 16;
constexpr int kLargestPixelSize = 1000;

// The face of an empty face name: the first installed Hebrew face we know.
QString DefaultFamily() {
  static const QString family = [] {
    const QStringList installed = QFontDatabase::families();
    for (const char* name : {"Ezra SIL", "David CLM", "Frank Ruehl CLM"}) {
      const QString candidate = QString::fromLatin1(name);
      if (installed.contains(candidate, Qt::CaseInsensitive)) return candidate;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  }();
  return family;
}

QString FaceName(const LOGFONTW& description) {
  const WCHAR* name = description.lfFaceName;
  const auto* end = std::find(name, name + std::size(description.lfFaceName), u'\0');
  return QString::fromUtf16(name, end - name);
}

int PixelSize(LONG height) {
  if (height == 0) return kDefaultPixelSize;
  return static_cast<int>(std::min<long long>(std::llabs(height), kLargestPixelSize));
}

QFont MakeQFont(const LOGFONTW& description) {
  const QString face = FaceName(description);
  QFont font(face.isEmpty() ? DefaultFamily() : face);
  font.setPixelSize(PixelSize(description.lfHeight));
  const LONG weight = description.lfWeight == 0 ? FW_NORMAL : description.lfWeight;
  font.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(weight, 1, 1000)));
  font.setUnderline(description.lfUnderline != 0);
  // Text is placed glyph by glyph at whole-pixel advances, as measured.
  font.setKerning(false);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

// Renders one glyph at `ratio` and keeps the alpha of its ink.
void RenderGlyph(const QRawFont& face, std::uint32_t glyph, qreal ratio, GlyphMask& mask) {
  const QRectF box = face.boundingRect(glyph);
  if (box.isEmpty()) return;
  const int pad = 2 + qCeil(face.pixelSize() * ratio / 16);  // room for hinting and emboldening
  const QRect area = QRectF(box.topLeft() * ratio, box.bottomRight() * ratio)
                         .toAlignedRect()
                         .adjusted(-pad, -pad, pad, pad);
  QImage canvas(area.size(), QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  {
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(-area.left(), -area.top());
    painter.scale(ratio, ratio);
    QGlyphRun run;
    run.setRawFont(face);
    run.setGlyphIndexes({glyph});
    run.setPositions({QPointF(0, 0)});
    painter.setPen(Qt::black);
    painter.drawGlyphRun(QPointF(0, 0), run);
  }
  // Trim to the ink.
  int left = canvas.width(), right = -1, top = canvas.height(), bottom = -1;
  for (int y = 0; y < canvas.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
    for (int x = 0; x < canvas.width(); ++x) {
      if (qAlpha(line[x]) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return;
  mask.left = area.left() + left;
  mask.top = area.top() + top;
  mask.width = right - left + 1;
  mask.height = bottom - top + 1;
  mask.coverage.resize(static_cast<std::size_t>(mask.width) * mask.height);
  for (int y = 0; y < mask.height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(top + y));
    for (int x = 0; x < mask.width; ++x)
      mask.coverage[static_cast<std::size_t>(y) * mask.width + x] =
          static_cast<std::uint8_t>(qAlpha(line[left + x]));
  }
}

std::uint32_t GlyphIndex(const QRawFont& face, char32_t codePoint) {
  const QString text = QString::fromUcs4(&codePoint, 1);
  const QList<quint32> glyphs = face.glyphIndexesForString(text);
  return glyphs.isEmpty() ? 0 : glyphs.first();
}
}  // namespace

bool IsCombiningMark(char32_t codePoint) {
  const QChar::Category category = QChar::category(codePoint);
  return category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing;
}

char32_t NextCodePoint(const char16_t* text, int count, int* index) {
  const char16_t unit = text[(*index)++];
  if (QChar::isHighSurrogate(unit) && *index < count && QChar::isLowSurrogate(text[*index]))
    return QChar::surrogateToUcs4(unit, text[(*index)++]);
  return unit;
}

Font::Font(const LOGFONTW& description, bool isStock)
    : Object(ObjectKind::Font, isStock), qfont_(MakeQFont(description)) {
  const QFontMetricsF metrics(qfont_);
  metrics_.tmAscent = qRound(metrics.ascent());
  metrics_.tmHeight = qRound(metrics.ascent() + metrics.descent());
  metrics_.tmDescent = metrics_.tmHeight - metrics_.tmAscent;
  metrics_.tmInternalLeading = std::max(0, metrics_.tmHeight - qfont_.pixelSize());
  metrics_.tmExternalLeading = std::max(0, qRound(metrics.leading()));
  metrics_.tmAveCharWidth = qRound(metrics.averageCharWidth());
  metrics_.tmMaxCharWidth = qCeil(metrics.maxWidth());
  metrics_.tmWeight = qfont_.weight();
  underlinePosition_ = metrics.underlinePos();
  underlineThickness_ = std::max<qreal>(1, metrics.lineWidth());
  faces_.push_back(QRawFont::fromFont(qfont_));
}

void Font::Resolve(char32_t codePoint, CodePointInfo& info) {
  info.ready = true;
  info.invisible = codePoint < 0x20 || codePoint == 0x7F;
  if (info.invisible) return;
  info.mark = IsCombiningMark(codePoint);
  FindGlyph(codePoint, info);
  if (info.mark) return;
  const QList<QPointF> advances = faces_[info.face].advancesForGlyphIndexes({info.glyph});
  info.advance = advances.isEmpty() ? 0 : qRound(advances.first().x());
}

// The font's own glyph, else the one Qt's font fallback picks for the code
// point, else the font's missing-glyph box.
void Font::FindGlyph(char32_t codePoint, CodePointInfo& info) {
  info.face = 0;
  info.glyph = GlyphIndex(faces_[0], codePoint);
  if (info.glyph != 0) return;
  QTextLayout layout(QString::fromUcs4(&codePoint, 1), qfont_);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const QRawFont face = run.rawFont();
    const std::uint32_t glyph = GlyphIndex(face, codePoint);
    if (glyph == 0) continue;
    auto known = std::find(faces_.begin(), faces_.end(), face);
    if (known == faces_.end() && faces_.size() < 255) known = faces_.insert(faces_.end(), face);
    if (known == faces_.end()) return;
    info.face = static_cast<std::uint8_t>(known - faces_.begin());
    info.glyph = glyph;
    return;
  }
}

Font::MaskCache& Font::FindMasks(qreal ratio) {
  auto found = std::find_if(caches_.begin(), caches_.end(),
                            [ratio](const auto& cache) { return cache->ratio == ratio; });
  if (found == caches_.end()) {
    caches_.push_back(std::make_unique<MaskCache>());
    caches_.back()->ratio = ratio;
    found = caches_.end() - 1;
  }
  lastCache_ = found->get();
  return *lastCache_;
}

void Font::Render(char32_t codePoint, qreal ratio, GlyphMask& mask) {
  mask.ready = true;
  const CodePointInfo& info = Info(codePoint);
  if (!info.invisible) RenderGlyph(faces_[info.face], info.glyph, ratio, mask);
}

}  // namespace gdi

using gdi::ToContext;

HFONT CreateFontIndirectW(const LOGFONTW* font) {
  if (font == nullptr) return nullptr;
  return static_cast<HFONT>(gdi::Register(new gdi::Font(*font, false)));
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
  gdi::DeviceContext* context = ToContext(dc);
  if (context == nullptr || metrics == nullptr) return FALSE;
  *metrics = context->font->Metrics();
  return TRUE;
}

BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, int* fit,
                           int* partialExtents, SIZE* size) {
  gdi::DeviceContext* context = ToContext(dc);
  if (context == nullptr || count < 0 || (text == nullptr && count > 0)) return FALSE;
  gdi::Font& font = *context->font;
  int extent = 0;
  int fitting = 0;
  for (int i = 0; i < count;) {
    const int start = i;
    extent += font.Info(gdi::NextCodePoint(text, count, &i)).advance;
    for (int unit = start; unit < i; ++unit) {
      if (partialExtents != nullptr) partialExtents[unit] = extent;
      if (extent <= maxExtent) fitting = unit + 1;
    }
  }
  if (fit != nullptr && maxExtent >= 0) *fit = fitting;
  if (size != nullptr) *size = SIZE{extent, font.Metrics().tmHeight};
  return TRUE;
}
