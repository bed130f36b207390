// The decompressor on small hand-made inputs: what each token does, where
// output and input end, and every malformed input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "store/article_store.h"
#include "tests/support/message_log.h"

namespace {

using Bytes = std::vector<BYTE>;

// The two bytes of a back-reference.
Bytes Reference(unsigned distance, unsigned length) {
  const unsigned word = 0x8000 | (distance << 3) | (length - 3);
  return {static_cast<BYTE>(word >> 8), static_cast<BYTE>(word & 0xFF)};
}

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes Text(const std::string& s) { return {s.begin(), s.end()}; }

std::string Show(const Bytes& bytes) {
  std::string out;
  for (BYTE b : bytes) out += std::to_string(b) + " ";
  return out;
}

// UnCompress on an exact-size copy of the input, so that a read past its
// end is caught by the sanitizer build.
std::optional<Bytes> Decompress(const Bytes& input, unsigned length,
                               std::vector<std::u16string>* messages) {
  MessageLog log;
  auto* source = static_cast<BYTE*>(std::malloc(input.empty() ? 1 : input.size()));
  std::copy(input.begin(), input.end(), source);
  BYTE* buffer = UnCompress(source, static_cast<unsigned>(input.size()), length);
  std::free(source);
  *messages = log.texts();
  if (buffer == nullptr) return std::nullopt;
  EXPECT_EQ(buffer[length], 0) << "no zero at U";
  Bytes result(buffer, buffer + length);
  std::free(buffer);
  return result;
}

struct ValidCase {
  const char* name;
  Bytes input;
  unsigned length;
  Bytes expected;
};

TEST(UnCompress, ValidInputs) {
  Bytes twentyLetters = Text("abcdefghijklmnopqrst");
  Bytes farBack(2047, 'x');  // 'q' and 2046 times 'x'
  farBack[0] = 'q';
  const ValidCase cases[] = {
      {"bytes standing for themselves", {'a', 0x00, 0x09, 0x7F}, 4, {'a', 0x00, 0x09, 0x7F}},
      {"literal run of 8", {0x08, 1, 2, 3, 4, 0x80, 0xC0, 0xFF, 0}, 8, {1, 2, 3, 4, 0x80, 0xC0, 0xFF, 0}},
      {"literal run cut at U", {0x05, 1, 2, 3, 4, 5}, 2, {1, 2}},
      {"literal run cut at U where the input ends", {0x05, 1, 2}, 2, {1, 2}},
      {"space pair", {0xE1}, 2, {0x20, 0x61}},
      {"space pair 0xC0 and 0xFF", {0xC0, 0xFF}, 4, {0x20, 0x40, 0x20, 0x7F}},
      {"space pair with one byte free", {'x', 0xE1}, 2, {'x', 0x20}},
      {"distance 1 length 10", Text("a") + Reference(1, 10), 11, Bytes(11, 'a')},
      {"distance 2 overlapping", Text("ab") + Reference(2, 7), 9, Text("ababababa")},
      {"distance 7 overlapping", Text("abcdefg") + Reference(7, 10), 17, Text("abcdefgabcdefgabc")},
      {"distance 8 overlapping", Text("abcdefgh") + Reference(8, 10), 18, Text("abcdefghabcdefghab")},
      {"distance 10 length 10", Text("abcdefghij") + Reference(10, 10), 20, Text("abcdefghijabcdefghij")},
      {"distance 20 length 3", twentyLetters + Reference(20, 3), 23, twentyLetters + Text("abc")},
      {"reference back to the very start", Text("abc") + Reference(3, 3), 6, Text("abcabc")},
      {"reference cut at U", Text("a") + Reference(1, 10), 5, Bytes(5, 'a')},
      {"long reference cut at U", twentyLetters + Reference(20, 10), 22, twentyLetters + Text("ab")},
      {"distance 2047", Bytes{'q'} + Text("x") + Reference(1, 10) + Bytes(2035, 'x') +
           Reference(2047, 3), 2050, farBack + Text("qxx")},
      {"input left over after U", Text("abc"), 2, Text("ab")},
      {"one byte", {'z'}, 1, {'z'}},
  };
  for (const ValidCase& c : cases) {
    std::vector<std::u16string> messages;
    const std::optional<Bytes> out = Decompress(c.input, c.length, &messages);
    ASSERT_TRUE(out.has_value()) << c.name << ": " << Show(c.input);
    EXPECT_EQ(*out, c.expected) << c.name << ": " << Show(c.input);
    EXPECT_TRUE(messages.empty()) << c.name;
  }
}

struct FailingCase {
  const char* name;
  Bytes input;
  unsigned length;
};

TEST(UnCompress, ExhaustedOrMalformedInputShowsTheBufferError) {
  const FailingCase cases[] = {
      {"input short by one byte", Text("ab"), 3},
      {"space pair short by one byte", {0xE1}, 3},
      {"no input", {}, 3},
      {"distance 0", Text("a") + Reference(0, 10), 11},
      {"distance before the start", Text("a") + Reference(2, 3), 4},
      {"reference as the first byte", Reference(1, 3), 3},
      {"reference without its second byte", {'a', 0x80}, 5},
      {"literal run beyond the input", {0x04, 1, 2}, 4},
      {"literal run beyond the input, U further on", {0x02, 1}, 9},
  };
  for (const FailingCase& c : cases) {
    std::vector<std::u16string> messages;
    EXPECT_FALSE(Decompress(c.input, c.length, &messages).has_value()) << c.name << ": " << Show(c.input);
    EXPECT_EQ(messages, std::vector<std::u16string>{u"UnCompress() buffer error!"}) << c.name;
  }
}

TEST(UnCompress, LengthZeroGivesNothingSilently) {
  std::vector<std::u16string> messages;
  EXPECT_FALSE(Decompress(Text("abc"), 0, &messages).has_value());
  EXPECT_TRUE(messages.empty());
}

}  // namespace
