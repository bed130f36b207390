// Start-up: the program's entry, the single running instance, the main
// window's creation and the message loop.
#pragma once

#include "platform/types.h"

// Clears AppState, reads the start-up switches, creates the main window
// (unless another instance runs, which gets the request instead) and runs
// the message loop until the quit message. Returns 0.
int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandLine, int showCommand);

// Hands the start over to a running reader and returns NULL, or loads the
// settings and creates and shows the main window. NULL also when the window
// cannot be created.
HWND InitInstance(int showCommand);

// Registers the main window's class: CS_HREDRAW | CS_VREDRAW, MainWndProc,
// icon 101, white background.
void RegisterMainClass(HINSTANCE instance, LPCWSTR className);
