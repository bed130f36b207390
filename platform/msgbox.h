// Message boxes with the program's fixed texts.
#pragma once

#include "platform/types.h"

inline constexpr UINT MB_OK = 0x0;
inline constexpr UINT MB_OKCANCEL = 0x1;
inline constexpr UINT MB_YESNOCANCEL = 0x3;
inline constexpr UINT MB_YESNO = 0x4;
inline constexpr UINT MB_ICONHAND = 0x10;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONEXCLAMATION = 0x30;
inline constexpr UINT MB_ICONASTERISK = 0x40;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows a modal message box and returns the button pressed (IDOK, IDYES,
// ...). A NULL caption means the default caption "Error". Without a running
// GUI (command-line tools) the text goes to stderr and IDOK is returned.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// Tests answer message boxes through this hook: while it is set, MessageBoxW
// shows nothing and returns what the hook returns. NULL removes the hook.
using MessageBoxHook = int (*)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
void SetMessageBoxHook(MessageBoxHook hook);
