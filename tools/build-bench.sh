#!/usr/bin/env bash
# Builds the benchmarks of bench/ in an optimised build (build/bench by
# default, or the folder given as the first argument), after installing what
# is missing: the project's own packages, then Google Benchmark, the Xlib
# headers for the start-up probe, the XTest and Damage headers for the click
# probe, Xvfb with xauth for bench/run-startup.sh and bench/run-click.sh, and
# the GTK 3 platform theme for the GNOME case of bench/run-startup.sh.
# Builds only; nothing runs.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build/bench}

bash tools/install-deps.sh

bash tools/install-deps.sh libbenchmark-dev libx11-dev libxtst-dev libxdamage-dev xvfb xauth \
  qt6-gtk-platformtheme

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DZENALTO_BENCH=ON -DBUILD_TESTING=OFF
cmake --build "$build_dir" --target bench -j 2
