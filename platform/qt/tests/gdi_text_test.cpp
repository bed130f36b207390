// Fonts, text measuring and text drawing, checked through metrics and pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/qt/tests/gdi_test_support.h"

namespace {

constexpr UINT kCellFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;  // 0x825
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The bounding box of the pixels that are not white, in logical pixels.
QRect InkBox(HDC dc, const QRect& area) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (GetPixel(dc, x, y) != kWhite) box |= QRect(x, y, 1, 1);
  return box;
}

int Extent(HDC dc, const std::u16string& text) {
  SIZE size{};
  GetTextExtentExPointW(dc, text.data(), static_cast<int>(text.size()), 0, nullptr, nullptr,
                        &size);
  return size.cx;
}

TEST(GdiFonts, HeightZeroIsSixteenPixelsAndTheSignDoesNotMatter) {
  TestSurface s;
  auto height = [&](LONG lfHeight) {
    SelectedFont font(s.dc, u"David CLM", lfHeight);
    TEXTMETRICW metrics{};
    EXPECT_TRUE(GetTextMetricsW(s.dc, &metrics));
    return metrics.tmHeight;
  };
  EXPECT_EQ(height(0), height(16));
  EXPECT_EQ(height(-24), height(24));
  EXPECT_GT(height(24), height(16));
  EXPECT_GE(height(16), 16) << "line height: ascent and descent";
}

TEST(GdiFonts, EmptyFaceIsTheFirstInstalledHebrewFace) {
  TestSurface s;
  const std::u16string hebrew = u"\u05D0\u05D1\u05D2\u05E9\u05DC";
  auto measure = [&](const std::u16string& face) {
    SelectedFont font(s.dc, face, 24);
    TEXTMETRICW metrics{};
    GetTextMetricsW(s.dc, &metrics);
    const int width = Extent(s.dc, hebrew);
    return std::pair(metrics.tmHeight, width);
  };
  EXPECT_EQ(measure(u""), measure(u"Ezra SIL"));
}

TEST(GdiFonts, MaxCharWidthCoversEveryLetter) {
  TestSurface s;
  SelectedFont font(s.dc, u"Frank Ruehl CLM", 20);
  TEXTMETRICW metrics{};
  GetTextMetricsW(s.dc, &metrics);
  for (char16_t letter = u'\u05D0'; letter <= u'\u05EA'; ++letter)
    EXPECT_LE(Extent(s.dc, std::u16string(1, letter)), metrics.tmMaxCharWidth)
        << "U+" << std::hex << static_cast<int>(letter);
}

TEST(GdiFonts, FitCountsStopBeforeTheFirstCharacterPastTheLimit) {
  TestSurface s;
  SelectedFont font(s.dc, u"DejaVu Sans", 16);
  const int a = Extent(s.dc, u"a");
  const int ab = Extent(s.dc, u"ab");
  const int abc = Extent(s.dc, u"abc");
  ASSERT_GT(a, 0);
  const std::u16string text = u"abc";
  const struct {
    const char* name;
    std::u16string text;
    int maxExtent;
    int fit;
    int extent;
  } cases[] = {
      {"nothing fits", text, a - 1, 0, abc},
      {"exactly one", text, a, 1, abc},
      {"just short of two", text, ab - 1, 1, abc},
      {"all", text, abc, 3, abc},
      {"more than all", text, 1000, 3, abc},
      {"empty", u"", 10, 0, 0},
      {"a lone point has no width", u"\u05B8", 0, 1, 0},
      {"points after the last letter fit with it", u"a\u05B8\u05B4b", a, 3, ab},
  };
  for (const auto& c : cases) {
    int fit = -1;
    SIZE size{};
    EXPECT_TRUE(GetTextExtentExPointW(s.dc, c.text.data(), static_cast<int>(c.text.size()),
                                      c.maxExtent, &fit, nullptr, &size));
    EXPECT_EQ(fit, c.fit) << c.name;
    EXPECT_EQ(size.cx, c.extent) << c.name;
  }
  int partial[3] = {};
  GetTextExtentExPointW(s.dc, text.data(), 3, 0, nullptr, partial, nullptr);
  EXPECT_EQ(partial[0], a);
  EXPECT_EQ(partial[1], ab);
  EXPECT_EQ(partial[2], abc);
}

