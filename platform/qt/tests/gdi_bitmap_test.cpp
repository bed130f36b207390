// Bitmaps: made from bits, loaded from resources, copied and stretched into
// colour DCs, where a 1-bit bitmap's black takes the text colour and its
// white the background colour.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/gdi.h"
#include "platform/resources.h"
#include "platform/qt/tests/gdi_test_support.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A 4 x 2 one-bit pattern, rows padded to 16 bits: 1 is white, 0 black.
//   row 0: black white black white
//   row 1: white white black black
constexpr unsigned char kPattern[] = {0b01010000, 0, 0b11000000, 0};

// Copies `bitmap` 1:1 to (x, y) of the surface with the given colours.
void Blit(TestSurface& s, HBITMAP bitmap, int x, int y, int width, int height) {
  HDC memory = CreateCompatibleDC(s.dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  ASSERT_NE(old, nullptr);
  EXPECT_TRUE(BitBlt(s.dc, x, y, width, height, memory, 0, 0, SRCCOPY));
  SelectObject(memory, old);
  DeleteDC(memory);
}

TEST(GdiBitmaps, OneBitBlackTakesTheTextColourAndWhiteTheBackground) {
  TestSurface s;
  HBITMAP bitmap = CreateBitmap(4, 2, 1, 1, kPattern);
  ASSERT_NE(bitmap, nullptr);
  SetTextColor(s.dc, kRed);
  SetBkColor(s.dc, kBlue);
  Blit(s, bitmap, 10, 20, 4, 2);
  const struct {
    int x;
    int y;
    COLORREF expected;
  } cases[] = {{10, 20, kRed},  {11, 20, kBlue}, {12, 20, kRed},  {13, 20, kBlue},
               {10, 21, kBlue}, {11, 21, kBlue}, {12, 21, kRed},  {13, 21, kRed},
               {14, 20, kWhite}, {10, 22, kWhite}};
  for (const auto& c : cases)
    EXPECT_EQ(GetPixel(s.dc, c.x, c.y), c.expected) << "at " << c.x << "," << c.y;
  DeleteObject(bitmap);
}

TEST(GdiBitmaps, StretchBltScalesEachPixel) {
  TestSurface s;
  HBITMAP bitmap = CreateBitmap(4, 2, 1, 1, kPattern);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  EXPECT_TRUE(StretchBlt(s.dc, 0, 0, 8, 4, memory, 0, 0, 4, 2, SRCCOPY));
  EXPECT_EQ(GetPixel(s.dc, 0, 0), kBlack);
  EXPECT_EQ(GetPixel(s.dc, 1, 1), kBlack) << "pixel (0, 0) doubled";
  EXPECT_EQ(GetPixel(s.dc, 2, 0), kWhite);
  EXPECT_EQ(GetPixel(s.dc, 7, 3), kBlack);
  EXPECT_FALSE(StretchBlt(s.dc, 0, 0, 8, 4, memory, 0, 0, 4, 2, 0x00EE0086))
      << "only SRCCOPY";
  EXPECT_FALSE(StretchBlt(s.dc, 0, 0, 0, 4, memory, 0, 0, 4, 2, SRCCOPY));
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

TEST(GdiBitmaps, SixteenColourBitsUseTheStandardPalette) {
  TestSurface s;
  // Two pixels a byte, high nibble first: red (9), lime (10), blue (12), white (15).
  const unsigned char bits[] = {0x9A, 0xCF};
  HBITMAP bitmap = CreateBitmap(4, 1, 1, 4, bits);
  ASSERT_NE(bitmap, nullptr);
  SetTextColor(s.dc, kBlue);  // colour bitmaps ignore the DC's colours
  Blit(s, bitmap, 0, 0, 4, 1);
  EXPECT_EQ(GetPixel(s.dc, 0, 0), kRed);
  EXPECT_EQ(GetPixel(s.dc, 1, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(s.dc, 2, 0), kBlue);
  EXPECT_EQ(GetPixel(s.dc, 3, 0), kWhite);
  DeleteObject(bitmap);
  EXPECT_EQ(CreateBitmap(4, 1, 1, 8, bits), nullptr) << "8 bits per pixel are not supported";
  EXPECT_EQ(CreateBitmap(0, 1, 1, 1, bits), nullptr);
}

TEST(GdiBitmaps, CopyIntoAMonochromeBitmapKeepsTheSourceBackgroundWhite) {
  TestSurface s;
  const RECT dot{1, 0, 2, 1};
  FillRect(s.dc, &dot, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  HBITMAP bitmap = CreateBitmap(2, 1, 1, 1, nullptr);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  EXPECT_TRUE(BitBlt(memory, 0, 0, 2, 1, s.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(memory, 0, 0), kWhite) << "the source's background colour";
  EXPECT_EQ(GetPixel(memory, 1, 0), kBlack) << "any other colour";
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

// Resource fixtures: a PBM (1-bit) and an XPM with a transparent pixel.
const char kPbm[] = "P1\n3 2\n1 0 1\n0 0 1\n";
const char kXpm[] =
    "/* XPM */\n"
    "static char *icon[] = {\n"
    "\"3 1 3 1\",\n"
    "\"r c #FF0000\",\n"
    "\"g c #00FF00\",\n"
    "\". c None\",\n"
    "\"rg.\"};\n";
const char kDamaged[] = "P1\n3 2\n";
const ResourceEntry kResources[] = {
    {2, 201, kPbm, sizeof kPbm - 1},
    {2, 202, kXpm, sizeof kXpm - 1},
    {2, 203, kDamaged, sizeof kDamaged - 1},
};

TEST(GdiBitmaps, LoadBitmapReadsPbmAsOneBitAndXpmInColour) {
  InstallResources(kResources, std::size(kResources));
  TestSurface s;
  SetTextColor(s.dc, kRed);
  SetBkColor(s.dc, kBlue);
  HBITMAP pbm = LoadBitmapW(nullptr, MAKEINTRESOURCEW(201));
  ASSERT_NE(pbm, nullptr);
  Blit(s, pbm, 0, 0, 3, 2);
  EXPECT_EQ(GetPixel(s.dc, 0, 0), kRed) << "PBM 1 is black: the text colour";
  EXPECT_EQ(GetPixel(s.dc, 1, 0), kBlue) << "PBM 0 is white: the background colour";
  HBITMAP xpm = LoadBitmapW(nullptr, MAKEINTRESOURCEW(202));
  ASSERT_NE(xpm, nullptr);
  Blit(s, xpm, 0, 5, 3, 1);
  EXPECT_EQ(GetPixel(s.dc, 0, 5), kRed);
  EXPECT_EQ(GetPixel(s.dc, 1, 5), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(s.dc, 2, 5), kWhite) << "transparent turns white";
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(203)), nullptr) << "damaged";
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(204)), nullptr) << "missing";
  DeleteObject(pbm);
  DeleteObject(xpm);
  InstallResources(nullptr, 0);
}

TEST(GdiBitmaps, CompatibleBitmapOfAHighDensitySurfaceKeepsItsPixelRatio) {
  TestSurface s(20, 20, 2.0);
  HDC memory = CreateCompatibleDC(s.dc);
  HBITMAP bitmap = CreateCompatibleBitmap(s.dc, 4, 4);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const RECT half{0, 0, 2, 4};
  FillRect(memory, &half, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const RECT black{0, 0, 20, 20};
  FillRect(s.dc, &black, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_TRUE(BitBlt(s.dc, 10, 10, 4, 4, memory, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(s.dc, 11, 13), kWhite);
  EXPECT_EQ(GetPixel(s.dc, 12, 13), kBlack);
  EXPECT_EQ(s.surface.image.pixel(23, 27), qRgb(255, 255, 255)) << "device pixels copied 1:1";
  EXPECT_EQ(s.surface.image.pixel(24, 27), qRgb(0, 0, 0));
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

}  // namespace
