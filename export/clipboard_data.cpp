#include "export/clipboard_data.h"

#include <cstring>

#include "app/alloc_or_die.h"
#include "platform/clipboard.h"

namespace {
// Bytes before the data's terminator, never beyond the block.
std::size_t DataLength(UINT format, HANDLE data) {
  const std::size_t size = LocalSize(data);
  std::size_t n = 0;
  if (format == CF_UNICODETEXT) {
    const auto* chars = static_cast<const WCHAR*>(data);
    while (n < size / 2 && chars[n] != 0) ++n;
    return n * 2;
  }
  const auto* bytes = static_cast<const BYTE*>(data);
  while (n < size && bytes[n] != 0) ++n;
  return n;
}
}  // namespace

BYTE* ReadClipboard(UINT format, std::size_t& length) {
  length = 0;
  if (!OpenClipboard(nullptr)) return nullptr;
  const UINT wanted = format == 0 ? CF_UNICODETEXT : format;
  HANDLE data = GetClipboardData(wanted);
  if (data == nullptr) {
    CloseClipboard();
    return nullptr;
  }
  const std::size_t n = DataLength(wanted, data);
  auto* copy = static_cast<BYTE*>(AllocOrDie(n));
  std::memcpy(copy, data, n);
  CloseClipboard();
  length = n;
  return copy;
}

void ReplaceClipboard(UINT format, HLOCAL block) {
  if (!OpenClipboard(nullptr)) {
    LocalFree(block);
    return;
  }
  EmptyClipboard();
  SetClipboardData(format, block);
  CloseClipboard();
}
