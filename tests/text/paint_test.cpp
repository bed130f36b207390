#include "text/paint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "text/convert.h"
#include "text/layout.h"
#include "text/scroll.h"
#include "text/view.h"
#include "tests/text/view_fixture.h"

namespace {

using fixture::Article;
using fixture::kLeft;
using fixture::kParagraph;
using fixture::kTitle;
using fixture::kTop;

bool Blue(COLORREF c) { return GetBValue(c) >= 160 && GetRValue(c) <= 100 && GetGValue(c) <= 100; }
bool Red(COLORREF c) { return GetRValue(c) >= 200 && GetGValue(c) <= 60 && GetBValue(c) <= 60; }
bool Yellow(COLORREF c) { return GetRValue(c) >= 230 && GetGValue(c) >= 230 && GetBValue(c) <= 60; }
bool Dark(COLORREF c) { return GetRValue(c) <= 90 && GetGValue(c) <= 90 && GetBValue(c) <= 90; }
bool White(COLORREF c) { return c == 0xFFFFFF; }

class PaintTest : public testing::Test {
 protected:
  fixture::MemoryDC memory{480, 640};
  TextView* view = nullptr;

  void Show(const Article& article, int width, int height) {
    FillStock(memory.dc, 0, 0, 480, 640, WHITE_BRUSH);
    view = fixture::FixedWidthView(memory.dc, kLeft, kTop, width, height);
    ASSERT_EQ(LayoutArticle(view, article.Copy(), LayoutMode::Replace), kLaidOut);
  }
  void TearDown() override { FreeView(view, FreeRecord::Release); }

