#!/usr/bin/env bash
# Builds morvane.exe, runs the Windows program's tests against that very build
# under Wine, and packs it into the release archive. Prints the archive's path.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

prefix="$PWD/build/mingw/wineprefix"
trap 'cmake/wine-prefix stop "$prefix" >/dev/null 2>&1 || true' EXIT

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2
ctest --preset mingw

packed=$(cd build/mingw && cpack)
archive=$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' <<<"$packed")
if [ ! -f "$archive" ]; then
  echo "$packed" >&2
  echo "cpack made no archive" >&2
  exit 1
fi
echo "$archive"
