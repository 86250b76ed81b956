#!/usr/bin/env bash
# Cross-builds Zenalto.exe, its Win32 windows and the layers below them for
# 64-bit Windows (mingw preset: no Qt) and runs their tests under Wine, in a
# fresh Wine prefix made for the run and removed afterwards. The windows need
# an X server: the run gets a private Xvfb, ended with the run. Installs what
# is missing, as install-deps.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh cmake make libgtest-dev \
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 icoutils xvfb xauth

cmake --preset mingw
cmake --build --preset mingw

# A prefix of our own, owned by us, with no debug chatter.
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/prefix"
export WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
# shellcheck source=bench/private-xvfb.sh
source bench/private-xvfb.sh
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_private_xvfb
  rm -rf "$scratch"
}
trap cleanup EXIT

wineboot --init 2>/dev/null
wineserver -w
# With no window manager on the X server, Wine would wait for one to take
# each window it shows or hides; its own unmanaged windows need none.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w

# The X server is for the tests' windows under Wine only.
start_private_xvfb "$scratch" test-windows
ctest --preset mingw
