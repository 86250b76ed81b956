#!/usr/bin/env bash
# Makes the release of the checked-out commit: every package of its version in
# dist/zenalto-<version>/, byte for byte the same whatever folder, clock,
# locale, umask or machine builds it (docs/releasing.md):
#
#   zenalto_<version>_amd64.deb          the Qt program for Debian 12 and 13
#   zenalto-<version>-setup.exe          the Windows setup program (NSIS)
#   zenalto-<version>-x64.msi            the Windows Installer package
#   zenalto-<version>-win64-portable.zip Zenalto.exe and its licence
#   zenalto-<version>-web.zip            the web page's folder, to publish
#   zenalto-<version>.spdx.json          what ships in each, with versions
#   SHA256SUMS                           the sums of all of the above
#   SHA256SUMS.asc                       with ZENALTO_GPG_KEY
#   signatures/                          with a signing key, or reused ones
#
# Signing (tools/sign-windows.sh): with ZENALTO_SIGN_CERT and ZENALTO_SIGN_KEY
# (PEM files), Authenticode signatures on Zenalto.exe, Uninstall.exe and the
# custom action before they are packed, then on the setup and the MSI, and
# their detached copies in signatures/; with ZENALTO_SIGNATURES_FROM=DIR
# (a published release's signatures/), the same signatures put back on this
# build's files, so that anyone can rebuild the signed files without the key.
# With ZENALTO_GPG_KEY (a key of the user's GnuPG keyring), SHA256SUMS.asc.
# Without keys the release is complete and says that it is unsigned.
#
#   tools/release.sh [--allow-dirty]
#
# The package is built in build/deb, as tools/check-desktop.sh builds it;
# ZENALTO_RELEASE_BUILD (default build/release) is where the two others go
# (mingw/, web/). Each is made afresh. ZENALTO_RELEASE_OUT (default
# dist/) is where the release goes. Installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

allow_dirty=false
[[ ${1:-} == --allow-dirty ]] && allow_dirty=true
if [[ -n $(git status --porcelain) ]]; then
  if ! $allow_dirty; then
    echo "release: the checkout has changes; a release is made from a commit (or --allow-dirty)" >&2
    git status --short >&2
    exit 1
  fi
  echo "release: WARNING: built from a checkout with changes; it is not the commit's release" >&2
fi

version=$(sed -nE 's/^ *VERSION ([0-9.]+)$/\1/p' CMakeLists.txt | head -n 1)
[[ -n $version ]] || { echo "release: no VERSION in CMakeLists.txt" >&2; exit 1; }
commit=$(git rev-parse HEAD)

# Everything that could tell one build from another is fixed here: the time
# every tool writes (the commit's), the locale, the time zone, the umask.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8 LANG=C.UTF-8
unset LANGUAGE
umask 022

build_root=${ZENALTO_RELEASE_BUILD:-build/release}
out_root=${ZENALTO_RELEASE_OUT:-dist}
out="$out_root/zenalto-$version"

bash tools/install-deps.sh
bash tools/install-deps.sh dpkg-dev python3 \
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 nsis wixl msitools \
  python3-gi gir1.2-libmsi-1.0 python3-pefile \
  emscripten nodejs node-acorn python3-fonttools python3-brotli fonts-liberation2

signing=none
if [[ -n ${ZENALTO_SIGN_CERT:-} || -n ${ZENALTO_SIGN_KEY:-} ]]; then
  [[ -r ${ZENALTO_SIGN_CERT:-} && -r ${ZENALTO_SIGN_KEY:-} ]] || {
    echo "release: ZENALTO_SIGN_CERT and ZENALTO_SIGN_KEY must both name readable PEM files" >&2
    exit 1
  }
  signing=key
elif [[ -n ${ZENALTO_SIGNATURES_FROM:-} ]]; then
  [[ -d $ZENALTO_SIGNATURES_FROM ]] || {
    echo "release: ZENALTO_SIGNATURES_FROM is not a folder: $ZENALTO_SIGNATURES_FROM" >&2
    exit 1
  }
  ZENALTO_SIGNATURES_FROM=$(realpath "$ZENALTO_SIGNATURES_FROM")
  export ZENALTO_SIGNATURES_FROM
  signing=reused
fi
if [[ -n ${ZENALTO_GPG_KEY:-} ]]; then
  bash tools/install-deps.sh gpg gpg-agent
fi

