// Device contexts: colours and modes, objects, fills and rectangles, memory
// DCs and surfaces, checked through GetPixel.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi.h"
#include "platform/qt/tests/gdi_test_support.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct PixelCase {
  const char* name;
  int x;
  int y;
  COLORREF expected;
};

void ExpectPixels(HDC dc, const std::vector<PixelCase>& cases) {
  for (const PixelCase& c : cases)
    EXPECT_EQ(GetPixel(dc, c.x, c.y), c.expected) << c.name << " at " << c.x << "," << c.y;
}

TEST(GdiDc, ColoursAndModesReturnWhatTheyReplaced) {
  TestSurface s;
  EXPECT_EQ(GetTextColor(s.dc), kBlack);
  EXPECT_EQ(GetBkColor(s.dc), kWhite);
  EXPECT_EQ(GetBkMode(s.dc), OPAQUE);
  EXPECT_EQ(SetTextColor(s.dc, kRed), kBlack);
  EXPECT_EQ(SetTextColor(s.dc, kBlue), kRed);
  EXPECT_EQ(GetTextColor(s.dc), kBlue);
  EXPECT_EQ(SetBkColor(s.dc, kRed), kWhite);
  EXPECT_EQ(GetBkColor(s.dc), kRed);
  EXPECT_EQ(SetBkMode(s.dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(s.dc, 7), 0) << "an unknown mode is refused";
  EXPECT_EQ(GetBkMode(s.dc), TRANSPARENT);
  EXPECT_EQ(GetTextColor(nullptr), CLR_INVALID);
}

TEST(GdiDc, FillRectCoversLeftAndTopButNotRightAndBottom) {
  TestSurface s;
  const RECT rect{2, 3, 6, 8};
  HBRUSH red = CreateSolidBrush(kRed);
  EXPECT_EQ(FillRect(s.dc, &rect, red), 1);
  ExpectPixels(s.dc, {{"top left", 2, 3, kRed},
                      {"bottom right inside", 5, 7, kRed},
                      {"right edge", 6, 7, kWhite},
                      {"bottom edge", 5, 8, kWhite},
                      {"left of it", 1, 3, kWhite},
                      {"above it", 2, 2, kWhite}});
  const RECT all{0, 0, 64, 64};
  EXPECT_EQ(FillRect(s.dc, &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 1);
  EXPECT_EQ(GetPixel(s.dc, 2, 3), kRed) << "the null brush fills nothing";
  EXPECT_EQ(FillRect(s.dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_PEN))), 0)
      << "a pen is not a brush";
  DeleteObject(red);
}

TEST(GdiDc, StockBrushesHaveTheirGreys) {
  TestSurface s;
  const struct {
    int stock;
    COLORREF colour;
  } cases[] = {{WHITE_BRUSH, kWhite},
               {LTGRAY_BRUSH, RGB(192, 192, 192)},
               {GRAY_BRUSH, RGB(128, 128, 128)},
               {DKGRAY_BRUSH, RGB(64, 64, 64)},
               {BLACK_BRUSH, kBlack}};
  for (const auto& c : cases) {
    const RECT rect{0, 0, 4, 4};
    FillRect(s.dc, &rect, static_cast<HBRUSH>(GetStockObject(c.stock)));
    EXPECT_EQ(GetPixel(s.dc, 1, 1), c.colour) << "stock brush " << c.stock;
  }
}

TEST(GdiDc, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
  TestSurface s;
  HPEN bluePen = CreatePen(PS_SOLID, 0, kBlue);
  HBRUSH red = CreateSolidBrush(kRed);
  HGDIOBJ oldPen = SelectObject(s.dc, bluePen);
  HGDIOBJ oldBrush = SelectObject(s.dc, red);
  EXPECT_TRUE(Rectangle(s.dc, 10, 10, 20, 15));
  ExpectPixels(s.dc, {{"top left corner", 10, 10, kBlue},
                      {"top edge", 15, 10, kBlue},
                      {"right edge is the last column", 19, 12, kBlue},
                      {"bottom edge is the last row", 15, 14, kBlue},
                      {"inside", 15, 12, kRed},
                      {"past the right", 20, 12, kWhite},
                      {"past the bottom", 15, 15, kWhite}});

  // One pixel high: the rule of a page, a line in the pen's colour.
  SelectObject(s.dc, GetStockObject(BLACK_PEN));
  Rectangle(s.dc, 30, 40, 50, 41);
  ExpectPixels(s.dc, {{"rule start", 30, 40, kBlack},
                      {"rule end", 49, 40, kBlack},
                      {"after the rule", 50, 40, kWhite},
                      {"below the rule", 40, 41, kWhite}});

  // Without a pen the fill stops one pixel short on the right and bottom.
  SelectObject(s.dc, GetStockObject(NULL_PEN));
  Rectangle(s.dc, 40, 50, 44, 54);
  ExpectPixels(s.dc, {{"no pen: top left filled", 40, 50, kRed},
                      {"no pen: last filled", 42, 52, kRed},
                      {"no pen: right column left", 43, 52, kWhite},
                      {"no pen: bottom row left", 42, 53, kWhite}});
  SelectObject(s.dc, oldPen);
  SelectObject(s.dc, oldBrush);
  DeleteObject(bluePen);
  DeleteObject(red);
}

