#!/usr/bin/env bash
# Builds morvane.exe, runs the Windows program's tests against that very build
# under Wine, and packs it into the release archive and the test pack. Prints
# their paths.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

prefix="$PWD/build/mingw/wineprefix"
trap 'cmake/wine-prefix stop "$prefix" >/dev/null 2>&1 || true' EXIT

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2
ctest --preset mingw

# The release archive and the test pack beside it.
packed=$(cd build/mingw && cpack)
archives=$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' <<<"$packed" | sort)
if [ "$(wc -l <<<"$archives")" -ne 2 ]; then
  echo "$packed" >&2
  echo "cpack made no release archive and test pack" >&2
  exit 1
fi
echo "$archives"
