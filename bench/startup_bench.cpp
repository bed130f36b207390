// The reader's start, up to its first painted page, and a page turn, with
// the process's peak resident memory.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_state.h"
#include "app/startup.h"
#include "platform/system.h"
#include "platform/window.h"
#include "res/resources.h"
#include "text/view.h"

namespace {

// A settings folder of the benchmark's own, empty at first.
void UseOwnSettings() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path made =
        std::filesystem::temp_directory_path() / ("kestro-bench-" + std::to_string(std::rand()));
    std::filesystem::remove_all(made);
    std::filesystem::create_directories(made);
    return made;
  }();
  setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
}

void InstallProgramResources() {
  const std::span<const ResourceEntry> resources = ProgramResources();
  InstallResources(resources.data(), resources.size());
}

// Dispatches what is waiting, the toolkit's own painting included.
void Drain() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) DispatchMessageW(&message);
  }
}

// What WinMain does before its loop, then the messages up to the first
// painted page.
HWND StartReader() {
  ClearAppState();
  AllowSipInHebrewSearch = 1;
  HWND window = InitInstance(SW_SHOWNORMAL);
  Drain();
  return window;
}

void StopReader(HWND window) {
  DestroyWindow(window);
  Drain();
}

// Peak resident memory in MB, from the kernel's figures.
double PeakResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

// Once, first of all: the toolkit started, then the reader's first start
// (fonts found for the first time) up to its first painted page. Run alone
// (--benchmark_filter=FirstStart) when another benchmark would start the
// toolkit before it.
void BM_FirstStartToFirstPaint(benchmark::State& state) {
  UseOwnSettings();
  InstallProgramResources();
  for (auto _ : state) {
    EnsureGuiToolkit();
    HWND window = StartReader();
    state.PauseTiming();
    StopReader(window);
    state.ResumeTiming();
  }
  state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}
BENCHMARK(BM_FirstStartToFirstPaint)->Iterations(1)->Unit(benchmark::kMillisecond);

// A warm start: the settings read, the window, the bar and the view made,
// the Article laid out and painted.
void BM_StartToFirstPaint(benchmark::State& state) {
  EnsureGuiToolkit();
  UseOwnSettings();
  InstallProgramResources();
  for (auto _ : state) {
    HWND window = StartReader();
    state.PauseTiming();
    StopReader(window);
    state.ResumeTiming();
  }
  state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond);

// Page Down handled and painted (Home from the last page).
void BM_PageTurn(benchmark::State& state) {
  EnsureGuiToolkit();
  UseOwnSettings();
  InstallProgramResources();
  HWND window = StartReader();
  TextView& view = *AppState.View;
  for (auto _ : state) {
    SendMessageW(window, WM_KEYDOWN, view.TopLine >= view.MaxTopLine ? VK_HOME : VK_NEXT, 0);
    Drain();
  }
  StopReader(window);
}
BENCHMARK(BM_PageTurn)->Unit(benchmark::kMicrosecond);

}  // namespace
