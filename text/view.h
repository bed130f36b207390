// The reading view: the one record that shows an Article, with its fonts
// (one per paragraph style key) and their width tables.
#pragma once

#include "app/app_state.h"
#include "platform/types.h"

struct LineEntry;

// Width tables hold the advance of each text code 16..127 (index code - 16).
inline constexpr int kWidthCount = 112;
// A width table not measured yet holds these two values first.
inline constexpr WORD kUnmeasuredWidth0 = 0xFFFF;
inline constexpr WORD kUnmeasuredWidth1 = 0xBAAD;

// One font made for one style key.
struct FontEntry {
  FontEntry* Next;
  HFONT Handle;  // none after the fonts were released
  BYTE Style;    // the style key (Attr & 0x1F)
  WORD Widths[kWidthCount];
};

// Display lines: lines of the line table, where a line whose Attr has bit 7
// counts twice (it is followed by a blank line). TopLine, TotalLines,
// MaxTopLine and PageLines count display lines.
struct TextView {
  LineEntry* Lines;        // LineCapacity + 1 entries, or none
  HDC DC;                  // the window's DC; all measuring and drawing
  BYTE* Text;              // the Article shown, owned by the view
  std::int32_t PageLines;  // display lines drawn by the last paint
  FontChoice Font;         // copy of AppState.Font
  FontEntry* FontList;     // newest first
  WORD* CharWidths;        // width table of the font selected last
  std::int32_t Left, Top, Width, Height;  // text area, client coordinates
  std::uint16_t TopLine;
  std::uint16_t TotalLines;
  std::uint16_t LineCount;     // entries of the table, terminator not counted
  std::uint16_t LineCapacity;  // entries the table holds before it grows
  std::uint16_t MaxTopLine;
  std::uint16_t HitStart;  // the highlighted search hit, offsets in Text;
  std::uint16_t HitEnd;    // HitStart = HitEnd = 0: none
};

// Style keys met in this book, and the colour requests a selection may add.
inline constexpr int kStyleInitial = 1;
inline constexpr int kStyleSmaller = 2;
inline constexpr int kStyleLarger = 4;
inline constexpr int kStyleBold = 8;
inline constexpr int kStyleTitle = 0x1C;
inline constexpr int kStyleParagraph = 0x11;
inline constexpr int kWithColour = 0x100;
inline constexpr int kWithColourAlso = 0x200;

inline constexpr COLORREF kBlue = 0xFF0000;
inline constexpr COLORREF kBlack = 0x000000;
inline constexpr COLORREF kRed = 0x0000FF;
inline constexpr COLORREF kYellow = 0x00FFFF;
inline constexpr COLORREF kWhite = 0xFFFFFF;

// A view over dc (none: no view) with the text area rect (may be none) and
// a copy of the font choice; capacity lines in its first line table (0: the
// first layout makes one). None when memory runs out. Free with FreeView.
TextView* CreateView(HDC dc, const RECT* rect, const FontChoice* fontChoice, int capacity);

// Sets the text area's size and lays the text out again. -1 without a view,
// -5 when width or height is not positive (nothing changes), else the
// layout's result.
int ResizeView(TextView* view, int width, int height);

// Takes a new font choice: remakes every font, lays out again and repaints
// with erasing. -1 without a view, 1 when the layout failed, else the
// paint's result. With no choice it only releases every font handle (0).
int SetViewFont(TextView* view, const FontChoice* fontChoice);

enum class FreeRecord { Keep, Release };
// Releases the Text, the line table and the fonts; the record too on
// FreeRecord::Release.
void FreeView(TextView* view, FreeRecord record);

// Makes the font of key & 0x1F current in DC and CharWidths its width table
// (measured when needed); with kWithColour or kWithColourAlso also sets the
// text colour (blue for a heading key, bits 2 and 3, else black). Returns the
// font it replaced in DC, or none when the font could not be made (then
// nothing is selected and CharWidths stays).
HFONT SelectStyle(TextView* view, int key);

// A measuring or drawing pass: selects styles and, at its end, puts back the
// font DC had before the pass's first selection.
struct StylePass {
  TextView* View;
  HFONT Kept;
};
void SelectPassStyle(StylePass& pass, int key);
void EndStylePass(StylePass& pass);
