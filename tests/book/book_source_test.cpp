// Article and index sources into records and entries, and their faults.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/kestro-book/book_source.h"
#include "tools/kestro-book/utf8.h"

namespace {

using Bytes = std::vector<BYTE>;

const std::string kPath = "res/book/article05.txt";

std::string Joined(const Diagnostics& errors) {
  std::string all;
  for (const std::string& e : errors) all += e + "\n";
  return all;
}

TEST(CompileArticle, TitleParagraphsAndEndRecord) {
  // A byte-order mark, CRLF line ends, blank lines and spaces at the ends.
  const std::string source = "\xEF\xBB\xBFשָׁלוֹם (בַּיִת)\r\n\r\nא. לֹא כָּךְ.  \r\n   \nב. אוֹר\n";
  Diagnostics errors;
  const Bytes article = CompileArticle(kPath, source, errors);
  EXPECT_TRUE(errors.empty()) << Joined(errors);
  const Bytes expected = {
      0xDC, 0x00, '(', 123, 21, 106, 23, 69, ')', ' ', 110, 88, 109, 22, 65, 0,
      0xB1, 0x40, '.', 18, 22, 78, ' ', 97, 90, ' ', '.', 97, 0,
      0xB1, 0x40, 121, 88, 97, ' ', '.', 98, 0,
      0, 0, 0};
  EXPECT_EQ(article, expected);
}

struct FaultCase {
  const char* name;
  std::string source;
  std::string message;  // the first one reported
};

TEST(CompileArticle, Faults) {
  std::string tooMany = "כּוֹתֶרֶת\n";
  const std::u32string numbers = U"אבגדהוזחטיכלמנסעפצקרשת";
  for (char32_t n : numbers) {
    AppendUtf8(tooMany, n);
    tooMany += ". אוֹר\n";
  }
  tooMany += "א. אוֹר\n";
  const std::string huge = "כּוֹתֶרֶת\nא. " + std::string(70000, '.') + "\n";
  const FaultCase cases[] = {
      {"no title", "\nא. אוֹר\n", kPath + ":1:1: the title is missing"},
      {"empty file", "", kPath + ":1:1: the title is missing"},
      {"no paragraphs", "כּוֹתֶרֶת\n\n", kPath + ": the Article has no paragraphs"},
      {"paragraph without its number", "כּוֹתֶרֶת\nאוֹר\n",
       kPath + ":2:2: paragraph 1 must begin with its number \"א. \""},
      {"numbers out of order", "כּוֹתֶרֶת\nא. אוֹר\nג. אוֹר\n",
       kPath + ":3:1: paragraph 2 must begin with its number \"ב. \""},
      {"pointed number", "כּוֹתֶרֶת\nאָ. אוֹר\n",
       kPath + ":2:2: paragraph 1 must begin with its number \"א. \""},
      {"number without its space", "כּוֹתֶרֶת\nא.אוֹר\n",
       kPath + ":2:3: paragraph 1 must begin with its number \"א. \""},
      {"more than 22 paragraphs", tooMany, kPath + ":24:1: more than 22 paragraphs"},
      {"invalid UTF-8", "כּוֹתֶרֶת\nא. א\xFF\n", kPath + ":2:5: invalid UTF-8"},
      {"character in a paragraph", "כּוֹתֶרֶת\nא. שָׁלוֹם 2\n",
       kPath + ":2:12: U+0032 cannot be written in the text code"},
      {"larger than 65535 bytes", huge, kPath + ": the Article is 70019 bytes, more than 65535"},
  };
  for (const FaultCase& c : cases) {
    Diagnostics errors;
    CompileArticle(kPath, c.source, errors);
    ASSERT_FALSE(errors.empty()) << c.name;
    EXPECT_EQ(errors[0], c.message) << c.name << "\n" << Joined(errors);
  }
}

std::string Labels(int count) {
  std::string source;
  for (int i = 0; i < count; ++i) source += "חֹדֶשׁ\n";
  return source;
}

TEST(CompileIndex, TwelveEntriesThenFiveZeros) {
  Diagnostics errors;
  const Bytes index = CompileIndex("res/book/index.txt", "אָב\n\n" + Labels(11), errors);
  EXPECT_TRUE(errors.empty()) << Joined(errors);
  const Bytes first = {0x01, 0x40, 0x81, 1, 98, 22, 97, 0};
  ASSERT_GE(index.size(), first.size());
  EXPECT_EQ(Bytes(index.begin(), index.begin() + 8), first);
  const Bytes last = {0x0C, 0x40, 0x81, 1, 65, 25, 100, 31, 104, 0, 0, 0, 0, 0, 0};
  ASSERT_GE(index.size(), last.size());
  EXPECT_EQ(Bytes(index.end() - static_cast<long>(last.size()), index.end()), last);
  EXPECT_EQ(index.size(), 8 + 11 * 10 + 5u);
}

TEST(CompileIndex, NeedsExactlyTwelveLabels) {
  const FaultCase cases[] = {
      {"eleven", Labels(11), "res/book/index.txt: 11 labels, twelve needed"},
      {"thirteen", Labels(13), "res/book/index.txt:13:1: more than twelve labels"},
      {"bad character", Labels(2) + "x\n" + Labels(9),
       "res/book/index.txt:3:1: U+0078 cannot be written in the text code"},
  };
  for (const FaultCase& c : cases) {
    Diagnostics errors;
    CompileIndex("res/book/index.txt", c.source, errors);
    ASSERT_FALSE(errors.empty()) << c.name;
    EXPECT_EQ(errors[0], c.message) << c.name;
  }
}

}  // namespace
