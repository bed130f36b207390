// Process-level services: the program's entry, its module and its end.
#pragma once

#include "platform/types.h"

using WinMainFunction = int (*)(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine,
                                int showCommand);

// Starts the GUI toolkit and runs winMain with the module instance, a NULL
// previous instance, the arguments (argv[1..], joined by spaces) as a wide
// string and SW_SHOWNORMAL; returns its exit code.
int RunWinMain(int argc, char** argv, WinMainFunction winMain);

// Copies the full path of the program's executable into `path` (room for
// `size` characters, terminator included) and returns its length. A path
// that does not fit is cut to size - 1 characters and `size` is returned;
// 0 when there is no room or the path is unknown. The program is its only
// module, so `module` may be its instance or NULL.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR path, DWORD size);

// For programs that draw only into memory DCs (benchmarks): starts the GUI
// toolkit once, on the offscreen platform unless QT_QPA_PLATFORM names
// another. Does nothing when it is already running.
void EnsureGuiToolkit();

// Ends the process at once with `code`.
[[noreturn]] void ExitProcess(UINT code);
