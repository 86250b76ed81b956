#!/usr/bin/env bash
# Cross-builds the layers below the windows for 64-bit Windows (mingw preset:
# no Qt) and runs their tests under Wine, in a fresh Wine prefix made for the
# run and removed afterwards. Installs what is missing, as install-deps.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh cmake make libgtest-dev \
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 icoutils

# A prefix of our own, owned by us, with no display and no debug chatter.
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/prefix"
export WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

cmake --preset mingw
cmake --build --preset mingw
wineboot --init 2>/dev/null
wineserver -w
ctest --preset mingw
