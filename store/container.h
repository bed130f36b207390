// The container every Article and the index resource is stored in: a ten-byte
// header of big-endian 16-bit fields, the compressed data, four zero bytes.
//
//   0  payload length L (the container's size minus 6, so L = C + 8)
//   2  Article number      4  Article number again (1 and 255 for the index)
//   6  compressed length C 8  decompressed length U
//  10  C bytes of compressed data, then four zero bytes
#pragma once

#include <cstddef>

#include "platform/types.h"

inline constexpr unsigned kContainerHeaderSize = 10;
inline constexpr unsigned kContainerTrailerSize = 4;
inline constexpr unsigned kContainerLengthBias = 6;  // L counts from offset 6

// What a reader takes from a container's header.
struct ContainerHeader {
  unsigned payloadLength;     // L
  unsigned compressedLength;  // C as stored
  unsigned length;            // U
  // C cut to the bytes the container really holds after its header: what a
  // reader may decompress, so a container cut short reads as exhausted input
  // and is never read past its end.
  unsigned presentLength;
};

// The header of the `size` bytes at `bytes`; false when they are too short to
// hold one.
bool ReadContainerHeader(const BYTE* bytes, std::size_t size, ContainerHeader* header);

// The big-endian 16-bit field at `bytes`.
inline unsigned ReadBigEndian16(const BYTE* bytes) {
  return (static_cast<unsigned>(bytes[0]) << 8) | bytes[1];
}
