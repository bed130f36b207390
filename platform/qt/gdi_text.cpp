// Text drawing: DrawTextW and ExtTextOutW.
//
// Text is placed glyph by glyph from the font's cached glyph masks at the
// whole-pixel advances GetTextExtentExPointW reports, left to right in the
// order stored (the reader keeps right-to-left text in display order). A
// combining mark has no advance: its ink is centred over the cell of the
// letter it belongs to, on the letter's baseline. A Hebrew point belongs to
// the letter after it (display order stores a point before its letter),
// other marks to the letter before them; a mark alone is centred where the
// text would be.
#include <algorithm>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/gdi_font.h"
#include "platform/qt/gdi_pixels.h"

namespace gdi {

namespace {
struct Span {
  int start;
  int count;
};

// One text drawing call's target and clipping, in device pixels.
struct TextTarget {
  DeviceContext& context;
  Font& font;
  QImage& image;
  qreal ratio;
  QRect clip;      // backgrounds, and letters whose cells reach past the sides
  QRect bandClip;  // only the vertical limits of `clip`: marks and letters within it
  int left;        // the sides of `clip` in logical pixels
  int right;
  QRect touched;  // what was drawn so far
};

bool IsHebrewMark(char32_t codePoint) { return codePoint >= 0x0591 && codePoint <= 0x05C7; }

int LineWidth(Font& font, const char16_t* text, int count) {
  int width = 0;
  for (int i = 0; i < count;) width += font.Info(NextCodePoint(text, count, &i)).advance;
  return width;
}

// The cells marks are centred over, followed while a line is drawn: that
// of the letter drawn last, or for a Hebrew point (and a mark before any
// letter) that of the letter coming next.
class MarkCells {
 public:
  MarkCells(Font& font, const char16_t* text, int count, double x)
      : font_(font), text_(text), count_(count), left_(x), right_(x) {}

  void Letter(double left, double right) {
    left_ = left;
    right_ = right;
    haveLetter_ = true;
  }

  // The cell of a mark read up to text[end], with the pen at `pen`.
  std::pair<double, double> Cell(char32_t mark, int end, double pen) {
    if (!IsHebrewMark(mark) && haveLetter_) return {left_, right_};
    if (end >= nextEnd_) FindNextLetter(end);
    if (nextAdvance_ < 0) return {left_, right_};
    return {pen, pen + nextAdvance_};
  }

 private:
  // Each letter is looked for once, however many marks come before it.
  void FindNextLetter(int i) {
    while (i < count_) {
      const CodePointInfo& info = font_.Info(NextCodePoint(text_, count_, &i));
      if (!info.mark && !info.invisible) {
        nextEnd_ = i;
        nextAdvance_ = info.advance;
        return;
      }
    }
    nextEnd_ = count_ + 1;
    nextAdvance_ = -1;
  }

