// Shared fixtures of the text engine tests: a memory DC with a backing
// image, a view whose fonts carry a fixed width table (so results do not
// depend on installed fonts), and small Articles built record by record.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <initializer_list>
#include <vector>

#include "app/app_state.h"
#include "platform/gdi.h"
#include "text/view.h"

namespace fixture {

// The text area's corner in the layout and paint fixtures, and the Attr
// bytes of this book's records: right-to-left paragraphs (right-aligned,
// blank line after) and titles.
inline constexpr int kLeft = 10;
inline constexpr int kTop = 5;
inline constexpr BYTE kParagraph = 0xB1;
inline constexpr BYTE kTitle = 0xDC;

// A memory DC drawing into a width x height image.
struct MemoryDC {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ oldBitmap;

  MemoryDC(int width, int height)
      : dc(CreateCompatibleDC(nullptr)), bitmap(CreateCompatibleBitmap(dc, width, height)),
        oldBitmap(SelectObject(dc, bitmap)) {}
  ~MemoryDC() {
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
};

// Letters, marked letters and pair codes 10 pixels, space 5, hyphen 4,
// full stop 3, other codes 6, vowel points 0.
inline void FillFixedWidths(WORD* widths) {
  for (int c = 16; c < 128; ++c) {
    int w = 6;
    if (c <= 20 || (c >= 65 && c <= 90) || (c >= 97 && c <= 123)) w = 10;
    if (c >= 21 && c <= 31) w = 0;
    if (c == ' ') w = 5;
    if (c == '-') w = 4;
    if (c == '.') w = 3;
    widths[c - 16] = static_cast<WORD>(w);
  }
}

// Gives the view a measured font entry for each style key, with the fixed
// widths, so SelectStyle uses them instead of measuring the font.
inline void InstallFixedWidths(TextView* view, std::initializer_list<int> keys) {
  for (int key : keys) {
    auto* entry = static_cast<FontEntry*>(std::calloc(1, sizeof(FontEntry)));
    LOGFONTW font{};
    font.lfHeight = 16;
    entry->Handle = CreateFontIndirectW(&font);
    entry->Style = static_cast<BYTE>(key & 0x1F);
    FillFixedWidths(entry->Widths);
    entry->Next = view->FontList;
    view->FontList = entry;
  }
}

// The metrics of the font of a style key (after InstallFixedWidths).
inline TEXTMETRICW MetricsOf(TextView* view, int key) {
  HFONT old = SelectStyle(view, key);
  TEXTMETRICW metrics{};
  GetTextMetricsW(view->DC, &metrics);
  SelectObject(view->DC, old);
  return metrics;
}

// An Article built record by record. Text is given in reading order with
// ASCII a..z standing for the Hebrew letters 97..122 (as the text code has
// them); right-to-left records are stored reversed, in display order.
struct Article {
  std::vector<BYTE> bytes;

  Article& Record(BYTE attr, BYTE indent, const std::string& reading) {
    const std::size_t start = bytes.size() + 2;
    bytes.push_back(attr);
    bytes.push_back(indent);
    bytes.insert(bytes.end(), reading.begin(), reading.end());
    if ((attr & 0x10) != 0 && (attr & 7) != 7) std::reverse(bytes.begin() + start, bytes.end());
    bytes.push_back(0);
    return *this;
  }
  // The position of record i's text.
  int TextOf(int record) const {
    std::size_t p = 0;
    for (int i = 0; i < record; ++i) p += 2 + std::strlen(reinterpret_cast<const char*>(&bytes[p + 2])) + 1;
    return static_cast<int>(p + 2);
  }
  // A heap copy, ended by the end record, for handing to the view.
  BYTE* Copy() const {
    auto* copy = static_cast<BYTE*>(std::malloc(bytes.size() + 3));
    std::memcpy(copy, bytes.data(), bytes.size());
    std::memset(copy + bytes.size(), 0, 3);
    return copy;
  }
};

// A view of the given text area over dc, Unicode font addressing, fixed
// widths for the style keys the fixtures use.
inline TextView* FixedWidthView(HDC dc, int left, int top, int width, int height) {
  AppState.Font.FontAsciiBase = 1488;
  AppState.Flags = 0;
  FontChoice font{};
  font.FontSize = 16;
  font.FontAsciiBase = 1488;
  const RECT rect{left, top, left + width, top + height};
  TextView* view = CreateView(dc, &rect, &font, 100);
  InstallFixedWidths(view, {1, 2, 0x11, 0x1C});
  return view;
}

}  // namespace fixture
