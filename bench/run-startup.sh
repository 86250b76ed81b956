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

for ((i = 0; i < warmups; ++i)); do
  for k in "${!programs[@]}"; do run "$k" >/dev/null; done
done
for k in "${!programs[@]}"; do : >"$work/run$k"; done
# Each round starts with the next program in turn, so that none always runs
# right after the same other one (after the GTK-loading floor, say).
count=${#programs[@]}
for ((i = 0; i < counted; ++i)); do
  for ((j = 0; j < count; ++j)); do
    k=$(((i + j) % count))
    run "$k" >>"$work/run$k"
  done
done
files=()
for k in "${!programs[@]}"; do files+=("$work/run$k"); done
paste -d ' ' "${files[@]}" >"$work/runs"
if [[ -n $raw_file ]]; then
  { printf '# ms rss_kib hwm_kib cpu_ms of each:'
    printf ' %s;' "${names[@]}"
    echo
    cat "$work/runs"; } >"$raw_file"
fi

# Column INDEX FIELD of the runs (fields: 1 ms, 2 rss, 3 hwm, 4 cpu).
column() { echo $((4 * $1 + $2)); }
# COLUMN [SCALE] of the runs -> "median min max", each divided by SCALE.
summary() {
  awk -v c="$1" '{ print $c }' "$work/runs" | sort -g | awk -v s="${2:-1}" '
    { v[NR] = $1 / s }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "%.2f %.2f %.2f", m, v[1], v[NR] }'
}
paired_ratios() {  # BASE_COLUMN OTHER_COLUMN -> "median min max"
  awk -v f="$1" -v z="$2" '{ print $z / $f }' "$work/runs" | sort -g | awk '
    { v[NR] = $1 }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "%.3f %.3f %.3f", m, v[1], v[NR] }'
}

echo "Start-up on $DISPLAY (Xvfb), $counted counted rounds after $warmups warm-up rounds, in the order below"
printf '%-34s %10s %18s\n' "" "median" "min-max"
declare -A median
for k in "${!programs[@]}"; do
  for field in "1|fork to map (ms)|1" "4|CPU to map (ms)|1" "2|VmRSS (MiB)|1024" "3|VmHWM (MiB)|1024"; do
    IFS='|' read -r f label scale <<<"$field"
    read -r m lo hi <<<"$(summary "$(column "$k" "$f")" "$scale")"
    median[$k,$f]=$m
    printf '%-34s %10s %18s\n' "${names[$k]}, $label" "$m" "$lo-$hi"
  done
done
for ((k = 1; k < ${#programs[@]}; ++k)); do
  echo "${names[$k]} against ${names[0]}:"
  for field in "1 time" "4 CPU"; do
    read -r f label <<<"$field"
    read -r p_med p_min p_max <<<"$(paired_ratios "$(column 0 "$f")" "$(column "$k" "$f")")"
    awk -v b="${median[0,$f]}" -v o="${median[$k,$f]}" -v l="$label" \
      'BEGIN { printf "  ratio of medians (%s): %*s%.3f\n", l, 6 - length(l), "", o / b }'
    printf '  paired ratios (%s): %*smedian %s, min-max %s-%s\n' "$label" $((6 - ${#label})) "" \
      "$p_med" "$p_min" "$p_max"
  done
  awk -v b="${median[0,2]}" -v o="${median[$k,2]}" \
    'BEGIN { printf "  VmRSS difference:     %+.2f MiB\n", o - b }'
done
