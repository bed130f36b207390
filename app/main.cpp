// The reader's program. For now it puts the embedded book in place and loads
// every Article and the index once, so a run proves the book is sound; the
// window follows.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/msgbox.h"
#include "platform/resources.h"
#include "res/book_resources.h"
#include "store/article_store.h"

namespace {

constexpr int kArticleCount = 12;

bool Loads(int number) {
  BYTE* article = LoadArticle(number);
  std::free(article);
  return article != nullptr;
}

}  // namespace

int main() {
  static std::vector<ResourceEntry> resources;
  AddBookResources(resources);
  InstallResources(resources.data(), resources.size());

  int failures = 0;
  for (int number = 1; number <= kArticleCount; ++number) {
    if (!Loads(number)) {
      std::fprintf(stderr, "Article %d cannot be loaded\n", number);
      ++failures;
    }
  }
  if (!Loads(kIndexArticleNumber)) {
    std::fprintf(stderr, "the index cannot be loaded\n");
    ++failures;
  }
  if (failures > 0) MessageBoxW(nullptr, u"Resource not found", u"Error", MB_OK | MB_ICONHAND);
  return failures == 0 ? 0 : 1;
}
