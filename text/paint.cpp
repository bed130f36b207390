#include "text/paint.h"

#include <algorithm>
#include <cstring>

#include "app/app_state.h"
#include "platform/gdi.h"
#include "text/convert.h"
#include "text/layout.h"
#include "text/text_code.h"
#include "text/view.h"

namespace {

constexpr UINT kRunFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr int kUnlimitedWidth = 0x7FFF;
constexpr int kHolamCell = 3;

int Length(const BYTE* text) { return static_cast<int>(std::strlen(reinterpret_cast<const char*>(text))); }

// The first line of the page, where it is drawn and the room below it. A
// TopLine on the blank half of a line starts the page one line lower.
struct PageStart {
  const LineEntry* line;
  int y;
  int room;
};

PageStart FindPageStart(TextView* view) {
  if (view->TopLine > view->TotalLines) view->TopLine = view->MaxTopLine;
  int count = 0;
  const LineEntry* line = view->Lines;
  while (count < view->TopLine && line->Attr != 0) count += DisplayLines(*line++);
  if (count > view->TopLine) {
    const int blank = line[-1].Height;
    return {line, view->Top + blank, view->Height - blank};
  }
  return {line, view->Top, view->Height};
}

int FirstStyle(const LineEntry& line) { return IsRule(line.Attr) ? kStyleInitial : line.Attr; }

// One run of stored text.
struct Run {
  const BYTE* bytes;
  int n;
};

// The hanging first word of a right-to-left paragraph: stored last, after
// the first line's body and the spaces that follow it.
Run HangingWordRightToLeft(const TextView* view, const LineEntry& line) {
  const BYTE* word = view->Text + line.Offset + line.Count;
  while (*word == ' ') ++word;
  return {word, Length(word)};
}

// The hanging first word of a left-to-right paragraph: up to its first space.
int FirstWordLength(const BYTE* text) {
  int n = 0;
  while (text[n] != 0 && text[n] != ' ') ++n;
  return n;
}

const BYTE* AfterFirstWord(const BYTE* text) {
  text += FirstWordLength(text);
  while (*text == ' ') ++text;
  return text;
}

bool RightToLeft(const LineEntry& line) { return (line.Attr & kAttrRightToLeft) != 0; }

void DrawRule(TextView* view, const LineEntry& line, int y) {
  HGDIOBJ oldBrush = SelectObject(view->DC, GetStockObject(BLACK_BRUSH));
  const int middle = y + line.Height / 2;
  Rectangle(view->DC, line.X, middle, line.X + line.Width, middle + 1);
  SelectObject(view->DC, oldBrush);
}

void DrawLine(TextView* view, const LineEntry& line, int y) {
  const BYTE* body = view->Text + line.Offset;
  if (line.HangWidth != 0 && RightToLeft(line)) {
    const Run word = HangingWordRightToLeft(view, line);
    const RunFit fit = FitByWidths(view->CharWidths, word.bytes, line.HangWidth, word.n);
    DrawRun(view, word.bytes, fit.Count, line.X + line.Width + line.HangWidth - fit.Width, y,
            fit.Width, line.Height);
  } else if (line.HangWidth != 0) {
    const RunFit fit = MeasureRun(view->DC, body, line.HangWidth, FirstWordLength(body));
    DrawRunConverted(view->DC, body, fit.Count, line.X - line.HangWidth, y, fit.Width, line.Height);
    body = AfterFirstWord(body);
  }
  DrawRun(view, body, line.Count, line.X, y, line.Width, line.Height);
}

void HighlightLine(TextView* view, const LineEntry& line, int y) {
  const BYTE* body = view->Text + line.Offset;
  if (line.HangWidth != 0 && RightToLeft(line)) {
    const Run word = HangingWordRightToLeft(view, line);
    const RunFit fit = FitByWidths(view->CharWidths, word.bytes, line.HangWidth, word.n);
    DrawColouredRun(view->DC, word.bytes, fit.Count,
                    line.X + line.Width + line.HangWidth - fit.Width, y, fit.Width, line.Height,
                    kBlue, kYellow);
  } else if (line.HangWidth != 0) {
    HighlightRun(view, body, FirstWordLength(body), line.X - line.HangWidth, y, line);
    body = AfterFirstWord(body);
  }
  HighlightRun(view, body, line.Count, line.X, y, line);
}

bool TouchesHit(const TextView* view, const LineEntry& line) {
  return !IsRule(line.Attr) && view->HitEnd >= line.Offset &&
         view->HitStart <= line.Offset + line.Count;
}

// The code points drawn for one byte, in drawing order: a holam that comes
// with its lamed is drawn after the letter.
struct DrawnPoints {
  WCHAR first;
  WCHAR second;  // 0: none
};

DrawnPoints PointsToDraw(BYTE b) {
  if (!textcode::HasTableEntry(b)) return {static_cast<WCHAR>(b), 0};
  const textcode::UnicodePair pair = textcode::kUnicodeColumn[b - textcode::kFirstTableCode];
  if (pair.second != 0 && pair.first == textcode::kHolamCodePoint)
    return {pair.second, pair.first};
  return {pair.first, pair.second};
}

void DrawCentred(HDC dc, WCHAR point, int left, int top, int right, int bottom) {
  RECT cell{left, top, right, bottom};
  DrawTextW(dc, &point, 1, &cell, kRunFormat);
}

// Two rectangles in red, one in white, two in blue, each one pixel inside
// the one before; box ends as the area inside the frame.
void DrawFrame(HDC dc, RECT& box) {
  const COLORREF colours[] = {kRed, kRed, kWhite, kBlue, kBlue};
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  for (COLORREF colour : colours) {
    HPEN pen = CreatePen(PS_SOLID, 0, colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    box = RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
  }
  SelectObject(dc, oldBrush);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

// The title and subtitle records the banner shows (none when absent).
struct BannerTexts {
  const BYTE* title;
  const BYTE* subtitle;
};

constexpr BYTE kTitleAttr = 0xDC;
constexpr BYTE kSubtitleAttr = 0xD1;
constexpr int kBannerStyle = kStyleSmaller + kWithColour + kWithColourAlso;

BannerTexts FindBannerTexts(const BYTE* text) {
  BannerTexts texts{nullptr, nullptr};
  const BYTE* record = text;
  if (record[0] == kTitleAttr) {
    texts.title = record + 2;
    record = texts.title + Length(texts.title) + 1;
  }
  if (record[0] == kSubtitleAttr) texts.subtitle = record + 2;
  return texts;
}

}  // namespace

int PaintView(TextView* view, PaintErase erase) {
  if (view == nullptr || view->Text == nullptr || view->Lines == nullptr) return -1;
  view->PageLines = 0;
  PageStart page = FindPageStart(view);
  int style = FirstStyle(*page.line);
  const COLORREF colour = GetTextColor(view->DC);
  StylePass pass{view, nullptr};
  SelectPassStyle(pass, style + kWithColour);
  if (erase == PaintErase::Erase)
    FillStock(view->DC, view->Left, view->Top, view->Width, view->Height, WHITE_BRUSH);

  for (const LineEntry* line = page.line; line->Attr != 0; ++line) {
    if (page.room < line->Height) break;
    if (IsRule(line->Attr)) {
      DrawRule(view, *line, page.y);
    } else {
      if (((line->Attr ^ style) & kAttrStyleMask) != 0) {
        style = line->Attr;
        SelectPassStyle(pass, style + kWithColour);
      }
      DrawLine(view, *line, page.y);
    }
    page.y += line->Height * DisplayLines(*line);
    page.room -= line->Height * DisplayLines(*line);
    view->PageLines += DisplayLines(*line);
  }
  EndStylePass(pass);
  SetTextColor(view->DC, colour);
  if (view->HitStart != 0 || view->HitEnd != 0) return PaintHit(view);
  return 0;
}

int PaintHit(TextView* view) {
  if (view == nullptr || view->Text == nullptr || view->Lines == nullptr) return -1;
  PageStart page = FindPageStart(view);
  int style = FirstStyle(*page.line);
  StylePass pass{view, nullptr};
  SelectPassStyle(pass, style);
  for (const LineEntry* line = page.line; line->Attr != 0; ++line) {
    if (page.room < line->Height) break;
    if (TouchesHit(view, *line)) {
      if (((line->Attr ^ style) & kAttrStyleMask) != 0) {
        style = line->Attr;
        SelectPassStyle(pass, style);
      }
      HighlightLine(view, *line, page.y);
    }
    page.y += line->Height * DisplayLines(*line);
    page.room -= line->Height * DisplayLines(*line);
  }
  EndStylePass(pass);
  return 0;
}

void HighlightRun(TextView* view, const BYTE* run, int n, int x, int y, const LineEntry& line) {
  int position = static_cast<int>(run - view->Text);
  const int skip = view->HitStart - position;
  if (skip >= 0) {
    if (skip > n) return;
    x += FitByWidths(view->CharWidths, run, kUnlimitedWidth, skip).Width;
    run += skip;
    n -= skip;
    position += skip;
  }
  n = std::min(n, view->HitEnd - position);
  if (n < 1) return;
  const int width = FitByWidths(view->CharWidths, run, kUnlimitedWidth, n).Width;
  FillSolid(view->DC, RECT{x, y - 1, x + width, y + line.Height + 1}, kYellow);
  const COLORREF oldText = SetTextColor(view->DC, kBlue);
  const COLORREF oldBack = SetBkColor(view->DC, kYellow);
  DrawRun(view, run, n, x, y, width, line.Height);
  SetTextColor(view->DC, oldText);
  SetBkColor(view->DC, oldBack);
}

void ShowArticleBanner(TextView* view) {
  if (view == nullptr || view->Text == nullptr) return;
  const BannerTexts texts = FindBannerTexts(view->Text);
  if (texts.title == nullptr && texts.subtitle == nullptr) return;

  StylePass pass{view, nullptr};
  SelectPassStyle(pass, kBannerStyle);
  TEXTMETRICW metrics{};
  GetTextMetricsW(view->DC, &metrics);
  const int lineHeight = metrics.tmHeight;
  const int lines = texts.title != nullptr && texts.subtitle != nullptr ? 2 : 1;
  const RunFit title =
      texts.title != nullptr ? MeasureRun(view->DC, texts.title, view->Width, Length(texts.title)) : RunFit{};
  const RunFit subtitle = texts.subtitle != nullptr
                              ? MeasureRun(view->DC, texts.subtitle, view->Width, Length(texts.subtitle))
                              : RunFit{};

  const int boxWidth = std::min(std::max(title.Width, subtitle.Width) + (lineHeight + 4) * 2, view->Width);
  const int left = view->Left + (view->Width - boxWidth) / 2;
  RECT box{left, view->Top + view->Height - lineHeight * lines - 12, left + boxWidth,
           view->Top + view->Height - 2};
  DrawFrame(view->DC, box);
  FillSolid(view->DC, box, kYellow);

  const int innerWidth = box.right - box.left;
  int top = box.top;
  for (const auto& [text, fit] : {std::pair{texts.title, title}, std::pair{texts.subtitle, subtitle}}) {
    if (text == nullptr) continue;
    DrawColouredRun(view->DC, text, fit.Count, box.left + (innerWidth - fit.Width) / 2, top, fit.Width,
                    lineHeight, kRed, kYellow);
    top += lineHeight;
  }
  EndStylePass(pass);
}

void DrawRun(TextView* view, const BYTE* bytes, int n, int x, int y, int w, int h) {
  if (AppState.Font.FontAsciiBase == kUnicodeBase)
    DrawRunUnicode(view, bytes, n, RECT{x, y, x + w, y + h});
  else
    DrawRunConverted(view->DC, bytes, n, x, y, w, h);
}

void DrawRunUnicode(TextView* view, const BYTE* bytes, int n, const RECT& rect) {
  HDC dc = view->DC;
  SetBkMode(dc, TRANSPARENT);
  int left = rect.left;
  int right = rect.right;
  int previousWidth = 0;
  for (int j = n - 1; j >= 0; --j) {
    const BYTE b = bytes[j];
    // A vowel point is stored before its letter, so it is met right after
    // the letter and takes the letter's cell; holam sits at its left edge.
    if (b == textcode::kHolam) {
      right = left + kHolamCell;
      previousWidth = kHolamCell;
    } else if (textcode::IsVowelPoint(b)) {
      right += previousWidth;
    } else {
      const int width = b >= 16 && b <= 127 && view->CharWidths != nullptr ? view->CharWidths[b - 16] : 0;
      previousWidth = width;
      left = right - width;
    }
    const DrawnPoints points = PointsToDraw(b);
    DrawCentred(dc, points.first, left, rect.top, right, rect.bottom);
    if (points.second == textcode::kHolamCodePoint) {
      // The holam of a lamed straddles the lamed's left edge.
      DrawCentred(dc, points.second, left - 2, rect.top, left + 1, rect.bottom);
      previousWidth = kHolamCell;
    } else if (points.second != 0) {
      DrawCentred(dc, points.second, left, rect.top, right, rect.bottom);
    }
    right = left;
  }
}

void DrawRunConverted(HDC dc, const BYTE* bytes, int n, int x, int y, int w, int h) {
  const WCHAR* converted = TextToFont(bytes, n, &ConvBuffer, nullptr);
  if (converted == nullptr) return;
  RECT rect{x, y, x + w, y + h};
  DrawTextW(dc, converted, -1, &rect, kRunFormat);
}

void DrawColouredRun(HDC dc, const BYTE* bytes, int n, int x, int y, int w, int h,
                     COLORREF textColour, COLORREF backColour) {
  const COLORREF oldText = SetTextColor(dc, textColour);
  const COLORREF oldBack = SetBkColor(dc, backColour);
  DrawRunConverted(dc, bytes, n, x, y, w, h);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

void FillStock(HDC dc, int x, int y, int w, int h, int stockIndex) {
  const RECT rect{x, y, x + w, y + h};
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(stockIndex)));
}
