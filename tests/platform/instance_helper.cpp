// A small program for the single-instance test. "start" behaves as the
// reader's start-up does: look for a running instance and hand it the
// request, or else become the instance and run until closed. "start other"
// and "start dialog" also show a window of another class, or an owned
// dialog, in front of the main window. "close" closes the running one.
// Each step is a line on standard output.
#include <cstdio>
#include <string>

#include "platform/system.h"
#include "platform/window.h"

namespace {
constexpr LPCWSTR kName = u"Kestro (Vowels)";

void Say(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

bool running = false;

LRESULT MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) != 119) break;
      Say("command 119");
      return 77;
    case WM_ACTIVATE:
      if (running && LOWORD(wParam) != WA_INACTIVE) Say("activated");
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The running instance's answer to a second start.
void HandToRunningInstance(HWND running) {
  Say("found");
  HWND front = GetForegroundWindow();
  HWND top = front;
  while (HWND parent = GetParent(top)) top = parent;
  if (running == front) {
    const LRESULT result = SendMessageW(running, WM_COMMAND, 119, 0);
    Say(("sent " + std::to_string(result)).c_str());
  }
  if (running != top) {
    SetForegroundWindow(running);
    Say("raised");
  }
}

HWND MakeWindow(LPCWSTR className, LPCWSTR title, DWORD style, HWND owner) {
  WNDCLASSW windowClass{0, MainProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, className};
  RegisterClassW(&windowClass);
  return CreateWindowExW(0, className, title, style | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr);
}

int Start(const std::u16string& extra) {
  if (HWND found = FindWindowW(kName, kName)) {
    HandToRunningInstance(found);
    return 0;
  }
  HWND main = MakeWindow(kName, kName, 0, nullptr);
  if (extra == u"other") MakeWindow(u"Other", u"Other", 0, nullptr);
  if (extra == u"dialog") MakeWindow(u"Dialog", u"Dialog", WS_POPUP, main);
  MSG message;
  for (int i = 0; i < 20 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++i)
    DispatchMessageW(&message);
  running = true;
  Say("running");
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  Say("ended");
  return 0;
}

int WinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
  const std::u16string line = commandLine;
  if (line == u"close") {
    HWND found = FindWindowW(kName, kName);
    Say(found != nullptr && SendMessageW(found, WM_CLOSE, 0, 0) == 0 ? "closed" : "none");
    return 0;
  }
  const std::u16string prefix = u"start";
  if (line.rfind(prefix, 0) != 0) return 2;
  return Start(line.size() > prefix.size() ? line.substr(prefix.size() + 1) : std::u16string());
}
}  // namespace

int main(int argc, char** argv) { return RunWinMain(argc, argv, WinMain); }
