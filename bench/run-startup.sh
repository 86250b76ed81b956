#!/usr/bin/env bash
# Start-up comparison: the bare Qt floor program against Zenalto, on a private
# Xvfb, run interleaved (floor, Zenalto, floor, Zenalto...) so that both meet
# the same load. startup-probe times each run from fork to the first mapped
# window, with the processor time the program used until then (steadier than
# the wall-clock time when others load the machine), and reads VmRSS and
# VmHWM 300 ms later.
#
#   bench/run-startup.sh [-n COUNTED] [-w WARMUPS] [-o RAW_FILE] [BUILD_DIR]
#
# BUILD_DIR defaults to build/bench (tools/build-bench.sh builds it). The
# programs compared can be replaced through FLOOR=... and ZENALTO=..., to try
# a change against the program as it was. Prints medians, min-max, the ratio
# of the medians and the median of the ratios of paired runs; -o keeps the
# raw numbers.
set -euo pipefail

counted=20
warmups=2
raw_file=
while getopts "n:w:o:" option; do
  case $option in
    n) counted=$OPTARG ;;
    w) warmups=$OPTARG ;;
    o) raw_file=$OPTARG ;;
    *) sed -n '2,17p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
build_dir=${1:-build/bench}

probe=$build_dir/bench/startup-probe
floor=${FLOOR:-$build_dir/bench/zenalto_floor}
zenalto=${ZENALTO:-$build_dir/app/Zenalto}
for program in "$probe" "$floor" "$zenalto"; do
  if [[ ! -x $program ]]; then
    echo "run-startup.sh: $program is missing; build with tools/build-bench.sh" >&2
    exit 2
  fi
done

# shellcheck source=bench/private-xvfb.sh
source "$(dirname "$0")/private-xvfb.sh"
work=$(mktemp -d)
cleanup() {
  stop_private_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
# The same plain X11 setting for both: no desktop's platform theme or style.
start_private_xvfb "$work" run-startup.sh || exit 1

run() {  # PROGRAM -> "ms rss hwm"
  "$probe" "$1"
}

for ((i = 0; i < warmups; ++i)); do
  run "$floor" >/dev/null
  run "$zenalto" >/dev/null
done
: >"$work/floor"
: >"$work/zenalto"
for ((i = 0; i < counted; ++i)); do
  run "$floor" >>"$work/floor"
  run "$zenalto" >>"$work/zenalto"
done
paste -d ' ' "$work/floor" "$work/zenalto" >"$work/pairs"
if [[ -n $raw_file ]]; then
  { echo "# floor: ms rss_kib hwm_kib cpu_ms; Zenalto: ms rss_kib hwm_kib cpu_ms"
    cat "$work/pairs"; } >"$raw_file"
fi

# COLUMN [SCALE] of the pairs -> "median min max", each divided by SCALE.
summary() {
  awk -v c="$1" '{ print $c }' "$work/pairs" | sort -g | awk -v s="${2:-1}" '
    { v[NR] = $1 / s }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "%.2f %.2f %.2f", m, v[1], v[NR] }'
}
paired_ratios() {  # FLOOR_COLUMN ZENALTO_COLUMN
  awk -v f="$1" -v z="$2" '{ print $z / $f }' "$work/pairs" | sort -g | awk '
    { v[NR] = $1 }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "%.3f %.3f %.3f", m, v[1], v[NR] }'
}

read -r f_ms f_ms_min f_ms_max <<<"$(summary 1)"
read -r z_ms z_ms_min z_ms_max <<<"$(summary 5)"
read -r f_cpu f_cpu_min f_cpu_max <<<"$(summary 4)"
read -r z_cpu z_cpu_min z_cpu_max <<<"$(summary 8)"
read -r f_rss f_rss_min f_rss_max <<<"$(summary 2 1024)"
read -r z_rss z_rss_min z_rss_max <<<"$(summary 6 1024)"
read -r f_hwm _ _ <<<"$(summary 3 1024)"
read -r z_hwm _ _ <<<"$(summary 7 1024)"
read -r p_med p_min p_max <<<"$(paired_ratios 1 5)"
read -r c_med c_min c_max <<<"$(paired_ratios 4 8)"

echo "Start-up on $DISPLAY (Xvfb), $counted counted pairs after $warmups warm-up pairs, floor first"
printf '%-28s %10s %18s\n' "" "median" "min-max"
printf '%-28s %10s %18s\n' "floor, fork to map (ms)" "$f_ms" "$f_ms_min-$f_ms_max"
printf '%-28s %10s %18s\n' "Zenalto, fork to map (ms)" "$z_ms" "$z_ms_min-$z_ms_max"
printf '%-28s %10s %18s\n' "floor, CPU to map (ms)" "$f_cpu" "$f_cpu_min-$f_cpu_max"
printf '%-28s %10s %18s\n' "Zenalto, CPU to map (ms)" "$z_cpu" "$z_cpu_min-$z_cpu_max"
printf '%-28s %10s %18s\n' "floor, VmRSS (MiB)" "$f_rss" "$f_rss_min-$f_rss_max"
printf '%-28s %10s %18s\n' "Zenalto, VmRSS (MiB)" "$z_rss" "$z_rss_min-$z_rss_max"
printf '%-28s %10s\n' "floor, VmHWM (MiB)" "$f_hwm"
printf '%-28s %10s\n' "Zenalto, VmHWM (MiB)" "$z_hwm"
awk -v f="$f_ms" -v z="$z_ms" 'BEGIN { printf "ratio of medians (time):      %.3f\n", z / f }'
echo "paired ratios (time):         median $p_med, min-max $p_min-$p_max"
awk -v f="$f_cpu" -v z="$z_cpu" 'BEGIN { printf "ratio of medians (CPU):       %.3f\n", z / f }'
echo "paired ratios (CPU):          median $c_med, min-max $c_min-$c_max"
awk -v f="$f_rss" -v z="$z_rss" 'BEGIN { printf "VmRSS, Zenalto - floor:       %+.2f MiB\n", z - f }'
