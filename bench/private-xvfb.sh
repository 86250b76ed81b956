# shellcheck shell=bash
# Sourced by the bench/ scripts: a private Xvfb that no one else draws on.
#
#   start_private_xvfb WORK_DIR NAME
#
# Starts Xvfb on the first free display from :90 (or ZENALTO_FIRST_DISPLAY)
# with its own cookie in WORK_DIR/Xauthority, and exports DISPLAY and XAUTHORITY; NAME prefixes the
# error message. Sets xvfb_pid; stop_private_xvfb ends that server (call it
# from the script's EXIT trap). Also clears the desktop variables that make Qt
# load a platform theme or style, so every program meets the same plain X11
# setting, and gives it a runtime folder WORK_DIR/runtime.

xvfb_pid=

start_private_xvfb() {
  local work=$1 name=$2 display_number
  export XAUTHORITY=$work/Xauthority
  local cookie
  cookie=$(od -An -tx1 -N16 /dev/urandom | tr -d ' \n')
  for display_number in $(seq "${ZENALTO_FIRST_DISPLAY:-90}" 199); do
    [[ -e /tmp/.X11-unix/X$display_number || -e /tmp/.X$display_number-lock ]] && continue
    # A server of another mount namespace (another container, its own /tmp)
    # shows only by its abstract socket, which clients try first.
    grep -q "@/tmp/.X11-unix/X$display_number\$" /proc/net/unix 2>/dev/null && continue
    xauth -q -f "$XAUTHORITY" add ":$display_number" . "$cookie" 2>/dev/null
    mkfifo "$work/ready"
    Xvfb ":$display_number" -auth "$XAUTHORITY" -nolisten tcp -screen 0 1280x1024x24 \
      -displayfd 3 3>"$work/ready" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    if read -r -t 10 _ <"$work/ready"; then
      break
    fi
    stop_private_xvfb
    rm -f "$work/ready"
  done
  if [[ -z $xvfb_pid ]]; then
    echo "$name: could not start Xvfb" >&2
    cat "$work/xvfb.log" >&2 || true
    return 1
  fi
  export DISPLAY=:$display_number

  unset XDG_CURRENT_DESKTOP DESKTOP_SESSION QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE
  export QT_QPA_PLATFORM=xcb
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
}

stop_private_xvfb() {
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
}
