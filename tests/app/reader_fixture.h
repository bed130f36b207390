// The reader started in-process as WinMain starts it (settings read from a
// test's own settings file, the main window created and shown), driven by
// messages sent to its window procedure.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/app_state.h"
#include "platform/types.h"
#include "tests/settings/settings_folder.h"
#include "text/view.h"

class ReaderTest : public testing::Test {
 protected:
  // AppState is cleared and the switches set to their defaults; a test may
  // change them before Start.
  void SetUp() override;
  // Destroys the window if it still exists (saving the settings), then
  // takes what is left in the queue, the quit message included.
  void TearDown() override;

  // A new run: a settings file holding `productLines` in the product key
  // (none when `productLines` is empty) in a new folder, then the main
  // window created as start-up creates it.
  void Start(const std::string& productLines = "");
  // Destroys the window; true when the quit message followed.
  bool Stop();

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  LRESULT Key(WPARAM key) const { return Send(0x0100, key); }
  LRESULT Command(WORD id) const { return Send(0x0111, id); }

  static TextView& View() { return *AppState.View; }
  // Moves TopLine to `line` (one line at a time, as the Down key does).
  void ScrollTo(int line) const;
  // The check mark of a menu item, read from the bar.
  static bool Checked(WORD command);
  // The settings file's text.
  std::string Stored() const { return folder_.Stored(); }

  HWND window_ = nullptr;
  SettingsFolder folder_;
};

// Dispatches what is waiting; true when the quit message came.
bool Pump();

// A settings file line: "name"=dword:xxxxxxxx.
std::string DwordLine(const std::string& name, DWORD value);

// The Article of the book with the most display lines at the default window
// size (found once), so paging has room both ways. AppState is left as it
// was.
int LongestArticle();
