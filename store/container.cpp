#include "store/container.h"

#include <algorithm>

bool ReadContainerHeader(const BYTE* bytes, std::size_t size, ContainerHeader* header) {
  if (bytes == nullptr || size < kContainerHeaderSize) return false;
  header->payloadLength = ReadBigEndian16(bytes);
  header->compressedLength = ReadBigEndian16(bytes + 6);
  header->length = ReadBigEndian16(bytes + 8);
  const std::size_t present = size - kContainerHeaderSize;
  header->presentLength =
      static_cast<unsigned>(std::min<std::size_t>(header->compressedLength, present));
  return true;
}
