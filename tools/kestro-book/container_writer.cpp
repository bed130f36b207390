#include "tools/kestro-book/container_writer.h"

#include <string>

#include "store/container.h"
#include "tools/kestro-book/book_error.h"
#include "tools/kestro-book/palmdoc_compressor.h"

namespace {
void AppendBigEndian16(std::vector<BYTE>& out, std::size_t value) {
  out.push_back(static_cast<BYTE>((value >> 8) & 0xFF));
  out.push_back(static_cast<BYTE>(value & 0xFF));
}
}  // namespace

std::vector<BYTE> PackContainer(std::span<const BYTE> raw, ContainerNumbers numbers) {
  if (raw.size() > kMaxContainerLength)
    throw BookError(std::to_string(raw.size()) + " bytes do not fit a container (at most " +
                    std::to_string(kMaxContainerLength) + ")");
  const std::vector<BYTE> compressed = CompressPalmDoc(raw);
  if (compressed.size() > kMaxContainerCompressed)
    throw BookError("the data compress to " + std::to_string(compressed.size()) +
                    " bytes, more than a container holds (" +
                    std::to_string(kMaxContainerCompressed) + ")");
  const std::size_t total = kContainerHeaderSize + compressed.size() + kContainerTrailerSize;
  std::vector<BYTE> out;
  out.reserve(total);
  AppendBigEndian16(out, total - kContainerLengthBias);
  AppendBigEndian16(out, numbers.first);
  AppendBigEndian16(out, numbers.second);
  AppendBigEndian16(out, compressed.size());
  AppendBigEndian16(out, raw.size());
  out.insert(out.end(), compressed.begin(), compressed.end());
  out.insert(out.end(), kContainerTrailerSize, 0);
  return out;
}