TEST(GdiDc, SelectObjectReturnsWhatItReplacedOfTheSameKind) {
  TestSurface s;
  HBRUSH red = CreateSolidBrush(kRed);
  HPEN pen = CreatePen(PS_SOLID, 0, kBlue);
  HFONT font = MakeFont(u"", 20);
  EXPECT_EQ(SelectObject(s.dc, red), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(s.dc, pen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(s.dc, font), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(SelectObject(s.dc, GetStockObject(NULL_BRUSH)), red);
  EXPECT_EQ(SelectObject(s.dc, GetStockObject(NULL_PEN)), pen);
  EXPECT_EQ(SelectObject(s.dc, GetStockObject(SYSTEM_FONT)), font);
  EXPECT_EQ(SelectObject(s.dc, nullptr), nullptr);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(red), static_cast<HGDIOBJ>(pen),
                         static_cast<HGDIOBJ>(font)})
    EXPECT_TRUE(DeleteObject(object));
}

TEST(GdiDc, AnObjectDeletedWhileSelectedStaysUsableUntilReplaced) {
  TestSurface s;
  HBRUSH red = CreateSolidBrush(kRed);
  SelectObject(s.dc, red);
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_FALSE(DeleteObject(red)) << "deleted once already";
  EXPECT_EQ(SelectObject(s.dc, red), nullptr) << "a deleted object cannot be selected again";
  EXPECT_TRUE(Rectangle(s.dc, 0, 0, 10, 10));
  EXPECT_EQ(GetPixel(s.dc, 5, 5), kRed) << "still selected, still drawing";
  SelectObject(s.dc, GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
  EXPECT_NE(SelectObject(s.dc, GetStockObject(WHITE_BRUSH)), nullptr)
      << "stock objects are never deleted";
}

TEST(GdiDc, MemoryDcDrawsIntoItsSelectedBitmap) {
  HDC memory = CreateCompatibleDC(nullptr);
  ASSERT_NE(memory, nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(memory, 16, 8);
  ASSERT_NE(bitmap, nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  EXPECT_NE(previous, nullptr) << "a memory DC starts with a default bitmap";
  EXPECT_EQ(GetPixel(memory, 0, 0), kBlack) << "a new bitmap is black";
  const RECT rect{4, 2, 8, 4};
  FillRect(memory, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ExpectPixels(memory, {{"filled", 4, 2, kWhite},
                        {"outside", 8, 2, kBlack},
                        {"beyond the bitmap", 16, 0, CLR_INVALID},
                        {"negative", -1, 0, CLR_INVALID}});

  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, bitmap), nullptr) << "a bitmap is in one DC at a time";
  EXPECT_EQ(SelectObject(memory, previous), bitmap);
  EXPECT_NE(SelectObject(other, bitmap), nullptr) << "free again once replaced";
  EXPECT_TRUE(DeleteDC(other));
  EXPECT_TRUE(DeleteDC(memory));
  EXPECT_FALSE(DeleteDC(memory)) << "already deleted";
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(GdiDc, BitmapsGoOnlyIntoMemoryDcs) {
  TestSurface s;
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 1, nullptr);
  EXPECT_EQ(SelectObject(s.dc, bitmap), nullptr);
  DeleteObject(bitmap);
}

TEST(GdiDc, SurfaceDcFollowsTheImageAndReportsWhatItDrew) {
  TestSurface s(20, 20);
  std::vector<QRect> drawn;
  s.surface.drawn = [&drawn](const QRect& rect) { drawn.push_back(rect); };
  SetTextColor(s.dc, kBlue);

  // The window re-makes its image on a resize; the DC keeps its state.
  s.surface.image = QImage(40, 30, QImage::Format_RGB32);
  s.surface.image.fill(Qt::white);
  const RECT rect{30, 20, 35, 25};
  FillRect(s.dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(GetPixel(s.dc, 30, 20), kBlack);
  EXPECT_EQ(GetTextColor(s.dc), kBlue);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0], QRect(30, 20, 5, 5));
  Rectangle(s.dc, 1, 2, 5, 6);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[1], QRect(1, 2, 4, 4));
}

TEST(GdiDc, HighDensitySurfaceTakesLogicalCoordinates) {
  TestSurface s(20, 20, 2.0);
  const RECT rect{3, 4, 5, 6};
  FillRect(s.dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(GetPixel(s.dc, 3, 4), kBlack);
  EXPECT_EQ(GetPixel(s.dc, 5, 4), kWhite);
  const QImage& image = s.surface.image;
  EXPECT_EQ(image.pixel(6, 8), qRgb(0, 0, 0)) << "device pixels of logical (3, 4)";
  EXPECT_EQ(image.pixel(9, 11), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(10, 11), qRgb(255, 255, 255));
  EXPECT_EQ(GetPixel(s.dc, 20, 0), CLR_INVALID);
}

}  // namespace
