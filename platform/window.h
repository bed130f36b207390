// Window classes, windows, messages, the message loop, painting, the
// vertical scroll bar and a few system queries.
//
// Coordinates are logical pixels. A window's rectangle is the area the layer
// draws (the desktop's own frame and title bar are not part of it); its
// client area is that rectangle less the vertical scroll bar.
#pragma once

#include "platform/types.h"

using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Messages.
inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;  // lParam: CREATESTRUCTW*; -1 fails the creation
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_SIZE = 0x0005;  // wParam: SIZE_*; lParam: client width, height
inline constexpr UINT WM_ACTIVATE = 0x0006;  // wParam low word: WA_*
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;  // the default destroys the window
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_ERASEBKGND = 0x0014;  // wParam: HDC; the default fills the class brush
inline constexpr UINT WM_SETTINGCHANGE = 0x001A;
inline constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;  // lParam: WINDOWPOS*
inline constexpr UINT WM_HELP = 0x0053;  // F1; lParam is 0
inline constexpr UINT WM_KEYDOWN = 0x0100;  // wParam: VK_*; lParam: see below
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;  // a key pressed with Alt held
inline constexpr UINT WM_COMMAND = 0x0111;  // wParam: id, source (0 menu, 1 accelerator)
inline constexpr UINT WM_VSCROLL = 0x0115;  // wParam: SB_* code, thumb position
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;  // lParam: client x, y
inline constexpr UINT WM_USER = 0x0400;

// Key message lParam: repeat count in bits 0-15, bit 29 Alt held, bit 30
// an auto-repeat; bits 25 and 26 (this layer's own) Shift and Ctrl held.
inline constexpr LPARAM KF_SHIFT_HELD = 1 << 25;
inline constexpr LPARAM KF_CONTROL_HELD = 1 << 26;
inline constexpr LPARAM KF_ALT_HELD = 1 << 29;
inline constexpr LPARAM KF_REPEATED = 1 << 30;

inline constexpr WPARAM WA_INACTIVE = 0;
inline constexpr WPARAM WA_ACTIVE = 1;
inline constexpr WPARAM WA_CLICKACTIVE = 2;

inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

inline constexpr WPARAM MK_LBUTTON = 0x0001;

// Virtual keys. Letters and digits are their upper-case ASCII codes.
inline constexpr WPARAM VK_BACK = 0x08;
inline constexpr WPARAM VK_TAB = 0x09;
inline constexpr WPARAM VK_RETURN = 0x0D;
inline constexpr WPARAM VK_ESCAPE = 0x1B;
inline constexpr WPARAM VK_SPACE = 0x20;
inline constexpr WPARAM VK_PRIOR = 0x21;
inline constexpr WPARAM VK_NEXT = 0x22;
inline constexpr WPARAM VK_END = 0x23;
inline constexpr WPARAM VK_HOME = 0x24;
inline constexpr WPARAM VK_LEFT = 0x25;
inline constexpr WPARAM VK_UP = 0x26;
inline constexpr WPARAM VK_RIGHT = 0x27;
inline constexpr WPARAM VK_DOWN = 0x28;
inline constexpr WPARAM VK_INSERT = 0x2D;
inline constexpr WPARAM VK_DELETE = 0x2E;
inline constexpr WPARAM VK_F1 = 0x70;  // never a WM_KEYDOWN: F1 arrives as WM_HELP
inline constexpr WPARAM VK_F2 = 0x71;
inline constexpr WPARAM VK_F3 = 0x72;
inline constexpr WPARAM VK_F12 = 0x7B;

// Scroll bar codes (low word of WM_VSCROLL's wParam) and bars.
inline constexpr WORD SB_LINEUP = 0;
inline constexpr WORD SB_LINEDOWN = 1;
inline constexpr WORD SB_PAGEUP = 2;
inline constexpr WORD SB_PAGEDOWN = 3;
inline constexpr WORD SB_THUMBPOSITION = 4;
inline constexpr WORD SB_THUMBTRACK = 5;
inline constexpr WORD SB_TOP = 6;
inline constexpr WORD SB_BOTTOM = 7;
inline constexpr WORD SB_ENDSCROLL = 8;
inline constexpr int SB_VERT = 1;

inline constexpr UINT SIF_RANGE = 0x01;
inline constexpr UINT SIF_PAGE = 0x02;
inline constexpr UINT SIF_POS = 0x04;
inline constexpr UINT SIF_DISABLENOSCROLL = 0x08;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS;

struct SCROLLINFO {
  UINT cbSize;
  UINT fMask;
  int nMin;
  int nMax;
  UINT nPage;
  int nPos;
  int nTrackPos;
};

// Class styles.
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;

// Window styles.
inline constexpr DWORD WS_OVERLAPPED = 0x00000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;

inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// SetWindowPos flags. The layer's WM_WINDOWPOSCHANGED never sets the upper
// 16 bits.
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOREDRAW = 0x0008;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;
inline constexpr UINT SWP_HIDEWINDOW = 0x0080;

