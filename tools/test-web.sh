#!/usr/bin/env bash
# The web page end to end: builds it with the web preset (Emscripten), runs
# the WebAssembly tests of the core and the commands under node, then the
# page's tests in headless Chromium (tests/web), served from 127.0.0.1. No
# display is needed. Installs what is missing, as install-deps.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh cmake make libgtest-dev libfast-float-dev emscripten nodejs node-acorn \
  python3 python3-fonttools python3-brotli fonts-liberation2 \
  chromium chromium-driver python3-selenium

# Debian's Emscripten comes with its system libraries built, in a cache it
# only reads; another Emscripten builds them into the build folder.
if [[ $(em-config FROZEN_CACHE) != True && ! -w $(em-config CACHE) ]]; then
  export EM_CACHE=$PWD/build/web/emscripten-cache
fi

cmake --preset web
cmake --build --preset web
ctest --preset web

# Debian's python3-selenium belongs to Debian's own python3, whatever else
# PATH finds first.
ZENALTO_WEB_SITE=$PWD/build/web/site ZENALTO_WEB_SCREENSHOTS=$PWD/build/web/screenshots \
  /usr/bin/python3 -m unittest discover -s tests/web -t tests/web -v
