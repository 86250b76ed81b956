#!/usr/bin/env bash
# Installs what is missing, builds the program (release preset) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec ./build/release/app/Zenalto
