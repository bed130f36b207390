#include "tools/kestro-book/book_show.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "text/text_code.h"
#include "tools/kestro-book/utf8.h"

namespace {

constexpr BYTE kRightToLeft = 0x10;

char32_t MirroredBracket(char32_t c) {
  switch (c) {
    case U'(': return U')';
    case U')': return U'(';
    case U'[': return U']';
    case U']': return U'[';
    default: return c;
  }
}

// Text code as UTF-8 by the Unicode column; display-order text is turned
// back into reading order.
std::string TextAsUtf8(std::span<const BYTE> text, bool displayOrder) {
  std::u32string codePoints;
  for (BYTE b : text) {
    if (!textcode::HasTableEntry(b)) {
      codePoints += static_cast<char32_t>(b);
      continue;
    }
    const textcode::UnicodePair& entry = textcode::kUnicodeColumn[b - textcode::kFirstTableCode];
    codePoints += entry.first;
    if (entry.second != 0) codePoints += entry.second;
  }
  if (displayOrder) {
    std::reverse(codePoints.begin(), codePoints.end());
    std::transform(codePoints.begin(), codePoints.end(), codePoints.begin(), MirroredBracket);
  }
  std::string out;
  for (char32_t c : codePoints) AppendUtf8(out, c);
  return out;
}

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

// The zero-terminated text at `start`, or nothing when no zero follows.
bool TextAt(std::span<const BYTE> bytes, std::size_t start, std::span<const BYTE>* text) {
  if (start > bytes.size()) return false;
  const auto end = std::find(bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.end(), 0);
  if (end == bytes.end()) return false;
  *text = bytes.subspan(start, static_cast<std::size_t>(end - bytes.begin()) - start);
  return true;
}

constexpr const char* kCutShort = "(cut short: the last record has no end)\n";

}  // namespace

std::string DescribeArticle(std::span<const BYTE> records) {
  std::string out;
  for (std::size_t pos = 0; pos < records.size();) {
    const BYTE attr = records[pos];
    if (attr == 0) return out + "end\n";
    std::span<const BYTE> text;
    if (!TextAt(records, pos + 2, &text)) return out + kCutShort;
    out += "Attr " + Hex(attr, 2) + " Indent " + Hex(records[pos + 1], 2) + " | " +
           TextAsUtf8(text, (attr & kRightToLeft) != 0) + "\n";
    pos += 2 + text.size() + 1;
  }
  return out + kCutShort;
}

std::string DescribeIndex(std::span<const BYTE> entries) {
  std::string out;
  for (std::size_t pos = 0; pos + 3 < entries.size();) {
    const unsigned id = entries[pos] | (entries[pos + 1] << 8);
    const BYTE style = entries[pos + 2];
    if (style == 0) return out + "end\n";
    std::span<const BYTE> label;
    if (!TextAt(entries, pos + 4, &label)) break;
    out += "Id " + Hex(id, 4) + " Style " + Hex(style, 2) + " Level " +
           std::to_string(entries[pos + 3]) + " | " + TextAsUtf8(label, true) + "\n";
    pos += 4 + label.size() + 1;
  }
  return out + kCutShort;
}
