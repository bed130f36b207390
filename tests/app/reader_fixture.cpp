#include "tests/app/reader_fixture.h"

#include <cstdio>
#include <filesystem>

#include "app/bars.h"
#include "app/startup.h"
#include "platform/menu.h"
#include "platform/window.h"
#include "res/resources.h"
#include "settings/settings.h"

void ReaderTest::SetUp() {
  const std::span<const ResourceEntry> resources = ProgramResources();
  InstallResources(resources.data(), resources.size());
  ClearAppState();
  FullScreen = 0;
  IgnoreActivate = 0;
  AllowSipInHebrewSearch = 1;
}

void ReaderTest::TearDown() {
  if (IsWindow(window_)) DestroyWindow(window_);
  Pump();
}

void ReaderTest::Start(const std::string& productLines) {
  folder_.StartNewRun();
  std::filesystem::remove(folder_.File());
  if (!productLines.empty()) folder_.Store(ProductFile(productLines));
  window_ = InitInstance(SW_SHOWNORMAL);
  ASSERT_NE(window_, nullptr);
  Pump();
}

bool ReaderTest::Stop() {
  DestroyWindow(window_);
  window_ = nullptr;
  return Pump();
}

bool Pump() {
  bool quit = false;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      continue;
    }
    DispatchMessageW(&message);
  }
  return quit;
}

LRESULT ReaderTest::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageW(window_, message, wParam, lParam);
}

void ReaderTest::ScrollTo(int line) const {
  while (View().TopLine > line) Key(VK_UP);
  while (View().TopLine < line) Key(VK_DOWN);
}

bool ReaderTest::Checked(WORD command) {
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STATE;
  for (DropDown which : {DropDown::File, DropDown::Go}) {
    if (GetMenuItemInfoW(BarMenu(which), command, FALSE, &item)) return (item.fState & MFS_CHECKED) != 0;
  }
  ADD_FAILURE() << "no menu item " << command;
  return false;
}

std::string DwordLine(const std::string& name, DWORD value) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", value);
  return "\"" + name + "\"=dword:" + hex + "\n";
}

int LongestArticle() {
  static const int longest = [] {
    const AppStateRecord saved = AppState;  // the caller's switches
    int best = 1;
    int bestLines = 0;
    for (int article = 1; article <= 12; ++article) {
      SettingsFolder folder;
      folder.Store(ProductFile(DwordLine("Lesson", static_cast<DWORD>(article))));
      ClearAppState();
      HWND window = InitInstance(SW_SHOWNORMAL);
      if (AppState.View->TotalLines > bestLines) {
        bestLines = AppState.View->TotalLines;
        best = article;
      }
      DestroyWindow(window);
      Pump();
    }
    AppState = saved;
    return best;
  }();
  return longest;
}
