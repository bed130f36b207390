// Test support for the clipboard: what other programs on the desktop do.
// For tests only (library kestro_clipboard_testing).
#pragma once

#include <string>
#include <vector>

// Replaces the system clipboard's content by `bytes` under the MIME type
// `mimeType`, as another program would put it there.
void TestPutForeignClipboardData(const std::string& mimeType, const std::string& bytes);

// The name of the GUI platform in use ("offscreen", "xcb", ...).
std::string TestGuiPlatformName();

struct CommandResult {
  int exitCode;        // -1 when it could not start, crashed or timed out
  std::string output;  // what it wrote to standard output
};

// Runs `command` (program and arguments) with `input` on its standard input
// while the GUI keeps answering events, so that the program can read what
// this process put on the clipboard. Gives up after `timeoutMs`.
CommandResult TestRunCommand(const std::vector<std::string>& command, const std::string& input,
                            int timeoutMs = 10000);
