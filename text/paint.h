// Painting the page of the reading view, the search hit and the title
// banner, and the run-drawing primitives.
#pragma once

#include "platform/types.h"

struct TextView;
struct LineEntry;

enum class PaintErase { None, Erase };

// Paints the lines from TopLine down while they fit (TopLine above
// TotalLines is brought back to MaxTopLine), then the hit if there is one.
// Sets PageLines. 0, or -1 without a view, Text or line table. The DC's
// font and text colour are put back.
int PaintView(TextView* view, PaintErase erase);

// Draws HitStart..HitEnd in blue on yellow over the lines of the page.
int PaintHit(TextView* view);

// Draws one laid-out line's part that the hit covers (run: n bytes of Text
// drawn from x on line's row y).
void HighlightRun(TextView* view, const BYTE* run, int n, int x, int y, const LineEntry& line);

// The framed banner with the Article's title (and subtitle) at the bottom of
// the text area, drawn straight onto the DC until the next paint.
void ShowArticleBanner(TextView* view);

// Draws n bytes of text code in the cell (x, y, w, h): code by code with the
// view's widths for a Unicode font, else converted and centred.
void DrawRun(TextView* view, const BYTE* bytes, int n, int x, int y, int w, int h);
// From the rectangle's right edge leftwards, one cell per letter of its
// width-table width, vowel points centred in their letter's cell and holam
// at its upper left. Leaves the DC's background mode transparent.
void DrawRunUnicode(TextView* view, const BYTE* bytes, int n, const RECT& rect);
// The run converted (through ConvBuffer) and drawn centred in the rectangle
// in the DC's current colours and background mode.
void DrawRunConverted(HDC dc, const BYTE* bytes, int n, int x, int y, int w, int h);
// DrawRunConverted in the given colours; the DC's colours are put back.
void DrawColouredRun(HDC dc, const BYTE* bytes, int n, int x, int y, int w, int h,
                     COLORREF textColour, COLORREF backColour);
// Fills (x, y) to (x + w, y + h) with a stock brush.
void FillStock(HDC dc, int x, int y, int w, int h, int stockIndex);
