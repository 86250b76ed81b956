#!/usr/bin/env bash
# Long pastes of digits into Zenalto.exe's fields under Wine, on a private
# Xvfb in a fresh Wine prefix: for each field and size, the milliseconds from
# WM_PASTE to the window having answered and repainted, the field's length
# afterwards, and the same for one digit typed after the paste. Not run in CI.
#
#   bench/run-paste-wine.sh [-f "FIELD..."] [SIZE...]
#
# FIELDs default to Text1 Text2 Combo1, SIZEs (characters) to 25000 100000
# 1000000. Builds Zenalto.exe and zenalto_driver.exe with the mingw preset.
# ZENALTO=... replaces the program, to time it as it was.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

fields="Text1 Text2 Combo1"
while getopts "f:" option; do
  case $option in
    f) fields=$OPTARG ;;
    *) sed -n '2,11p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
sizes=("$@")
[[ ${#sizes[@]} -gt 0 ]] || sizes=(25000 100000 1000000)

cmake --preset mingw >/dev/null
cmake --build --preset mingw --target Zenalto zenalto_driver >/dev/null
program=${ZENALTO:-$root/build/mingw/app/Zenalto.exe}
driver_exe=$root/build/mingw/tests/windows_program/zenalto_driver.exe

work=$(mktemp -d)
unset DISPLAY WAYLAND_DISPLAY
# shellcheck source=tools/wine-prefix.sh
source "$root/tools/wine-prefix.sh"
trap 'end_wine_session "$work"' EXIT
start_wine_session "$work" run-paste-wine.sh

title='Zenalto: Programa para el cálculo de orbitas satelitales'
printf '%-8s %9s %9s %12s %12s\n' field pasted length "paste ms" "key ms"
for field in $fields; do
  for size in "${sizes[@]}"; do
    # A fresh program for every paste.
    wine "$driver_exe" launch "$(winepath -w "$program")" >"$work/launch" 2>&1 &
    launcher=$!
    wine "$driver_exe" window "$title" >/dev/null
    if result=$(wine "$driver_exe" paste "$field" "$size" | tr -d '\r'); then
      read -r digits length pasted typed <<<"$result"
      printf '%-8s %9s %9s %12s %12s\n' "$field" "$digits" "$length" "$pasted" "$typed"
    else
      printf '%-8s %9s did not answer\n' "$field" "$size"
    fi
    wine "$driver_exe" close "$title" >/dev/null || true
    wait "$launcher" || true
  done
done
