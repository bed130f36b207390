// The main window: the reading surface, its window procedure, and the steps
// behind its messages.
#pragma once

#include <cstdint>

#include "platform/types.h"

struct TextView;

// Its class name and title.
inline constexpr LPCWSTR kMainWindowName = u"Kestro (Vowels)";

// The message that closes the reader from outside.
inline constexpr UINT kCloseReaderMessage = 1023;

// What full-screen mode hides: the taskbar, the input panel's button and the
// Start icon.
inline constexpr DWORD kFullScreenState = 0x2A;

// AppState.Flags bits the main window reads.
inline constexpr std::uint32_t kScrollBarFlags = 0x000000C0;  // either: a scroll bar
inline constexpr int kKeyPageShift = 20;                      // 3 bits: Page Up/Down step
inline constexpr int kTapPageShift = 24;                      // 3 bits: tap step
inline constexpr std::uint32_t kTapByHeightFlag = 0x10000000;  // upper/lower halves
inline constexpr std::uint32_t kTapPagesFlag = 0x80000000;     // a tap turns the page

LRESULT MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the scroll bar's range 0..MaxTopLine and position TopLine, when the
// Flags give the window a scroll bar and there is a view.
void UpdateScrollBar(HWND window);

// Paints the page at once, outside WM_PAINT, then updates the scroll bar;
// NULL means AppState.MainWindow.
void RepaintNow(HWND window);

// Paints the page with erase; with dc NULL inside BeginPaint/EndPaint.
void PaintMainWindow(HDC dc, HWND window);

// WM_CREATE's view: over a DC of the window, the client area less the bar
// and the gutter, with the current Article laid out at LastPosition. Shows
// "Resource not found" when the Article cannot be loaded (the page stays
// empty); no view when it cannot be made.
void CreateViewAndLoad(HWND window);

// WM_SIZE: the new client size (lParam) less the gutter and the bar becomes
// the view's size, laid out again; TopLine stays.
void ResizeMainWindow(HWND window, LPARAM size);

// True when (x, y) lies in the text area or its gutter to the left, right
// or top (not below).
bool TapHitTest(const TextView* view, int x, int y);

// Turns the page for a tap at (x, y) when taps page: 1 when it did, else 0.
int TapPage(HWND window, TextView* view, int x, int y);
