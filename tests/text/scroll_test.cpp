#include "text/scroll.h"

#include <gtest/gtest.h>

#include <vector>

#include "text/layout.h"
#include "text/view.h"

namespace {

struct TestLine {
  std::uint16_t offset;
  std::uint16_t count;
  std::uint16_t height;
  BYTE attr;
};

// A view over a hand-built line table (no DC, no Text): what scrolling reads.
struct LinesView {
  std::vector<LineEntry> lines;
  TextView view{};

  LinesView(const std::vector<TestLine>& table, int height) {
    int total = 0;
    for (const TestLine& t : table) {
      lines.push_back(LineEntry{t.offset, t.count, 0, 0, 100, t.height, t.attr});
      total += DisplayLines(lines.back());
    }
    lines.push_back(LineEntry{});
    view.Lines = lines.data();
    view.LineCount = static_cast<std::uint16_t>(table.size());
    view.LineCapacity = view.LineCount;
    view.TotalLines = static_cast<std::uint16_t>(total);
    view.Height = height;
  }
};

constexpr BYTE kPlain = 0x31;
constexpr BYTE kBlank = 0xB1;

TEST(ComputeMaxTopLine, CountsTheLastPage) {
  struct Case {
    const char* name;
    std::vector<TestLine> lines;
    int height;
    int expected;
  };
  const Case cases[] = {
      {"all fits", {{0, 1, 20, kBlank}, {2, 1, 20, kPlain}}, 100, 0},
      {"blank half fits exactly", {{0, 1, 20, kBlank}, {2, 1, 20, kPlain}, {4, 1, 20, kPlain}, {6, 1, 20, kPlain}},
       100, 0},
      {"blank half does not fit",
       {{0, 1, 20, kBlank}, {2, 1, 20, kBlank}, {4, 1, 20, kPlain}, {6, 1, 20, kPlain}, {8, 1, 20, kPlain},
        {10, 1, 20, kPlain}},
       100, 3},
      {"last line taller than the area", {{0, 1, 20, kPlain}, {2, 1, 120, kPlain}}, 100, 2},
      {"mixed heights", {{0, 1, 30, kPlain}, {2, 1, 30, kPlain}, {4, 1, 30, kPlain}, {6, 1, 30, kPlain}}, 100, 1},
  };
  for (const Case& c : cases) {
    LinesView v(c.lines, c.height);
    EXPECT_EQ(ComputeMaxTopLine(&v.view), c.expected) << c.name;
    EXPECT_EQ(v.view.MaxTopLine, c.expected) << c.name;
  }
}

TEST(ComputeMaxTopLine, WithoutLinesLeavesMaxTopLine) {
  LinesView v({}, 100);
  v.view.MaxTopLine = 0;
  EXPECT_EQ(ComputeMaxTopLine(&v.view), -1);
  EXPECT_EQ(v.view.MaxTopLine, 0);
  EXPECT_EQ(ComputeMaxTopLine(nullptr), -1);
}

TEST(ScrollView, MovesAndClamps) {
  struct Case {
    int total, maxTop, top, delta;
    ScrollClamp clamp;
    int expectedTop, expectedResult;
  };
  const Case cases[] = {
      {10, 0, 0, 1, ScrollClamp::Clamp, 0, kScrollUnchanged},  // fits one page
      {100, 80, 2, -5, ScrollClamp::Clamp, 0, kScrollMovedUnpainted},
      {100, 80, 0, -1, ScrollClamp::Clamp, 0, kScrollUnchanged},
      {100, 80, 75, 19, ScrollClamp::Clamp, 94, kScrollMovedUnpainted},  // past MaxTopLine in full
      {100, 80, 94, 19, ScrollClamp::Clamp, 94, kScrollUnchanged},       // then refused
      {100, 80, 94, -19, ScrollClamp::Clamp, 75, kScrollMovedUnpainted},
      {100, 80, 75, 40, ScrollClamp::Clamp, 80, kScrollMovedUnpainted},  // past TotalLines
      {100, 80, 80, 1, ScrollClamp::Clamp, 80, kScrollUnchanged},
      {100, 80, 79, 1, ScrollClamp::Clamp, 80, kScrollMovedUnpainted},
      {100, 80, 0, 0, ScrollClamp::Clamp, 0, kScrollUnchanged},
      {100, 80, 85, 5, ScrollClamp::None, 90, kScrollMovedUnpainted},  // unclamped, within TotalLines
      {100, 80, 85, 20, ScrollClamp::None, 85, kScrollUnchanged},      // unclamped, past TotalLines
      {50, 30, 70, -1, ScrollClamp::Clamp, 30, kScrollMovedUnpainted}, // saved position past the end
  };
  for (const Case& c : cases) {
    TextView view{};
    view.TotalLines = static_cast<std::uint16_t>(c.total);
    view.MaxTopLine = static_cast<std::uint16_t>(c.maxTop);
    view.TopLine = static_cast<std::uint16_t>(c.top);
    const int result = ScrollView(&view, c.delta, ScrollPaint::None, c.clamp);
    EXPECT_EQ(view.TopLine, c.expectedTop) << c.total << "/" << c.maxTop << " top " << c.top << " delta " << c.delta;
    EXPECT_EQ(result, c.expectedResult) << c.total << "/" << c.maxTop << " top " << c.top << " delta " << c.delta;
  }
  EXPECT_EQ(ScrollView(nullptr, 1, ScrollPaint::Repaint, ScrollClamp::Clamp), -1);
}

TEST(ScrollToOffset, BringsTheLineHoldingTheOffsetUp) {
  // Lines 0..5 with display lines 0, 2, 3, 5, 6, 7 (two blank halves);
  // TotalLines 8; a 60-pixel area shows the last three lines: MaxTopLine 5.
  LinesView v({{10, 5, 20, kBlank}, {16, 4, 20, kPlain}, {30, 6, 20, kBlank},
               {37, 3, 20, kPlain}, {41, 0, 20, 0x37}, {50, 5, 20, kPlain}},
              60);
  ComputeMaxTopLine(&v.view);
  ASSERT_EQ(v.view.MaxTopLine, 5);
  struct Case {
    int offset;
    int result;
    int top;
  };
  const Case cases[] = {
      {10, 1, 0},   // a line's first byte
      {15, 1, 0},   // right after its body: the first line that matches wins
      {16, 1, 2},
      {17, 1, 2},
      {33, 1, 3},
      {52, 1, 5},   // on the last page: MaxTopLine
      {41, 1, 5},   // a rule matches its own position
      {42, 0, 9},   // in no line: TopLine unchanged
      {25, 0, 9},
  };
  for (const Case& c : cases) {
    v.view.TopLine = 9;
    EXPECT_EQ(ScrollToOffset(&v.view, c.offset), c.result) << "offset " << c.offset;
    EXPECT_EQ(v.view.TopLine, c.top) << "offset " << c.offset;
  }
}

}  // namespace
