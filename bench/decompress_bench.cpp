// Decompressing the shipped book, as every Article change and every search
// across Articles does.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "platform/resources.h"
#include "res/book_resources.h"
#include "store/article_store.h"
#include "store/container.h"

namespace {

constexpr int kArticleCount = 12;

void InstallBook() {
  static std::vector<ResourceEntry> table;
  if (table.empty()) AddBookResources(table);
  InstallResources(table.data(), table.size());
}

// The decompressed size of all twelve Articles, from their containers.
std::size_t BookLength() {
  std::size_t total = 0;
  for (int number = 1; number <= kArticleCount; ++number) {
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1000 + number), RT_RCDATA);
    const auto* bytes = static_cast<const BYTE*>(LoadResource(nullptr, resource));
    total += ReadBigEndian16(bytes + 8);
  }
  return total;
}

void BM_DecompressBook(benchmark::State& state) {
  InstallBook();
  const std::size_t length = BookLength();
  for (auto _ : state) {
    for (int number = 1; number <= kArticleCount; ++number) {
      BYTE* article = LoadArticle(number);
      benchmark::DoNotOptimize(article);
      std::free(article);
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * length));
}
BENCHMARK(BM_DecompressBook);

}  // namespace
