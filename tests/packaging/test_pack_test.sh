#!/usr/bin/env bash
# Packs the release archive and the test pack, unzips the pack into a folder
# whose name has a blank and runs its run-tests.cmd through Wine's cmd as a
# user would: in a prefix made by wineboot alone, whose desktop is not yet
# running. Every run must pass, the pack's morvane.exe must be the release's,
# and Morvane settings planted in all four places must read the same
# afterwards. Then the runner's own rules: a run whose log another process
# holds, a test that never ends and a program missing from the pack each
# count as failed, and the pack fails.
#   test_pack_test.sh CMAKE CPACK BUILD_DIR WORK VERSION
set -euo pipefail
cmake=$1 cpack=$2 build=$3 work=$4 version=$5

fail() { echo "test pack: $*" >&2; exit 1; }
# A wrong result: told, and the other checks still made.
failed=0
wrong() { echo "test pack: $*" >&2; failed=1; }
winpath() { local p=${1//\//\\}; echo "Z:$p"; }

wine=/usr/lib/wine/wine64
export WINEPREFIX="$work/prefix" WINEARCH=win64
# Quiet: the runs' own output is what is checked.
export WINEDEBUG=-all
# No Mono or Gecko installer prompt on the first start; a crashing program
# ends at once instead of waiting in Wine's debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

xvfb=""
cleanup() {
  "${wine%/*}/wineserver" -k >/dev/null 2>&1 || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

rm -rf "$work"
pack="$work/pack folder"
mkdir -p "$pack" "$work/release" "$work/before" "$work/after"
(cd "$build" && "$cpack" --config CPackConfig.cmake -B "$work" >"$work/cpack.txt") || fail "cpack failed"
(cd "$pack" && "$cmake" -E tar xf "$work/morvane-$version-win64-tests.zip")
(cd "$work/release" && "$cmake" -E tar xf "$work/morvane-$version-win64.zip")
cmp -s "$work/release/morvane.exe" "$pack/morvane.exe" || fail "the pack's morvane.exe is not the release's"

# Without a display and without Wine's null driver, which a user's prefix does
# not name, Wine creates no window: the pack gets a display of its own.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

"$wine" wineboot --init </dev/null >/dev/null 2>&1 || fail "wineboot failed"
# Stands in for the window manager a user has: without one, Wine makes each
# closed window wait for an answer that never comes, for a second or two.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null

# A tester's own settings, one set in each place.
keys=('HKCU\SOFTWARE\Kestrine\Morvane' 'HKLM\SOFTWARE\Kestrine\Morvane'
  'HKLM\SOFTWARE\WOW6432Node\Kestrine\Morvane'
  'HKCU\Software\Classes\VirtualStore\MACHINE\SOFTWARE\WOW6432Node\Kestrine\Morvane')
for i in "${!keys[@]}"; do
  "$wine" reg add "${keys[i]}" /v txtPullPath /d "C:\\Place $i\\pulldown.exe" /f >/dev/null
  "$wine" reg add "${keys[i]}" /v chkDrop /d 0 /f >/dev/null
done
settings() {
  for i in "${!keys[@]}"; do
    "$wine" reg export "${keys[i]}" "$(winpath "$1/$i.reg")" /y >/dev/null 2>&1 || fail "cannot read ${keys[i]}"
  done
}
settings "$work/before"
# Nothing of Wine's runs when the pack starts: its first run brings up the desktop.
timeout 60 "${wine%/*}/wineserver" -w || fail "Wine did not settle before the pack"
echo "test pack: packed, and the prefix made, in $SECONDS s"

status=0
(cd "$pack" && "$wine" cmd /c run-tests.cmd </dev/null >"$work/output.txt" 2>&1) || status=$?
cat "$work/output.txt"
echo "test pack: the pack ran by $SECONDS s"
last=$(tail -n 1 "$work/output.txt" | tr -d '\r')
[[ $last =~ ^[0-9]+\ passed,\ 0\ failed,\ [0-9]+\ skipped$ ]] || wrong "last line is \"$last\""
[ "$status" -eq 0 ] || wrong "run-tests.cmd exited with $status"
runs=$(grep -c '^call :run ' "$pack/run-tests.cmd")
results=$(grep -cE '^    [0-9]+ passed, [0-9]+ failed, [0-9]+ skipped' "$work/output.txt" || true)
[ "$runs" -eq "$results" ] || wrong "$results of $runs runs reported a result"

# What the tests started ended with them.
# (The list is taken first: grep's own command line holds the name.)
started() { local list; list=$(ps -eo pid,args); grep -iF "$(winpath "$pack")\\morvane.exe" <<<"$list"; }
ended() {
  for _ in $(seq 50); do started >/dev/null || return 0; sleep 0.2; done
  started >&2
  return 1
}
ended || wrong "a morvane.exe the pack's tests started still runs"

settings "$work/after"
for i in "${!keys[@]}"; do
  cmp -s "$work/before/$i.reg" "$work/after/$i.reg" || wrong "${keys[i]} differs after the pack's run"
done

# The runner's own rules, in a copy whose runs are these: another process
# holds run 1's log (a test program left running, which its watchdog soon
# ends); a test that never ends; a program gone from the pack.
rm "$pack/morvane_about_tests.exe"
rows=$(printf '%s\r\n' \
  'start "" /b "%here%morvane_files_tests.exe" --gtest_filter=Watchdog.* >"%work%\run-1.txt"' \
  'call :run morvane_files_tests "" "ProbesTest.*"' \
  'call :run morvane_files_tests "" "Watchdog.*"' \
  'call :run morvane_about_tests "" ""')
rows="$rows" awk '/^call :run /{ if (!done) print ENVIRON["rows"]; done = 1; next } { print }' \
  "$pack/run-tests.cmd" >"$pack/rows.cmd"
status=0
(cd "$pack" && GTEST_ALSO_RUN_DISABLED_TESTS=1 MORVANE_TEST_TIME_LIMIT=5 \
  timeout 240 "$wine" cmd /c rows.cmd </dev/null >"$work/rows.txt" 2>&1) || status=$?
cat "$work/rows.txt"
echo "test pack: the runner's rules checked by $SECONDS s"
expect() { grep -qF "$1" "$work/rows.txt" || wrong "no line \"$1\""; }
expect "    failed: its log cannot be read"
expect "[ TIMEOUT  ] Watchdog.DISABLED_NeverEnds ran longer than 5 s"
expect "    failed: it ended with exit code 124 before GoogleTest's summary: it crashed or was stopped"
expect "    failed: morvane_about_tests.exe is not in the pack"
last=$(tail -n 1 "$work/rows.txt" | tr -d '\r')
[ "$last" = "0 passed, 3 failed, 0 skipped" ] || wrong "the rules' last line is \"$last\""
[ "$status" -eq 1 ] || wrong "with failed runs, run-tests.cmd exited with $status"
ended || wrong "a stopped test's morvane.exe still runs"
exit $failed
