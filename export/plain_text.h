// The current Article as wide text on the clipboard: one line per paragraph
// record, in the reading font's code points. For fonts addressed as Unicode
// the text goes on as an RTF document instead.
#pragma once

#include <cstddef>

#include "export/clipboard_data.h"
#include "platform/types.h"

struct TextView;

// Copy (Replace) or Append to ClipBoard of the whole Article the view holds.
// Nothing happens without a view or without text.
void CopyArticle(TextView* view, CopyMode mode);

// What the wide text of an Article needs, walked up to its end record.
struct ArticleMeasure {
  std::size_t bytes;         // from the start to the end record's Attr byte
  std::size_t lineEnds;      // records, plus those followed by a blank line
  std::size_t hyphens;       // of all rule records
  std::size_t indentSpaces;  // of all other records
};
ArticleMeasure MeasureArticle(const BYTE* text);

// A buffer (from AllocOrDie, release with free) with room for the Article's
// wide text; `size` receives its size in bytes.
WCHAR* AllocCopyBuffer(const BYTE* text, std::size_t& size);

// Writes the Article's wide text and its zero character into `buffer`, never
// beyond `size` bytes, converting each record's text by TextToFont as for
// the page. 0 when it fit; 1 when it did not, after the message
// "(obuf > (start + size))", or (without a message) when the conversion ran
// out of memory.
int ArticleToText(const BYTE* text, WCHAR* buffer, std::size_t size);

// Writes the hyphens of the rule record at `record` (its Attr byte) and
// returns the position after them.
WCHAR* WriteRule(const BYTE* record, WCHAR* out);

// Puts the zero-terminated wide text on the clipboard as its only content,
// behind the clipboard's text with Append; for fonts addressed above 256 as
// RTF (PutRtf).
void PutUnicodeText(const WCHAR* text, CopyMode mode);
