// The shipped book as a reader meets it at 16 px in the reader's default
// 480 x 640 window: some Articles run to several pages, at least one fits on
// a single page.
#include <gtest/gtest.h>

#include <vector>

#include "app/app_state.h"
#include "platform/resources.h"
#include "res/book_resources.h"
#include "store/article_store.h"
#include "tests/text/view_fixture.h"
#include "text/layout.h"
#include "text/paint.h"
#include "text/view.h"

namespace {

// The text area beside the scroll bar and below the command bar.
constexpr RECT kTextArea = {0, 28, 464, 640};

struct Pages {
  int totalLines;
  int pageLines;
};

Pages PagesOf(int number) {
  fixture::MemoryDC memory(480, 640);
  FontChoice font{};
  font.FontSize = 16;
  font.FontAsciiBase = 1488;
  TextView* view = CreateView(memory.dc, &kTextArea, &font, 100);
  EXPECT_EQ(LayoutArticle(view, LoadArticle(number), LayoutMode::Replace), kLaidOut);
  PaintView(view, PaintErase::Erase);
  const Pages pages{view->TotalLines, view->PageLines};
  FreeView(view, FreeRecord::Release);
  return pages;
}

TEST(BookPages, SomeArticlesRunToSeveralPagesAndOneFitsOnOne) {
  std::vector<ResourceEntry> table;
  AddBookResources(table);
  InstallResources(table.data(), table.size());
  ClearAppState();
  AppState.Font.FontAsciiBase = 1488;
  int longArticles = 0;
  int onePageArticles = 0;
  for (int number = 1; number <= 12; ++number) {
    const Pages pages = PagesOf(number);
    ASSERT_GT(pages.pageLines, 0) << "Article " << number;
    if (pages.totalLines >= 3 * pages.pageLines) ++longArticles;
    if (pages.totalLines <= pages.pageLines) ++onePageArticles;
  }
  EXPECT_GE(longArticles, 3) << "Articles of three pages or more";
  EXPECT_GE(onePageArticles, 1) << "Articles that fit on one page";
  InstallResources(nullptr, 0);
}

}  // namespace
