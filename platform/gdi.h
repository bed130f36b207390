// Device contexts, fonts, text and simple shapes over a backing image.
#pragma once

#include "platform/types.h"

// LOGFONTW: only lfHeight, lfWeight, lfUnderline and lfFaceName are used.
// |lfHeight| is the pixel size (0: 16 px); an empty face name means the first
// installed of "Ezra SIL", "David CLM", "Frank Ruehl CLM", else the default.
struct LOGFONTW {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[32];
};

inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_BOLD = 700;
inline constexpr BYTE HEBREW_CHARSET = 177;

struct TEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
};

// DrawTextW flags.
inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_RIGHT = 0x0002;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_BOTTOM = 0x0008;
inline constexpr UINT DT_WORDBREAK = 0x0010;
inline constexpr UINT DT_SINGLELINE = 0x0020;
inline constexpr UINT DT_NOCLIP = 0x0100;
inline constexpr UINT DT_NOPREFIX = 0x0800;

// ExtTextOutW options.
inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;

// Background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Stock objects.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int SYSTEM_FONT = 13;

inline constexpr int PS_SOLID = 0;

// Raster operation of BitBlt and StretchBlt.
inline constexpr DWORD SRCCOPY = 0x00CC0020;

inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Fonts.
// A font from its description; Qt's font fallback supplies the code points
// its face lacks.
HFONT CreateFontIndirectW(const LOGFONTW* font);
// tmHeight is the line height (ascent + descent), tmMaxCharWidth the widest
// advance, in whole pixels.
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
// Of the `count` characters of text, how many fit within maxExtent (in
// *fit, when fit is not NULL and maxExtent >= 0) and the extent of all
// `count` characters in *size (cy: tmHeight). partialExtents, when not
// NULL, receives the extent up to and including each character. Extents
// are sums of whole-pixel advances; a combining mark (a vowel point) has
// none, so a lone point measures 0 and points after the last fitting
// letter fit with it.
BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, int* fit,
                           int* partialExtents, SIZE* size);

// Text. count -1 means zero-terminated. DrawTextW returns the text's height
// (tmHeight per line). Text is drawn antialiased, left to right in the order
// given (right-to-left text is expected in display order; nothing is
// reordered), each character at the advance the extents report. A
// combining mark's ink is centred over the cell of the letter it belongs
// to, on that letter's baseline: a Hebrew point (U+0591..U+05C7) belongs to
// the letter after it, as display order stores it, other marks to the letter
// before them. A mark drawn alone is centred in the rectangle (DT_CENTER),
// on the baseline a letter drawn in the same rectangle would have, so a
// point drawn centred in a letter's cell lands on that letter. DT_VCENTER
// and DT_BOTTOM centre or lower the line height (DT_SINGLELINE only).
// Without DT_NOCLIP the drawing is clipped to the rectangle: above and
// below it, and at its sides for characters whose cells reach past them (a
// letter whose cell lies within keeps the antialiased edge it may have past
// its advance; a mark is never cut at the sides). Without DT_SINGLELINE
// lines break at line feeds, and with DT_WORDBREAK also between words;
// without DT_NOPREFIX "&&" draws "&" and a lone "&" is left out. In OPAQUE
// mode the text's cells are first filled with the background colour.
int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format);
// Draws with the top-left of the text at (x, y), clipped to rect with
// ETO_CLIPPED, rect first filled with the background colour with ETO_OPAQUE.
// dx must be NULL (the font's own spacing).
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const int* dx);
COLORREF SetTextColor(HDC dc, COLORREF colour);  // returns the previous colour
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF colour);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);  // returns the previous mode
int GetBkMode(HDC dc);

// Objects. SelectObject returns the object of the same kind it replaced,
// NULL when it fails (not a live object; a bitmap goes only into a memory
// DC, and into one at a time). A new DC has SYSTEM_FONT (the default font),
// WHITE_BRUSH and BLACK_PEN selected, black text on a white OPAQUE
// background.
HGDIOBJ GetStockObject(int index);
HBRUSH CreateSolidBrush(COLORREF colour);
HPEN CreatePen(int style, int width, COLORREF colour);  // PS_SOLID; width 0: one pixel
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Stock objects are never deleted; an object still selected into a DC goes
// when it is replaced there. FALSE for a handle that is not a live object.
BOOL DeleteObject(HGDIOBJ object);

// Shapes: Rectangle outlines with the selected pen and fills with the
// selected brush, right and bottom edges exclusive.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
COLORREF GetPixel(HDC dc, int x, int y);  // CLR_INVALID outside the surface

// Bitmaps. A 1-bit bitmap drawn into a colour surface shows its black
// pixels in the DC's text colour and its white pixels in the background
// colour. LoadBitmapW reads an RT_BITMAP resource (an XPM or PBM image; a
// 1-bit image such as a PBM gives a 1-bit bitmap, transparent XPM pixels
// turn white); NULL when it is missing or damaged. CreateBitmap takes 1 or 4
// bits per pixel (the standard 16 colours), rows padded to 16 bits; NULL
// bits give white (1-bit) or black. CreateCompatibleBitmap always gives a
// colour bitmap (black at first) at the DC's pixel ratio. BitBlt and
// StretchBlt take logical coordinates and only SRCCOPY.
HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HDC CreateCompatibleDC(HDC dc);  // a memory DC; NULL dc: compatible with the screen
BOOL DeleteDC(HDC dc);           // memory DCs only
BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
            int sourceY, DWORD rop);
BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop);
