// kestro-bench runs its benchmarks inside RunWinMain, as the reader runs, so
// benchmarks that make windows and fonts have the GUI toolkit.
#pragma once

#include "platform/types.h"

// The module instance RunWinMain handed over.
HINSTANCE BenchInstance();

// Seconds from main's start until RunWinMain had the toolkit up and handed
// over to the benchmarks.
double ToolkitStartSeconds();
