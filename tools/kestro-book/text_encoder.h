// Source text (Unicode, logical order) into the text code.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/types.h"
#include "tools/kestro-book/utf8.h"

// Messages of one compilation, in the order found.
using Diagnostics = std::vector<std::string>;

// Where a source line comes from, for messages.
struct SourceLine {
  const std::string& path;
  int number;  // 1-based
};

// "path:line:column: message".
std::string LocatedMessage(const SourceLine& where, int column, const std::string& message);

// The characters of one line in the text code, still in reading order. A
// letter and the marks after it (in any order) become one marked letter or
// pair code, or a letter code followed by its vowel point; maqaf becomes
// "-", geresh and gershayim "'" and '"'. Each character or mark combination
// the text code cannot hold adds a message naming its column and code point
// and is left out.
std::vector<BYTE> EncodeLine(std::span<const SourceChar> chars, const SourceLine& where,
                             Diagnostics& errors);

// Text code in reading order turned in place into display order: reversed,
// so each vowel point comes before its letter, with '(' and ')', '[' and
// ']' exchanged.
void ReverseForDisplay(std::vector<BYTE>& text);
