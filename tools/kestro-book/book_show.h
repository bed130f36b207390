// The decompressed resources as readable text, for `kestro-book show`.
#pragma once

#include <span>
#include <string>

#include "platform/types.h"

// One line per paragraph record, "Attr 0xB1 Indent 0x40 | text", the text in
// reading order as UTF-8, then "end". Stops at the end record or the end of
// the bytes, and says so when the records run past the end.
std::string DescribeArticle(std::span<const BYTE> records);

// One line per index entry, "Id 0x4001 Style 0x81 Level 1 | label", then "end".
std::string DescribeIndex(std::span<const BYTE> entries);
