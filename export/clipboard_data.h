// Reading and replacing the clipboard's content, shared by the text and the
// RTF copy.
#pragma once

#include <cstddef>

#include "platform/types.h"

// Copy replaces the clipboard's content; Append adds the Article behind it.
enum class CopyMode { Replace = 0, Append = 1 };

// A copy (from AllocOrDie, release with free) of the clipboard's data in
// `format` (0: CF_UNICODETEXT), without its terminator, or NULL when the
// clipboard cannot be opened or holds no such data. `length` receives the
// copy's size in bytes: the characters before the first zero character times
// 2 for text, the bytes before the first zero byte otherwise.
BYTE* ReadClipboard(UINT format, std::size_t& length);

// Replaces the clipboard's content by `block` (from LocalAlloc) in `format`.
// The block is taken over; when the clipboard cannot be opened it is freed
// and the clipboard keeps what it held.
void ReplaceClipboard(UINT format, HLOCAL block);
