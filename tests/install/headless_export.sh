#!/usr/bin/env bash
# headless_export.sh TREVAN EXAMPLES_DIR WORK_DIR
# The calculation sheet is written with no display at all and no platform chosen.
set -euo pipefail
trevan=$1 examples=$2 work=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }

rm -rf "$work" && mkdir -p "$work"
nodisplay "$trevan" --export-report "$examples/simply-supported.tvn" "$work/sheet.pdf" \
  || fail "the export ended with status $?"
text=$(pdftotext -layout "$work/sheet.pdf" -)
for expected in "Beam calculation" "File: simply-supported.tvn" "R1 = 500.00 N" "M max = 2500.0 Nm at x = 5.0000 m"; do
  [[ "$text" == *"$expected"* ]] || fail "the sheet does not say '$expected'"
done

# A file that cannot be read: status 2 and the reader's message.
set +e
nodisplay "$trevan" --export-report "$work/missing.tvn" "$work/none.pdf" 2> "$work/err.txt"
status=$?
set -e
[ "$status" = 2 ] || fail "a missing file ended with status $status"
grep -q "Error while opening file" "$work/err.txt" || fail "no file error message: $(cat "$work/err.txt")"
[ ! -e "$work/none.pdf" ] || fail "a sheet was written for a missing file"

printf 'Trevan version :11700 \r\nMetric :1 \r\nbeam length :abc\r\n' > "$work/broken.tvn"
set +e
nodisplay "$trevan" --export-report "$work/broken.tvn" "$work/none.pdf" 2> "$work/err.txt"
status=$?
set -e
[ "$status" = 2 ] || fail "a broken file ended with status $status"
grep -q "Error while opening file" "$work/err.txt" || fail "no file error message: $(cat "$work/err.txt")"
# A usage error, and a window with no display to open it on: status 64, no abort.
for args in "--bogus" "$examples/simply-supported.tvn"; do
  set +e
  if [ "$args" = "--bogus" ]; then
    QT_QPA_PLATFORM=offscreen "$trevan" $args > /dev/null 2> "$work/err.txt"
  else
    nodisplay "$trevan" $args > /dev/null 2> "$work/err.txt"
  fi
  status=$?
  set -e
  [ "$status" = 64 ] || fail "trevan $args ended with status $status: $(cat "$work/err.txt")"
done
grep -q "no display" "$work/err.txt" || fail "no word of the missing display: $(cat "$work/err.txt")"
echo "headless export: ok"