TEST(GdiText, OpaqueBackgroundFillsTheTextCellTransparentLeavesIt) {
  const COLORREF red = RGB(255, 0, 0);
  const COLORREF green = RGB(0, 255, 0);
  for (int mode : {OPAQUE, TRANSPARENT}) {
    TestSurface s;
    SelectedFont font(s.dc, u"DejaVu Sans", 16);
    const RECT all{0, 0, 64, 64};
    HBRUSH redBrush = CreateSolidBrush(red);
    FillRect(s.dc, &all, redBrush);
    SetBkMode(s.dc, mode);
    SetBkColor(s.dc, green);
    RECT cell{10, 10, 10 + Extent(s.dc, u"."), 40};
    DrawTextW(s.dc, u".", 1, &cell, kCellFlags);
    // The top of the cell's line holds no ink of a full stop.
    TEXTMETRICW metrics{};
    GetTextMetricsW(s.dc, &metrics);
    const int lineTop = 10 + (30 - metrics.tmHeight) / 2;
    EXPECT_EQ(GetPixel(s.dc, 10, lineTop + 1), mode == OPAQUE ? green : red)
        << (mode == OPAQUE ? "opaque" : "transparent");
    EXPECT_EQ(GetPixel(s.dc, 10, 9), red) << "nothing above the cell";
    DeleteObject(redBrush);
  }
}

