#!/usr/bin/env bash
# Builds everything and runs every test: the logic natively (with AddressSanitizer
# and UndefinedBehaviorSanitizer), then the Windows program and its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# No wineserver outlives the run, whatever way it ends.
stop_wine() {
  for prefix in build/mingw/wineprefix build/mingw/wineprefix-144dpi; do
    [ -d "$prefix" ] && cmake/wine-prefix stop "$PWD/$prefix" >/dev/null 2>&1 || true
  done
}
trap stop_wine EXIT

cmake --preset native >/dev/null
cmake --build --preset native -j2
ctest --preset native -j2

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2
ctest --preset mingw
