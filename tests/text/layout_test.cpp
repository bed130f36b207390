#include "text/layout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "text/view.h"
#include "tests/text/view_fixture.h"

namespace {

using fixture::Article;
using fixture::kLeft;
using fixture::kParagraph;
using fixture::kTitle;
using fixture::kTop;

struct Expected {
  int offset;  // from the record's text start
  int count;
  int x;       // from the text area's left
  int hang;
  int width;
  BYTE attr;
};

class LayoutTest : public testing::Test {
 protected:
  fixture::MemoryDC memory{480, 640};
  TextView* view = nullptr;

  void MakeView(int width) { view = fixture::FixedWidthView(memory.dc, kLeft, kTop, width, 600); }
  void TearDown() override { FreeView(view, FreeRecord::Release); }

  int LineHeight(int key) { return fixture::MetricsOf(view, key).tmHeight; }
  int HangOfLevel(int level, int key) { return (level + 1) * fixture::MetricsOf(view, key).tmMaxCharWidth / 2; }

  // Lays the Article out and compares every line (offsets relative to
  // record `record`'s text) and the counts.
  void Check(const char* name, const Article& article, int record, const std::vector<Expected>& lines,
             int heightKey = 0x11) {
    ASSERT_EQ(LayoutArticle(view, article.Copy(), LayoutMode::Replace), kLaidOut) << name;
    ASSERT_EQ(view->LineCount, lines.size()) << name;
    const int base = article.TextOf(record);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const LineEntry& got = view->Lines[i];
      const Expected& want = lines[i];
      EXPECT_EQ(got.Offset, base + want.offset) << name << ", line " << i;
      EXPECT_EQ(got.Count, want.count) << name << ", line " << i;
      EXPECT_EQ(got.X, kLeft + want.x) << name << ", line " << i;
      EXPECT_EQ(got.HangWidth, want.hang) << name << ", line " << i;
      EXPECT_EQ(got.Width, want.width) << name << ", line " << i;
      EXPECT_EQ(got.Height, LineHeight(heightKey)) << name << ", line " << i;
      EXPECT_EQ(got.Attr, want.attr) << name << ", line " << i;
    }
    EXPECT_EQ(view->Lines[lines.size()].Attr, 0) << name << ": table ends with a zero entry";
  }
};

// One paragraph without hang in a 100-pixel area: letters 10, space 5,
// hyphen 4 pixels. The paragraph is the Article's last, so its last line
// loses bit 7.
TEST_F(LayoutTest, BreaksRightToLeftTextInReadingOrder) {
  MakeView(100);
  struct Case {
    const char* name;
    BYTE attr;
    std::string reading;
    std::vector<Expected> lines;
  };
  // "aaaa bbbb cccc dddd" is stored as "dddd cccc bbbb aaaa": the first
  // line holds the first words, at the end of the stored text.
  const Case cases[] = {
      {"space break, right aligned", 0xB1, "aaaa bbbb cccc dddd",
       {{10, 9, 15, 0, 85, 0x31}, {0, 9, 15, 0, 85, 0x31}}},
      {"left aligned", 0x91, "aaaa bbbb cccc dddd", {{10, 9, 0, 0, 85, 0x11}, {0, 9, 0, 0, 85, 0x11}}},
      {"centred", 0xD1, "aaaa bbbb cccc dddd", {{10, 9, 7, 0, 85, 0x51}, {0, 9, 7, 0, 85, 0x51}}},
      {"hyphen stays on the line", 0xB1, "aaaa-bbbbbbb", {{7, 5, 56, 0, 44, 0x31}, {0, 7, 30, 0, 70, 0x31}}},
      {"hyphen at the line's start is no break", 0xB1, "-aaaaaaaaaaaa",
       {{3, 10, 6, 0, 94, 0x31}, {0, 3, 70, 0, 30, 0x31}}},
      {"word longer than the line", 0xB1, "aaaaaaaaaaaaaa", {{4, 10, 0, 0, 100, 0x31}, {0, 4, 60, 0, 40, 0x31}}},
      {"spaces at a break belong to no line", 0xB1, "aaaaaaaa   bbbb",
       {{7, 8, 20, 0, 80, 0x31}, {0, 4, 60, 0, 40, 0x31}}},
      {"vowel points stay with their letter", 0xB1, std::string("aaaaaaaaa") + "b\x16\x1B" + "c",
       {{1, 12, 0, 0, 100, 0x31}, {0, 1, 90, 0, 10, 0x31}}},
  };
  for (const Case& c : cases) Check(c.name, Article().Record(c.attr, 0, c.reading), 0, c.lines);
}

