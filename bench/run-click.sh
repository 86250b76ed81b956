#!/usr/bin/env bash
# A "Calcular" click sent from outside the program to the repainted result
# field, on a private Xvfb with no window manager. click-probe starts Zenalto,
# sends each click through XTest and times it from the release of the button
# to the first damage event of the window that meets Text3 (see
# bench/startup/click-probe.c); between clicks it moves the altitude scroll
# bar, so that every click writes a new result.
#
#   bench/run-click.sh [-n COUNTED] [-w WARMUPS] [-r RUNS] [-o RAW_FILE] [BUILD_DIR]
#
# BUILD_DIR defaults to build/bench (tools/build-bench.sh builds it). Each of
# the RUNS (default 3) starts Zenalto afresh and times WARMUPS (default 3)
# uncounted and COUNTED (default 50) counted clicks. Prints each run's median
# and min-max, and those of all counted clicks together; -o keeps the raw
# times. ZENALTO=... replaces the program, to try a change against the
# program as it was.
set -euo pipefail

counted=50
warmups=3
runs=3
raw_file=
while getopts "n:w:r:o:" option; do
  case $option in
    n) counted=$OPTARG ;;
    w) warmups=$OPTARG ;;
    r) runs=$OPTARG ;;
    o) raw_file=$OPTARG ;;
    *) sed -n '2,16p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
build_dir=${1:-build/bench}

probe=$build_dir/bench/click-probe
zenalto=${ZENALTO:-$build_dir/app/Zenalto}
for program in "$probe" "$zenalto"; do
  if [[ ! -x $program ]]; then
    echo "run-click.sh: $program is missing; build with tools/build-bench.sh" >&2
    exit 2
  fi
done

# shellcheck source=bench/private-xvfb.sh
source "$(dirname "$0")/private-xvfb.sh"
# shellcheck source=bench/paired-runs.sh
source "$(dirname "$0")/paired-runs.sh"
work=$(mktemp -d)
cleanup() {
  stop_private_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_private_xvfb "$work" run-click.sh || exit 1

echo "\"Calcular\" released to Text3 repainted, on $DISPLAY (Xvfb), $runs runs of $counted counted clicks after $warmups warm-up clicks"
printf '%-12s %10s %18s\n' "" "median ms" "min-max ms"
: >"$work/all"
for ((run = 1; run <= runs; ++run)); do
  if ! result=$("$probe" -n "$counted" -w "$warmups" -o "$work/run" "$zenalto"); then
    echo "run-click.sh: click-probe failed in run $run" >&2
    exit 1
  fi
  read -r median min max _ <<<"$result"
  printf '%-12s %10s %18s\n' "run $run" "$median" "$min-$max"
  cat "$work/run" >>"$work/all"
done
read -r median min max <<<"$(median_min_max %.3f <"$work/all")"
printf '%-12s %10s %18s\n' "all" "$median" "$min-$max"
if [[ -n $raw_file ]]; then
  cp "$work/all" "$raw_file"
fi
