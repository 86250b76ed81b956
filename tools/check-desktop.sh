#!/usr/bin/env bash
# Checks Zenalto as a desktop application: validates the desktop entry and the
# AppStream metainfo, builds the Debian package and runs lintian on it,
# installs it with apt-get, starts the installed program on a private X server
# and waits for its main window, then removes the package. Installs what it needs when missing (sudo
# when not root). Fails on the first check that fails; the X server, the
# program and the package go in every case.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD
build="$root/build/deb"
app_id=org.example.Zenalto
title='Zenalto: Programa para el cálculo de orbitas satelitales'

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  as_root=(sudo)
fi

bash tools/install-deps.sh
bash tools/install-deps.sh desktop-file-utils appstream dpkg-dev xvfb x11-utils lintian

work=$(mktemp -d)
xvfb_pid=
program_pid=
installed=
cleanup() {
  if [[ -n $program_pid ]]; then kill "$program_pid" 2>/dev/null || true; fi
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  if [[ -n $installed ]]; then
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq zenalto >/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

echo "== desktop entry and metainfo"
desktop-file-validate "resources/desktop/$app_id.desktop"
appstreamcli validate --no-net "resources/desktop/$app_id.metainfo.xml"

echo "== package"
# Built where tools/release.sh builds it, with Debian's own flags.
deb=$(bash tools/build-deb.sh "$build")

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation fonts-dejavu-core; do
  grep -q "$needed" <<<"$depends" || { echo "the package does not depend on $needed"; exit 1; }
done
# "System Info..." has a program to start once the suggested one is installed.
suggests=$(dpkg-deb -f "$deb" Suggests)
echo "Suggests: $suggests"
grep -q '^hardinfo' <<<"$suggests" || { echo "the package does not suggest hardinfo"; exit 1; }
listing=$(dpkg-deb -c "$deb")
for file in /usr/bin/Zenalto "/usr/share/applications/$app_id.desktop" \
  "/usr/share/metainfo/$app_id.metainfo.xml" "/usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
  /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$app_id.png \
  /usr/share/doc/zenalto/{copyright,changelog.gz} /usr/share/man/man1/Zenalto.1.gz; do
  grep -q " \.$file\$" <<<"$listing" || { echo "the package lacks $file"; exit 1; }
done

echo "== lintian"
# Fails on any error or warning; an override, if one is ever needed, goes to
# usr/share/lintian/overrides/zenalto with a comment above it saying why.
# Informational tags are shown, not fatal.
lintian --display-info --show-overrides --fail-on error,warning "$deb"

echo "== install and start"
installed=yes
if ! "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"; then
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"
fi
# The installed files pass the validators too, and the entry finds the program.
desktop-file-validate "/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml"
command -v Zenalto >/dev/null

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do
  [[ -s $work/display ]] && break
  sleep 0.2
done
[[ -s $work/display ]] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY

# Started as from the desktop entry: its Exec line, run through the PATH.
exec_line=$(sed -n 's/^Exec=//p' "/usr/share/applications/$app_id.desktop")
$exec_line 2>"$work/program.log" &
program_pid=$!
window=
for _ in $(seq 100); do
  window=$(xwininfo -root -tree | awk -v title="\"$title\":" 'index($0, title) { print $1; exit }')
  [[ -n $window ]] && xwininfo -id "$window" | grep -q 'Map State: IsViewable' && break
  window=
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.2
done
if [[ -z $window ]]; then
  echo "the installed program showed no main window"
  cat "$work/program.log"
  exit 1
fi
echo "main window $window: $title"
kill -0 "$program_pid"

echo "== remove"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq zenalto
installed=
[[ ! -e /usr/bin/Zenalto ]] || { echo "/usr/bin/Zenalto is still there"; exit 1; }
echo "check-desktop: all checks passed"
