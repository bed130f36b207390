// Fonts, text measuring and text drawing, checked through metrics and pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi.h"
#include "tests/platform/gdi_test_support.h"

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
    HFONT font = MakeFont(u"David CLM", lfHeight);
    HGDIOBJ old = SelectObject(s.dc, font);
    TEXTMETRICW metrics{};
    EXPECT_TRUE(GetTextMetricsW(s.dc, &metrics));
    SelectObject(s.dc, old);
    DeleteObject(font);
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
    HFONT font = MakeFont(face, 24);
    HGDIOBJ old = SelectObject(s.dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(s.dc, &metrics);
    const int width = Extent(s.dc, hebrew);
    SelectObject(s.dc, old);
    DeleteObject(font);
    return std::pair(metrics.tmHeight, width);
  };
  EXPECT_EQ(measure(u""), measure(u"Ezra SIL"));
}

TEST(GdiFonts, MaxCharWidthCoversEveryLetter) {
  TestSurface s;
  HFONT font = MakeFont(u"Frank Ruehl CLM", 20);
  SelectObject(s.dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(s.dc, &metrics);
  for (char16_t letter = u'\u05D0'; letter <= u'\u05EA'; ++letter)
    EXPECT_LE(Extent(s.dc, std::u16string(1, letter)), metrics.tmMaxCharWidth)
        << "U+" << std::hex << static_cast<int>(letter);
  SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
}

TEST(GdiFonts, FitCountsStopBeforeTheFirstCharacterPastTheLimit) {
  TestSurface s;
  HFONT font = MakeFont(u"DejaVu Sans", 16);
  SelectObject(s.dc, font);
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
  SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
}

TEST(GdiText, OpaqueBackgroundFillsTheTextCellTransparentLeavesIt) {
  const COLORREF red = RGB(255, 0, 0);
  const COLORREF green = RGB(0, 255, 0);
  for (int mode : {OPAQUE, TRANSPARENT}) {
    TestSurface s;
    HFONT font = MakeFont(u"DejaVu Sans", 16);
    SelectObject(s.dc, font);
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
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    DeleteObject(redBrush);
  }
}

TEST(GdiText, DrawTextAlignsAndClipsToTheRectangle) {
  TestSurface s(120, 40);
  HFONT font = MakeFont(u"DejaVu Sans", 16);
  SelectObject(s.dc, font);
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
  SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
}

TEST(GdiText, WordBreakStacksLines) {
  TestSurface s(120, 80);
  HFONT font = MakeFont(u"DejaVu Sans", 16);
  SelectObject(s.dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(s.dc, &metrics);
  RECT rect{0, 0, Extent(s.dc, u"ab cd") , 80};
  EXPECT_EQ(DrawTextW(s.dc, u"ab cd ef", -1, &rect, DT_WORDBREAK), 2 * metrics.tmHeight);
  EXPECT_EQ(DrawTextW(s.dc, u"ab\r\ncd\nef", -1, &rect, DT_LEFT), 3 * metrics.tmHeight);
  EXPECT_EQ(DrawTextW(s.dc, u"ab\ncd", -1, &rect, DT_SINGLELINE), metrics.tmHeight);
  SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
}

TEST(GdiText, ExtTextOutClipsToItsRectangle) {
  TestSurface s(120, 40);
  HFONT font = MakeFont(u"DejaVu Sans", 16);
  SelectObject(s.dc, font);
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
  SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
}

}  // namespace
