#!/usr/bin/env bash
# Set-up if needed, build, then start Trevan. Without a display (or before
# the desktop program is built) it analyses a sample beam on the command line.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" >/dev/null

if [ -x build/src/app/trevan ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/src/app/trevan "$@"
fi

if [ -x build/src/app/trevan ]; then
  echo "No display available: analysing a sample beam with trevan-cli instead."
fi
sample="${1:-examples/continuous-three-span.tvn}"
echo "trevan-cli analyze $sample"
exec build/src/cli/trevan-cli analyze "$sample"
