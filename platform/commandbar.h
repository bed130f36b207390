// The command bar: a strip at the top of its parent's client area holding
// the window's menu and a row of tool buttons with tooltips.
#pragma once

#include "platform/types.h"

inline constexpr BYTE TBSTATE_ENABLED = 0x04;
inline constexpr BYTE TBSTYLE_BUTTON = 0x00;
inline constexpr BYTE TBSTYLE_SEP = 0x01;
inline constexpr BYTE TBSTYLE_DROPDOWN = 0x08;
inline constexpr BYTE TBSTYLE_AUTOSIZE = 0x10;
inline constexpr int I_IMAGENONE = -2;

struct TBBUTTON {
  int iBitmap;  // image index from CommandBar_AddBitmap
  int idCommand;  // sent as WM_COMMAND(id, 0) to the bar's parent
  BYTE fsState;
  BYTE fsStyle;
  BYTE bReserved[2];
  std::uintptr_t dwData;
  std::intptr_t iString;  // -1: no text
};

// Bar messages. TB_ADDBUTTONS: wParam count, lParam const TBBUTTON*.
// TB_SETTOOLTIPS: wParam count, lParam const LPCWSTR*; entry i is the
// tooltip of the bar's i-th position (the menu takes the first position of
// a command bar; NULL entries give none); the texts are copied.
inline constexpr UINT TB_ADDBUTTONS = 0x0400 + 20;
inline constexpr UINT TB_BUTTONCOUNT = 0x0400 + 24;
inline constexpr UINT TB_SETTOOLTIPS = 0x0400 + 81;

// Does nothing: the controls need no set-up.
void InitCommonControls();

HWND CommandBar_Create(HINSTANCE instance, HWND parent, int id);
int CommandBar_Height(HWND bar);
// Puts menu `menuId` (RT_MENU) on the bar at button position `button`: its
// drop-downs open with Alt and their mnemonic, and their items send
// WM_COMMAND(id, 0) to the bar's parent.
BOOL CommandBar_InsertMenubar(HWND bar, HINSTANCE instance, WORD menuId, WORD button);
// Adds `count` images of width x height cut from RT_BITMAP `bitmapId` (XPM);
// returns the index of the first, -1 on failure. The light grey of the
// image's top-left pixel shows as the bar's own background.
int CommandBar_AddBitmap(HWND bar, HINSTANCE instance, int bitmapId, int count, int width,
                         int height);
// Adds the close button at the right end; it posts WM_CLOSE to the parent.
BOOL CommandBar_AddAdornments(HWND bar, DWORD flags, DWORD reserved);
BOOL CommandBar_Show(HWND bar, BOOL show);
HMENU CommandBar_GetMenu(HWND bar, WORD button);
