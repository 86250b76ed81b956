#!/usr/bin/env bash
# Builds the layers without a toolkit (the calculation core, the layout
# tables, the main window's commands and the System Information launcher) in
# WebAssembly with Debian's Emscripten (web preset), and runs their tests
# under node. Installs what is missing, as install-deps.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh cmake make libgtest-dev libfast-float-dev emscripten nodejs node-acorn \
  python3-fonttools python3-brotli fonts-liberation2  # the web page's fonts (app/web)

# Debian's Emscripten comes with its system libraries built, in a cache it
# only reads (FROZEN_CACHE). An Emscripten that builds them on first use gets
# a cache in the build folder when its own is not writable.
if [[ $(em-config FROZEN_CACHE) != True && ! -w $(em-config CACHE) ]]; then
  export EM_CACHE=$PWD/build/web/emscripten-cache
fi

cmake --preset web
cmake --build --preset web
ctest --preset web
