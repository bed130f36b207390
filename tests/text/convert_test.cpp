#include "text/convert.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"

namespace {

struct ConversionCase {
  const char* name;
  int base;
  bool reverse;
  std::vector<BYTE> text;
  int n;  // -1: the whole text
  std::u16string expected;
  int extra;
};

void CheckConversion(const ConversionCase& c) {
  AppState.Font.FontAsciiBase = c.base;
  AppState.Flags = c.reverse ? kReverseFlag : 0;
  const int n = c.n < 0 ? static_cast<int>(c.text.size()) : c.n;
  int extra = 99;
  WCHAR* converted = TextToFont(c.text.data(), n, nullptr, &extra);
  ASSERT_NE(converted, nullptr) << c.name;
  EXPECT_EQ(std::u16string(converted), c.expected) << c.name;
  EXPECT_EQ(extra, c.extra) << c.name;
  std::free(converted);
  AppState.Flags = 0;
}

TEST(TextToFont, UnicodeColumn) {
  const ConversionCase cases[] = {
      {"pair code gives point then final kaf", 1488, false, {97, 22, 16}, -1, u"\u05D0\u05B8\u05B8\u05DA", 1},
      {"kaf pairs with dagesh and sheva", 1488, false, {17, 18, 19}, -1,
       u"\u05B8\uFB3A\u05B0\u05DA\u05B0\uFB3A", 3},
      {"lamed pairs give holam first", 1488, false, {89, 90}, -1, u"\u05B9\uFB3C\u05B9\u05DC", 2},
      {"holam and vav with holam", 1488, false, {31, 88}, -1, u"\u05B9\uFB4B", 0},
      {"marked letters are not capitals", 1488, false, {65, 69, 87, 20}, -1, u"\uFB2A\uFB31\uFB4A\uFB48", 0},
      {"first and last letter", 1488, false, {97, 107, 123}, -1, u"\u05D0\u05DA\u05EA", 0},
      {"ASCII passes", 1488, false, {'1', '.', ' ', '-', '?'}, -1, u"1. -?", 0},
      {"unassigned codes pass", 1488, false, {5, 124, 200}, -1, u"\u0005\u007C\u00C8", 0},
      {"stops at a zero byte", 1488, false, {97, 0, 98}, 3, u"\u05D0", 0},
      {"at most n bytes", 1488, false, {97, 98, 99}, 2, u"\u05D0\u05D1", 0},
      {"n = 0 gives only the terminator", 1488, true, {97, 98}, 0, u"", 0},
  };
  for (const ConversionCase& c : cases) CheckConversion(c);
}

TEST(TextToFont, SingleByteColumn) {
  const ConversionCase cases[] = {
      {"points dropped, pair gives its letter", 224, false, {97, 22, 16}, -1, u"\u00E0\u00EA", -1},
      {"holam dropped", 224, false, {31}, -1, u"", -1},
      {"every point dropped", 224, false, {21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31}, -1, u"", -11},
      {"marked letters give their plain letter", 224, false, {65, 66, 88, 20, 77}, -1,
       u"\u00F9\u00F9\u00E5\u00F8\u00EA", 0},
      {"lamed pairs give lamed", 224, false, {89, 90}, -1, u"\u00EC\u00EC", 0},
      {"letters at 0xE0", 224, false, {97, 123}, -1, u"\u00E0\u00FA", 0},
      {"ASCII and unassigned pass", 224, false, {'(', '7', 3, 250}, -1, u"(7\u0003\u00FA", 0},
      {"base 97 uses the same column", 97, false, {97, 22, 98}, -1, u"\u00E0\u00E1", -1},
  };
  for (const ConversionCase& c : cases) CheckConversion(c);
}

TEST(TextToFont, Reverse) {
  const ConversionCase cases[] = {
      {"unicode reversed, bracket exchanged", 1488, true, {40, 97, 98}, -1, u"\u05D1\u05D0)", 0},
      {"unicode pair reversed as code points", 1488, true, {97, 16}, -1, u"\u05DA\u05B8\u05D0", 1},
      {"square brackets and brace", 1488, true, {91, 93, 125, 41}, -1, u"({[]", 0},
      {"single-byte reversed", 224, true, {40, 97, 98}, -1, u"\u00E1\u00E0)", 0},
      {"base 97 is never reversed", 97, true, {40, 97, 98}, -1, u"(\u00E0\u00E1", 0},
      {"off keeps stored order", 1488, false, {40, 97, 98}, -1, u"(\u05D0\u05D1", 0},
  };
  for (const ConversionCase& c : cases) CheckConversion(c);
}

TEST(TextToFont, ConvBufferIsReusedAndGrows) {
  AppState.Font.FontAsciiBase = 1488;
  const BYTE text[] = {97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 0};
  const WCHAR* first = TextToFont(text, 4, &ConvBuffer, nullptr);
  EXPECT_EQ(ConvBuffer.Capacity, 4);
  EXPECT_EQ(TextToFont(text, 3, &ConvBuffer, nullptr), first);
  EXPECT_EQ(ConvBuffer.Capacity, 4);
  // Pair codes need two code points per byte: the buffer holds them.
  const BYTE pairs[] = {16, 17, 18, 19, 0};
  EXPECT_EQ(std::u16string(TextToFont(pairs, 4, &ConvBuffer, nullptr)).size(), 8u);
  EXPECT_EQ(std::u16string(TextToFont(text, 10, &ConvBuffer, nullptr)).size(), 10u);
  EXPECT_GE(ConvBuffer.Capacity, 10);
}

TEST(ReverseMirrored, ReversesAndExchangesBrackets) {
  std::u16string s = u"a(b[c{d}e]f)g";
  EXPECT_EQ(ReverseMirrored(s.data(), static_cast<int>(s.size())), 0);
  EXPECT_EQ(s, u"g(f[e{d}c]b)a");
  std::u16string part = u"(ab)";
  ReverseMirrored(part.data(), 2);
  EXPECT_EQ(part, u"a)b)");
}

struct FitCase {
  const char* name;
  std::vector<BYTE> text;
  int maxWidth;
  int count;
  RunFit expected;
};

// Every measured code is 10 wide except alef (97) 7, bet (98) 12 and
// the pair code 16 (final kaf) 9; vowel points are 0 as in a real table.
std::vector<WORD> FixedWidths() {
  std::vector<WORD> widths(112, 10);
  widths[97 - 16] = 7;
  widths[98 - 16] = 12;
  widths[16 - 16] = 9;
  for (int c = 21; c <= 31; ++c) widths[c - 16] = 0;
  return widths;
}

TEST(FitByWidths, FitsByTheTable) {
  const std::vector<WORD> widths = FixedWidths();
  const FitCase cases[] = {
      {"vowel points alone fit with width 0", {21, 22, 31}, 0, 3, {0, 3}},
      {"first letter wider than the limit", {98, 97}, 11, 2, {0, 0}},
      {"leading zero-width bytes still fit", {22, 98}, 11, 2, {0, 1}},
      {"exact width fits", {97, 98}, 19, 2, {19, 2}},
      {"one pixel short", {97, 98}, 18, 2, {7, 1}},
      {"points after the last letter come along", {97, 22, 27, 98}, 7, 4, {7, 3}},
      {"pair code measured as its letter", {16, 97}, 16, 2, {16, 2}},
      {"stops at a zero byte", {97, 0, 98}, 100, 3, {7, 1}},
      {"at most count bytes", {97, 97, 97}, 100, 2, {14, 2}},
      {"unassigned codes have no width", {5, 200, 255, 97}, 7, 4, {7, 4}},
      {"codes 124 to 127 are measured", {124, 127}, 15, 2, {10, 1}},
  };
  for (const FitCase& c : cases) {
    const RunFit fit = FitByWidths(widths.data(), c.text.data(), c.maxWidth, c.count);
    EXPECT_EQ(fit.Width, c.expected.Width) << c.name;
    EXPECT_EQ(fit.Count, c.expected.Count) << c.name;
  }
}

TEST(FitByWidths, WithoutTableKeepsCount) {
  const BYTE text[] = {97, 98, 0};
  const RunFit fit = FitByWidths(nullptr, text, 100, 2);
  EXPECT_EQ(fit.Width, 0);
  EXPECT_EQ(fit.Count, 2);
}

}  // namespace
