#include "text/layout.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/gdi.h"
#include "text/convert.h"
#include "text/scroll.h"
#include "text/view.h"

namespace {

constexpr int kTableStep = 128;
constexpr int kMaxCapacity = 0xFFFF - kTableStep;
constexpr int kUnlimitedWidth = 0x7FFF;

// Metrics of the font selected last: line height and hang column.
TEXTMETRICW Metrics;

// The running state of one layout pass.
struct LayoutPass {
  TextView* view;
  const BYTE* text;
  StylePass styles;
  int lineHeight;
  int style;
  int indent;
  int lines;       // entries made so far
  int blankLines;  // of them, those followed by a blank line
};

void SelectLayoutStyle(LayoutPass& pass, int key) {
  SelectPassStyle(pass.styles, key);
  GetTextMetricsW(pass.view->DC, &Metrics);
  pass.lineHeight = Metrics.tmHeight;
  pass.style = key;
}

// Makes entry pass.lines available, growing the table by one step when it
// is full.
bool RoomForLine(LayoutPass& pass) {
  TextView* view = pass.view;
  if (pass.lines < view->LineCapacity) return true;
  const int capacity = view->LineCapacity + kTableStep;
  auto* grown = capacity <= kMaxCapacity
                    ? static_cast<LineEntry*>(std::malloc((capacity + 1) * sizeof(LineEntry)))
                    : nullptr;
  if (grown == nullptr) return false;
  std::copy(view->Lines, view->Lines + pass.lines, grown);
  std::free(view->Lines);
  view->Lines = grown;
  view->LineCapacity = static_cast<std::uint16_t>(capacity);
  return true;
}

LineEntry& NewLine(LayoutPass& pass) { return pass.view->Lines[pass.lines]; }

void FinishLine(LayoutPass& pass, LineEntry& line) {
  if ((line.Attr & kAttrBlankAfter) != 0) ++pass.blankLines;
  ++pass.lines;
}

// Rule length: up to 160 pixels as given, above that (b - 160) * 2 per cent
// of the view width; never wider than the view.
int RuleLength(int b, int viewWidth) {
  const int length = b <= 160 ? b : (b - 160) * viewWidth * 2 / 100;
  return std::min(length, viewWidth);
}

bool LayRule(LayoutPass& pass, BYTE attr, BYTE widthByte, int textPosition) {
  if (widthByte == 0) return true;
  if (!RoomForLine(pass)) return false;
  const TextView* view = pass.view;
  const int length = RuleLength(widthByte, view->Width);
  int x = view->Left;
  if ((attr & kAttrAlignMask) == kAttrAlignRight) x = view->Left + view->Width - length;
  if ((attr & kAttrAlignMask) == kAttrAlignCentre) x = view->Left + (view->Width - length) / 2;
  LineEntry& line = NewLine(pass);
  line = LineEntry{static_cast<std::uint16_t>(textPosition), 0, static_cast<std::uint16_t>(x), 0,
                   static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(pass.lineHeight),
                   attr};
  FinishLine(pass, line);
  return true;
}

RunFit Measure(const LayoutPass& pass, bool rightToLeft, const BYTE* run, int maxWidth, int count) {
  if (rightToLeft) return FitByWidths(pass.view->CharWidths, run, maxWidth, count);
  return MeasureRun(pass.view->DC, run, maxWidth, count);
}

// The bytes of the body that go on the line, given what fits: a fit that
// ends inside a word goes back to the last space (the line ends before the
// spaces there, which belong to no line) or hyphen (it stays on the line)
// after the first byte; a word longer than the line breaks after the fit.
// Where nothing fits at all, one character and the zero-width codes after
// it go on the line, so layout always moves on.
RunFit BreakLine(const LayoutPass& pass, bool rightToLeft, const BYTE* body, int avail, int n,
                 bool withFirstWord) {
  RunFit fit = Measure(pass, rightToLeft, body, avail, n);
  const BYTE after = body[fit.Count];
  if (after != 0 && after != ' ') {
    for (int k = fit.Count - 1; k >= 1; --k) {
      if (body[k] == ' ' || body[k] == '-') {
        int count = k + 1;
        if (body[k] == ' ') {
          count = k;
          while (body[count - 1] == ' ') --count;  // body[0] is never a space
        }
        return {Measure(pass, rightToLeft, body, avail, count).Width, count};
      }
    }
  }
  if (fit.Count == 0 && n > 0 && !withFirstWord) {
    const int count = 1 + Measure(pass, rightToLeft, body + 1, 0, n - 1).Count;
    return {Measure(pass, rightToLeft, body, kUnlimitedWidth, count).Width, count};
  }
  return fit;
}

int LineX(const LayoutPass& pass, BYTE attr, int hang, int bodyWidth) {
  const TextView* view = pass.view;
  const int start = pass.indent + hang;
  switch (attr & kAttrAlignMask) {
    case kAttrAlignRight: return view->Left + view->Width - start - bodyWidth;
    case kAttrAlignCentre:
      return view->Left + pass.indent + (view->Width - start - bodyWidth) / 2;
    default: return view->Left + start;
  }
}

int WordLength(const BYTE* text) {
  int n = 0;
  while (text[n] != 0 && text[n] != ' ') ++n;
  while (text[n] == ' ') ++n;
  return n;
}

bool OnlySpaces(const BYTE* text) {
  while (*text == ' ') ++text;
  return *text == 0;
}

// Lays the lines of one text record out. scan is the text in reading order
// (a reversed copy for right-to-left text), len bytes long.
bool LayLines(LayoutPass& pass, BYTE attr, int hang, int textPosition, const BYTE* scan, int len) {
  const TextView* view = pass.view;
  const bool rightToLeft = (attr & kAttrRightToLeft) != 0;
  int s = 0;
  for (;;) {
    while (scan[s] == ' ') ++s;
    if (scan[s] == 0) return true;
    if (!RoomForLine(pass)) return false;

    const int firstWord = hang > 0 ? WordLength(scan + s) : 0;
    const int bodyStart = s + firstWord;
    int avail = view->Width - pass.indent;
    if (hang > 0) avail = std::max(avail - hang, 0);
    const RunFit body = BreakLine(pass, rightToLeft, scan + bodyStart, avail, len - bodyStart, hang > 0);

    LineEntry& line = NewLine(pass);
    const int offset = rightToLeft ? textPosition + len - bodyStart - body.Count : textPosition + s;
    const int taken = firstWord + body.Count;
    const bool last = OnlySpaces(scan + s + taken);
    line = LineEntry{static_cast<std::uint16_t>(offset),
                     static_cast<std::uint16_t>(body.Count),
                     static_cast<std::uint16_t>(LineX(pass, attr, hang, body.Width)),
                     static_cast<std::uint16_t>(hang),
                     static_cast<std::uint16_t>(body.Width),
                     static_cast<std::uint16_t>(pass.lineHeight),
                     static_cast<BYTE>(last ? attr : attr & ~kAttrBlankAfter)};
    FinishLine(pass, line);
    // The hang column stays as indent for the paragraph's following lines.
    pass.indent += hang;
    hang = 0;
    s += taken;
  }
}

bool LayParagraph(LayoutPass& pass, BYTE attr, int level, int textPosition) {
  if (((attr ^ pass.style) & kAttrStyleMask) != 0) SelectLayoutStyle(pass, attr);
  const BYTE* text = pass.text + textPosition;
  const int len = static_cast<int>(std::strlen(reinterpret_cast<const char*>(text)));
  int hang = 0;
  if (level > 0) {
    pass.indent &= 0x3F;
    hang = (level + 1) * Metrics.tmMaxCharWidth / 2;
  }
  if (pass.indent >= pass.view->Width || pass.indent < 0) pass.indent = 0;
  if ((attr & kAttrRightToLeft) == 0) return LayLines(pass, attr, hang, textPosition, text, len);

  // Right-to-left text is stored in display order; lines break in reading
  // order, so they are found on a reversed copy.
  auto* reading = static_cast<BYTE*>(std::malloc(len + 1));
  if (reading == nullptr) return false;
  std::reverse_copy(text, text + len, reading);
  reading[len] = 0;
  const bool done = LayLines(pass, attr, hang, textPosition, reading, len);
  std::free(reading);
  return done;
}

bool LayRecords(LayoutPass& pass) {
  const BYTE* text = pass.text;
  int previousIndent = 0;
  for (int p = 0; text[p] != 0;) {
    const BYTE attr = text[p];
    const BYTE indentByte = text[p + 1];
    const int textPosition = p + 2;
    int level = indentByte >> 6;
    // A hanging record that begins with a space continues the paragraph
    // before it: no hanging word, the same indent moved by the difference.
    if (level > 0 && text[textPosition] == ' ' && pass.lines > 0) {
      if (((indentByte ^ previousIndent) & 0x3F) != 0)
        pass.indent += (indentByte & 0x3F) - (previousIndent & 0x3F);
      level = 0;
    } else {
      pass.indent = indentByte;
    }
    previousIndent = indentByte;

    const bool done = IsRule(attr) ? LayRule(pass, attr, indentByte, textPosition)
                                   : LayParagraph(pass, attr, level, textPosition);
    if (!done) return false;
    p = textPosition + static_cast<int>(std::strlen(reinterpret_cast<const char*>(text + textPosition))) + 1;
  }
  return true;
}

// A text the view does not hold was handed over with the call.
void ReleaseUnadopted(TextView* view, BYTE* text) {
  if (text != view->Text) std::free(text);
}

bool Malformed(const BYTE* text) { return text[0] == 0 || (text[2] == 0 && !IsRule(text[0])); }

// The lines laid out so far stay, followed by an all-zero entry.
int FailOutOfMemory(LayoutPass& pass, BYTE* text) {
  pass.view->Lines[pass.lines] = LineEntry{};
  pass.view->LineCount = static_cast<std::uint16_t>(pass.lines);
  EndStylePass(pass.styles);
  ReleaseUnadopted(pass.view, text);
  return kOutOfMemory;
}

}  // namespace

