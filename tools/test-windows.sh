#!/usr/bin/env bash
# Cross-builds Zenalto.exe, its Win32 windows and the layers below them for
# 64-bit Windows (mingw preset: no Qt) and runs their tests under Wine, in a
# fresh Wine prefix made for the run and removed afterwards. The windows need
# an X server: the run gets a private Xvfb, ended with the run. The build's
# C++ is analysed with clang-tidy and cppcheck first. Installs what is missing, as
# install-deps.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh cmake make libgtest-dev libfast-float-dev \
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 fonts-wine icoutils xvfb xauth \
  clang-tidy cppcheck

cmake --preset mingw
cmake --build --preset mingw

# The C++ of the Windows build, read by clang as for that target, with the
# C++ and Windows headers that mingw-w64's g++ uses. The Windows API hands
# windows and handles over as integers (WPARAM, LPARAM); turning them back
# into pointers is its contract, so that check is left out here.
mingw_headers=()
while read -r folder; do
  case $folder in
    */include/c++* | */x86_64-w64-mingw32/include) mingw_headers+=("-isystem$folder") ;;
  esac
done < <(x86_64-w64-mingw32-g++-posix -xc++ -E -v - </dev/null 2>&1 |
         sed -n '/#include <...> search starts here/,/End of search list/s/^ //p')
bash tools/clang-tidy-build.sh build/mingw --checks -performance-no-int-to-ptr -- \
  --target=x86_64-w64-mingw32 "${mingw_headers[@]}"
bash tools/cppcheck-build.sh build/mingw -- --library=windows --library=googletest \
  --platform=win64 -D_WIN32 -D_WIN64 -DUNICODE -D_UNICODE

# A prefix and a home of our own, with no debug chatter.
scratch=$(mktemp -d)
unset DISPLAY WAYLAND_DISPLAY
# shellcheck source=tools/wine-prefix.sh
source tools/wine-prefix.sh
trap 'end_wine_session "$scratch"' EXIT

make_wine_prefix "$scratch"

# The X server is for the tests' windows under Wine only.
start_private_xvfb "$scratch" test-windows

# One Wine server for the whole run, ended by the EXIT trap. Debian's
# wineserver command starts the server with -p0, so that it ends as soon as
# the last program of the prefix has ended: each Wine command of a test would
# meet a new server, started while the one before it is still ending and
# saving the registry. A command that starts at that moment can lose its
# server and end at once with no output, as the launcher command did right
# after `reg add` in platform_win32_reg_add.
wineserver -p
# The programs that Wine starts with the server's first program (services.exe,
# the drivers' winedevice.exe...) now last as long as the server, and hold the
# standard output and error of the program they were started from: started
# here, they hold no test's, which ctest would wait on until its timeout.
wineboot >/dev/null 2>&1
ctest --preset mingw
