#!/usr/bin/env bash
# The main window and the About dialog under real X11 window managers:
# metacity (GNOME's family) and openbox, each on its own private Xvfb. For
# each it starts Zenalto, clicks "Acerca de...", and checks that
#  - the dialog has no task-bar button (_NET_WM_STATE_SKIP_TASKBAR), a fixed
#    size and no resize or maximize action, but a close one;
#  - a click into the main window brings it above the dialog, and a click
#    into the dialog brings the dialog above it, as read from the root
#    window's _NET_CLIENT_LIST_STACKING (bottom to top);
#  - closing the main window leaves the program running with the dialog open,
#    and closing the dialog then ends it.
#
#   tools/check-window-managers.sh
#
# It installs what it lacks and builds Zenalto with the dev preset;
# ZENALTO=... runs another build of the program instead (say, one of the
# program as it was). Prints the stacking orders it reads; exits 1 when a
# check fails. Everything it starts ends with it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
bash tools/install-deps.sh xvfb xauth x11-utils xdotool wmctrl metacity openbox

zenalto=${ZENALTO:-}
if [[ -z $zenalto ]]; then
  cmake --preset dev >/dev/null
  cmake --build --preset dev --target Zenalto >/dev/null
  zenalto=build/dev/app/Zenalto
fi

# shellcheck source=bench/private-xvfb.sh
source bench/private-xvfb.sh
work=$(mktemp -d)
wm_pid=
app_pid=
end_process() {
  if [[ -n $1 ]]; then
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
  fi
}
cleanup() {
  end_process "$app_pid"
  end_process "$wm_pid"
  stop_private_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

failures=0
fail() {
  echo "FAIL ($wm): $*" >&2
  failures=$((failures + 1))
}

# Runs its arguments every 50 ms until they succeed, for at most $1 seconds.
within() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

window_manager_running() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# The window of the program whose title matches $1, once the window manager
# lists it.
find_window() {
  local id
  id=$(xdotool search --all --onlyvisible --pid "$app_pid" --name "$1" 2>/dev/null | head -n 1) || return 1
  [[ -n $id ]] && stacking | grep -qx "$id" && echo "$id"
}

# The managed windows from bottom to top, one decimal id a line.
stacking() {
  local id
  for id in $(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*'); do
    echo $((id))
  done
}

is_above() {
  local order
  order=$(stacking)
  local upper lower
  upper=$(grep -nx "$1" <<<"$order" | cut -d: -f1)
  lower=$(grep -nx "$2" <<<"$order" | cut -d: -f1)
  [[ -n $upper && -n $lower ]] && ((upper > lower))
}

describe_stacking() {
  local id names=()
  for id in $(stacking); do
    case $id in
      "$main") names+=("main window") ;;
      "$about") names+=("About dialog") ;;
      *) names+=("$id") ;;
    esac
  done
  local IFS=,
  local joined="${names[*]}"
  echo "${joined//,/, }"
}

# Left, top, width and height of a window's client area on the screen.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}'
}

inside() {  # inside X Y LEFT TOP WIDTH HEIGHT
  (($1 >= $3 && $1 < $3 + $5 && $2 >= $4 && $2 < $4 + $6))
}

click_at() {
  xdotool mousemove --sync "$1" "$2" click 1
}

unlisted() {
  ! stacking | grep -qx "$1"
}

program_ended() {
  ! kill -0 "$app_pid" 2>/dev/null
}