  // Pixels of the rows top..bottom - 1 and columns left..right - 1 that
  // match the test.
  int Count(bool (*test)(COLORREF), int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += test(GetPixel(memory.dc, x, y)) ? 1 : 0;
    return n;
  }
  int CountInRows(bool (*test)(COLORREF), int top, int bottom) const {
    return Count(test, 0, top, 480, bottom);
  }
  int LineTop(int line) const {
    int y = kTop;
    for (int i = 0; i < line; ++i) y += view->Lines[i].Height * DisplayLines(view->Lines[i]);
    return y;
  }
};

TEST_F(PaintTest, TitleInBlueParagraphsInBlack) {
  Show(Article().Record(kTitle, 0, "abgd").Record(kParagraph, 0x40, "a. bbbb cccc"), 300, 600);
  SetTextColor(memory.dc, 0x123456);
  ASSERT_EQ(PaintView(view, PaintErase::Erase), 0);
  const int titleTop = LineTop(0);
  const int paragraphTop = LineTop(1);
  EXPECT_GT(CountInRows(Blue, titleTop, titleTop + view->Lines[0].Height), 0);
  EXPECT_EQ(CountInRows(Dark, titleTop, titleTop + view->Lines[0].Height), 0);
  EXPECT_GT(CountInRows(Dark, paragraphTop, paragraphTop + view->Lines[1].Height), 0);
  EXPECT_EQ(CountInRows(Blue, paragraphTop, paragraphTop + view->Lines[1].Height), 0);
  // The hanging number sits in its column right of the body.
  const LineEntry& line = view->Lines[1];
  EXPECT_GT(Count(Dark, line.X + line.Width, paragraphTop, line.X + line.Width + line.HangWidth,
                  paragraphTop + line.Height),
            0);
  EXPECT_EQ(GetTextColor(memory.dc), 0x123456u) << "the DC's text colour is put back";
  EXPECT_EQ(view->PageLines, 3);
}

TEST_F(PaintTest, HitIsBlueOnYellowAcrossALineBreak) {
  // Stored "dddd cccc bbbb aaaa": line 0 shows stored 10..18, line 1 0..8.
  const Article article = Article().Record(kParagraph, 0, "aaaa bbbb cccc dddd");
  const int text = article.TextOf(0);
  struct Case {
    const char* name;
    int hitStart, hitEnd;                // stored positions in the record
    int line0From, line0To;              // highlighted columns from X (none: equal)
    int line1From, line1To;
  };
  const Case cases[] = {
      {"across the break", 7, 12, 0, 20, 65, 85},
      {"ends where line 0 begins", 5, 10, 0, 0, 45, 85},
      {"inside line 0", 15, 17, 45, 65, 0, 0},
  };
  for (const Case& c : cases) {
    Show(article, 100, 600);
    view->HitStart = static_cast<std::uint16_t>(text + c.hitStart);
    view->HitEnd = static_cast<std::uint16_t>(text + c.hitEnd);
    ASSERT_EQ(PaintView(view, PaintErase::Erase), 0) << c.name;
    const int spans[2][2] = {{c.line0From, c.line0To}, {c.line1From, c.line1To}};
    for (int i = 0; i < 2; ++i) {
      const LineEntry& line = view->Lines[i];
      const int y = LineTop(i);
      const int from = line.X + spans[i][0];
      const int to = line.X + spans[i][1];
      // Yellow across the span (between the glyphs), none outside it; the
      // fill reaches one row into the neighbouring lines.
      const int inside = Count(Yellow, from, y, to, y + line.Height);
      const int outside = Count(Yellow, 0, y + 1, 480, y + line.Height - 1) -
                          Count(Yellow, from, y + 1, to, y + line.Height - 1);
      if (to > from) {
        EXPECT_GT(inside, (to - from) * line.Height / 3) << c.name << ", line " << i;
        EXPECT_GT(Count(Blue, from, y, to, y + line.Height), 0) << c.name << ", line " << i;
      }
      EXPECT_EQ(outside, 0) << c.name << ", line " << i;
      if (to == from) {
        EXPECT_EQ(Count(Yellow, 0, y + 1, 480, y + line.Height - 1), 0) << c.name << ", line " << i;
      }
    }
    FreeView(view, FreeRecord::Release);
    view = nullptr;
  }
}

TEST_F(PaintTest, BannerHasItsFrame) {
  Show(Article().Record(kTitle, 0, "abgd").Record(kParagraph, 0, "aaaa"), 300, 400);
  ASSERT_EQ(PaintView(view, PaintErase::Erase), 0);
  ShowArticleBanner(view);

  const TEXTMETRICW metrics = fixture::MetricsOf(view, 2);
  HFONT old = SelectStyle(view, 2);
  const RunFit title = MeasureRun(view->DC, view->Text + 2, view->Width, 4);
  SelectObject(view->DC, old);
  const int boxWidth = title.Width + (metrics.tmHeight + 4) * 2;
  const int boxLeft = kLeft + (300 - boxWidth) / 2;
  const int boxBottom = kTop + 400 - 2;  // exclusive
  const int boxTop = kTop + 400 - metrics.tmHeight - 12;

  // Rings from the outside: red, red, white, blue, blue; then yellow.
  bool (*const rings[])(COLORREF) = {Red, Red, White, Blue, Blue};
  const int boxRight = boxLeft + boxWidth;  // exclusive
  const int middleX = boxLeft + boxWidth / 2;
  const int middleY = (boxTop + boxBottom) / 2;
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(rings[i](GetPixel(memory.dc, boxLeft + i, middleY))) << "left edge, ring " << i;
    EXPECT_TRUE(rings[i](GetPixel(memory.dc, boxRight - 1 - i, middleY))) << "right edge, ring " << i;
    EXPECT_TRUE(rings[i](GetPixel(memory.dc, middleX, boxTop + i))) << "top edge, ring " << i;
    EXPECT_TRUE(rings[i](GetPixel(memory.dc, middleX, boxBottom - 1 - i))) << "bottom edge, ring " << i;
  }
  EXPECT_TRUE(Yellow(GetPixel(memory.dc, boxLeft + 5, middleY)));
  EXPECT_TRUE(Yellow(GetPixel(memory.dc, boxRight - 6, middleY)));
  EXPECT_TRUE(Yellow(GetPixel(memory.dc, boxLeft + 5, boxTop + 5)));
  EXPECT_TRUE(Yellow(GetPixel(memory.dc, boxLeft + 5, boxBottom - 6)));
  EXPECT_TRUE(White(GetPixel(memory.dc, boxLeft - 1, middleY)));
  EXPECT_TRUE(White(GetPixel(memory.dc, middleX, boxBottom)));
  EXPECT_GT(Count(Red, boxLeft + 5, boxTop + 5, boxRight - 5, boxBottom - 5), 0) << "the red title";
}

