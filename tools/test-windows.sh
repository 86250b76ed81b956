#!/usr/bin/env bash
# Cross-builds Zenalto.exe, its Win32 windows and the layers below them for
# 64-bit Windows (mingw preset: no Qt) and runs their tests under Wine, in a
# fresh Wine prefix made for the run and removed afterwards. The windows need
# an X server: the run gets a private Xvfb, ended with the run. Installs what
# is missing, as install-deps.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh cmake make libgtest-dev libfast-float-dev \
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 fonts-wine icoutils xvfb xauth

cmake --preset mingw
cmake --build --preset mingw

# A prefix and a home of our own, with no debug chatter.
scratch=$(mktemp -d)
unset DISPLAY WAYLAND_DISPLAY
# shellcheck source=tools/wine-prefix.sh
source tools/wine-prefix.sh
trap 'end_wine_session "$scratch"' EXIT

make_wine_prefix "$scratch"

# The X server is for the tests' windows under Wine only.
start_private_xvfb "$scratch" test-windows
ctest --preset mingw
