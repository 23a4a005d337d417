#!/usr/bin/env bash
# The same-prefix rule end to end: morvane.exe, started through the installed
# launcher in the test prefix, waits while the encoder stand-in (a Windows
# program in that prefix) holds its files, and does not when the holder is a
# native Linux process.
#   prefix_rule_test.sh <cmake> <build dir> <wine-run> <prefix_rule_tests.exe> <any .exe to stand for pulldown.exe>
set -uo pipefail

cmake=$1 build=$2 wine_run=$3 test_exe=$4 pulldown=$5
: "${MORVANE_WINEPREFIX:?the test prefix}"

work=$(mktemp -d)
started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

"$cmake" --install "$build" --prefix "$work/usr" >/dev/null || { echo "cmake --install failed" >&2; exit 1; }
launcher="$work/usr/bin/morvane"
export WINEPREFIX="$MORVANE_WINEPREFIX" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

# The launcher's output goes to a file: a Wine process left holding CTest's
# pipe would keep the test from ending.
start_morvane() {
    "$launcher" </dev/null >"$work/morvane.log" 2>&1 &
    app=$!
    started+=("$app")
}

expect_morvane_ended() {
    wait "$app"
    local code=$?
    [ "$code" -eq 0 ] || { fail "$1: the launcher ended with $code"; cat "$work/morvane.log" >&2; }
}

# Drives the running program through one case; a program the case could not
# close is ended, so that waiting for it cannot hang.
run_case() {  # <folder> <test name>
    mkdir -p "$1"
    cp "$pulldown" "$1/pulldown.exe"
    if ! MORVANE_RULE_DIR="$1" MORVANE_RULE_EXE="$work/usr/lib/morvane/morvane.exe" \
        "$wine_run" "$test_exe" --gtest_color=no --gtest_filter="PrefixRuleTest.$2"; then
        fail "$2"
        kill "$app" 2>/dev/null
    fi
}

# Same prefix: the test program starts the encoder stand-in itself.
start_morvane
run_case "$work/same-prefix" AnEncoderInTheSamePrefixKeepsTheProgramWaiting
expect_morvane_ended "same prefix"

# A native holder: this shell's child opens both files for writing and keeps
# them open until it is stopped.
native="$work/native"
mkdir -p "$native"
coproc HOLDER {
    exec 3>"$native/movie.m2v" 4>"$native/movie.vaf"
    printf 'encoding...' >&3
    printf 'encoding...' >&4
    echo ready
    read -r _
}
holder=$HOLDER_PID
started+=("$holder")
if read -r -t 30 signal <&"${HOLDER[0]}" && [ "$signal" = ready ]; then
    start_morvane
    run_case "$native" ALinuxProcessHoldingTheFilesIsInvisibleAndStartSaysSo
    expect_morvane_ended "native holder"
    kill -0 "$holder" 2>/dev/null || fail "the native holder let go before the end of the case"
else
    fail "the native holder did not open the files"
fi
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null

exit "$failures"
