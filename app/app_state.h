// The process-wide application record and the start-up switches beside it.
#pragma once

#include "platform/types.h"

struct TextView;

// The reading font as the font chooser edits it and the view copies it.
struct FontChoice {
  WCHAR FontName[32];  // face name; empty: no font chosen yet; always ends with 0
  std::int32_t FontSize;       // 0: not set
  std::int32_t FontAsciiBase;  // 224, 97 or 1488: where the font holds alef
};

struct AppStateRecord {
  HINSTANCE Instance;
  FontChoice Font;
  std::uint16_t LastPosition;  // first display line to show after start-up
  std::uint32_t Flags;         // view option bits
  std::uint16_t Lesson;        // current Article 1..12; 0 until start-up settles it
  BYTE SearchString[34];       // text code, zero-terminated, at most 33 bytes
  TextView* View;
  std::int32_t MenuBarOnBottom;
  std::int32_t BarHeight;
  std::int32_t SurroundingGutter;
  HWND BarWindow;
  HWND MainWindow;
  HBITMAP PlusBitmap;
  HBITMAP MinusBitmap;
  HBITMAP DocumentBitmap;
  std::uint16_t BookmarkCount;
  std::uint16_t* Bookmarks;  // BookmarkCount numbers, then 0; NULL: no bookmarks
  std::uint16_t BookmarkNoAsk;
};

extern AppStateRecord AppState;

// Switches read once at start-up; not cleared with AppState.
extern std::int32_t FullScreen;
extern HWND TaskBarWindow;
extern std::int32_t IgnoreActivate;
extern std::int32_t AllowSipInHebrewSearch;

// Sets every field of AppState to zero (the first step of start-up).
void ClearAppState();

// Copies a face name into a FontChoice, cut to 31 characters, always
// zero-terminated.
void SetFontName(FontChoice& font, LPCWSTR name);
