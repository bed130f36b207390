#include "app/navigation.h"

#include "app/app_state.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "store/article_store.h"
#include "text/layout.h"
#include "text/view.h"

void SelectArticle(unsigned n) {
  auto article = static_cast<std::uint16_t>(n & 0xFFFF);
  if (article == 0) {
    if (AppState.Lesson != 0) return;
    article = 1;
  }
  if (AppState.Lesson == article) return;
  AppState.Lesson = article;
  AppState.LastPosition = 0;
}

int GoToArticle(HWND window, unsigned n) {
  // Without a view nothing could show the Article (nor take its text).
  if (AppState.View == nullptr) return 1;
  const std::uint16_t previous = AppState.Lesson;
  SelectArticle(n);
  BYTE* text = LoadArticle(AppState.Lesson);
  if (text == nullptr) {
    AppState.Lesson = previous;
    return 1;
  }
  LayoutArticle(AppState.View, text, LayoutMode::Replace);
  AppState.View->TopLine = 0;
  RepaintNow(window);
  UpdateBookmarkCheck(CheckMode::Set);
  return 0;
}

void StepArticle(HWND window, int delta) {
  int n = AppState.Lesson + delta;
  if (n > kArticleCount) n = 1;
  if (n < 1) n = kArticleCount;
  GoToArticle(window, static_cast<unsigned>(n));
}

void NextArticle(HWND window) { StepArticle(window, +1); }
void PreviousArticle(HWND window) { StepArticle(window, -1); }
