// The current Article and moving between Articles.
#pragma once

#include "platform/types.h"

inline constexpr int kArticleCount = 12;

// Makes Article n (its low 16 bits) current, starting at its first line;
// n = 0 keeps the current one, or takes Article 1 when there is none.
void SelectArticle(unsigned n);

// Shows Article n from its first line: 0 when done, 1 when it could not be
// loaded (or there is no view), leaving the current Article and the page as
// they were.
int GoToArticle(HWND window, unsigned n);

// The next (+1) or previous (-1) Article, from 12 round to 1 and back.
void StepArticle(HWND window, int delta);
void NextArticle(HWND window);
void PreviousArticle(HWND window);
