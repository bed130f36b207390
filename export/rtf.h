// The Article as an RTF document on the clipboard, for fonts addressed as
// Unicode: a right-to-left Hebrew document in which every character beyond
// ASCII is a Unicode escape and presentation forms are split into letter and
// marks.
#pragma once

#include <cstddef>

#include "export/clipboard_data.h"
#include "platform/types.h"

// A Hebrew presentation form and the code points it stands for (unused
// parts are 0).
struct FormDecomposition {
  WCHAR form;
  WCHAR parts[3];
};

// The row of the presentation form `ch`, or NULL when `ch` is not one of
// them (code points up to U+05EA are never looked up).
const FormDecomposition* DecomposeForm(WCHAR ch);

// The RTF body of the wide text `text` (zero-terminated): one paragraph and
// an empty paragraph per line (a run of CR and LF), every character outside
// printable ASCII as Unicode escapes (code units above 32767 as negative
// numbers), backslashes and braces escaped, and a space after an escape
// where a space, digit or letter follows, so a reader shows exactly the text. With `out` NULL returns the body's length in
// bytes; with `out` (room for that length + 1) writes the body, ends it with
// a zero byte and returns the same length.
std::size_t RtfBody(const WCHAR* text, char* out);

// The body in a new zero-terminated buffer (from AllocOrDie, release with
// free).
char* MakeRtfBody(const WCHAR* text);

// Puts the document for `text` on the clipboard as "Rich Text Format", the
// only format then. Append continues the RTF document the clipboard holds
// behind a line of stars; without one it starts a new document.
void PutRtf(const WCHAR* text, CopyMode mode);
