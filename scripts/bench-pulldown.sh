#!/usr/bin/env bash
# morvane-pulldown against cp of the same file into the same folder, on a
# stream of at least 1 GiB in the page cache: in turns, median of the runs
# (5 unless MORVANE_BENCH_RUNS says), peak memory; then the Windows build
# under Wine. MORVANE_BENCH_4GIB=1 adds one run on a stream over 4 GiB.
# The streams are made here with ffmpeg and kept in build/bench-data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

native=build/bench-native
mingw="${MORVANE_BUILD_DIR:-build/mingw}"
cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
cmake --build "$native" -j2 --target morvane-pulldown >/dev/null
cmake --preset mingw -B "$mingw" >/dev/null
cmake --build "$mingw" -j2 --target morvane-pulldown >/dev/null
tool="$native/src/morvane-pulldown"
exe="$mingw/src/morvane-pulldown.exe"
runs="${MORVANE_BENCH_RUNS:-5}"

data=build/bench-data
mkdir -p "$data"
piece="$data/piece.m2v"
# Twelve seconds of noisy 720x480 film at 30 Mbit/s: large pictures, open GOPs.
[ -s "$piece" ] || ffmpeg -v error -y -f lavfi -i "testsrc=size=720x480:rate=24000/1001,noise=alls=30:allf=t" \
  -t 12 -c:v mpeg2video -b:v 30M -maxrate 30M -bufsize 4M -bf 2 -g 12 -an "$piece"

# The piece repeated whole: each copy starts with its own sequence header.
stream_of() {
  local file=$1 bytes=$2
  [ -s "$file" ] && [ "$(stat -c %s "$file")" -ge "$bytes" ] && return 0
  local copies=$(( bytes / $(stat -c %s "$piece") + 1 ))
  for _ in $(seq "$copies"); do cat "$piece"; done >"$file"
}

seconds() { local start; start=$(date +%s%N); "$@" >/dev/null 2>&1; echo $(( $(date +%s%N) - start )); }
median() { sort -n | awk '{ a[NR] = $1 } END { printf "%.3f", a[int((NR + 1) / 2)] / 1e9 }'; }

# Each run writes a new file; the last one's dirty pages are written back first.
compare() {
  local label=$1 input=$2 output=$3; shift 3
  local copies="" turns=""
  for _ in $(seq "$runs"); do
    rm -f "$output"; sync
    copies="$copies $(seconds cp "$input" "$output")"
    rm -f "$output"; sync
    turns="$turns $(seconds "$@")"
  done
  local c t
  c=$(tr ' ' '\n' <<<"$copies" | grep . | median)
  t=$(tr ' ' '\n' <<<"$turns" | grep . | median)
  echo "$label  cp $c s, morvane-pulldown $t s, ratio $(awk "BEGIN { printf \"%.2f\", $t / $c }") (target <= 1.2)"
  rm -f "$output"
}

echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), $(uname -r)"
big="$data/stream-1gib.m2v"
stream_of "$big" $((1 << 30))
cat "$big" >/dev/null
echo "stream   $(stat -c %s "$big") bytes, $runs runs each in turns"
out="$data/pulled.m2v"
compare "native " "$big" "$out" "$tool" "$big" "$out" -drop_frame true

rm -f "$out"
/usr/bin/time -f "%M" -o "$data/rss" "$tool" "$big" "$out" -drop_frame true 2>&1 | tail -n 1
echo "memory   peak $(cat "$data/rss") KiB resident (target < 16384)"
rm -f "$out"

export MORVANE_WINEPREFIX="$PWD/$mingw/bench-pulldown-prefix"
export DISPLAY=
trap 'cmake/wine-prefix stop "$MORVANE_WINEPREFIX" >/dev/null 2>&1 || true' EXIT
cmake/wine-prefix start "$MORVANE_WINEPREFIX"
compare "wine   " "$big" "$out" cmake/wine-run "$exe" "$PWD/$big" "$PWD/$out" -drop_frame true
starts=""
for _ in $(seq "$runs"); do starts="$starts $(seconds cmake/wine-run "$exe" --version)"; done
echo "wine     of which starting a program under Wine: $(tr ' ' '\n' <<<"$starts" | grep . | median) s (--version)"

if [ "${MORVANE_BENCH_4GIB:-0}" = 1 ]; then
  huge="$data/stream-4gib.m2v"
  stream_of "$huge" $(( (1 << 32) + (1 << 28) ))
  cat "$huge" >/dev/null
  echo "stream   $(stat -c %s "$huge") bytes, one run"
  rm -f "$out"; sync
  /usr/bin/time -f "native   %e s, peak %M KiB resident" "$tool" "$huge" "$out" 2>&1 | tail -n 2
  rm -f "$out"; sync
  echo "cp       $(awk "BEGIN { printf \"%.3f\", $(seconds cp "$huge" "$out") / 1e9 }") s"
  rm -f "$out" "$huge"
fi
