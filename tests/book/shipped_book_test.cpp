// The book as the program carries it: every Article and the index load from
// the embedded table and have the shape the reader relies on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/resources.h"
#include "res/book_resources.h"
#include "store/article_store.h"
#include "store/container.h"
#include "tests/support/message_log.h"

namespace {

using Bytes = std::vector<BYTE>;

constexpr int kArticleCount = 12;
// The paragraph numbers in the text code: the letters without final forms.
const Bytes kNumberLetters = {97,  98,  99,  100, 101, 102, 103, 104, 105, 106, 108,
                              109, 111, 113, 114, 115, 117, 119, 120, 121, 122, 123};

class ShippedBook : public testing::Test {
 protected:
  void SetUp() override {
    table_.clear();
    AddBookResources(table_);
    InstallResources(table_.data(), table_.size());
  }
  void TearDown() override { InstallResources(nullptr, 0); }

  static const BYTE* Container(WORD id, DWORD* size) {
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_RCDATA);
    *size = SizeofResource(nullptr, resource);
    return static_cast<const BYTE*>(LoadResource(nullptr, resource));
  }

  // The decompressed resource, without the added zero byte.
  static Bytes Load(int number) {
    MessageLog log;
    BYTE* buffer = LoadArticle(number);
    EXPECT_NE(buffer, nullptr) << "Article " << number;
    EXPECT_TRUE(log.texts().empty()) << "Article " << number;
    if (buffer == nullptr) return {};
    DWORD size = 0;
    const BYTE* container = Container(static_cast<WORD>(number + 1000), &size);
    const unsigned length = ReadBigEndian16(container + 8);
    EXPECT_EQ(buffer[length], 0);
    Bytes bytes(buffer, buffer + length);
    std::free(buffer);
    return bytes;
  }

  std::vector<ResourceEntry> table_;
};

TEST_F(ShippedBook, HasThirteenContainersAsLaidOut) {
  EXPECT_EQ(table_.size(), 13u);
  std::size_t compressed = 0;
  std::size_t decompressed = 0;
  for (int number = 1; number <= kArticleCount + 1; ++number) {
    const bool index = number > kArticleCount;
    const WORD id = index ? 32767 : static_cast<WORD>(1000 + number);
    DWORD size = 0;
    const BYTE* bytes = Container(id, &size);
    ASSERT_NE(bytes, nullptr) << id;
    ContainerHeader header;
    ASSERT_TRUE(ReadContainerHeader(bytes, size, &header)) << id;
    EXPECT_EQ(header.payloadLength, header.compressedLength + 8) << id;
    EXPECT_EQ(size, header.compressedLength + 14) << id;
    EXPECT_EQ(ReadBigEndian16(bytes + 2), index ? 1u : unsigned(number)) << id;
    EXPECT_EQ(ReadBigEndian16(bytes + 4), index ? 255u : unsigned(number)) << id;
    EXPECT_EQ(Bytes(bytes + size - 4, bytes + size), Bytes(4, 0)) << id;
    if (!index) {
      compressed += header.compressedLength;
      decompressed += header.length;
    }
  }
  EXPECT_LE(static_cast<double>(compressed), 0.65 * static_cast<double>(decompressed))
      << compressed << " of " << decompressed << " bytes";
}

TEST_F(ShippedBook, EveryArticleIsATitleAndNumberedParagraphs) {
  for (int number = 1; number <= kArticleCount; ++number) {
    const Bytes article = Load(number);
    ASSERT_GE(article.size(), 3u) << "Article " << number;
    std::size_t pos = 0;
    std::size_t paragraphs = 0;
    while (pos < article.size() && article[pos] != 0) {
      const BYTE attr = article[pos];
      const BYTE indent = article[pos + 1];
      std::size_t end = pos + 2;
      while (end < article.size() && article[end] != 0) ++end;
      ASSERT_LT(end, article.size()) << "Article " << number << ": record at " << pos << " has no end";
      const Bytes text(article.begin() + pos + 2, article.begin() + end);
      ASSERT_FALSE(text.empty()) << "Article " << number << " at " << pos;
      if (pos == 0) {
        EXPECT_EQ(attr, 0xDC) << "Article " << number << ": title";
        EXPECT_EQ(indent, 0x00) << "Article " << number << ": title";
      } else {
        EXPECT_EQ(attr, 0xB1) << "Article " << number << " at " << pos;
        EXPECT_EQ(indent, 0x40) << "Article " << number << " at " << pos;
        ASSERT_LT(paragraphs, kNumberLetters.size()) << "Article " << number;
        // Display order: the number, letter then ".", comes last, after a space.
        ASSERT_GE(text.size(), 4u) << "Article " << number << " at " << pos;
        const Bytes numberWord(text.end() - 3, text.end());
        EXPECT_EQ(numberWord, (Bytes{' ', '.', kNumberLetters[paragraphs]}))
            << "Article " << number << ", paragraph " << paragraphs + 1;
        ++paragraphs;
      }
      pos = end + 1;
    }
    EXPECT_GT(paragraphs, 0u) << "Article " << number;
    EXPECT_EQ(pos + 3, article.size()) << "Article " << number << ": the end record is not last";
    EXPECT_EQ(Bytes(article.end() - 3, article.end()), Bytes(3, 0)) << "Article " << number;
  }
}

TEST_F(ShippedBook, IndexNamesArticlesOneToTwelve) {
  const Bytes index = Load(kIndexArticleNumber);
  std::size_t pos = 0;
  for (unsigned n = 1; n <= kArticleCount; ++n) {
    ASSERT_LT(pos + 4, index.size()) << "entry " << n;
    EXPECT_EQ(index[pos] | (index[pos + 1] << 8), 0x4000u + n) << "entry " << n;
    EXPECT_EQ(index[pos + 2], 0x81) << "entry " << n;
    EXPECT_EQ(index[pos + 3], 1) << "entry " << n;
    std::size_t end = pos + 4;
    while (end < index.size() && index[end] != 0) ++end;
    EXPECT_GT(end, pos + 4) << "entry " << n << " has no label";
    pos = end + 1;
  }
  EXPECT_EQ(Bytes(index.begin() + static_cast<long>(pos), index.end()), Bytes(5, 0));
}

}  // namespace