step() { printf '\n== release: %s (%ds)\n' "$1" "$SECONDS"; }

mkdir -p "$out"
out=$(realpath "$out")
if [[ $signing == reused && $ZENALTO_SIGNATURES_FROM/ == "$out"/* ]]; then
  echo "release: ZENALTO_SIGNATURES_FROM lies in $out, which the release replaces" >&2
  exit 1
fi
rm -rf "$out"
mkdir -p "$out"
sign_command=
if [[ $signing != none ]]; then
  bash tools/install-deps.sh osslsigncode openssl
  mkdir -p "$out/signatures"
  if [[ $signing == key ]]; then
    export ZENALTO_SIGNATURES_DIR="$out/signatures"
  else
    # The release rebuilt with the published signatures ships them too, so
    # that it is the published release file for file.
    cp "$ZENALTO_SIGNATURES_FROM"/*.p7s "$out/signatures/"
  fi
  sign_command="bash $root/tools/sign-windows.sh"
fi

step "the Debian package"
# Always in build/deb: moc's sources reach the headers by relative paths,
# which the program's build id sums, so the folder's depth below the
# sources is part of the package's bytes.
rm -rf build/deb
deb=$(bash tools/build-deb.sh build/deb)
cp "$deb" "$out/"

step "the Windows packages"
rm -rf "$build_root/mingw"
cmake --preset mingw -B "$build_root/mingw" -DBUILD_TESTING=OFF \
  -DZENALTO_SIGN_COMMAND="$sign_command" -DZENALTO_SOURCE_COMMIT="$commit"
cmake --build "$build_root/mingw" -j2 --target zenalto_installer zenalto_msi
windows="$build_root/mingw/installer"
cp "$windows/zenalto-$version-setup.exe" "$windows/zenalto-$version-x64.msi" "$out/"

step "the web page"
rm -rf "$build_root/web"
# Debian's Emscripten comes with its system libraries built, in a cache it
# only reads; another Emscripten builds them into the build folder.
if [[ $(em-config FROZEN_CACHE) != True && ! -w $(em-config CACHE) ]]; then
  export EM_CACHE=$root/$build_root/web/emscripten-cache
fi
# Emscripten's optimiser needs Debian's acorn, which the preset's build
# finds by NODE_PATH.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
cmake --preset web -B "$build_root/web" -DBUILD_TESTING=OFF
cmake --build "$build_root/web" -j2 --target zenalto_site

step "the archives, the bill of materials and the sums"
files="$build_root/release-files"
rm -rf "$files"
mkdir -p "$files/portable"
cp "$windows/Zenalto.exe" "$files/portable/Zenalto.exe"
cp LICENSE "$files/portable/LICENSE.txt"
python3 tools/release_files.py zip "$out/zenalto-$version-win64-portable.zip" "$files/portable"
python3 tools/release_files.py zip "$out/zenalto-$version-web.zip" "$build_root/web/site"
python3 tools/release_files.py sbom --version "$version" --commit "$commit" \
  --deb "$out/$(basename "$deb")" --windows "$windows" --site "$build_root/web/site" \
  --release "$out" >"$out/zenalto-$version.spdx.json"

(
  cd "$out"
  find . -type f ! -name SHA256SUMS ! -name SHA256SUMS.asc -printf '%P\n' | LC_ALL=C sort |
    xargs -d '\n' sha256sum >SHA256SUMS
)
if [[ -n ${ZENALTO_GPG_KEY:-} ]]; then
  gpg --batch --yes --local-user "$ZENALTO_GPG_KEY" --armor --detach-sign \
    --output "$out/SHA256SUMS.asc" "$out/SHA256SUMS"
fi

step "done"
echo "Zenalto $version, commit $commit, SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH"
case $signing in
  key) echo "Windows files signed with $(basename "$ZENALTO_SIGN_CERT")" ;;
  reused) echo "Windows files carry the signatures of $ZENALTO_SIGNATURES_FROM" ;;
  none) echo "UNSIGNED: no Authenticode signature (set ZENALTO_SIGN_CERT and ZENALTO_SIGN_KEY)" ;;
esac
[[ -n ${ZENALTO_GPG_KEY:-} ]] || echo "UNSIGNED: no SHA256SUMS.asc (set ZENALTO_GPG_KEY)"
echo "In $out:"
(cd "$out" && ls -l --time-style=+ | tail -n +2 && echo && cat SHA256SUMS)
