#include "bench/bench_main.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "platform/system.h"

namespace {
int argumentCount;
char** arguments;
HINSTANCE moduleInstance;
std::chrono::steady_clock::time_point mainStarted;
double toolkitStart;

int RunBenchmarks(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  toolkitStart = std::chrono::duration<double>(std::chrono::steady_clock::now() - mainStarted).count();
  moduleInstance = instance;
  benchmark::Initialize(&argumentCount, arguments);
  if (benchmark::ReportUnrecognizedArguments(argumentCount, arguments)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
}  // namespace

HINSTANCE BenchInstance() { return moduleInstance; }

double ToolkitStartSeconds() { return toolkitStart; }

int main(int argc, char** argv) {
  mainStarted = std::chrono::steady_clock::now();
  // Without a display (no Xvfb), Qt's offscreen platform.
  if (std::getenv("DISPLAY") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  argumentCount = argc;
  arguments = argv;
  // RunWinMain hands the arguments on as one string; the benchmark library
  // reads them from argv instead, so only the program name goes to Qt.
  return RunWinMain(1, argv, RunBenchmarks);
}
