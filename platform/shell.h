// The handheld shell's services that the program calls: the bottom menu
// bar, full-screen mode and setting changes. The soft input panel does not
// exist here (its calls do nothing), nor does the "HHTaskBar" window.
#pragma once

#include "platform/types.h"

inline constexpr DWORD SHCMBF_EMPTYBAR = 0x0001;
inline constexpr DWORD SHCMBF_HIDDEN = 0x0002;
inline constexpr DWORD SHCMBF_HIDESIPBUTTON = 0x0004;

struct SHMENUBARINFO {
  DWORD cbSize;
  HWND hwndParent;
  DWORD dwFlags;
  UINT nToolBarId;  // the RCDATA resource describing the bar (below)
  HINSTANCE hInstRes;
  int nBmpId;
  int cBmpImages;
  HWND hwndMB;  // out: the bar
  COLORREF clrBk;
};

// The bar resource, 16-bit little-endian words: menu id, button count, then
// seven words per button: image (I_IMAGENONE), command, state, style,
// string id (RT_STRING: its UTF-16 text without a terminator), 0, index of
// the drop-down in the menu.
//
// SHCreateMenuBar makes a bar along the bottom edge of its parent window,
// over the bottom of the client area and the scroll bar, holding a drop-down
// button per entry (Alt and the first letter of the drop-down's mnemonic open
// it). Its rectangle is in screen coordinates; MoveWindow on it keeps it
// along the bottom edge with the width it was given short of the right edge.
// It takes the same bar messages and CommandBar_ calls as a command bar.
BOOL SHCreateMenuBar(SHMENUBARINFO* info);

// SendMessageW(bar, SHCMBM_GETSUBMENU, 0, command) returns the drop-down of
// the bar button with that command.
inline constexpr UINT SHCMBM_GETSUBMENU = 0x0400 + 401;

inline constexpr DWORD SHFS_SHOWTASKBAR = 0x0001;
inline constexpr DWORD SHFS_HIDETASKBAR = 0x0002;
inline constexpr DWORD SHFS_SHOWSIPBUTTON = 0x0004;
inline constexpr DWORD SHFS_HIDESIPBUTTON = 0x0008;
inline constexpr DWORD SHFS_SHOWSTARTICON = 0x0010;
inline constexpr DWORD SHFS_HIDESTARTICON = 0x0020;

// SHFS_HIDETASKBAR shows the top-level window full screen, SHFS_SHOWTASKBAR
// ends that; the other flags do nothing.
BOOL SHFullScreen(HWND window, DWORD state);

struct SHACTIVATEINFO {
  DWORD cbSize;
  HWND hwndLastFocus;
  UINT fSipUp : 1;
  UINT fSipOnDeactivation : 1;
  UINT fActive : 1;
  UINT fReserved : 29;
};

// Nothing changes with the settings here: returns TRUE.
BOOL SHHandleWMSettingChange(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info);

// The soft input panel: these do nothing and return TRUE.
inline constexpr int SIP_UP = 0;
inline constexpr int SIP_DOWN = 1;
inline constexpr int SIP_FORCEDOWN = 2;
inline constexpr DWORD SIPF_OFF = 0;
inline constexpr DWORD SIPF_ON = 1;
BOOL SHSipPreference(HWND window, int request);
BOOL SipShowIM(DWORD flags);