TEST_F(PaintTest, BannerNeedsATitle) {
  Show(Article().Record(kParagraph, 0, "aaaa"), 300, 400);
  ASSERT_EQ(PaintView(view, PaintErase::Erase), 0);
  const int whiteBefore = CountInRows(White, 300, 410);
  ShowArticleBanner(view);
  EXPECT_EQ(CountInRows(White, 300, 410), whiteBefore);
}

TEST_F(PaintTest, BlankHalfAtThePageTop) {
  Show(Article().Record(kParagraph, 0, "aaaa").Record(kParagraph, 0, "bbbb"), 300, 400);
  ASSERT_EQ(view->TotalLines, 3);
  view->TopLine = 1;
  ASSERT_EQ(PaintView(view, PaintErase::Erase), 0);
  const int height = view->Lines[0].Height;
  EXPECT_EQ(CountInRows(Dark, kTop, kTop + height), 0) << "the blank half stays empty";
  EXPECT_GT(CountInRows(Dark, kTop + height, kTop + 2 * height), 0) << "the next line, one line lower";
  EXPECT_EQ(view->PageLines, 1);
}

TEST_F(PaintTest, PageLinesCountTheDisplayLinesDrawn) {
  // Lines: "aa" with a blank, a 50-pixel rule with a blank, "bb": 5 display lines.
  const Article article =
      Article().Record(kParagraph, 0, "aa").Record(0x87, 50, "").Record(kParagraph, 0, "bb");
  Show(article, 300, 400);
  const int h = view->Lines[0].Height;
  ASSERT_EQ(view->Lines[1].Height, h);
  struct Case {
    int areaHeight;
    int topLine;
    int pageLines;
  };
  const Case cases[] = {
      {5 * h, 0, 5},
      {3 * h, 0, 4},      // the rule fits, its blank half below the bottom still counts
      {3 * h - 1, 0, 2},  // the rule does not fit
      {3 * h, 1, 2},      // starts on a blank half: rule and its blank, then no room for "bb"
      {5 * h, 9, 5},      // past TotalLines: back to MaxTopLine (0)
  };
  for (const Case& c : cases) {
    view->Height = c.areaHeight;
    ComputeMaxTopLine(view);
    view->TopLine = static_cast<std::uint16_t>(c.topLine);
    ASSERT_EQ(PaintView(view, PaintErase::Erase), 0);
    EXPECT_EQ(view->PageLines, c.pageLines) << "height " << c.areaHeight << ", top line " << c.topLine;
  }
  EXPECT_EQ(view->TopLine, 0);
  // The rule: one black row at the middle of its line, across its length.
  const LineEntry& rule = view->Lines[1];
  const int middle = LineTop(1) + h / 2;
  EXPECT_EQ(Count(Dark, rule.X, middle, rule.X + 50, middle + 1), 50);
  EXPECT_EQ(Count(Dark, rule.X, middle + 1, rule.X + 50, middle + 2), 0);
  EXPECT_EQ(Count(Dark, rule.X + 50, middle, 480, middle + 1), 0);
}

TEST_F(PaintTest, ScrollingRepaints) {
  Article article;
  for (int i = 0; i < 40; ++i) article.Record(kParagraph, 0, "aaaa");
  Show(article, 300, 200);
  ASSERT_GT(view->MaxTopLine, 0);
  EXPECT_EQ(ScrollView(view, 3, ScrollPaint::Repaint, ScrollClamp::Clamp), 0);
  EXPECT_EQ(view->TopLine, 3);
  EXPECT_GT(view->PageLines, 0);
  // The last page: ScrollToOffset to the last line goes to MaxTopLine.
  const LineEntry& last = view->Lines[view->LineCount - 1];
  EXPECT_EQ(ScrollToOffset(view, last.Offset + 1), 1);
  EXPECT_EQ(view->TopLine, view->MaxTopLine);
  EXPECT_EQ(ScrollView(view, 1, ScrollPaint::Repaint, ScrollClamp::Clamp), kScrollUnchanged);
}