  Font& font_;
  const char16_t* text_;
  int count_;
  double left_, right_;
  bool haveLetter_ = false;
  int nextEnd_ = -1;  // where the next letter found ends
  int nextAdvance_ = -1;
};

void FillBackground(TextTarget& target, const QRect& logical) {
  const QRect device = ToDevice(logical, target.ratio) & target.clip;
  FillDevice(target.image, device, ToRgb(target.context.backColour));
  target.touched |= device;
}

void Blend(TextTarget& target, const GlyphMask& mask, int x, int y, const QRect& clip) {
  if (mask.width == 0) return;
  const Coverage coverage{mask.coverage.data(), mask.width, mask.height, x, y};
  BlendCoverage(target.image, coverage, ToRgb(target.context.textColour), clip);
  target.touched |= QRect(x, y, mask.width, mask.height) & clip;
}

void DrawUnderline(TextTarget& target, double x, int width, int baseline) {
  Font& font = target.font;
  const QRect line = ToDevice(QRect(qRound(x), 0, width, 1), target.ratio);
  const int top = baseline + qRound(font.UnderlinePosition() * target.ratio);
  const int thickness = std::max(1, qRound(font.UnderlineThickness() * target.ratio));
  const QRect device = QRect(line.left(), top, line.width(), thickness) & target.clip;
  FillDevice(target.image, device, ToRgb(target.context.textColour));
  target.touched |= device;
}

// Draws one line with its pen starting at logical x and its top at lineTop.
void DrawLine(TextTarget& target, const char16_t* text, int count, double x, int lineTop) {
  Font& font = target.font;
  const TEXTMETRICW& metrics = font.Metrics();
  const int width = LineWidth(font, text, count);
  if (target.context.backMode == OPAQUE && width > 0)
    FillBackground(target, QRect(qRound(x), lineTop, width, metrics.tmHeight));
  const int baseline = qRound((lineTop + metrics.tmAscent) * target.ratio);
  MarkCells cells(font, text, count, x);
  double pen = x;
  for (int i = 0; i < count;) {
    const char32_t codePoint = NextCodePoint(text, count, &i);
    const CodePointInfo& info = font.Info(codePoint);
    if (info.invisible) continue;
    const GlyphMask& mask = font.Mask(codePoint, target.ratio);
    if (info.mark) {
      const auto [left, right] = cells.Cell(codePoint, i, pen);
      const double centre = (left + right) / 2 * target.ratio;
      Blend(target, mask, qRound(centre - mask.width / 2.0), baseline + mask.top,
            target.bandClip);
      continue;
    }
    // A letter whose cell fits keeps the antialiased edge it may have past
    // its advance.
    const bool fits = pen >= target.left && pen + info.advance <= target.right;
    Blend(target, mask, qRound(pen * target.ratio) + mask.left, baseline + mask.top,
          fits ? target.bandClip : target.clip);
    cells.Letter(pen, pen + info.advance);
    pen += info.advance;
  }
  if (font.Underlined() && width > 0) DrawUnderline(target, x, width, baseline);
}

TextTarget MakeTarget(DeviceContext& context, const QRect* logicalClip) {
  QImage& image = context.surface->image;
  const qreal ratio = image.devicePixelRatio();
  QRect clip = image.rect();
  QRect band = clip;
  int left = INT_MIN, right = INT_MAX;
  if (logicalClip != nullptr) {
    const QRect device = ToDevice(*logicalClip, ratio);
    clip &= device;
    band &= QRect(band.left(), device.top(), band.width(), device.height());
    left = logicalClip->left();
    right = logicalClip->left() + logicalClip->width();
  }
  return TextTarget{context, *context.font, image, ratio, clip, band, left, right, QRect()};
}

// Without DT_NOPREFIX "&&" stands for "&" and a lone "&" is left out.
const char16_t* RemovePrefixes(const char16_t* text, int* count) {
  if (std::find(text, text + *count, u'&') == text + *count) return text;
  static std::u16string stripped;
  stripped.clear();
  for (int i = 0; i < *count; ++i) {
    if (text[i] == u'&' && ++i == *count) break;
    stripped += text[i];
  }
  *count = static_cast<int>(stripped.size());
  return stripped.data();
}

// Splits text at line feeds (dropping a carriage return before one) and,
// with wordBreak, before a word that would pass `width`; the spaces where a
// line is broken are not drawn.
void BreakLines(Font& font, const char16_t* text, int count, int width, bool wordBreak,
                std::vector<Span>& lines) {
  lines.clear();
  int start = 0;
  while (start <= count) {
    int end = static_cast<int>(std::find(text + start, text + count, u'\n') - text);
    const int next = end + 1;
    if (end > start && text[end - 1] == u'\r') --end;
    while (wordBreak && LineWidth(font, text + start, end - start) > width) {
      int cut = end;  // the last break before the line passes the width
      while (cut > start && (text[cut - 1] != u' ' ||
                             LineWidth(font, text + start, cut - 1 - start) > width))
        --cut;
      if (cut == start) break;  // a word longer than the line stays whole
      int drawn = cut;
      while (drawn > start && text[drawn - 1] == u' ') --drawn;
      lines.push_back(Span{start, drawn - start});
      start = cut;
    }
    lines.push_back(Span{start, end - start});
    start = next;
  }
}

double AlignX(const RECT& rect, UINT format, int width) {
  const int room = rect.right - rect.left;
  if (format & DT_CENTER) return width == 0 ? rect.left + room / 2.0 : rect.left + (room - width) / 2;
  if (format & DT_RIGHT) return rect.right - width;
  return rect.left;
}
}  // namespace

}  // namespace gdi

int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format) {
  gdi::DeviceContext* context = gdi::ToContext(dc);
  if (context == nullptr || text == nullptr || rect == nullptr) return 0;
  if (count < 0) count = static_cast<int>(std::char_traits<char16_t>::length(text));
  if (!(format & DT_NOPREFIX)) text = gdi::RemovePrefixes(text, &count);
  gdi::Font& font = *context->font;
  const int lineHeight = font.Metrics().tmHeight;
  static std::vector<gdi::Span> lines;
  if (format & DT_SINGLELINE)
    lines.assign(1, gdi::Span{0, count});
  else
    gdi::BreakLines(font, text, count, rect->right - rect->left, format & DT_WORDBREAK, lines);
  const int height = lineHeight * static_cast<int>(lines.size());
  if (!gdi::PrepareImage(context->surface->image)) return height;

  const QRect bounds = gdi::ToQRect(*rect);
  gdi::TextTarget target = gdi::MakeTarget(*context, format & DT_NOCLIP ? nullptr : &bounds);
  int top = rect->top;
  if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
    top += (rect->bottom - rect->top - lineHeight) / 2;
  else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
    top = rect->bottom - lineHeight;
  for (const gdi::Span& line : lines) {
    const char16_t* start = text + line.start;
    const int width = gdi::LineWidth(font, start, line.count);
    gdi::DrawLine(target, start, line.count, gdi::AlignX(*rect, format, width), top);
    top += lineHeight;
  }
  gdi::NotifyDrawn(*context->surface, gdi::ToLogical(target.touched, target.ratio));
  return height;
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const int* dx) {
  gdi::DeviceContext* context = gdi::ToContext(dc);
  if (context == nullptr || (text == nullptr && count > 0) || dx != nullptr || count > INT_MAX)
    return FALSE;
  if (!gdi::PrepareImage(context->surface->image)) return TRUE;
  const QRect bounds = rect != nullptr ? gdi::ToQRect(*rect) : QRect();
  gdi::TextTarget target =
      gdi::MakeTarget(*context, rect != nullptr && (options & ETO_CLIPPED) ? &bounds : nullptr);
  if (rect != nullptr && (options & ETO_OPAQUE)) gdi::FillBackground(target, bounds);
  gdi::DrawLine(target, text, static_cast<int>(count), x, y);
  gdi::NotifyDrawn(*context->surface, gdi::ToLogical(target.touched, target.ratio));
  return TRUE;
}
