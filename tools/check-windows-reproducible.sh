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
#     compares them so. Then signs the first build's files with a throw-away
#     certificate made for the run (tools/sign-windows.sh; ZENALTO_OSSLSIGNCODE
#     may name another osslsigncode) and checks that each signature verifies,
#     that signing twice gives the same bytes, that the detached signatures
#     attached to the second build's files give the signed files exactly,
#     that a file with one byte changed is refused them, and that the
#     programs (the .msi aside: osslsigncode lays its file out anew) without
#     their signatures are the unsigned files. Installs what it needs when
#     missing.
# Fails when any file differs or is missing, or a signing check fails.
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
  python3-gi gir1.2-libmsi-1.0 python3-pefile locales osslsigncode openssl

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

echo "Signed with a throw-away certificate:"
keys=$work/keys
mkdir -p "$keys"
openssl req -x509 -newkey rsa:3072 -nodes -days 2 -subj "/CN=Zenalto test" \
  -addext extendedKeyUsage=codeSigning -keyout "$keys/key.pem" -out "$keys/cert.pem" 2>/dev/null
osslsigncode=${ZENALTO_OSSLSIGNCODE:-osslsigncode}
failed=0
fail() {
  echo "FAILED  $*"
  failed=1
  this=bad
}
for file in "${files[@]}"; do
  this=good
  for copy in unsigned signed again attached changed; do
    mkdir -p "$work/$copy"
    cp "$first/build/mingw/installer/$file" "$work/$copy/"
  done
  cp "$second/build/mingw/installer/$file" "$work/attached/"
  printf 'Z' | dd of="$work/changed/$file" bs=1 seek=1200 conv=notrunc 2>/dev/null
  ZENALTO_SIGN_CERT=$keys/cert.pem ZENALTO_SIGN_KEY=$keys/key.pem \
    ZENALTO_SIGNATURES_DIR=$work/signatures bash tools/sign-windows.sh "$work/signed/$file" >/dev/null
  ZENALTO_SIGN_CERT=$keys/cert.pem ZENALTO_SIGN_KEY=$keys/key.pem \
    bash tools/sign-windows.sh "$work/again/$file" >/dev/null
  "$osslsigncode" verify -CAfile "$keys/cert.pem" -in "$work/signed/$file" >/dev/null 2>&1 ||
    fail "$file: the signature does not verify"
  cmp -s "$work/signed/$file" "$work/again/$file" || fail "$file: signed twice, two files"
  ZENALTO_SIGNATURES_FROM=$work/signatures bash tools/sign-windows.sh "$work/attached/$file" \
    >/dev/null 2>&1 || fail "$file: the detached signature was refused"
  cmp -s "$work/signed/$file" "$work/attached/$file" ||
    fail "$file: attached, not the signed file"
  if ZENALTO_SIGNATURES_FROM=$work/signatures bash tools/sign-windows.sh "$work/changed/$file" \
    >/dev/null 2>&1; then
    fail "$file: a byte changed, and the signature was attached all the same"
  fi
  if [[ $file != *.msi ]]; then
    "$osslsigncode" remove-signature -in "$work/signed/$file" -out "$work/removed-$file" >/dev/null
    cmp -s "$work/unsigned/$file" "$work/removed-$file" ||
      fail "$file: without its signature, not the unsigned file"
  fi
  [[ $this == bad ]] || echo "signed  $file"
done
exit $failed
