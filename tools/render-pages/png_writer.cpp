#include "tools/render-pages/png_writer.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Crc(const Bytes& data, std::size_t from) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = from; i < data.size(); ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void Put32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Chunk(Bytes& out, const char* type, const Bytes& data) {
  Put32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  Put32(out, Crc(out, start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes Zlib(const Bytes& raw) {
  Bytes out{0x78, 0x01};
  std::size_t pos = 0;
  do {
    const std::size_t n = std::min<std::size_t>(raw.size() - pos, 65535);
    out.push_back(pos + n == raw.size() ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(static_cast<std::uint8_t>(n >> 8));
    out.push_back(static_cast<std::uint8_t>(~n));
    out.push_back(static_cast<std::uint8_t>(~n >> 8));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
               raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
    pos += n;
  } while (pos < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  Put32(out, (b << 16) | a);
  return out;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb) {
  Bytes raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    const auto row = rgb.begin() + static_cast<std::ptrdiff_t>(y) * width * 3;
    raw.insert(raw.end(), row, row + width * 3);
  }
  Bytes header;
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB

  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", Zlib(raw));
  Chunk(png, "IEND", {});
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(file);
}
