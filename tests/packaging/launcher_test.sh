#!/usr/bin/env bash
# What a plain install on Linux lays down, and how the launcher behaves before
# it ever reaches Wine: no Wine, a prefix that is not one, a symlinked launcher.
#   launcher_test.sh <cmake> <build dir> <built morvane.exe>
set -uo pipefail

cmake=$1 build=$2 built_exe=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# Runs the command given; leaves its exit code, stdout and stderr in $code, $out, $err.
run() {
    "$@" >"$work/out" 2>"$work/err"
    code=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
}

expect_refusal() {  # <what> <exit code> <text on stderr>
    [ "$code" -eq "$2" ] || fail "$1: exit code $code, expected $2"
    [[ "$err" == *"$3"* ]] || fail "$1: stderr does not say '$3': $err"
    [ -z "$out" ] || fail "$1: wrote to stdout: $out"
}

# A plain install: the launcher and the program beside it, no Windows files in the prefix root.
prefix="$work/prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
installed=$(cd "$prefix" && find . -type f | sort | tr '\n' ' ')
expected="./bin/morvane ./lib/morvane/morvane.exe ./share/applications/morvane.desktop ./share/doc/morvane/LICENSE.txt \
./share/doc/morvane/user-guide.txt ./share/icons/hicolor/128x128/apps/morvane.png "
[ "$installed" = "$expected" ] || fail "plain install laid down [$installed], expected [$expected]"
entry="$prefix/share/applications/morvane.desktop"  # "Open with Morvane" for MPEG-2 video, through the launcher
desktop-file-validate "$entry" && grep -qx 'Exec=morvane %F' "$entry" && grep -q '^MimeType=video/mpeg;' "$entry" ||
    fail "desktop-file-validate refuses $entry, or it offers no MPEG-2 video to the launcher"
[ -x "$prefix/bin/morvane" ] || fail "bin/morvane is not executable"
cmp -s "$built_exe" "$prefix/lib/morvane/morvane.exe" || fail "lib/morvane/morvane.exe is not the built program"
launcher="$prefix/bin/morvane"

run "$launcher" --help
if [ "$code" -ne 0 ] || [[ "$out" != Usage:* ]]; then fail "--help: exit code $code, stdout: $out"; fi
# Arguments go on through a stand-in for Wine that prints what it is given:
# a Linux path whose file or folder exists in its Windows form, made whole;
# switches and Windows paths as they are.
stub="$work/stub-bin"
mkdir -p "$stub" "$work/stub-prefix" "$work/My Encodes" "$work/home"
touch "$work/stub-prefix/system.reg" "$work/My Encodes/movie.m2v"
cat >"$stub/wine" <<'STUB'
#!/usr/bin/env bash
if [ "$1" = winepath ]; then echo "Z:${3//\//\\}"; exit 0; fi
echo "in $WINEPREFIX" >&2
printf '%s\n' "${@:2}"
STUB
chmod +x "$stub/wine"
w="Z:${work//\//\\}"
run env -C "$work/My Encodes" PATH="$stub:$PATH" WINEPREFIX=../stub-prefix "$launcher" /wait "$work/My Encodes/movie.m2v" \
    later.m2v "$work/home/not-yet.m2v" -WAIT 'C:\enc\x.m2v' /no/such/folder/x.m2v
expected_args=$(printf '%s\n' /wait "$w\\My Encodes\\movie.m2v" "$w\\My Encodes\\later.m2v" "$w\\home\\not-yet.m2v" -WAIT \
    'C:\enc\x.m2v' /no/such/folder/x.m2v)
[ "$code" -eq 0 ] && [ "$out" = "$expected_args" ] || fail "arguments: exit code $code, passed on: $out"
[ "$err" = "in $work/My Encodes/../stub-prefix" ] || fail "a relative WINEPREFIX went to Wine as: $err"

# No WINEPREFIX and no ~/.wine: refused, and no prefix made for Wine to fill.
run env -u WINEPREFIX PATH="$stub:$PATH" HOME="$work/home" "$launcher" movie.m2v
expect_refusal "no prefix at all" 2 "WINEPREFIX=/path/to/prefix"
[ ! -e "$work/home/.wine" ] || fail "the launcher made $work/home/.wine"

# No Wine on PATH: only what the launcher itself needs.
bare="$work/bare-bin"
mkdir "$bare"
for tool in bash readlink dirname; do ln -s "$(command -v "$tool")" "$bare/$tool"; done
run env PATH="$bare" "$launcher"
expect_refusal "no Wine" 127 "Wine is not installed"

# Reached through a symlink, as from ~/bin: still finds its program (and only then misses Wine).
ln -s "$launcher" "$work/morvane-link"
run env PATH="$bare" "$work/morvane-link"
expect_refusal "symlinked launcher, no Wine" 127 "Wine is not installed"

# A copy away from its program says where it looked.
cp "$launcher" "$work/stray-morvane"
run "$work/stray-morvane"
expect_refusal "launcher without its program" 1 "morvane.exe is not where it was installed"

# A WINEPREFIX that is no prefix is refused, and nothing is made there.
if command -v wine >/dev/null || command -v wine64 >/dev/null; then
    run env WINEPREFIX="$work/no-such-prefix" "$launcher"
    expect_refusal "missing prefix" 2 "is not a Wine prefix"
    [ ! -e "$work/no-such-prefix" ] || fail "the launcher made $work/no-such-prefix"
    mkdir "$work/empty-dir"
    run env WINEPREFIX="$work/empty-dir" "$launcher"
    expect_refusal "empty folder as prefix" 2 "is not a Wine prefix"
    [ -z "$(ls -A "$work/empty-dir")" ] || fail "the launcher wrote into $work/empty-dir"
else
    fail "Wine is not installed here, so the prefix checks cannot run"
fi

[ "$failures" -eq 0 ] && echo "launcher: all checks passed"
exit "$failures"
