#include "export/plain_text.h"

#include <cstdlib>
#include <cstring>

#include "app/app_state.h"
#include "export/rtf.h"
#include "platform/clipboard.h"

namespace {
constexpr std::int32_t kHighestSingleByteBase = 256;

bool FontIsUnicode() { return AppState.Font.FontAsciiBase > kHighestSingleByteBase; }

std::size_t WideLength(const WCHAR* text) {
  std::size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}
}  // namespace

void PutUnicodeText(const WCHAR* text, CopyMode mode) {
  if (FontIsUnicode()) {
    PutRtf(text, mode);
    return;
  }
  std::size_t oldLength = 0;
  BYTE* old = mode == CopyMode::Append ? ReadClipboard(0, oldLength) : nullptr;
  const std::size_t kept = oldLength / 2 * 2;
  const std::size_t textBytes = (WideLength(text) + 1) * 2;
  auto* block = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, kept + textBytes));
  if (block != nullptr) {
    if (kept > 0) std::memcpy(block, old, kept);
    std::memcpy(block + kept, text, textBytes);
  }
  std::free(old);
  // Without a block the clipboard keeps what it held.
  if (block != nullptr) ReplaceClipboard(CF_UNICODETEXT, block);
}
