// Our compressor against the store's decompressor on generated data, and the
// container around it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "store/article_store.h"
#include "store/container.h"
#include "tools/kestro-book/book_error.h"
#include "tools/kestro-book/container_writer.h"
#include "tools/kestro-book/palmdoc_compressor.h"
#include "tests/support/generated_data.h"
#include "tests/support/message_log.h"

namespace {

using Bytes = std::vector<BYTE>;

using generated::RandomBytes;
using generated::Repeating;
using generated::TextLike;

struct Case {
  std::string name;
  Bytes data;
};

std::vector<Case> GeneratedData() {
  std::vector<Case> cases;
  for (std::size_t size : {1, 2, 3, 7, 8, 9, 17, 1000, 65535})
    cases.push_back({"random " + std::to_string(size), RandomBytes(size, static_cast<unsigned>(size))});
  for (std::size_t size : {5, 4000, 65535})
    cases.push_back({"text-like " + std::to_string(size), TextLike(size, 7)});
  cases.push_back({"zeros 65535", Bytes(65535, 0)});
  cases.push_back({"spaces 65535", Bytes(65535, ' ')});
  cases.push_back({"high bytes 65535", Bytes(65535, 0xF0)});
  for (std::size_t period : {2, 7, 8, 11, 2047, 2048, 3000})
    cases.push_back({"period " + std::to_string(period), Repeating(65535, period)});
  return cases;
}

TEST(CompressPalmDoc, RoundTripsThroughUnCompress) {
  MessageLog log;
  for (const Case& c : GeneratedData()) {
    const Bytes compressed = CompressPalmDoc(c.data);
    BYTE* out = UnCompress(compressed.data(), static_cast<unsigned>(compressed.size()),
                           static_cast<unsigned>(c.data.size()));
    ASSERT_NE(out, nullptr) << c.name;
    EXPECT_EQ(Bytes(out, out + c.data.size()), c.data) << c.name;
    std::free(out);
  }
  EXPECT_TRUE(log.texts().empty());
}

TEST(CompressPalmDoc, FindsBackReferences) {
  struct Ratio {
    const char* name;
    Bytes data;
    double atMost;  // compressed size / input size
  };
  const Ratio cases[] = {
      {"zeros", Bytes(60000, 0), 0.21},  // a 10-byte reference in every 2 bytes
      {"period 2047", Repeating(60000, 2047), 0.3},
      {"text-like", TextLike(60000, 3), 0.6},
  };
  for (const Ratio& c : cases) {
    const double ratio = static_cast<double>(CompressPalmDoc(c.data).size()) / c.data.size();
    EXPECT_LE(ratio, c.atMost) << c.name;
  }
}

TEST(PackContainer, WrapsTheCompressedDataInTheHeader) {
  const Bytes raw = TextLike(3000, 11);
  const Bytes container = PackContainer(raw, ArticleNumbers(7));
  ContainerHeader header;
  ASSERT_TRUE(ReadContainerHeader(container.data(), container.size(), &header));
  EXPECT_EQ(header.payloadLength, header.compressedLength + 8);
  EXPECT_EQ(container.size(), header.compressedLength + 14);
  EXPECT_EQ(header.length, raw.size());
  EXPECT_EQ(ReadBigEndian16(container.data() + 2), 7u);
  EXPECT_EQ(ReadBigEndian16(container.data() + 4), 7u);
  EXPECT_EQ(Bytes(container.end() - 4, container.end()), Bytes(4, 0));
  EXPECT_EQ(CompressPalmDoc(raw), Bytes(container.begin() + 10, container.end() - 4));

  const Bytes index = PackContainer(raw, kIndexNumbers);
  EXPECT_EQ(ReadBigEndian16(index.data() + 2), 1u);
  EXPECT_EQ(ReadBigEndian16(index.data() + 4), 255u);
}

TEST(PackContainer, RefusesWhatTheSixteenBitFieldsCannotHold) {
  EXPECT_THROW(PackContainer(Bytes(65536, 0), ArticleNumbers(1)), BookError);
  // Incompressible high bytes grow by a ninth: more than C may be.
  EXPECT_THROW(PackContainer(RandomBytes(65535, 5), ArticleNumbers(1)), BookError);
  EXPECT_NO_THROW(PackContainer(Bytes(65535, 0), ArticleNumbers(1)));
}

}  // namespace