check_under() {
  wm=$1
  mkdir "$work/$wm"
  start_private_xvfb "$work/$wm" check-window-managers.sh
  # The window managers' defaults, not this machine's settings: click to
  # focus, and a click raises the window.
  export XDG_CONFIG_HOME=$work/$wm/config GSETTINGS_BACKEND=memory
  case $wm in
    metacity) metacity >"$work/$wm/wm.log" 2>&1 & ;;
    openbox) openbox --sm-disable >"$work/$wm/wm.log" 2>&1 & ;;
  esac
  wm_pid=$!
  if ! within 10 window_manager_running; then
    fail "the window manager did not start"
    cat "$work/$wm/wm.log" >&2
    return
  fi

  "$zenalto" >"$work/$wm/zenalto.log" 2>&1 &
  app_pid=$!
  main=
  about=
  if ! main=$(within 15 find_window '^Zenalto: Programa'); then
    fail "the main window did not appear"
    return
  fi
  # The dialog opens at a fixed place that lies wholly inside the main
  # window's; with the main window moved to the lower right, each keeps a
  # part that the other cannot cover, and a click there reaches it.
  xdotool windowmove --sync "$main" 400 300
  local mx my mw mh
  read -r mx my mw mh < <(geometry "$main")
  # "Acerca de..." (Command4): 336, 288, 73 by 25 in the client area, which
  # fills the window below its menu bar and is 369 pixels high.
  click_at $((mx + 336 + 36)) $((my + mh - 369 + 288 + 12))
  if ! about=$(within 10 find_window '^Sobre Zenalto Ver\. 1\.0$'); then
    fail "\"Acerca de...\" opened no About dialog"
    return
  fi
  within 5 is_above "$about" "$main" || fail "the About dialog opened below the main window"
  echo "$wm, About dialog opened: $(describe_stacking)"

  local state actions hints
  state=$(xprop -id "$about" _NET_WM_STATE)
  actions=$(xprop -id "$about" _NET_WM_ALLOWED_ACTIONS)
  hints=$(xprop -id "$about" WM_NORMAL_HINTS)
  grep -q '_NET_WM_STATE_SKIP_TASKBAR' <<<"$state" || fail "the dialog has a task-bar button: $state"
  grep -q '_NET_WM_ACTION_CLOSE' <<<"$actions" || fail "the dialog cannot be closed: $actions"
  # Full screen is the window manager's own choice: openbox offers it for any
  # ordinary window, metacity only for resizable ones.
  if grep -qE '_NET_WM_ACTION_(RESIZE|MAXIMIZE)' <<<"$actions"; then
    fail "the dialog can change its size: $actions"
  fi
  local minimum maximum
  minimum=$(sed -n 's/.*minimum size: //p' <<<"$hints")
  maximum=$(sed -n 's/.*maximum size: //p' <<<"$hints")
  [[ -n $minimum && $minimum == "$maximum" ]] || fail "the dialog's size is not fixed: $hints"

  local ax ay aw ah
  read -r ax ay aw ah < <(geometry "$about")
  local main_x=$((mx + mw - 20)) main_y=$((my + mh - 20)) about_x=$((ax + 20)) about_y=$((ay + 20))
  if inside "$main_x" "$main_y" "$ax" "$ay" "$aw" "$ah" || inside "$about_x" "$about_y" "$mx" "$my" "$mw" "$mh"; then
    fail "the windows lie where no click reaches one alone: main $mx $my $mw $mh, dialog $ax $ay $aw $ah"
    return
  fi
  for _ in 1 2; do
    click_at "$main_x" "$main_y"
    within 5 is_above "$main" "$about" || fail "a click into the main window left it below the About dialog"
    echo "$wm, click into the main window: $(describe_stacking)"
    click_at "$about_x" "$about_y"
    within 5 is_above "$about" "$main" || fail "a click into the About dialog left it below the main window"
    echo "$wm, click into the About dialog: $(describe_stacking)"
  done

  # The close boxes, through the window manager.
  wmctrl -i -c "$main"
  within 5 unlisted "$main" || fail "the main window did not close"
  sleep 0.5
  if program_ended; then
    fail "closing the main window ended the program while the About dialog was open"
  else
    wmctrl -i -c "$about"
    within 5 program_ended || fail "closing the About dialog after the main window did not end the program"
  fi
}

for wm in metacity openbox; do
  check_under "$wm"
  end_process "$app_pid"
  app_pid=
  end_process "$wm_pid"
  wm_pid=
  stop_private_xvfb
done

if ((failures > 0)); then
  echo "check-window-managers.sh: $failures check(s) failed" >&2
  exit 1
fi
echo "check-window-managers.sh: all checks passed under metacity and openbox"
