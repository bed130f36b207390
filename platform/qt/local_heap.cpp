// The local heap: malloc blocks with their size kept in front of them, so the
// clipboard can tell how much of a block it may read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/clipboard.h"

namespace {
// The header keeps the size and leaves the block aligned for any type.
constexpr std::size_t kHeader = alignof(std::max_align_t) > sizeof(std::size_t)
                                    ? alignof(std::max_align_t)
                                    : sizeof(std::size_t);

unsigned char* Start(HLOCAL block) { return static_cast<unsigned char*>(block) - kHeader; }
}  // namespace

HLOCAL LocalAlloc(UINT flags, std::size_t bytes) {
  if ((flags & ~LMEM_ZEROINIT) != LMEM_FIXED || bytes > SIZE_MAX - kHeader) return nullptr;
  auto* start = static_cast<unsigned char*>(std::malloc(kHeader + bytes));
  if (start == nullptr) return nullptr;
  std::memcpy(start, &bytes, sizeof bytes);
  if ((flags & LMEM_ZEROINIT) != 0) std::memset(start + kHeader, 0, bytes);
  return start + kHeader;
}

HLOCAL LocalFree(HLOCAL block) {
  if (block != nullptr) std::free(Start(block));
  return nullptr;
}

std::size_t LocalSize(HLOCAL block) {
  if (block == nullptr) return 0;
  std::size_t bytes;
  std::memcpy(&bytes, Start(block), sizeof bytes);
  return bytes;
}
