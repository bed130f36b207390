// UTF-8 for the book sources and the inspector's output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One character of a source line and the column it stands in (1-based,
// counted in characters).
struct SourceChar {
  char32_t codePoint;
  int column;
};

// The characters of one line. A byte that does not start or continue a
// valid UTF-8 sequence stops the decoding: `badColumn` receives its column
// (0 when the whole line is valid).
std::vector<SourceChar> DecodeUtf8(std::string_view line, int* badColumn);

void AppendUtf8(std::string& out, char32_t codePoint);

// "U+05BD": the way messages name a code point.
std::string CodePointName(char32_t codePoint);
