#!/usr/bin/env bash
# Builds the Debian package of the Qt program into BUILD_DIR (default
# build/deb) and prints its path: optimised, with the flags Debian builds its
# own packages with (dpkg-buildflags with every hardening feature: stack
# protector, _FORTIFY_SOURCE, stack-clash protection, -fcf-protection, full
# RELRO with BIND_NOW, PIE), installed under /usr. tools/check-desktop.sh and
# tools/release.sh both build it here, so that the package they check is
# the one that ships. Needs what tools/install-deps.sh installs, and
# dpkg-dev.
#
#   tools/build-deb.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/deb}

# dpkg-buildflags maps the current folder to "." in the debugging and
# assertion paths (reproducible=+fixfilepath): it runs from the source root.
build_flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cxxflags="$(build_flags CPPFLAGS) $(build_flags CXXFLAGS)"
# Debian 12's dpkg (1.21) predates its stack-clash and control-flow
# protection features, which Debian 13's gives: the same flags by hand there.
extra=(-fstack-clash-protection)
[[ $(dpkg-architecture -qDEB_HOST_ARCH_CPU) == @(amd64|i386) ]] && extra+=(-fcf-protection)
for flag in "${extra[@]}"; do
  [[ " $cxxflags " == *" $flag "* ]] || cxxflags+=" $flag"
done
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$(build_flags LDFLAGS)" >&2
cmake --build "$build" -j2 >&2
rm -f "$build"/zenalto_*.deb
(cd "$build" && cpack -G DEB) >&2
deb=$(echo "$build"/zenalto_*.deb)
[[ -f $deb ]] || { echo "build-deb: no package in $build" >&2; exit 1; }
echo "$deb"
