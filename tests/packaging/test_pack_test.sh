#!/usr/bin/env bash
# Packs the release archive and the test pack, unzips the pack into a fresh
# folder and runs its run-tests.cmd through Wine's cmd in the test prefix.
# Every run must pass, the pack's morvane.exe must be the release's, and
# Morvane settings planted in all four places must read the same afterwards.
#   test_pack_test.sh CMAKE CPACK BUILD_DIR WORK WINE_RUN VERSION
set -euo pipefail
cmake=$1 cpack=$2 build=$3 work=$4 wine_run=$5 version=$6

fail() { echo "test pack: $*" >&2; exit 1; }
winpath() { local p=${1//\//\\}; echo "Z:$p"; }

keys=('HKCU\SOFTWARE\Kestrine\Morvane' 'HKLM\SOFTWARE\Kestrine\Morvane'
  'HKLM\SOFTWARE\WOW6432Node\Kestrine\Morvane'
  'HKCU\Software\Classes\VirtualStore\MACHINE\SOFTWARE\WOW6432Node\Kestrine\Morvane')
forget() {
  for key in "${keys[@]}"; do "$wine_run" reg delete "${key%\\Morvane}" /f >/dev/null 2>&1 || true; done
}
trap forget EXIT

rm -rf "$work"
mkdir -p "$work/pack" "$work/release" "$work/before" "$work/after"
(cd "$build" && "$cpack" --config CPackConfig.cmake -B "$work" >"$work/cpack.txt") || fail "cpack failed"
(cd "$work/pack" && "$cmake" -E tar xf "$work/morvane-$version-win64-tests.zip")
(cd "$work/release" && "$cmake" -E tar xf "$work/morvane-$version-win64.zip")
cmp -s "$work/release/morvane.exe" "$work/pack/morvane.exe" || fail "the pack's morvane.exe is not the release's"

# A tester's own settings, one set in each place.
forget
for i in "${!keys[@]}"; do
  "$wine_run" reg add "${keys[i]}" /v txtPullPath /d "C:\\Place $i\\pulldown.exe" /f >/dev/null
  "$wine_run" reg add "${keys[i]}" /v chkDrop /d 0 /f >/dev/null
done
settings() {
  for i in "${!keys[@]}"; do
    "$wine_run" reg export "${keys[i]}" "$(winpath "$1/$i.reg")" /y >/dev/null 2>&1 || fail "cannot read ${keys[i]}"
  done
}
settings "$work/before"

status=0
(cd "$work/pack" && "$wine_run" cmd /c run-tests.cmd </dev/null >"$work/output.txt" 2>&1) || status=$?
cat "$work/output.txt"
last=$(tail -n 1 "$work/output.txt" | tr -d '\r')
[[ $last =~ ^[0-9]+\ passed,\ 0\ failed,\ [0-9]+\ skipped$ ]] || fail "last line is \"$last\""
[ "$status" -eq 0 ] || fail "run-tests.cmd exited with $status"
runs=$(grep -c '^call :run ' "$work/pack/run-tests.cmd")
results=$(grep -cE '^    [0-9]+ passed, [0-9]+ failed, [0-9]+ skipped' "$work/output.txt" || true)
[ "$runs" -eq "$results" ] || fail "$results of $runs runs reported a result"

settings "$work/after"
for i in "${!keys[@]}"; do
  cmp -s "$work/before/$i.reg" "$work/after/$i.reg" || fail "${keys[i]} differs after the pack's run"
done
rm -rf "$work"