TEST(GdiText, DrawTextAlignsAndClipsToTheRectangle) {
  TestSurface s(120, 40);
  SelectedFont font(s.dc, u"DejaVu Sans", 16);
  SetBkMode(s.dc, TRANSPARENT);
  TEXTMETRICW metrics{};
  GetTextMetricsW(s.dc, &metrics);
  const int width = Extent(s.dc, u"HH");
  const int centred = 10 + (100 - width) / 2;
  const struct {
    const char* name;
    const char16_t* text;
    RECT rect;
    UINT flags;
    int inkLeft;   // the ink lies within inkLeft..inkRight
    int inkRight;
  } cases[] = {
      {"left", u"HH", {10, 0, 110, 40}, DT_SINGLELINE | DT_VCENTER, 10, 10 + width},
      {"centre", u"HH", {10, 0, 110, 40}, kCellFlags, centred, centred + width},
      {"right", u"HH", {10, 0, 110, 40}, DT_SINGLELINE | DT_RIGHT | DT_VCENTER, 110 - width, 110},
      {"clipped to the rectangle", u"HHHHHHHH", {10, 0, 30, 40}, DT_SINGLELINE, 10, 30},
      {"prefix left out", u"&H&H", {10, 0, 110, 40}, DT_SINGLELINE | DT_VCENTER, 10, 10 + width},
  };
  for (const auto& c : cases) {
    s.surface.image.fill(Qt::white);
    RECT rect = c.rect;
    EXPECT_EQ(DrawTextW(s.dc, c.text, -1, &rect, c.flags), metrics.tmHeight) << c.name;
    const QRect ink = InkBox(s.dc, QRect(0, 0, 120, 40));
    ASSERT_FALSE(ink.isEmpty()) << c.name;
    EXPECT_GE(ink.left(), c.inkLeft) << c.name;
    EXPECT_LT(ink.right(), c.inkRight) << c.name;
  }
  s.surface.image.fill(Qt::white);
  RECT narrow{10, 0, 30, 40};
  DrawTextW(s.dc, u"HHHHHHHH", -1, &narrow, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GE(InkBox(s.dc, QRect(0, 0, 120, 40)).right(), 30) << "DT_NOCLIP draws past the right";
}

TEST(GdiText, ALetterInACellOfItsWidthKeepsItsWholeInk) {
  TestSurface s(40, 30);
  SelectedFont font(s.dc, u"David CLM", 12);
  for (char16_t letter = u'\u05D0'; letter <= u'\u05EA'; ++letter) {
    QImage drawn[2];
    for (UINT clip : {0u, DT_NOCLIP}) {
      s.surface.image.fill(Qt::white);
      RECT cell{10, 5, 10 + Extent(s.dc, std::u16string(1, letter)), 25};
      DrawTextW(s.dc, &letter, 1, &cell, kCellFlags | clip);
      drawn[clip == 0 ? 0 : 1] = s.surface.image.copy();
    }
    EXPECT_EQ(drawn[0], drawn[1]) << "U+" << std::hex << static_cast<int>(letter);
  }
}

TEST(GdiText, WordBreakStacksLines) {
  TestSurface s(120, 80);
  SelectedFont font(s.dc, u"DejaVu Sans", 16);
  TEXTMETRICW metrics{};
  GetTextMetricsW(s.dc, &metrics);
  RECT rect{0, 0, Extent(s.dc, u"ab cd") , 80};
  EXPECT_EQ(DrawTextW(s.dc, u"ab cd ef", -1, &rect, DT_WORDBREAK), 2 * metrics.tmHeight);
  EXPECT_EQ(DrawTextW(s.dc, u"ab\r\ncd\nef", -1, &rect, DT_LEFT), 3 * metrics.tmHeight);
  EXPECT_EQ(DrawTextW(s.dc, u"ab\ncd", -1, &rect, DT_SINGLELINE), metrics.tmHeight);
}

TEST(GdiText, ExtTextOutClipsToItsRectangle) {
  TestSurface s(120, 40);
  SelectedFont font(s.dc, u"DejaVu Sans", 16);
  SetBkMode(s.dc, TRANSPARENT);
  const RECT clip{5, 0, 25, 40};
  EXPECT_TRUE(ExtTextOutW(s.dc, 5, 5, ETO_CLIPPED, &clip, u"HHHHHH", 6, nullptr));
  QRect ink = InkBox(s.dc, QRect(0, 0, 120, 40));
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_GE(ink.left(), 5);
  EXPECT_LT(ink.right(), 25);
  EXPECT_GE(ink.top(), 5) << "y is the top of the text";
  s.surface.image.fill(Qt::white);
  EXPECT_TRUE(ExtTextOutW(s.dc, 5, 5, 0, &clip, u"HHHHHH", 6, nullptr));
  EXPECT_GE(InkBox(s.dc, QRect(0, 0, 120, 40)).right(), 25) << "unclipped without ETO_CLIPPED";
  const int spacing[6] = {};
  EXPECT_FALSE(ExtTextOutW(s.dc, 5, 5, 0, nullptr, u"HHHHHH", 6, spacing))
      << "own character spacing is not supported";
}

// Where a point's ink must be against its letter's ink.
enum class Place { Below, Above, Inside };

struct PointCase {
  char16_t point;
  Place place;
};

const PointCase kPoints[] = {
    {u'\u05B0', Place::Below}, {u'\u05B1', Place::Below}, {u'\u05B2', Place::Below},
    {u'\u05B3', Place::Below}, {u'\u05B4', Place::Below}, {u'\u05B5', Place::Below},
    {u'\u05B6', Place::Below}, {u'\u05B7', Place::Below}, {u'\u05B8', Place::Below},
    {u'\u05BB', Place::Below}, {u'\u05BC', Place::Inside}, {u'\u05C1', Place::Above},
    {u'\u05C2', Place::Above},
};

// Draws `letter` in `cell` and, on a clean surface, `point` alone in `pointCell`
// (flags 0x825 both times); returns the two ink boxes.
std::pair<QRect, QRect> LetterAndPointInk(TestSurface& s, char16_t letter, const RECT& cell,
                                          char16_t point, const RECT& pointCell) {
  const QRect area(0, 0, s.surface.image.width(), s.surface.image.height());
  s.surface.image.fill(Qt::white);
  RECT letterRect = cell;
  DrawTextW(s.dc, &letter, 1, &letterRect, kCellFlags);
  const QRect letterInk = InkBox(s.dc, area);
  s.surface.image.fill(Qt::white);
  RECT pointRect = pointCell;
  DrawTextW(s.dc, &point, 1, &pointRect, kCellFlags);
  return {letterInk, InkBox(s.dc, area)};
}

TEST(GdiText, APointCentredInItsLettersCellLandsOnThatLetter) {
  const char16_t* faces[] = {u"David CLM", u"Frank Ruehl CLM", u"Ezra SIL", u"DejaVu Sans"};
  const char16_t letter = u'\u05D1';  // bet
  for (const char16_t* face : faces) {
    for (int size : {12, 16, 24, 32}) {
      TestSurface s(80, 80);
      SelectedFont font(s.dc, face, size);
      SetBkMode(s.dc, TRANSPARENT);
      const int width = Extent(s.dc, std::u16string(1, letter));
      const RECT cell{20, 10, 20 + width, 10 + size * 2};
      const std::string where = QString::fromUtf16(face).toStdString() + " " +
                                std::to_string(size) + " px";
      for (const PointCase& c : kPoints) {
        const auto [letterInk, pointInk] = LetterAndPointInk(s, letter, cell, c.point, cell);
        const std::string name = where + " U+" + QString::number(c.point, 16).toStdString();
        ASSERT_FALSE(pointInk.isEmpty()) << name;
        EXPECT_LE(pointInk.width(), width) << name << ": just the mark, no dotted circle";
        const double centre = (pointInk.left() + pointInk.right() + 1) / 2.0;
        EXPECT_NEAR(centre, (cell.left + cell.right) / 2.0, 1.0) << name << ": centred in the cell";
        const double middle = (pointInk.top() + pointInk.bottom() + 1) / 2.0;
        const double letterMiddle = (letterInk.top() + letterInk.bottom() + 1) / 2.0;
        switch (c.place) {
          case Place::Below: EXPECT_GT(middle, letterInk.bottom() - 1) << name; break;
          case Place::Above: EXPECT_LT(middle, letterMiddle) << name; break;
          case Place::Inside: EXPECT_TRUE(letterInk.contains(pointInk.center())) << name; break;
        }
      }
      // Holam: a 3-pixel cell at the letter's left edge puts it on the upper left.
      const RECT holamCell{cell.left, cell.top, cell.left + 3, cell.bottom};
      const auto [letterInk, holamInk] =
          LetterAndPointInk(s, letter, cell, u'\u05B9', holamCell);
      ASSERT_FALSE(holamInk.isEmpty()) << where << " holam";
      EXPECT_NEAR((holamInk.left() + holamInk.right() + 1) / 2.0, cell.left + 1.5, 1.0)
          << where << " holam";
      EXPECT_LT(holamInk.bottom(), letterInk.top() + letterInk.height() / 2) << where << " holam";
    }
  }
}

TEST(GdiText, InADisplayOrderRunAPointGoesOnTheLetterAfterIt) {
  TestSurface s(80, 60);
  SelectedFont font(s.dc, u"David CLM", 24);
  const int alef = Extent(s.dc, u"\u05D0");
  const int bet = Extent(s.dc, u"\u05D1");
  EXPECT_EQ(Extent(s.dc, u"\u05B8\u05D0\u05B7\u05D1"), alef + bet);
  // Qamats, alef, patah, bet: qamats under the alef (left), patah under the bet.
  RECT rect{10, 0, 10 + alef + bet, 60};
  DrawTextW(s.dc, u"\u05B8\u05D0\u05B7\u05D1", -1, &rect, kCellFlags);
  TEXTMETRICW metrics{};
  GetTextMetricsW(s.dc, &metrics);
  const int baseline = (60 - metrics.tmHeight) / 2 + metrics.tmAscent;
  const QRect below = InkBox(s.dc, QRect(0, baseline + 1, 80, 60 - baseline - 1));
  ASSERT_FALSE(below.isEmpty());
  EXPECT_GE(below.left(), 10);
  EXPECT_LE(below.right(), 10 + alef + bet);
  const QRect underAlef = InkBox(s.dc, QRect(10, baseline + 1, alef, 60 - baseline - 1));
  const QRect underBet = InkBox(s.dc, QRect(10 + alef, baseline + 1, bet, 60 - baseline - 1));
  EXPECT_FALSE(underAlef.isEmpty());
  EXPECT_FALSE(underBet.isEmpty());
}

TEST(GdiText, CodePointsTheFaceLacksComeFromAFallbackFont) {
  TestSurface s;
  SelectedFont font(s.dc, u"Nimbus Sans", 20);
  EXPECT_GT(Extent(s.dc, u"\u05D0"), 0);
  RECT rect{0, 0, 64, 64};
  DrawTextW(s.dc, u"\u05D0", 1, &rect, kCellFlags);
  EXPECT_FALSE(InkBox(s.dc, QRect(0, 0, 64, 64)).isEmpty());
}

TEST(GdiText, BoldAndUnderlineShow) {
  auto inkPixels = [](LONG weight, BYTE underline, QRect* box) {
    TestSurface s(80, 40);
    SelectedFont font(s.dc, u"Ezra SIL", 24, weight, underline);
    RECT rect{0, 0, 80, 40};
    DrawTextW(s.dc, u"\u05D0\u05D1", -1, &rect, DT_SINGLELINE);
    int count = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 80; ++x) count += GetPixel(s.dc, x, y) != kWhite;
    *box = InkBox(s.dc, QRect(0, 0, 80, 40));
    return count;
  };
  QRect regular, bold, underlined;
  const int regularInk = inkPixels(FW_NORMAL, 0, &regular);
  EXPECT_GT(inkPixels(FW_BOLD, 0, &bold), regularInk) << "Ezra SIL has no bold face of its own";
  inkPixels(FW_NORMAL, 1, &underlined);
  EXPECT_GT(underlined.bottom(), regular.bottom()) << "the underline lies below the letters";
}

