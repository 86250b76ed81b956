#!/usr/bin/env bash
# Start-up comparison: the bare Qt floor program against Zenalto, on a private
# Xvfb, run interleaved (floor, Zenalto, floor, Zenalto...) so that all meet
# the same load. startup-probe times each run from fork to the first mapped
# window, with the processor time the program used until then (steadier than
# the wall-clock time when others load the machine), and reads VmRSS and
# VmHWM 300 ms later.
#
#   bench/run-startup.sh [-g] [-n COUNTED] [-w WARMUPS] [-o RAW_FILE] [BUILD_DIR]
#
# -g is the GNOME case: with XDG_CURRENT_DESKTOP=GNOME and
# qt6-gtk-platformtheme installed, Qt loads the GTK 3 platform theme for a
# program that follows the desktop. It runs the floor without a desktop, the
# floor under GNOME (with the theme), and Zenalto without a desktop and under
# GNOME, and compares the last three with the first. BUILD_DIR defaults to build/bench (tools/build-bench.sh
# builds it). The programs compared can be replaced through FLOOR=... and
# ZENALTO=..., to try a change against the program as it was. Prints medians,
# min-max, the ratio of the medians and the median of the ratios of paired
# runs; -o keeps the raw numbers.
set -euo pipefail

counted=20
warmups=2
raw_file=
gnome=false
while getopts "gn:w:o:" option; do
  case $option in
    g) gnome=true ;;
    n) counted=$OPTARG ;;
    w) warmups=$OPTARG ;;
    o) raw_file=$OPTARG ;;
    *) sed -n '2,19p' "$0" >&2; exit 2 ;;
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
if $gnome && ! dpkg-query -W -f='${Status}' qt6-gtk-platformtheme 2>/dev/null | grep -q 'ok installed'; then
  echo "run-startup.sh: -g needs qt6-gtk-platformtheme; tools/build-bench.sh installs it" >&2
  exit 2
fi

# The programs compared, each with the desktop it runs under ("" for none);
# the first is the one the others are compared with.
if $gnome; then
  names=("floor" "floor, GNOME" "Zenalto" "Zenalto, GNOME")
  programs=("$floor" "$floor" "$zenalto" "$zenalto")
  desktops=("" GNOME "" GNOME)
else
  names=("floor" "Zenalto")
  programs=("$floor" "$zenalto")
  desktops=("" "")
fi

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
# The same plain X11 setting for all: no desktop's platform theme or style,
# unless a run names its desktop.
start_private_xvfb "$work" run-startup.sh || exit 1

run() {  # INDEX -> "ms rss hwm cpu"
  local status=0
  if [[ -n ${desktops[$1]} ]]; then
    local session
    session=$(tr '[:upper:]' '[:lower:]' <<<"${desktops[$1]}")
    XDG_CURRENT_DESKTOP=${desktops[$1]} DESKTOP_SESSION=$session "$probe" "${programs[$1]}" || status=$?
  else
    "$probe" "${programs[$1]}" || status=$?
  fi
  if ((status != 0)); then
    echo "run-startup.sh: ${names[$1]} failed; the X server's log:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
  fi
}

# Each round starts with the next program in turn, so that none always runs
# right after the same other one (after the GTK-loading floor, say).
run_rounds "$work" "$warmups" "$counted" ${#programs[@]}
if [[ -n $raw_file ]]; then
  { printf '# ms rss_kib hwm_kib cpu_ms of each:'
    printf ' %s;' "${names[@]}"
    echo
    cat "$work/runs"; } >"$raw_file"
fi

echo "Start-up on $DISPLAY (Xvfb), $counted counted rounds after $warmups warm-up rounds, in the order below"
printf '%-34s %10s %18s\n' "" "median" "min-max"
summary_rows "$work/runs" 4 '%-34s %10s %18s\n' "1|fork to map (ms)|1" "4|CPU to map (ms)|1" \
  "2|VmRSS (MiB)|1024" "3|VmHWM (MiB)|1024"
for ((k = 1; k < ${#programs[@]}; ++k)); do
  echo "${names[$k]} against ${names[0]}:"
  ratio_rows "$work/runs" 4 0 "$k"
  awk -v b="${median[0,2]}" -v o="${median[$k,2]}" \
    'BEGIN { printf "  VmRSS difference:     %+.2f MiB\n", o - b }'
done
