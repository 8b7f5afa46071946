#!/usr/bin/env bash
# Set-up if needed, build, then start Trevan. Without a display it says so
# and analyses a sample beam with trevan-cli instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" >/dev/null

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/src/app/trevan "$@"
fi

echo "No display available: analysing a sample beam with trevan-cli instead."
sample="examples/continuous-three-span.tvn"
for arg in "$@"; do
  case "$arg" in *.tvn) sample="$arg" ;; esac
done
echo "trevan-cli analyze $sample"
exec build/src/cli/trevan-cli analyze "$sample"
