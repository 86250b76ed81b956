#!/usr/bin/env bash
# Checks the release as a school's IT department would: makes it signed, with
# a throw-away code-signing certificate and GnuPG key made for this run, then
# rebuilds it without the key in another clone of the commit (another folder,
# umask, locale and time zone), putting the first build's signatures back on,
# and compares the two file by file. Then: the sums and their GnuPG
# signature, each Authenticode signature, the hardening of every shipped
# program (hardening-check for the Linux one, tools/check-pe.sh for the
# Windows ones), and piuparts' install, remove and purge of the package in a
# fresh Debian root. Installs what it needs; runs as root where piuparts
# must (sudo otherwise). Prints the time of each step.
#
# The first build goes into the preset folders (build/deb, build/mingw,
# build/web), where the later checks of .ci/run find what they test already
# built: the package, the setup and the page that ship.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)

bash tools/install-deps.sh openssl gpg gpg-agent osslsigncode devscripts piuparts debootstrap \
  python3-pefile

step() { printf '\n=== check-release: %s (%ds)\n' "$1" "$SECONDS"; }

work=$(mktemp -d)
export GNUPGHOME="$work/gnupg"
trap 'gpgconf --kill all 2>/dev/null || true; rm -rf "$work"' EXIT

step "a throw-away certificate and key"
openssl req -x509 -newkey rsa:3072 -nodes -days 2 -keyout "$work/key.pem" -out "$work/cert.pem" \
  -subj "/CN=Zenalto test signing/O=Equipo Zenalto" \
  -addext "extendedKeyUsage=codeSigning" 2>/dev/null
mkdir -m 700 "$GNUPGHOME"
gpg --batch --quiet --passphrase '' --quick-gen-key 'Zenalto test <zenalto@example.org>' \
  rsa3072 sign 2d
gpg_key=$(gpg --batch --with-colons --list-secret-keys | awk -F: '$1 == "fpr" { print $10; exit }')

step "the release, signed"
ZENALTO_RELEASE_BUILD=build ZENALTO_SIGN_CERT="$work/cert.pem" ZENALTO_SIGN_KEY="$work/key.pem" \
  ZENALTO_GPG_KEY="$gpg_key" bash tools/release.sh
version=$(sed -nE 's/^ *VERSION ([0-9.]+)$/\1/p' CMakeLists.txt | head -n 1)
first="$root/dist/zenalto-$version"

step "the same commit rebuilt elsewhere, without the key"
git clone -q --no-checkout "$root" "$work/elsewhere"
git -C "$work/elsewhere" checkout -q "$(git rev-parse HEAD)"
(
  umask 077
  cd "$work/elsewhere"
  env -u ZENALTO_SIGN_CERT -u ZENALTO_SIGN_KEY -u ZENALTO_GPG_KEY \
    TZ=Pacific/Kiritimati LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8 \
    ZENALTO_SIGNATURES_FROM="$first/signatures" bash tools/release.sh
)
second="$work/elsewhere/dist/zenalto-$version"

step "the two builds compared"
(cd "$first" && find . -type f ! -name SHA256SUMS.asc | LC_ALL=C sort) >"$work/first.txt"
(cd "$second" && find . -type f | LC_ALL=C sort) >"$work/second.txt"
diff "$work/first.txt" "$work/second.txt" || { echo "the two releases hold other files"; exit 1; }
differ=0
while read -r file; do
  if cmp -s "$first/$file" "$second/$file"; then
    printf '  same  %10d  %s\n' "$(stat -c %s "$first/$file")" "$file"
  else
    printf '  DIFFERENT (%d bytes)  %s\n' "$(cmp -l "$first/$file" "$second/$file" | wc -l)" "$file"
    differ=1
  fi
done <"$work/first.txt"
((differ == 0)) || { echo "the release is not reproducible"; exit 1; }

step "sums and signatures"
(cd "$first" && sha256sum --quiet -c SHA256SUMS)
gpg --batch --verify "$first/SHA256SUMS.asc" "$first/SHA256SUMS"
mkdir "$work/portable"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
  "$first/zenalto-$version-win64-portable.zip" "$work/portable"
for signed in "$work/portable/Zenalto.exe" "$first/zenalto-$version-setup.exe" \
  "$first/zenalto-$version-x64.msi" build/mingw/installer/Uninstall.exe \
  build/mingw/installer/ZenaltoMsiCheck.dll; do
  osslsigncode verify -CAfile "$work/cert.pem" -in "$signed" >"$work/verify.txt" 2>&1 || {
    cat "$work/verify.txt"
    echo "the signature of $signed does not verify"
    exit 1
  }
  echo "  $(basename "$signed"): $(grep -m1 -E '^Signature verification' "$work/verify.txt")"
done

# A signature taken off and put back gives the signed file again; on a
# program with one byte changed it is refused.
program="$work/portable/Zenalto.exe"
osslsigncode remove-signature -in "$program" -out "$work/bare.exe" >/dev/null
cp "$work/bare.exe" "$work/Zenalto.exe"
ZENALTO_SIGNATURES_FROM="$first/signatures" bash tools/sign-windows.sh "$work/Zenalto.exe" >/dev/null
cmp "$work/Zenalto.exe" "$program"
echo "  Zenalto.exe: its signature taken off and put back gives the published file"
cp "$work/bare.exe" "$work/Zenalto.exe"
printf '\x5a' | dd of="$work/Zenalto.exe" bs=1 seek=5000 conv=notrunc status=none
if ZENALTO_SIGNATURES_FROM="$first/signatures" bash tools/sign-windows.sh "$work/Zenalto.exe" \
  >/dev/null 2>&1; then
  echo "a signature was put on a Zenalto.exe with one byte changed"
  exit 1
fi
echo "  Zenalto.exe with one byte changed: the signature is refused"

step "hardening of the programs that ship"
dpkg-deb -x "$first/zenalto_${version}_amd64.deb" "$work/deb"
# hardening-check requires all of PIE, the stack protector, RELRO and
# BIND_NOW; two of its checks are read here instead:
#  - Fortify: "only unprotected functions found" means the compiler proved
#    the size of every call it could have checked (memcpy, memset, read:
#    --verbose names them); _FORTIFY_SOURCE is in the flags all the same.
#  - Control flow: Debian 12's C start files (crt1.o, crti.o) carry no
#    IBT/SHSTK property, so the linker marks no program, whatever its code;
#    the code itself is built with -fcf-protection, which endbr64 shows.
program="$work/deb/usr/bin/Zenalto"
hardening-check --nofortify --nocfprotection "$program"
hardening-check --verbose "$program" | grep -E '^ (Fortify|Control flow)|unprotected:' || true
endbr=$(objdump -d "$program" | grep -c endbr64 || true)
echo " endbr64 instructions (-fcf-protection): $endbr"
((endbr > 0)) || { echo "the packaged program is not built with -fcf-protection"; exit 1; }
if readelf -d "$program" | grep -E 'R(UN)?PATH'; then
  echo "the packaged program has a RUNPATH"; exit 1
fi
bash tools/check-pe.sh build/mingw/installer

# The later checks build in build/mingw again, without the key: nothing of
# theirs is to be signed. (CMake takes away the outputs whose commands this
# changes: those checks make them again, unsigned.)
cmake -S . -B build/mingw -DZENALTO_SIGN_COMMAND= >/dev/null

step "piuparts: install, remove, purge"
bash tools/piuparts-deb.sh "$first/zenalto_${version}_amd64.deb"

step "done"
