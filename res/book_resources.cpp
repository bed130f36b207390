#include "res/book_resources.h"

#include <cstdint>

// The containers kestro-book built, embedded by cmake/EmbedFiles.cmake as
// kBook<id>[] and kBook<id>_size.
#define KESTRO_BOOK_IDS(X) \
  X(1001) X(1002) X(1003) X(1004) X(1005) X(1006) X(1007) X(1008) X(1009) X(1010) X(1011) \
  X(1012) X(32767)

#define KESTRO_DECLARE_BOOK_FILE(id)        \
  extern const unsigned char kBook##id[]; \
  extern const unsigned kBook##id##_size;
KESTRO_BOOK_IDS(KESTRO_DECLARE_BOOK_FILE)
#undef KESTRO_DECLARE_BOOK_FILE

void AddBookResources(std::vector<ResourceEntry>& table) {
  const auto rcdata = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(RT_RCDATA));
#define KESTRO_ADD_BOOK_FILE(id) table.push_back({rcdata, id, kBook##id, kBook##id##_size});
  KESTRO_BOOK_IDS(KESTRO_ADD_BOOK_FILE)
#undef KESTRO_ADD_BOOK_FILE
}
