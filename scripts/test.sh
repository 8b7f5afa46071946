#!/usr/bin/env bash
# Set-up, configure, build and run the whole suite; then the same suite again
# under the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${TREVAN_CMAKE_ARGS:-}
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs" --timeout 300)

if [ "${TREVAN_SKIP_SANITIZE:-0}" != 1 ]; then
  # Benchmarks and demo programs prove nothing under the sanitizers.
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTREVAN_SANITIZE=ON \
    -DTREVAN_BUILD_BENCHMARKS=OFF ${TREVAN_CMAKE_ARGS:-}
  cmake --build build-asan -j "$jobs"
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  (cd build-asan && ctest --output-on-failure -j "$jobs" --timeout 600)
fi
