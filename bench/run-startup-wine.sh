#!/usr/bin/env bash
# Windows start-up comparison: the bare Windows API floor program
# (bench/startup-win32/floor.cpp) against Zenalto.exe, under Wine on a private
# Xvfb, in a Wine prefix of its own whose server stays up for the whole run.
# The two run interleaved, each round starting with the other one, so that
# both meet the same load. startup-probe (bench/startup/) times each run from
# fork to the first mapped window with the processor time the Wine process
# used until then and its page faults, and reads VmRSS and VmHWM 300 ms later.
#
#   bench/run-startup-wine.sh [-n COUNTED] [-w WARMUPS] [-o RAW_FILE] [BUILD_DIR]
#
# BUILD_DIR is the mingw build (build/mingw by default: cmake --preset mingw &&
# cmake --build --preset mingw). FLOOR=... and ZENALTO=... replace the
# programs compared, to try a change against the program as it was. Prints
# medians, min-max, the ratio of the medians and the median of the ratios of
# paired runs; -o keeps the raw numbers. 20 rounds take one to two minutes.
set -euo pipefail

counted=20
warmups=3
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
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-$root/build/mingw}" && pwd)

bash "$root/tools/install-deps.sh" wine wine64 fonts-wine xvfb xauth libx11-dev gcc

floor=$(realpath "${FLOOR:-$build_dir/bench/startup-win32/ZenaltoFloor.exe}")
zenalto=$(realpath "${ZENALTO:-$build_dir/app/Zenalto.exe}")
for program in "$floor" "$zenalto"; do
  if [[ ! -f $program ]]; then
    echo "run-startup-wine.sh: $program is missing; build with the mingw preset" >&2
    exit 2
  fi
done

work=$(mktemp -d)
# shellcheck source=bench/paired-runs.sh
source "$root/bench/paired-runs.sh"
# shellcheck source=tools/wine-prefix.sh
source "$root/tools/wine-prefix.sh"
keeper=
cleanup() {
  if [[ -n $keeper ]]; then
    exec 9>&-
    kill "$keeper" 2>/dev/null || true
  fi
  end_wine_session "$work"
}
trap cleanup EXIT

# The probe is plain C over Xlib: built here rather than with the Qt benchmarks.
probe=$work/startup-probe
cc -std=c11 -O2 -Wall -Wextra -Werror -o "$probe" "$root/bench/startup/startup-probe.c" \
  "$root/bench/startup/probe-support.c" -lX11

start_wine_session "$work" run-startup-wine.sh || exit 1
# The loader itself, not the shell script before it: the process the probe
# starts is the one that maps the window.
wine_loader=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINELOADER=$wine_loader
# The server and Wine's desktop process stay up between the runs, as on a
# desktop where other programs run: a windowless command interpreter waits on
# its input for the whole run, or else Wine would end its desktop process
# after each run and start it again with the next, which both would wait for.
wineserver -p
mkfifo "$work/keeper"
"$wine_loader" cmd.exe <"$work/keeper" >/dev/null 2>&1 &
keeper=$!
exec 9>"$work/keeper"
# Both programs are started from the same folder, by their Windows paths.
cp "$floor" "$work/floor.exe"
cp "$zenalto" "$work/zenalto.exe"
names=("floor" "Zenalto.exe")
programs=("$work/floor.exe" "$work/zenalto.exe")

run() {  # INDEX -> "ms rss hwm cpu faults"
  if ! (cd "$work" && "$probe" -f -t 30000 "$wine_loader" "${programs[$1]}"); then
    echo "run-startup-wine.sh: ${names[$1]} failed; the X server's log:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
  fi
}

run_rounds "$work" "$warmups" "$counted" 2
if [[ -n $raw_file ]]; then
  { echo "# ms rss_kib hwm_kib cpu_ms faults of each: ${names[0]}; ${names[1]}"
    cat "$work/runs"; } >"$raw_file"
fi

echo "Start-up under $(wine --version 2>/dev/null) on $DISPLAY (Xvfb), $counted counted rounds after $warmups warm-up rounds"
printf '%-36s %10s %20s\n' "" "median" "min-max"
summary_rows "$work/runs" 5 '%-36s %10s %20s\n' "1|fork to map (ms)|1" "4|CPU to map (ms)|1" \
  "2|VmRSS (MiB)|1024" "3|VmHWM (MiB)|1024" "5|page faults to map|1"
echo "${names[1]} against ${names[0]}:"
ratio_rows "$work/runs" 5 0 1
read -r d_med d_min d_max <<<"$(paired_differences "$work/runs" 2 7 1024)"
printf '  VmRSS difference (MiB), paired: median %s, min-max %s..%s\n' "$d_med" "$d_min" "$d_max"
read -r d_med d_min d_max <<<"$(paired_differences "$work/runs" 5 10)"
printf '  page faults difference, paired:  median %s, min-max %s..%s\n' "$d_med" "$d_min" "$d_max"