TEST_F(LayoutTest, HangsTheFirstWord) {
  MakeView(100);
  const int hang = HangOfLevel(1, 0x11);
  // Stored x, space, y, space, z: z is the first word, x and y the body.
  Check("one line", Article().Record(kParagraph, 0x40, "z y x"), 0, {{0, 3, 100 - hang - 25, hang, 25, 0x31}});
  // With the area 100 pixels wider than the hang, every body line has 100.
  ASSERT_EQ(ResizeView(view, 100 + hang, 600), kLaidOut);
  Check("body set back on every line", Article().Record(kParagraph, 0x40, "a. bbbb cccc dddd eeee"), 0,
        {{10, 9, 15, hang, 85, 0x31}, {0, 9, 15, 0, 85, 0x31}});
}

TEST_F(LayoutTest, HangLevelsAndIndents) {
  MakeView(200);
  const int maxChar = fixture::MetricsOf(view, 0x11).tmMaxCharWidth;
  struct Case {
    const char* name;
    BYTE indent;
    int hang;
    int x;  // of the one body "bb"
  };
  const Case cases[] = {
      {"level 1", 0x40, 2 * maxChar / 2, 200 - maxChar - 20},
      {"level 3", 0xC0, 4 * maxChar / 2, 200 - 2 * maxChar - 20},
      {"level 1 indent 7", 0x47, maxChar, 200 - 7 - maxChar - 20},
      {"no hang, indent 9", 0x09, 0, 200 - 9 - 38},
  };
  for (const Case& c : cases) {
    const int bodyCount = c.hang > 0 ? 2 : 5;
    Check(c.name, Article().Record(kParagraph, c.indent, "a. bb"), 0,
          {{0, bodyCount, c.x, c.hang, c.hang > 0 ? 20 : 38, 0x31}});
  }
}

TEST_F(LayoutTest, IndentWiderThanTheAreaIsDropped) {
  MakeView(60);
  Check("indent 63 in 60 pixels", Article().Record(kParagraph, 0x3F, "aa"), 0, {{0, 2, 40, 0, 20, 0x31}});
}

TEST_F(LayoutTest, ContinuationKeepsTheParagraphsIndent) {
  MakeView(200);
  const int hang = HangOfLevel(1, 0x11);
  struct Case {
    const char* name;
    BYTE secondIndent;
    int secondX;
  };
  // The continuation's stored text begins with a space (the end of its
  // reading order, which stays on its last line).
  const Case cases[] = {
      {"same indent byte", 0x45, 200 - (5 + hang) - 35},
      {"indent moved by the difference", 0x48, 200 - (5 + hang + 3) - 35},
  };
  for (const Case& c : cases) {
    const Article article = Article().Record(kParagraph, 0x45, "a. bb").Record(kParagraph, c.secondIndent, "ccc ");
    ASSERT_EQ(LayoutArticle(view, article.Copy(), LayoutMode::Replace), kLaidOut) << c.name;
    ASSERT_EQ(view->LineCount, 2) << c.name;
    EXPECT_EQ(view->Lines[0].HangWidth, hang) << c.name;
    EXPECT_EQ(view->Lines[1].HangWidth, 0) << c.name << ": no hanging word";
    EXPECT_EQ(view->Lines[1].Count, 4) << c.name;
    EXPECT_EQ(view->Lines[1].Offset, article.TextOf(1)) << c.name;
    EXPECT_EQ(view->Lines[1].X, kLeft + c.secondX) << c.name;
  }
}

