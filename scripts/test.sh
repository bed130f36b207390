#!/usr/bin/env bash
# Sets up, builds and runs every test: once in the normal build, once built
# with AddressSanitizer and UndefinedBehaviorSanitizer (with clang, which also
# builds and briefly runs the fuzz targets).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh build
ctest --test-dir build --output-on-failure -j "$(nproc)"

scripts/setup.sh build-sanitize -DKESTRO_SANITIZE=ON -DKESTRO_FUZZ=ON -DKESTRO_BENCH=OFF \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=allocator_may_return_null=1:detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