struct WINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
};

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;

struct WNDCLASSW {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
};

struct CREATESTRUCTW {
  void* lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCWSTR lpszName;
  LPCWSTR lpszClass;
  DWORD dwExStyle;
};

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;  // milliseconds since the program started
  POINT pt;    // the pointer's screen position when the message was made
};

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;  // TRUE when WM_ERASEBKGND did not erase
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};

struct OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
};
inline constexpr DWORD VER_PLATFORM_WIN32_CE = 3;

// GetSystemMetrics indexes.
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYCAPTION = 4;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;

// Classes. Returns 0 when the class is already registered or the record is
// incomplete (no procedure or no name). Class names compare without case.
ATOM RegisterClassW(const WNDCLASSW* windowClass);

// Creates a window of a registered class. WM_CREATE is sent inside the call
// (a result of -1 destroys the window and NULL is returned), then WM_SIZE;
// WS_VISIBLE shows it. A window without WS_CHILD is top-level (with a
// parent: owned by it, shown over it). CW_USEDEFAULT as width gives
// 480 x 640; as x, the desktop places the window. The new window is invalid
// (a WM_PAINT follows).
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param);
// Sends WM_DESTROY to the window and then to its children and owned windows;
// the handle is invalid afterwards. The desktop's close button posts
// WM_CLOSE, whose default destroys the window.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);

// Messages. SendMessageW calls the window's procedure and returns its
// result (0 for an invalid window). PostMessageW queues the message for
// GetMessageW. Input arrives posted: keys (F1 as WM_HELP), clicks, scroll
// bar actions, menu items, tool buttons and the close button. WM_SIZE,
// WM_ACTIVATE and WM_WINDOWPOSCHANGED are sent when they happen.
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Makes GetMessageW return 0 once the messages posted before are taken.
void PostQuitMessage(int exitCode);

// Waits for the next message of any window of the program (window and the
// filter range are ignored; pass NULL, 0, 0). Returns 0 for WM_QUIT, -1 when
// there is no GUI, else a positive value. WM_PAINT comes when a window is
// invalid and nothing else is waiting. Modal loops (message boxes, dialogs)
// dispatch messages the same way, without accelerators.
BOOL GetMessageW(MSG* message, HWND window, UINT filterMin, UINT filterMax);
// Like GetMessageW without waiting: FALSE when no message is there.
// PM_REMOVE takes the message; PM_NOREMOVE leaves it (a paint stays due).
inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;
BOOL PeekMessageW(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT remove);
// No window of this program takes WM_CHAR: returns TRUE for key messages
// and makes nothing of them.
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageW(const MSG* message);

// Windows by class and title (NULL matches any). A top-level window of
// another process of this user is found too (the single running instance):
// the handle stands for it, and GetParent, GetForegroundWindow,
// SetForegroundWindow, IsWindowVisible and SendMessageW (WM_COMMAND,
// WM_CLOSE, WM_HELP and message 1023 with lParam 0, waiting until handled)
// work on it. A process that finds no such window becomes the one others
// find once it has created a top-level window of that class.
HWND FindWindowW(LPCWSTR className, LPCWSTR title);
// The active window of this program; when it has none, that of the running
// instance found by FindWindowW; else NULL.
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND window);
HWND GetParent(HWND window);  // the parent of a child, the owner of an owned window

BOOL IsWindowVisible(HWND window);
// Returns whether the window was visible before.
BOOL ShowWindow(HWND window, int command);
// Sends WM_PAINT at once when the window is invalid.
BOOL UpdateWindow(HWND window);
// x, y are screen coordinates for a top-level window, client coordinates
// of the parent for a child. A full-screen window keeps the screen.
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height,
                  UINT flags);
BOOL GetWindowRect(HWND window, RECT* rect);  // screen coordinates
BOOL GetClientRect(HWND window, RECT* rect);  // left and top are 0
// The title of a top-level window.
BOOL SetWindowTextW(HWND window, LPCWSTR text);
int GetWindowTextW(HWND window, LPWSTR buffer, int capacity);

// Painting. A window's device contexts all draw into its backing image;
// drawing shows at once. GetDC(NULL) gives a context for measuring only.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
// Sends WM_ERASEBKGND when the invalidation asked for erasing, validates the
// window and returns a device context for the paint.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
// rect NULL: the whole client area.
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);

// The vertical scroll bar of a window made with WS_VSCROLL. An empty range
// (nMax <= nMin) hides the bar unless SIF_DISABLENOSCROLL is given; showing
// or hiding it changes the client width and sends WM_SIZE. Returns the
// position.
int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND window, int bar, SCROLLINFO* info);

int GetSystemMetrics(int index);
// Reports version 3.0 of the handheld's system.
BOOL GetVersionExW(OSVERSIONINFOW* info);
// An icon from an RT_GROUP_ICON resource (an XPM image); NULL when missing
// or unreadable.
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
