#!/usr/bin/env bash
# The screen-reader walks: Zenalto driven by keys under Orca on a private
# Xvfb with openbox, in a D-Bus session of its own, checked by what Orca
# speaks (the "SPEECH OUTPUT:" lines of its debug log) with speech-dispatcher's
# dummy module; tests/screen_reader/screen_reader.py says how a walk runs.
#
#   tools/test-screen-reader.sh
#
# It installs what it lacks and builds Zenalto with the dev preset, and the
# page with the web preset (its site, which tools/test-web.sh then reuses);
# ZENALTO=... walks another build of the program instead (say, one of the
# program as it was), ZENALTO_SITE=... another site. Prints every utterance
# of every step, and what a failed step wanted; exits 1 when a step fails.
# The logs of the run are kept in build/screen-reader/. Everything it starts
# ends with it.
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
# The page: what its build needs (as tools/test-web.sh installs it), and the
# two browsers it is walked in.
bash tools/install-deps.sh cmake make libgtest-dev libfast-float-dev emscripten nodejs node-acorn \
  python3-fonttools python3-brotli fonts-liberation2 firefox-esr chromium

zenalto=${ZENALTO:-}
if [[ -z $zenalto ]]; then
  cmake --preset dev >/dev/null
  cmake --build --preset dev --target Zenalto -- -j2 >/dev/null
  zenalto=build/dev/app/Zenalto
fi

site=${ZENALTO_SITE:-}
if [[ -z $site ]]; then
  # As tools/test-web.sh builds it: Debian's Emscripten reads its system
  # libraries from a cache of its own; another builds them here.
  if [[ $(em-config FROZEN_CACHE) != True && ! -w $(em-config CACHE) ]]; then
    export EM_CACHE=$PWD/build/web/emscripten-cache
  fi
  cmake --preset web >/dev/null
  cmake --build --preset web --target zenalto_site -- -j2 >/dev/null
  site=build/web/site
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
echo "== the page under Orca, in Firefox ESR and in Chromium ($site)"
SECONDS=0
dbus-run-session -- python3 tests/screen_reader/page_walk.py "$site" --logs "$logs/page" \
  2> >(grep -v -e '^dbus-daemon\[' -e 'fd limit' >&2) || status=$?
echo "   took $SECONDS s; logs in $logs/page"
exit "$status"