TEST_F(LayoutTest, Rules) {
  MakeView(200);
  const Article article = Article()
                              .Record(0x07, 210, "")   // 100 per cent
                              .Record(0x27, 170, "")   // 20 per cent, right
                              .Record(0x47, 100, "")   // 100 pixels, centred
                              .Record(0x07, 0, "")     // no rule at all
                              .Record(0x07, 161, "")   // 2 per cent
                              .Record(0x87, 255, "");  // 190 per cent: the whole width
  ASSERT_EQ(LayoutArticle(view, article.Copy(), LayoutMode::Replace), kLaidOut);
  const std::vector<Expected> lines = {
      {0, 0, 0, 0, 200, 0x07}, {0, 0, 160, 0, 40, 0x27}, {0, 0, 50, 0, 100, 0x47},
      {0, 0, 0, 0, 4, 0x07},   {0, 0, 0, 0, 200, 0x07},
  };
  ASSERT_EQ(view->LineCount, lines.size());
  const int records[] = {0, 1, 2, 4, 5};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(view->Lines[i].Offset, article.TextOf(records[i])) << "rule " << i;
    EXPECT_EQ(view->Lines[i].X, kLeft + lines[i].x) << "rule " << i;
    EXPECT_EQ(view->Lines[i].Width, lines[i].width) << "rule " << i;
    EXPECT_EQ(view->Lines[i].Count, 0) << "rule " << i;
    EXPECT_EQ(view->Lines[i].Height, LineHeight(1)) << "rule " << i;
    EXPECT_EQ(view->Lines[i].Attr, lines[i].attr) << "rule " << i << " (the last loses bit 7)";
  }
}

TEST_F(LayoutTest, CountsDisplayLines) {
  MakeView(100);
  struct Case {
    const char* name;
    Article article;
    int lineCount;
    int totalLines;
  };
  const Case cases[] = {
      {"title and one paragraph", Article().Record(kTitle, 0, "tt").Record(kParagraph, 0, "aa"), 2, 3},
      {"multi-line paragraphs keep bit 7 on their last line only",
       Article().Record(kParagraph, 0, "aaaaaa bbbbbb").Record(kParagraph, 0, "cccccc dddddd eeeeee"), 5, 6},
      {"a paragraph without blank line", Article().Record(0x31, 0, "aaaaaa bbbbbb").Record(kParagraph, 0, "cc"), 3,
       3},
      {"trailing spaces in reading order end the record", Article().Record(kParagraph, 0, "aa   ").Record(kParagraph, 0, "bb"),
       2, 3},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(LayoutArticle(view, c.article.Copy(), LayoutMode::Replace), kLaidOut) << c.name;
    EXPECT_EQ(view->LineCount, c.lineCount) << c.name;
    EXPECT_EQ(view->TotalLines, c.totalLines) << c.name;
    EXPECT_EQ(view->Lines[view->LineCount - 1].Attr & 0x80, 0) << c.name << ": the last line has no blank";
  }
}

TEST_F(LayoutTest, TitleUsesItsOwnFont) {
  MakeView(200);
  const Article article = Article().Record(kTitle, 0, "tt").Record(kParagraph, 0, "aa");
  ASSERT_EQ(LayoutArticle(view, article.Copy(), LayoutMode::Replace), kLaidOut);
  EXPECT_EQ(view->Lines[0].Height, LineHeight(0x1C));
  EXPECT_EQ(view->Lines[0].X, kLeft + (200 - 20) / 2);
  EXPECT_EQ(view->Lines[1].Height, LineHeight(0x11));
}