// Where a run drawn with DrawRunUnicode puts its ink: the bounding box of
// the pixels that differ from a drawing of `base` (or from white).
struct Ink {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  bool Empty() const { return right < left; }
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};

class PointPlacement : public testing::Test {
 protected:
  static constexpr int kSize = 120;
  fixture::MemoryDC memory{kSize, kSize};
  TextView* view = nullptr;
  const RECT cell{20, 20, 100, 100};

  void UseFont(const char* face, int size) {
    FreeView(view, FreeRecord::Release);
    AppState.Font.FontAsciiBase = kUnicodeBase;
    FontChoice font{};
    for (int i = 0; face[i] != 0; ++i) font.FontName[i] = static_cast<WCHAR>(face[i]);
    font.FontSize = size;
    font.FontAsciiBase = kUnicodeBase;
    view = CreateView(memory.dc, &cell, &font, 0);
    SelectStyle(view, kStyleParagraph);
  }
  void TearDown() override { FreeView(view, FreeRecord::Release); }

  std::vector<COLORREF> Draw(const std::vector<BYTE>& run) {
    FillStock(memory.dc, 0, 0, kSize, kSize, WHITE_BRUSH);
    DrawRunUnicode(view, run.data(), static_cast<int>(run.size()), cell);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) pixels.push_back(GetPixel(memory.dc, x, y));
    return pixels;
  }
  Ink InkOf(const std::vector<BYTE>& run, const std::vector<BYTE>& base = {}) {
    const std::vector<COLORREF> drawn = Draw(run);
    const std::vector<COLORREF> under = base.empty() ? std::vector<COLORREF>(drawn.size(), 0xFFFFFF) : Draw(base);
    Ink ink;
    for (int i = 0; i < kSize * kSize; ++i) {
      if (drawn[i] == under[i] || GetGValue(drawn[i]) > 200) continue;
      const int x = i % kSize, y = i / kSize;
      ink = Ink{std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x), std::max(ink.bottom, y)};
    }
    return ink;
  }
  int WidthOf(BYTE code) const { return view->CharWidths[code - 16]; }
};

TEST_F(PointPlacement, PointsSitOnTheirLetters) {
  const char* const faces[] = {"David CLM", "Frank Ruehl CLM", "Ezra SIL", "DejaVu Sans"};
  for (const char* face : faces) {
    for (int size : {12, 16, 24, 32}) {
      UseFont(face, size);
      const std::string name = std::string(face) + " " + std::to_string(size);
      // Stored before its letter, a point is drawn in the letter's cell at
      // the run's right edge: qamats under bet, holam at bet's upper left.
      const int cellLeft = cell.right - WidthOf('b');
      const Ink bet = InkOf({'b'});
      const Ink qamats = InkOf({22, 'b'}, {'b'});
      ASSERT_FALSE(bet.Empty() || qamats.Empty()) << name;
      EXPECT_GE(qamats.left, cellLeft - 1) << name << ": qamats within bet's cell";
      EXPECT_LE(qamats.right, cell.right) << name;
      EXPECT_GT(qamats.top, bet.CentreY()) << name << ": qamats below the letter";
      const Ink holam = InkOf({31, 'b'}, {'b'});
      ASSERT_FALSE(holam.Empty()) << name;
      EXPECT_LE(std::abs(holam.CentreX() - cellLeft), 3) << name << ": holam at bet's left edge";
      EXPECT_LT(holam.bottom, bet.CentreY()) << name << ": holam above the letter";
      // The pair codes: qamats in final kaf's cell, holam straddling the
      // lamed's left edge.
      const Ink kafQamats = InkOf({16}, {107});
      ASSERT_FALSE(kafQamats.Empty()) << name;
      EXPECT_GE(kafQamats.left, cell.right - WidthOf(16) - 1) << name << ": qamats of code 16 in the kaf's cell";
      const Ink lamedHolam = InkOf({90}, {109});
      ASSERT_FALSE(lamedHolam.Empty()) << name;
      EXPECT_LE(std::abs(lamedHolam.CentreX() - (cell.right - WidthOf(90))), 3) << name << ": holam of code 90";
    }
  }
}

}  // namespace
