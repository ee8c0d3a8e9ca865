#!/usr/bin/env bash
# The whole suite built with clang under AddressSanitizer, UndefinedBehaviorSanitizer (including
# float-cast-overflow) and LeakSanitizer. The build also carries libFuzzer's coverage
# instrumentation, so scripts/ci-fuzz.sh runs the fuzz targets from the same folder without a
# second build. Usage: scripts/ci-clang.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-clang}
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
scripts/test.sh "$build" -DCMAKE_CXX_COMPILER=clang++ -DZENITRA_SANITIZE=ON -DZENITRA_FUZZ=ON \
  -DZENITRA_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