TEST(GdiText, AntialiasedInkLiesBetweenTextAndBackgroundColours) {
  TestSurface s(80, 40);
  SelectedFont font(s.dc, u"David CLM", 24);
  const RECT green{0, 0, 80, 40};
  HBRUSH greenBrush = CreateSolidBrush(RGB(0, 160, 0));
  FillRect(s.dc, &green, greenBrush);
  SetBkMode(s.dc, TRANSPARENT);
  SetTextColor(s.dc, RGB(255, 0, 0));
  RECT rect{0, 0, 80, 40};
  DrawTextW(s.dc, u"\u05D0\u05E9\u05B8\u05DC", -1, &rect, kCellFlags);
  int partial = 0, full = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 80; ++x) {
      const COLORREF pixel = GetPixel(s.dc, x, y);
      const int red = GetRValue(pixel), greenValue = GetGValue(pixel);
      // Every pixel mixes red text into the green: r / 255 + g / 160 = 1.
      EXPECT_NEAR(red / 255.0 + greenValue / 160.0, 1.0, 0.02) << x << "," << y;
      EXPECT_EQ(GetBValue(pixel), 0) << x << "," << y;
      partial += red > 20 && red < 235;
      full += red >= 250;
    }
  }
  EXPECT_GT(full, 20);
  EXPECT_GT(partial, 20) << "edges are antialiased";
  DeleteObject(greenBrush);
}

