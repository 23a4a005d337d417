#!/usr/bin/env bash
# Builds morvane.exe and the benchmarks, runs them under Wine (headless, in a
# prefix of their own) and prints each figure against its baseline from the
# same run, with a description of the machine.
#   MORVANE_BUILD_DIR   build folder of the mingw preset (default build/mingw)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build="${MORVANE_BUILD_DIR:-build/mingw}"
cmake --preset mingw -B "$build" >/dev/null
cmake --build "$build" -j2 --target morvane morvane_blank_window morvane_controls_window morvane_app_bench \
  morvane_probe_bench morvane_bench_encoder

export MORVANE_WINEPREFIX="$PWD/$build/bench-prefix"
export DISPLAY=
trap 'cmake/wine-prefix stop "$MORVANE_WINEPREFIX" >/dev/null 2>&1 || true' EXIT
cmake/wine-prefix start "$MORVANE_WINEPREFIX"

exe="$build/src/morvane.exe"
echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(wine --version 2>/dev/null)"

echo "== size and imports of morvane.exe"
size=$(stat -c %s "$exe")
echo "size     $size bytes ($(awk "BEGIN { printf \"%.2f\", $size / 1048576 }") MiB, target <= 1 MiB)"
system32="$MORVANE_WINEPREFIX/drive_c/windows/system32"
foreign=""
for dll in $(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print $3 }'); do
  [ -f "$system32/${dll,,}" ] || foreign="$foreign $dll"
  printf '%s ' "$dll"
done
echo
if [ -n "$foreign" ]; then echo "imports  NOT FROM THE SYSTEM:$foreign"; else echo "imports  all from the system folder"; fi

echo "== start, memory and ticks (morvane.exe against a blank window and one with common controls v6)"
blank="$build/bench/morvane_blank_window.exe"
controls="$build/bench/morvane_controls_window.exe"
echo "floors   blank $(stat -c %s "$blank") bytes, controls $(stat -c %s "$controls") bytes"
cmake/wine-run "$build/bench/morvane_app_bench.exe" "$PWD/$exe" "$PWD/$blank" "$PWD/$controls" \
  "$PWD/$build/bench/morvane_bench_encoder.exe"

echo "== probes (one tick's probes of a file against a bare exclusive open and close)"
cmake/wine-run "$build/bench/morvane_probe_bench.exe"

echo "== morvane-pulldown (native and under Wine) against cp"
scripts/bench-pulldown.sh