int LayoutArticle(TextView* view, BYTE* text, LayoutMode mode) {
  if (view == nullptr) return kNoView;
  view->HitStart = view->HitEnd = 0;
  view->TotalLines = view->MaxTopLine = 0;
  if (text == nullptr) {
    if (mode == LayoutMode::Replace) {
      std::free(view->Text);
      view->Text = nullptr;
    }
    return kNoText;
  }
  if (Malformed(text)) {
    ReleaseUnadopted(view, text);
    return kMalformedText;
  }
  if (mode == LayoutMode::Replace && view->Text != text) {
    std::free(view->Text);
    view->Text = nullptr;
  }
  if (view->Lines == nullptr || view->LineCapacity == 0) {
    std::free(view->Lines);
    view->LineCapacity = 0;
    view->Lines = static_cast<LineEntry*>(std::malloc((kTableStep + 1) * sizeof(LineEntry)));
    if (view->Lines == nullptr) {
      ReleaseUnadopted(view, text);
      return kOutOfMemory;
    }
    view->LineCapacity = kTableStep;
  }

  LayoutPass pass{view, text, StylePass{view, nullptr}, 0, 0, 0, 0, 0};
  SelectLayoutStyle(pass, kStyleInitial);
  if (!LayRecords(pass)) return FailOutOfMemory(pass, text);

  LineEntry* lines = view->Lines;
  lines[pass.lines] = LineEntry{};
  int total = pass.lines + pass.blankLines;
  if (pass.lines > 0 && (lines[pass.lines - 1].Attr & kAttrBlankAfter) != 0) {
    lines[pass.lines - 1].Attr &= ~kAttrBlankAfter;
    --total;
  }
  if (total > 0xFFFF) return FailOutOfMemory(pass, text);
  view->LineCount = static_cast<std::uint16_t>(pass.lines);
  view->TotalLines = static_cast<std::uint16_t>(total);
  view->Text = text;
  ComputeMaxTopLine(view);
  EndStylePass(pass.styles);
  return kLaidOut;
}
