// The Article store: an Article's resource found by number, its container
// checked and its text decompressed into a fresh buffer of paragraph records.
#pragma once

#include "platform/types.h"

// The index resource is loaded as this Article number (resource id 32767).
inline constexpr int kIndexArticleNumber = 31767;

// The message shown when compressed data are damaged or cut short.
inline constexpr char16_t kBufferErrorText[] = u"UnCompress() buffer error!";

// Article `number` (1..12, or kIndexArticleNumber) decompressed: a malloc'd
// buffer of U + 2 bytes, the U decompressed bytes and a zero at U; the caller
// frees it. NULL for a number below 1, a missing, empty or too-short
// resource, C = 0 or U = 0 (all silently), or when UnCompress fails.
BYTE* LoadArticle(int number);

// The PalmDoc data of `compressedLength` bytes at `source` decompressed into
// a new malloc'd buffer of at least `length` + 2 bytes: `length` bytes of
// output and a zero at `length`. NULL when `length` is 0 or memory runs out
// (silently), and, after the message "UnCompress() buffer error!", when the
// input runs out before `length` bytes are produced or is malformed (a
// back-reference of distance 0 or before the start, a literal run or
// reference that needs bytes beyond `compressedLength`). Never reads or
// writes outside the two buffers.
BYTE* UnCompress(const BYTE* source, unsigned compressedLength, unsigned length);
