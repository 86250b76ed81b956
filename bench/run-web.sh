#!/usr/bin/env bash
# The web page against its hand-written floor (bench/web) in headless
# Chromium: start-up to the first Calcular answered, one Calcular click, and
# the bytes every fetched file takes with gzip -9 and brotli. Exits non-zero
# when a goal is missed; bench/run-web.py says what each figure is.
#
#   bench/run-web.sh [-n ROUNDS] [-c CLICK_BATCHES] [SITE]
#
# SITE defaults to build/web/site, built here first with the web preset.
# It is a benchmark, not a test: run it by hand on a quiet machine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh chromium chromium-driver python3-selenium brotli gzip

site=
args=()
while (($# > 0)); do
  case $1 in
    -n|-c) args+=("$1" "$2"); shift 2 ;;
    -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
    *) site=$1; shift ;;
  esac
done
if [[ -z $site ]]; then
  site=build/web/site
  cmake --preset web >/dev/null
  cmake --build --preset web --target zenalto_site
fi
# Debian's python3-selenium is for Debian's own python3.
exec /usr/bin/python3 bench/run-web.py "${args[@]}" "$site"
