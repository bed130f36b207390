// Converting text code to the code points of the reading font, and the two
// ways of measuring a run of text code.
#pragma once

#include "platform/types.h"

// The font addressing bases (AppState.Font.FontAsciiBase): the code point of
// alef in the font.
inline constexpr int kUnicodeBase = 1488;
inline constexpr int kSingleByteBase = 224;
inline constexpr int kLowBase = 97;

// AppState.Flags bit of the Reverse option: every converted run is drawn in
// reversed order.
inline constexpr std::uint32_t kReverseFlag = 0x800;

// The program-wide growing buffer that conversions for measuring, drawing
// and export go through. It grows for longer runs and is never shrunk.
struct ConvBufferRecord {
  WCHAR* Buffer;  // room for (Capacity + 1) * 2 code points, or none
  int Capacity;   // in text bytes
};
extern ConvBufferRecord ConvBuffer;

// Converts at most n bytes of text (stopping early at a zero byte) by the
// column AppState.Font.FontAsciiBase selects (1488: Unicode; any other
// value: single-byte), terminates the result with 0 and reverses it with
// mirrored brackets when the Reverse option (AppState.Flags bit 0x800) is on
// and the base is not 97. With a buffer the result lives in it until the
// next conversion through it; without, the caller frees the result with
// free(). *extra (when given) receives code points written minus bytes read.
// Returns none when memory runs out.
WCHAR* TextToFont(const BYTE* text, int n, ConvBufferRecord* buffer, int* extra);

// Reverses the first n code points in place, exchanging ( with ), [ with ]
// and { with }. Returns 0, or 1 when it could not get its scratch array (the
// string is then unchanged).
int ReverseMirrored(WCHAR* string, int n);

// How much of a run fits: the bytes taken and their width in pixels.
struct RunFit {
  int Width;
  int Count;
};

// With the width table of a font (112 widths of codes 16..127): the bytes of
// text, at most count and stopping at a zero byte, that fit within maxWidth.
// Zero-width bytes after the last fitting byte are taken too. Without a
// width table: width 0 and count unchanged.
RunFit FitByWidths(const WORD* widths, const BYTE* text, int maxWidth, int count);

// The same question answered by the font selected into dc, on the run
// converted through ConvBuffer. Nothing fits when the conversion fails.
RunFit MeasureRun(HDC dc, const BYTE* text, int maxWidth, int count);
