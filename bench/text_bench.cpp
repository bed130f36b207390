// The text engine on the longest shipped Article: laying it out (every
// Article change, resize and font change) and painting one page of it
// (every scroll and repaint).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "app/app_state.h"
#include "platform/gdi.h"
#include "platform/resources.h"
#include "platform/system.h"
#include "res/book_resources.h"
#include "store/article_store.h"
#include "text/convert.h"
#include "text/layout.h"
#include "text/paint.h"
#include "text/view.h"

namespace {

constexpr int kArticleCount = 12;

int ArticleLength(const BYTE* text) {
  int p = 0;
  while (text[p] != 0) {
    p += 2;
    while (text[p] != 0) ++p;
    ++p;
  }
  return p;
}

BYTE* LoadLongestArticle() {
  BYTE* longest = nullptr;
  for (int number = 1; number <= kArticleCount; ++number) {
    BYTE* text = LoadArticle(number);
    if (text == nullptr) continue;
    if (longest == nullptr || ArticleLength(text) > ArticleLength(longest)) std::swap(text, longest);
    std::free(text);
  }
  return longest;
}

// The longest Article laid out at 16 px in a 460-pixel-wide text area of a
// 480 x 640 memory DC, in the default Hebrew font.
struct BookPage {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  TextView* view = nullptr;

  BookPage() {
    EnsureGuiToolkit();
    static std::vector<ResourceEntry> table;
    if (table.empty()) AddBookResources(table);
    InstallResources(table.data(), table.size());
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateCompatibleBitmap(dc, 480, 640);
    SelectObject(dc, bitmap);
    AppState.Font = FontChoice{};
    AppState.Font.FontSize = 16;
    AppState.Font.FontAsciiBase = kUnicodeBase;
    const RECT area{10, 0, 470, 640};
    view = CreateView(dc, &area, &AppState.Font, 100);
    LayoutArticle(view, LoadLongestArticle(), LayoutMode::Replace);
  }
  ~BookPage() {
    FreeView(view, FreeRecord::Release);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
};

void BM_LayoutArticle(benchmark::State& state) {
  BookPage page;
  for (auto _ : state) benchmark::DoNotOptimize(LayoutArticle(page.view, page.view->Text, LayoutMode::Keep));
  state.counters["lines"] = page.view->TotalLines;
}
BENCHMARK(BM_LayoutArticle);

void BM_PaintPage(benchmark::State& state) {
  BookPage page;
  for (auto _ : state) benchmark::DoNotOptimize(PaintView(page.view, PaintErase::Erase));
  state.counters["page_lines"] = page.view->PageLines;
}
BENCHMARK(BM_PaintPage);

}  // namespace
