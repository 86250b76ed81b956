#!/usr/bin/env bash
# Zenalto on Wayland: starts weston's headless backend on a private runtime
# folder and socket, runs the Qt tests of the dev build there with
# QT_QPA_PLATFORM=wayland (tools/wayland-tests.py; it names each test left
# out and why), then starts the program itself and reads from weston's scene
# graph that its top-level window is mapped with its title and application
# id. No X server is reachable (DISPLAY is unset), so nothing can fall back
# to X11. Installs weston, qt6-wayland and python3 when missing; weston and
# the program go in every case.
set -euo pipefail
cd "$(dirname "$0")/.."
title='Zenalto: Programa para el cálculo de orbitas satelitales'
app_id=org.example.Zenalto

bash tools/install-deps.sh
bash tools/install-deps.sh weston qt6-wayland python3

cmake --preset dev
cmake --build --preset dev

work=$(mktemp -d)
weston_pid=
program_pid=
cleanup() {
  if [[ -n $program_pid ]]; then kill "$program_pid" 2>/dev/null || true; fi
  if [[ -n $weston_pid ]]; then
    kill "$weston_pid" 2>/dev/null || true
    wait "$weston_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

unset DISPLAY XDG_CURRENT_DESKTOP DESKTOP_SESSION QT_QPA_PLATFORMTHEME
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=zenalto-check
# --debug lets weston-debug read the scene graph below.
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 --debug \
  --log="$work/weston.log" &
weston_pid=$!
for _ in $(seq 100); do
  [[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
if [[ ! -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]]; then
  echo "weston did not start"
  cat "$work/weston.log"
  exit 1
fi

export QT_QPA_PLATFORM=wayland
# Without a seat, Qt 6.4's Wayland text-input context dereferences the
# missing input device on the first key event; no input method is needed.
export QT_IM_MODULE=none

echo "== window tests on Wayland"
python3 tools/wayland-tests.py build/dev

echo "== the program on Wayland"
build/dev/app/Zenalto >"$work/program.log" 2>&1 &
program_pid=$!
found=
for _ in $(seq 100); do
  if timeout 5 weston-debug scene-graph >"$work/scene" 2>/dev/null || [[ -s $work/scene ]]; then
    # The view line names the role, the client's process and the window.
    if grep -F "role xdg_toplevel, PID $program_pid," "$work/scene" |
      grep -qF "top-level window '$title' of $app_id"; then
      found=yes
      break
    fi
  fi
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if [[ -z $found ]]; then
  echo "the program showed no window on Wayland"
  cat "$work/program.log" "$work/scene"
  exit 1
fi
grep -F "PID $program_pid," -A1 "$work/scene" | sed 's/^[[:space:]]*/  /'
if grep -qi 'xcb\|x11' "$work/program.log"; then
  echo "the program tried X11 on Wayland:"
  cat "$work/program.log"
  exit 1
fi
echo "check-wayland: all checks passed"
