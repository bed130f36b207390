#include "tools/kestro-book/utf8.h"

#include <cstdio>

namespace {

// The length of the sequence a lead byte starts, 0 for a byte that cannot
// lead one.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool IsValidScalar(char32_t c, int length) {
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  return c >= kSmallest[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// The code point of the sequence at line[i] and its length in bytes; 0 when
// the bytes there are not valid UTF-8.
int DecodeOne(std::string_view line, std::size_t i, char32_t* c) {
  const auto lead = static_cast<unsigned char>(line[i]);
  const int length = SequenceLength(lead);
  if (length == 0 || i + length > line.size()) return 0;
  char32_t value = length == 1 ? lead : lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(line[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  if (!IsValidScalar(value, length)) return 0;
  *c = value;
  return length;
}

}  // namespace

std::vector<SourceChar> DecodeUtf8(std::string_view line, int* badColumn) {
  std::vector<SourceChar> chars;
  *badColumn = 0;
  for (std::size_t i = 0; i < line.size();) {
    char32_t c = 0;
    const int length = DecodeOne(line, i, &c);
    if (length == 0) {
      *badColumn = static_cast<int>(chars.size()) + 1;
      break;
    }
    chars.push_back({c, static_cast<int>(chars.size()) + 1});
    i += length;
  }
  return chars;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string CodePointName(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}