TEST_F(LayoutTest, MalformedInputIsRefused) {
  MakeView(100);
  const Article good = Article().Record(kParagraph, 0, "aa");
  ASSERT_EQ(LayoutArticle(view, good.Copy(), LayoutMode::Replace), kLaidOut);
  BYTE* const shown = view->Text;
  struct Case {
    const char* name;
    std::vector<BYTE> bytes;
  };
  const Case cases[] = {
      {"first Attr 0", {0, 0, 0}},
      {"first record without text", {kParagraph, 0, 0, kParagraph, 0, 'a', 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    auto* text = static_cast<BYTE*>(std::malloc(c.bytes.size()));
    std::copy(c.bytes.begin(), c.bytes.end(), text);
    view->HitStart = 1;
    view->HitEnd = 2;
    EXPECT_EQ(LayoutArticle(view, text, LayoutMode::Replace), kMalformedText) << c.name;
    EXPECT_EQ(view->Text, shown) << c.name << ": the old text stays";
    EXPECT_EQ(view->LineCount, 1) << c.name;
    EXPECT_EQ(view->TotalLines, 0) << c.name;
    EXPECT_EQ(view->HitStart + view->HitEnd, 0) << c.name;
  }
  // A first record that is a rule needs no text.
  EXPECT_EQ(LayoutArticle(view, Article().Record(0x07, 50, "").Copy(), LayoutMode::Replace), kLaidOut);
  EXPECT_EQ(LayoutArticle(nullptr, nullptr, LayoutMode::Keep), kNoView);
  EXPECT_EQ(LayoutArticle(view, nullptr, LayoutMode::Keep), kNoText);
  EXPECT_NE(view->Text, nullptr);
  EXPECT_EQ(LayoutArticle(view, nullptr, LayoutMode::Replace), kNoText);
  EXPECT_EQ(view->Text, nullptr);
}

TEST_F(LayoutTest, RelayoutKeepsTopLineAndDropsTheHit) {
  MakeView(150);
  ASSERT_EQ(LayoutArticle(view, Article().Record(kParagraph, 0, "aaaaaa bbbbbb cccccc").Copy(), LayoutMode::Replace),
            kLaidOut);
  EXPECT_EQ(view->LineCount, 2);
  view->TopLine = 1;
  view->HitStart = 3;
  view->HitEnd = 5;
  ASSERT_EQ(ResizeView(view, 60, 600), kLaidOut);
  EXPECT_EQ(view->LineCount, 3);
  EXPECT_EQ(view->TopLine, 1);
  EXPECT_EQ(view->HitStart + view->HitEnd, 0);
  EXPECT_EQ(ResizeView(view, 0, 600), -5);
  EXPECT_EQ(view->Width, 60);
  EXPECT_EQ(ResizeView(nullptr, 10, 10), -1);
}

TEST_F(LayoutTest, TooNarrowAreaStillMakesProgress) {
  MakeView(5);
  struct Case {
    const char* name;
    Article article;
    std::vector<int> counts;
  };
  const Case cases[] = {
      // Reading order a, qamats, sheva, b: the points stay with a.
      {"one character per line", Article().Record(kParagraph, 0, "a\x16\x1B" "b"), {3, 1}},
      {"hanging word, then one per line", Article().Record(kParagraph, 0x40, "a. bc"), {0, 1, 1}},
      {"left to right", Article().Record(0x01, 0, "ab"), {1, 1}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(LayoutArticle(view, c.article.Copy(), LayoutMode::Replace), kLaidOut) << c.name;
    ASSERT_EQ(view->LineCount, c.counts.size()) << c.name;
    for (std::size_t i = 0; i < c.counts.size(); ++i) EXPECT_EQ(view->Lines[i].Count, c.counts[i]) << c.name << ", line " << i;
  }
}

TEST_F(LayoutTest, TableGrowsPastItsCapacity) {
  MakeView(100);
  Article article;
  for (int i = 0; i < 150; ++i) article.Record(kParagraph, 0, "aa");
  ASSERT_EQ(LayoutArticle(view, article.Copy(), LayoutMode::Replace), kLaidOut);
  EXPECT_EQ(view->LineCount, 150);
  EXPECT_EQ(view->TotalLines, 299);
  EXPECT_GE(view->LineCapacity, 150);
  EXPECT_EQ(view->Lines[149].Offset, article.TextOf(149));
}

}  // namespace
