#include "text/view.h"

#include <gtest/gtest.h>

#include <string>

#include "text/convert.h"
#include "text/layout.h"
#include "tests/text/view_fixture.h"

namespace {

class ViewTest : public testing::Test {
 protected:
  fixture::MemoryDC memory{200, 100};
  TextView* view = nullptr;

  void MakeView(int fontSize, int base = kUnicodeBase) {
    AppState.Font = FontChoice{};
    AppState.Font.FontSize = fontSize;
    AppState.Font.FontAsciiBase = base;
    SetFontName(AppState.Font, u"DejaVu Sans");
    const RECT rect{0, 0, 200, 100};
    view = CreateView(memory.dc, &rect, &AppState.Font, 100);
    ASSERT_NE(view, nullptr);
  }
  void TearDown() override {
    FreeView(view, FreeRecord::Release);
    AppState.Font.FontAsciiBase = kUnicodeBase;
  }

  // The extent of one code point in the font current in the DC.
  int Extent(WCHAR point) {
    SIZE size{};
    GetTextExtentExPointW(memory.dc, &point, 1, -1, nullptr, nullptr, &size);
    return size.cx;
  }
  TEXTMETRICW Metrics() {
    TEXTMETRICW metrics{};
    GetTextMetricsW(memory.dc, &metrics);
    return metrics;
  }
};

TEST_F(ViewTest, CreateGivesAnEmptyTable) {
  MakeView(16);
  EXPECT_EQ(view->LineCapacity, 100);
  EXPECT_EQ(view->LineCount, 0);
  EXPECT_EQ(view->Lines[0].Attr, 0);
  EXPECT_EQ(view->Lines[0].Offset + view->Lines[0].Count + view->Lines[0].Width, 0);
  EXPECT_EQ(view->Width, 200);
  EXPECT_EQ(view->Height, 100);
  EXPECT_EQ(CreateView(nullptr, nullptr, &AppState.Font, 100), nullptr);
  TextView* bare = CreateView(memory.dc, nullptr, nullptr, 0);
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(bare->Lines, nullptr);
  FreeView(bare, FreeRecord::Release);
}

TEST_F(ViewTest, StyleKeyMakesSizeAndWeight) {
  struct Case {
    int fontSize;
    int key;
    LONG height;
    LONG weight;
  };
  const Case cases[] = {
      {16, 0x1C, 20, FW_BOLD},   {16, 0x11, 16, FW_NORMAL}, {16, 0x02, 12, FW_NORMAL},
      {16, 0x06, 20, FW_NORMAL}, {0, 0x1C, 20, FW_BOLD},    {0, 0x02, 14, FW_NORMAL},
      {0, 0x11, 0, FW_NORMAL},   {30, 0x12, 22, FW_NORMAL}, {30, 0x15, 37, FW_NORMAL},
  };
  for (const Case& c : cases) {
    MakeView(c.fontSize);
    HFONT old = SelectStyle(view, c.key);
    const TEXTMETRICW got = Metrics();
    SelectObject(memory.dc, old);
    LOGFONTW want{};
    want.lfHeight = c.height;
    want.lfWeight = c.weight;
    SetFontName(AppState.Font, u"DejaVu Sans");
    std::copy(std::begin(AppState.Font.FontName), std::end(AppState.Font.FontName), want.lfFaceName);
    HFONT font = CreateFontIndirectW(&want);
    old = static_cast<HFONT>(SelectObject(memory.dc, font));
    const TEXTMETRICW expected = Metrics();
    SelectObject(memory.dc, old);
    DeleteObject(font);
    EXPECT_EQ(got.tmHeight, expected.tmHeight) << "size " << c.fontSize << ", key " << c.key;
    EXPECT_EQ(got.tmWeight, expected.tmWeight) << "size " << c.fontSize << ", key " << c.key;
    FreeView(view, FreeRecord::Release);
    view = nullptr;
  }
}

TEST_F(ViewTest, ColourOnlyWhenAsked) {
  MakeView(16);
  struct Case {
    int key;
    COLORREF expected;
  };
  const Case cases[] = {
      {0x1C + kWithColour, kBlue}, {0x11 + kWithColour, kBlack}, {0x0C + kWithColourAlso, kBlue},
      {0x08 + kWithColour, kBlack}, {0x1C, 0x123456},            {0x11, 0x123456},
  };
  for (const Case& c : cases) {
    SetTextColor(memory.dc, 0x123456);
    SelectObject(memory.dc, SelectStyle(view, c.key));
    EXPECT_EQ(GetTextColor(memory.dc), c.expected) << "key " << c.key;
  }
}

TEST_F(ViewTest, WidthTablesInUnicodeMode) {
  MakeView(16);
  HFONT old = SelectStyle(view, 0x11);
  const WORD* widths = view->CharWidths;
  EXPECT_EQ(widths[97 - 16], Extent(u'\u05D0'));
  EXPECT_EQ(widths[16 - 16], Extent(u'\u05DA')) << "pair codes take their letter's width";
  EXPECT_EQ(widths[18 - 16], Extent(u'\u05DA'));
  EXPECT_EQ(widths[17 - 16], Extent(u'\uFB3A'));
  EXPECT_EQ(widths[90 - 16], Extent(u'\u05DC'));
  EXPECT_EQ(widths[89 - 16], Extent(u'\uFB3C'));
  EXPECT_EQ(widths[125 - 16], Extent(u'}'));
  for (int c = 21; c <= 31; ++c) EXPECT_EQ(widths[c - 16], 0) << "point " << c;
  EXPECT_GT(widths[97 - 16], 0);
  SelectObject(memory.dc, old);
}

TEST_F(ViewTest, WidthTablesInSingleByteMode) {
  MakeView(16, kSingleByteBase);
  HFONT old = SelectStyle(view, 0x11);
  EXPECT_EQ(view->CharWidths[97 - 16], Extent(0xE0));
  EXPECT_EQ(view->CharWidths[65 - 16], Extent(0xF9));
  for (int c = 21; c <= 31; ++c) EXPECT_EQ(view->CharWidths[c - 16], 0) << "point " << c;
  SelectObject(memory.dc, old);
}

TEST_F(ViewTest, NewFontChoiceRemeasures) {
  MakeView(16);
  SelectObject(memory.dc, SelectStyle(view, 0x11));
  const WORD small = view->FontList->Widths[97 - 16];
  FontChoice larger = AppState.Font;
  larger.FontSize = 32;
  AppState.Font = larger;
  EXPECT_EQ(SetViewFont(view, &larger), 1) << "no text to lay out";
  EXPECT_EQ(view->FontList->Widths[0], kUnmeasuredWidth0);
  EXPECT_EQ(view->FontList->Widths[1], kUnmeasuredWidth1);
  SelectObject(memory.dc, SelectStyle(view, 0x11));
  EXPECT_GT(view->FontList->Widths[97 - 16], small);

  // Releasing the fonts keeps the entries; the next selection makes the
  // font again in the same entry.
  EXPECT_EQ(SetViewFont(view, nullptr), 0);
  EXPECT_EQ(view->FontList->Handle, nullptr);
  SelectObject(memory.dc, SelectStyle(view, 0x11));
  EXPECT_NE(view->FontList->Handle, nullptr);
  EXPECT_EQ(view->FontList->Next, nullptr);
  EXPECT_EQ(SetViewFont(nullptr, &larger), -1);
}

TEST_F(ViewTest, MeasureRunCountsTextBytes) {
  MakeView(16);
  HFONT old = SelectStyle(view, 0x11);
  // Alef, then final kaf with qamats: three code points from two bytes.
  const BYTE text[] = {97, 16, 98, 0};
  const WCHAR converted[] = {0x05D0, 0x05B8, 0x05DA, 0x05D1};
  SIZE all{};
  GetTextExtentExPointW(memory.dc, converted, 4, -1, nullptr, nullptr, &all);
  const RunFit whole = MeasureRun(memory.dc, text, 1000, 3);
  EXPECT_EQ(whole.Count, 3);
  EXPECT_EQ(whole.Width, all.cx);
  const RunFit first = MeasureRun(memory.dc, text, Extent(0x05D0), 3);
  EXPECT_EQ(first.Count, 1);
  EXPECT_EQ(first.Width, Extent(0x05D0));
  EXPECT_EQ(MeasureRun(memory.dc, text, -1, 3).Count, 0);
  SelectObject(memory.dc, old);
}

}  // namespace
