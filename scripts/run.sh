#!/usr/bin/env bash
# Builds morvane.exe and opens it under Wine. Without a display it runs under
# Xvfb, says so, and leaves a screenshot of the window in build/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2 --target morvane morvane-pulldown

export MORVANE_WINEPREFIX="${MORVANE_WINEPREFIX:-$PWD/build/wine-run}"
xvfb_pid=""
cleanup() {
  WINEPREFIX="$MORVANE_WINEPREFIX" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  display=":$((90 + RANDOM % 100))"
  Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  # A wineserver from a headless run would keep its display-less desktop.
  WINEPREFIX="$MORVANE_WINEPREFIX" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  echo "No display: running morvane.exe under Xvfb on $display. Press Ctrl+C to stop."
  cmake/wine-run build/mingw/src/morvane.exe &
  program=$!
  for _ in $(seq 1 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Morvane (Version' && break
    sleep 0.2
  done
  sleep 1
  import -display "$display" -window root build/screenshot.png && echo "Screenshot: build/screenshot.png"
  wait "$program"
else
  exec cmake/wine-run build/mingw/src/morvane.exe
fi
