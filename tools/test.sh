#!/usr/bin/env bash
# Installs what is missing, builds everything with the tests (dev preset) and
# runs every test. GUI tests run offscreen: no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset dev
cmake --build --preset dev
ctest --preset dev
