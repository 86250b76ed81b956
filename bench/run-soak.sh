#!/usr/bin/env bash
# Soak: does anything grow with use? Starts Zenalto on a private Xvfb with no
# window manager, opens the About dialog by its button ("Acerca de...") and
# closes it with Esc again and again, then presses "Calcular" many times, all
# through the X server (xdotool), and prints the program's resident memory
# (VmRSS) after the first opening, after the 100th, after the last, and after
# the presses, each against the first.
#
#   bench/run-soak.sh [-W] [-a OPENINGS] [-c PRESSES] [PROGRAM]
#
# Without -W, PROGRAM is the Linux program (build/release/app/Zenalto by
# default: cmake --preset release && cmake --build --preset release). With
# -W, Zenalto.exe under Wine in a fresh prefix of its own (build/mingw/app/
# Zenalto.exe by default). OPENINGS defaults to 500, PRESSES to 1000. It takes
# about six minutes on Linux and six to eight under Wine; it is not run in CI.
set -euo pipefail

wine_mode=false
openings=500
presses=1000
while getopts "Wa:c:" option; do
  case $option in
    W) wine_mode=true ;;
    a) openings=$OPTARG ;;
    c) presses=$OPTARG ;;
    *) sed -n '2,16p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
root=$(cd "$(dirname "$0")/.." && pwd)
if $wine_mode; then
  program=${1:-$root/build/mingw/app/Zenalto.exe}
  bash "$root/tools/install-deps.sh" wine wine64 fonts-wine xvfb xauth xdotool
else
  program=${1:-$root/build/release/app/Zenalto}
  bash "$root/tools/install-deps.sh" xvfb xauth xdotool
fi
if [[ ! -f $program ]]; then
  echo "run-soak.sh: $program is missing; build it first" >&2
  exit 2
fi
program=$(realpath "$program")

work=$(mktemp -d)
# shellcheck source=bench/private-xvfb.sh
source "$root/bench/private-xvfb.sh"
app_pid=
cleanup() {
  if [[ -n $app_pid ]]; then
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
  fi
  if $wine_mode; then
    wineserver -k 2>/dev/null || true
  fi
  stop_private_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_private_xvfb "$work" run-soak.sh || exit 1

title='Zenalto: Programa para el cálculo de orbitas satelitales'
about_title='Sobre Zenalto Ver. 1.0'
if $wine_mode; then
  # shellcheck source=tools/wine-prefix.sh
  source "$root/tools/wine-prefix.sh"
  make_wine_prefix "$work"
  # The loader itself, so that $app_pid is the process that runs the program.
  export WINELOADER=${WINELOADER:-/usr/lib/wine/wine64}
  "$WINELOADER" "$program" >"$work/program.log" 2>&1 &
else
  "$program" >"$work/program.log" 2>&1 &
fi
app_pid=$!

# Waits up to 20 s for a shown window of that exact title; prints its id.
window_of() {
  local id
  for _ in $(seq 400); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.05
  done
  echo "run-soak.sh: no window \"$1\"" >&2
  return 1
}
# Waits up to 20 s until no shown window of that title is left.
gone() {
  for _ in $(seq 400); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.02
  done
  echo "run-soak.sh: the window \"$1\" stays" >&2
  return 1
}
rss_kib() {
  awk '/^VmRSS:/ { print $2 }' "/proc/$app_pid/status"
}
# The resident memory once the program has been idle for a second.
settled_rss_kib() {
  sleep 1
  rss_kib
}

main=$(window_of "$title")
# The main window's client area, where the layout's places count from: with
# no window manager, Qt's window is the client area with the menu bar above,
# and Wine's unmanaged window is at its laid-out place, 147, 135.
if $wine_mode; then
  cx=147
  cy=135
else
  eval "$(xdotool getwindowgeometry --shell "$main")"
  cx=$X
  cy=$((Y + HEIGHT - 369))
fi
# "Acerca de..." (Command4) at 336, 288, 73 by 25 and "Calcular" (Command1)
# at 152, 288, 65 by 25 in the client area: their middles.
about_x=$((cx + 336 + 36)) about_y=$((cy + 288 + 12))
calc_x=$((cx + 152 + 32)) calc_y=$((cy + 288 + 12))

open_and_close_about() {
  # Off the button and back, so that each press is a fresh pointer move.
  xdotool mousemove --sync 1 1 mousemove --sync "$about_x" "$about_y" click 1
  window_of "$about_title" >/dev/null
  xdotool key Escape
  gone "$about_title"
}

started=$(date +%s)
before_kib=$(settled_rss_kib)
open_and_close_about
first_kib=$(settled_rss_kib)
report() {  # WHAT KIB
  awk -v w="$1" -v k="$2" -v f="$first_kib" \
    'BEGIN { printf "%-40s %8.1f MiB  %+8.2f MiB\n", w, k / 1024, (k - f) / 1024 }'
}
echo "Zenalto ($($wine_mode && echo "under $(wine --version 2>/dev/null)" || echo Linux)): VmRSS, and against the first opening"
report "started, before any opening" "$before_kib"
report "after the 1st About opening" "$first_kib"
for ((i = 2; i <= openings; ++i)); do
  open_and_close_about
  if ((i == 100)); then
    report "after 100 openings" "$(settled_rss_kib)"
  fi
done
if ((openings != 100)); then
  report "after $openings openings" "$(settled_rss_kib)"
fi
for ((i = 1; i <= presses; ++i)); do
  xdotool mousemove "$calc_x" "$calc_y" click 1
done
# The presses are queued; let the program work through them.
sleep 2
report "after $presses Calcular presses" "$(settled_rss_kib)"
echo "($(($(date +%s) - started)) s)"
