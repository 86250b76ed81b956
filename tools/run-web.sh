#!/usr/bin/env bash
# Builds the web page of the program (web preset, target zenalto_site) and
# serves build/web/site on this machine only, for a try in a browser.
#
#   bash tools/run-web.sh [port]      (default 8000)
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8000}

bash tools/install-deps.sh cmake make libgtest-dev libfast-float-dev emscripten nodejs node-acorn \
  python3-fonttools python3-brotli fonts-liberation2 python3

# Debian's Emscripten comes with its system libraries built, in a cache it
# only reads; another Emscripten builds them into the build folder.
if [[ $(em-config FROZEN_CACHE) != True && ! -w $(em-config CACHE) ]]; then
  export EM_CACHE=$PWD/build/web/emscripten-cache
fi

cmake --preset web >/dev/null
cmake --build --preset web --target zenalto_site

echo "Zenalto: http://127.0.0.1:$port/  (Ctrl+C stops the server)"
exec /usr/bin/python3 -m http.server --bind 127.0.0.1 --directory build/web/site "$port"