TEST(GdiText, HighDensityTextCoversTheSameLogicalCellInFinerPixels) {
  auto draw = [](qreal ratio, std::vector<QRect>* reported) {
    TestSurface s(60, 40, ratio);
    s.surface.drawn = [reported](const QRect& rect) { reported->push_back(rect); };
    SelectedFont font(s.dc, u"Frank Ruehl CLM", 20);
    SetBkMode(s.dc, TRANSPARENT);
    RECT rect{10, 5, 40, 35};
    DrawTextW(s.dc, u"\u05E9", 1, &rect, kCellFlags);
    const QRect ink = InkBox(s.dc, QRect(0, 0, 60, 40));
    return ink;
  };
  std::vector<QRect> reported1, reported2;
  const QRect ink1 = draw(1.0, &reported1);
  const QRect ink2 = draw(2.0, &reported2);
  ASSERT_FALSE(ink1.isEmpty());
  EXPECT_LE(std::abs(ink1.left() - ink2.left()), 1);
  EXPECT_LE(std::abs(ink1.right() - ink2.right()), 1);
  EXPECT_LE(std::abs(ink1.top() - ink2.top()), 1);
  EXPECT_LE(std::abs(ink1.bottom() - ink2.bottom()), 1);
  ASSERT_EQ(reported1.size(), 1u);
  ASSERT_EQ(reported2.size(), 1u);
  EXPECT_TRUE(reported1[0].contains(ink1)) << "the drawn rectangle covers the ink";
  EXPECT_TRUE(reported2[0].contains(ink2));
}

}  // namespace
