// LoadArticle over fixture resource tables: which numbers and containers
// give an Article, which give nothing silently and which show the message.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/resources.h"
#include "store/article_store.h"
#include "tests/support/message_log.h"

namespace {

using Bytes = std::vector<BYTE>;

// A container by hand: header fields as given, then the data and four zeros.
Bytes Container(unsigned payload, unsigned compressed, unsigned length, const Bytes& data) {
  Bytes out;
  for (unsigned field : {payload, 1u, 1u, compressed, length}) {
    out.push_back(static_cast<BYTE>(field >> 8));
    out.push_back(static_cast<BYTE>(field & 0xFF));
  }
  out.insert(out.end(), data.begin(), data.end());
  out.insert(out.end(), 4, 0);
  return out;
}

// The well-formed container of `data` stored as literal bytes (all < 0x80).
Bytes Plain(const std::string& data) {
  const auto c = static_cast<unsigned>(data.size());
  return Container(c + 8, c, c, Bytes(data.begin(), data.end()));
}

struct Case {
  const char* name;
  int number;
  WORD id;          // where the fixture resource lies
  Bytes resource;
  std::optional<std::string> expected;  // nothing: LoadArticle returns NULL
  bool message;     // "UnCompress() buffer error!" shown
};

TEST(LoadArticle, FixtureResources) {
  const Case cases[] = {
      {"Article 1", 1, 1001, Plain("hello"), "hello", false},
      {"Article 12", 12, 1012, Plain("twelve"), "twelve", false},
      {"the index as 31767", 31767, 32767, Plain("index"), "index", false},
      {"number wraps to id 1001", 65537, 1001, Plain("wrapped"), "wrapped", false},
      {"Article 0", 0, 1000, Plain("zero"), std::nullopt, false},
      {"negative number", -1, 999, Plain("minus"), std::nullopt, false},
      {"Article 13 absent", 13, 1001, Plain("other"), std::nullopt, false},
      {"empty resource", 1, 1001, {}, std::nullopt, false},
      {"shorter than the header", 1, 1001, {0, 9, 0, 1, 0, 1, 0, 1}, std::nullopt, false},
      {"L below 5", 1, 1001, Container(4, 2, 2, {'a', 'b'}), std::nullopt, false},
      {"C = 0", 1, 1001, Container(8, 0, 2, {}), std::nullopt, false},
      {"U = 0", 1, 1001, Container(10, 2, 0, {'a', 'b'}), std::nullopt, false},
      {"U larger than the data give", 1, 1001, Container(10, 2, 3, {'a', 'b'}), std::nullopt, true},
      {"C beyond the resource", 1, 1001, Container(300, 292, 292, {'a', 'b'}), std::nullopt, true},
  };
  for (const Case& c : cases) {
    const ResourceEntry table[] = {
        {10, c.id, c.resource.data(), static_cast<DWORD>(c.resource.size())}};
    InstallResources(table, 1);
    MessageLog log;
    BYTE* article = LoadArticle(c.number);
    InstallResources(nullptr, 0);
    if (c.expected) {
      ASSERT_NE(article, nullptr) << c.name;
      EXPECT_EQ(std::string(reinterpret_cast<char*>(article), c.expected->size()), *c.expected)
          << c.name;
      EXPECT_EQ(article[c.expected->size()], 0) << c.name << ": no zero at U";
    } else {
      EXPECT_EQ(article, nullptr) << c.name;
    }
    std::free(article);
    EXPECT_EQ(log.texts().size(), c.message ? 1u : 0u) << c.name;
  }
}

}  // namespace
