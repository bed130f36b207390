// libFuzzer target over the Article container and the decompressor: any
// bytes loaded as an Article resource either decompress into a buffer with
// its zero at U or are refused, and never make the store read or write
// outside the buffers (the sanitizers watch). The same bytes also go through
// our compressor and back, which must give them back exactly.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "platform/msgbox.h"
#include "platform/resources.h"
#include "store/article_store.h"
#include "store/container.h"
#include "tools/kestro-book/palmdoc_compressor.h"

namespace {

int Quiet(HWND, LPCWSTR, LPCWSTR, UINT) { return IDOK; }

void LoadAsArticle(const BYTE* data, std::size_t size) {
  const ResourceEntry table[] = {{10, 1001, data, static_cast<DWORD>(size)}};
  InstallResources(table, 1);
  BYTE* article = LoadArticle(1);
  InstallResources(nullptr, 0);
  if (article == nullptr) return;
  if (article[ReadBigEndian16(data + 8)] != 0) std::abort();
  std::free(article);
}

void RoundTrip(const BYTE* data, std::size_t size) {
  if (size == 0 || size > 65535) return;
  const std::vector<BYTE> compressed = CompressPalmDoc(std::span(data, size));
  BYTE* out = UnCompress(compressed.data(), static_cast<unsigned>(compressed.size()),
                         static_cast<unsigned>(size));
  if (out == nullptr || std::memcmp(out, data, size) != 0) std::abort();
  std::free(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SetMessageBoxHook(Quiet);
  LoadAsArticle(data, size);
  RoundTrip(data, size);
  return 0;
}
