// The settings as a whole: read once before the main window exists, written
// once when it is destroyed (or when memory runs out).
#pragma once

#include <cstdint>

// Defaults of the stored values that have one besides 0 or empty.
inline constexpr std::uint32_t kDefaultFlags = 0xD1140040;
inline constexpr std::int32_t kDefaultFontAsciiBase = 1488;

// Writes "Program Path" (the program's own file) and reads the font, the
// search string, the position, the Flags, the current Article, bitmaps
// 201-203 and the bookmark list into AppState; what is missing or unreadable
// gives its default.
void LoadSettings();

// Releases the bitmaps and stores the settings: the search string, the face
// name, the font size and addressing base when they are not empty or 0, the
// view's TopLine as "LastPosition" when there is a view, the Flags always,
// the current Article when it is not 0, the bookmark list always. Then frees
// the view and the list and posts the quit message (code 0). It removes
// itself as the out-of-memory save, so a later failure saves nothing more.
void SaveSettingsAndQuit();
