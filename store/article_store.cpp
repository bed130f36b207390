#include "store/article_store.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/app_state.h"
#include "platform/msgbox.h"
#include "platform/resources.h"
#include "store/container.h"

namespace {

// Room behind the output for the fixed 8- and 16-byte copies below: they may
// write past the end of a short copy, always into bytes written again later
// or lying beyond U.
constexpr std::size_t kCopySlack = 16;

BYTE* FailBufferError(BYTE* buffer) {
  std::free(buffer);
  MessageBoxW(nullptr, kBufferErrorText, nullptr, MB_OK);
  return nullptr;
}

}  // namespace

BYTE* UnCompress(const BYTE* source, unsigned compressedLength, unsigned length) {
  if (length == 0) return nullptr;
  auto* buffer = static_cast<BYTE*>(std::malloc(std::size_t{length} + 2 + kCopySlack));
  if (buffer == nullptr) return nullptr;

  const BYTE* in = source;
  const BYTE* const inEnd = source + compressedLength;
  BYTE* out = buffer;
  BYTE* const outEnd = buffer + length;
  while (out < outEnd && in < inEnd) {
    const unsigned c = *in++;
    if (c >= 0xC0) {  // a space and one character 0x40..0x7F
      out[0] = ' ';
      out[1] = static_cast<BYTE>(c ^ 0x80);
      out = std::min(out + 2, outEnd);
    } else if (c >= 0x80) {  // back-reference: 11 bits distance, 3 bits length
      if (in == inEnd) return FailBufferError(buffer);
      const unsigned word = (c << 8) | *in++;
      const std::size_t distance = (word >> 3) & 0x7FF;
      if (distance == 0 || distance > static_cast<std::size_t>(out - buffer))
        return FailBufferError(buffer);
      const std::size_t count =
          std::min<std::size_t>((word & 7) + 3, static_cast<std::size_t>(outEnd - out));
      const BYTE* from = out - distance;
      if (distance >= 8) {
        // Each 8-byte step reads only bytes that are final by then.
        std::memcpy(out, from, 8);
        std::memcpy(out + 8, from + 8, 8);
      } else {
        for (std::size_t i = 0; i < count; ++i) out[i] = from[i];
      }
      out += count;
    } else if (c >= 1 && c <= 8) {  // literal run of c bytes
      const std::size_t count = std::min<std::size_t>(c, static_cast<std::size_t>(outEnd - out));
      const auto inputLeft = static_cast<std::size_t>(inEnd - in);
      if (inputLeft < count) return FailBufferError(buffer);
      std::memcpy(out, in, inputLeft >= 8 ? 8 : count);
      out += count;
      in += count;
    } else {  // 0 and 0x09..0x7F stand for themselves
      *out++ = static_cast<BYTE>(c);
    }
  }
  if (out != outEnd) return FailBufferError(buffer);
  *outEnd = 0;
  return buffer;
}

BYTE* LoadArticle(int number) {
  if (number < 1) return nullptr;
  const auto id = static_cast<WORD>((number + 1000) & 0xFFFF);
  HRSRC resource = FindResourceW(AppState.Instance, MAKEINTRESOURCEW(id), RT_RCDATA);
  if (resource == nullptr) return nullptr;
  const DWORD size = SizeofResource(AppState.Instance, resource);
  if (size == 0) return nullptr;
  const auto* bytes = static_cast<const BYTE*>(LoadResource(AppState.Instance, resource));
  ContainerHeader header;
  if (!ReadContainerHeader(bytes, size, &header)) return nullptr;
  if (header.payloadLength < 5 || header.compressedLength == 0) return nullptr;
  return UnCompress(bytes + kContainerHeaderSize, header.presentLength, header.length);
}
