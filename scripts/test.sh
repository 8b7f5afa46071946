#!/usr/bin/env bash
# Set-up, configure, build and run the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${TREVAN_CMAKE_ARGS:-}
cmake --build build -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j "$(nproc)" --timeout 300
