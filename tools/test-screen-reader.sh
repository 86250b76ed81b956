#!/usr/bin/env bash
# The screen-reader walks: Zenalto driven by keys under Orca on a private
# Xvfb with openbox, in a D-Bus session of its own, checked by what Orca
# speaks (the "SPEECH OUTPUT:" lines of its debug log) with speech-dispatcher's
# dummy module; tests/screen_reader/screen_reader.py says how a walk runs.
#
#   tools/test-screen-reader.sh
#
# It installs what it lacks and builds Zenalto with the dev preset;
# ZENALTO=... walks another build of the program instead (say, one of the
# program as it was). Prints every utterance of every step, and what a failed
# step wanted; exits 1 when a step fails. The logs of the run are kept in
# build/screen-reader/. Everything it starts ends with it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
# Orca and what it needs to speak without a sound card: speech-dispatcher
# (its dummy module, and libao's null output from its audio plugins), the
# accessibility bus (at-spi2-core) and its Python binding; the desktop: Xvfb
# with a cookie (xauth), openbox, keys sent by xdotool, D-Bus's session bus
# (dbus-daemon, for dbus-run-session).
bash tools/install-deps.sh orca speech-dispatcher speech-dispatcher-audio-plugins libao4 \
  python3 python3-pyatspi at-spi2-core dbus-daemon xvfb xauth openbox xdotool

zenalto=${ZENALTO:-}
if [[ -z $zenalto ]]; then
  cmake --preset dev >/dev/null
  cmake --build --preset dev --target Zenalto -- -j2 >/dev/null
  zenalto=build/dev/app/Zenalto
fi

logs=build/screen-reader
rm -rf "$logs"
mkdir -p "$logs"
echo "== the Qt program under Orca ($zenalto)"
SECONDS=0
status=0
dbus-run-session -- python3 tests/screen_reader/qt_walk.py "$zenalto" "$logs/qt" \
  2> >(grep -v -e '^dbus-daemon\[' -e 'fd limit' >&2) || status=$?
echo "   took $SECONDS s; logs in $logs/qt"
exit "$status"
