#!/usr/bin/env bash
# The Windows files of a build are the same, byte for byte, whoever builds the
# commit: Zenalto.exe (stripped), ZenaltoMsiCheck.dll, Uninstall.exe, the
# setup program and the Windows Installer package.
#   check-windows-reproducible.sh DIR1 DIR2
#     compares the five files of two builds' installer/ folders (build/mingw/
#     installer of two checkouts) and names each that differs, with how many
#     bytes do;
#   check-windows-reproducible.sh
#     builds the commit checked out here (its committed files: a clone of
#     HEAD) twice with the mingw preset, with SOURCE_DATE_EPOCH set to the
#     commit's time as a release sets it, in two folders of different paths,
#     under different umasks, time zones and locales, one after the other, and
#     compares them so. Installs what it needs when missing.
# Fails when any file differs or is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

files=(Zenalto.exe ZenaltoMsiCheck.dll Uninstall.exe zenalto-1.0-setup.exe zenalto-1.0-x64.msi)

compare() {
  local differ=0 file count
  for file in "${files[@]}"; do
    if [[ ! -f $1/$file || ! -f $2/$file ]]; then
      echo "MISSING $file (in $1 or $2)"
      differ=1
    elif cmp -s "$1/$file" "$2/$file"; then
      echo "same    $file ($(stat -c %s "$1/$file") bytes, sha256 $(sha256sum <"$1/$file" | cut -c1-16)...)"
    else
      # cmp -l lists the differing bytes of the common length; a difference
      # in length is said too.
      count=$(cmp -l "$1/$file" "$2/$file" 2>/dev/null | wc -l || true)
      echo "DIFFERS $file: $count bytes differ ($(stat -c %s "$1/$file") and $(stat -c %s "$2/$file") bytes long)"
      differ=1
    fi
  done
  return $differ
}

if (($# == 2)); then
  compare "$1" "$2"
  exit
elif (($# != 0)); then
  echo "usage: $0 [DIR1 DIR2]" >&2
  exit 64
fi

bash tools/install-deps.sh cmake make git libgtest-dev libfast-float-dev \
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 nsis wixl msitools \
  python3-gi gir1.2-libmsi-1.0 python3-pefile locales

SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
work=$PWD/build/reproducible
rm -rf "$work"
mkdir -p "$work"
# Two paths of different lengths, so that a path written into a file shows.
first=$work/one/zenalto
second=$work/the-second-build/src/zenalto-$SOURCE_DATE_EPOCH

build() { # FOLDER UMASK TZ LANG
  git -c advice.detachedHead=false clone --quiet --no-local "$PWD" "$1"
  (
    cd "$1"
    umask "$2"
    export TZ=$3 LANG=$4 LC_ALL=$4
    cmake --preset mingw -B build/mingw >"$1.log" 2>&1 &&
      cmake --build build/mingw -j2 --target zenalto_installer zenalto_msi >>"$1.log" 2>&1
  ) || {
    tail -n 30 "$1.log"
    exit 1
  }
}
build "$first" 022 UTC C.UTF-8
build "$second" 077 Pacific/Kiritimati es_ES.UTF-8
echo "Two builds of $(git rev-parse --short HEAD), SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH:"
compare "$first/build/mingw/installer" "$second/build/mingw/installer"
