// Test support: drives the layer's windows as a user would, through the
// same toolkit events that the desktop delivers, and reads back what the
// user would see. For tests only (library kestro_platform_testing).
#pragma once

#include <string>

#include "platform/types.h"

enum class KeyModifiers : unsigned { None = 0, Shift = 1, Control = 2, Alt = 4 };
constexpr KeyModifiers operator|(KeyModifiers a, KeyModifiers b) {
  return static_cast<KeyModifiers>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

// Presses and releases a key (a VK_ code) in the window, or in the menu
// that is open, if one is.
void TestPressKey(HWND window, WPARAM virtualKey, KeyModifiers modifiers = KeyModifiers::None);
// A left-button click (press and release) at client coordinates.
void TestClick(HWND window, int x, int y);
// Turns the mouse wheel over the client area; positive notches scroll up.
void TestTurnWheel(HWND window, int notches);

enum class ScrollGesture { ArrowDown, ArrowUp, TroughBelow, TroughAbove, ToTop, ToBottom };
// An action on the window's vertical scroll bar.
void TestScroll(HWND window, ScrollGesture gesture);
// Drags the scroll bar's thumb to the positions given, then lets go.
void TestDragThumb(HWND window, int firstPosition, int lastPosition);
bool TestScrollBarShown(HWND window);

// The desktop's close button of a top-level window.
void TestPressCloseButton(HWND window);

// A bar's position (as TB_SETTOOLTIPS counts them): a click on it, its
// tooltip. TestClickBarPosition on a drop-down button opens its menu.
void TestClickBarPosition(HWND bar, int position);
std::u16string TestBarToolTip(HWND bar, int position);
// The close button added by CommandBar_AddAdornments, if any.
bool TestBarHasCloseButton(HWND bar);

// The menus of a bar as shown, one line per entry: a drop-down's title,
// then its items indented by two spaces ("-" for a separator), the shortcut
// after a tab, " [x]" after a checked item.
std::u16string TestShownMenus(HWND bar);
// The title of the menu that is open ("" when none).
std::u16string TestOpenMenu();
// Closes any open menu.
void TestCloseMenus();

// A white drawing surface of width x height logical pixels at the given
// device pixel ratio, as a window's backing image is, and a DC over it;
// TestDestroySurfaceDC releases both. For benchmarks and tests that draw
// without a window.
HDC TestCreateSurfaceDC(int width, int height, double pixelRatio);
void TestDestroySurfaceDC(HDC dc);
