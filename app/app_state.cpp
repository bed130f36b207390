#include "app/app_state.h"

#include <cstring>

AppStateRecord AppState;

std::int32_t FullScreen;
HWND TaskBarWindow;
std::int32_t IgnoreActivate;
std::int32_t AllowSipInHebrewSearch;

void ClearAppState() { std::memset(&AppState, 0, sizeof AppState); }

void SetFontName(FontChoice& font, LPCWSTR name) {
  constexpr std::size_t kLimit = sizeof font.FontName / sizeof font.FontName[0] - 1;
  std::size_t n = 0;
  for (; name != nullptr && n < kLimit && name[n] != 0; ++n) font.FontName[n] = name[n];
  for (std::size_t i = n; i <= kLimit; ++i) font.FontName[i] = 0;
}
