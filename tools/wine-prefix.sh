# shellcheck shell=bash
# Sourced by the tools/ scripts that run Windows programs under Wine.
#
#   make_wine_prefix WORK_DIR
#
# Makes a fresh Wine prefix in WORK_DIR/prefix with a home of its own in
# WORK_DIR/home, so that nothing of the run lands in the user's menus or
# desktop, and exports WINEPREFIX, HOME, WINEDEBUG and WINEDLLOVERRIDES. Its
# windows are Wine's own, unmanaged ones (no window manager runs on the test
# X servers: Wine would wait for one to take each window it shows or hides),
# and its Fonts folder holds the fonts every Windows has.
#
#   start_wine_session WORK_DIR NAME
#   end_wine_session WORK_DIR
#
# The same prefix with a private Xvfb (bench/private-xvfb.sh; NAME prefixes
# its error message) for a script's windows; end_wine_session, from the
# script's EXIT trap, ends the prefix's Wine server and the X server and
# removes WORK_DIR.

if ! declare -F start_private_xvfb >/dev/null; then
  # shellcheck source=bench/private-xvfb.sh
  source "$(dirname "${BASH_SOURCE[0]}")/../bench/private-xvfb.sh"
fi

start_wine_session() {
  start_private_xvfb "$1" "$2" || return 1
  make_wine_prefix "$1"
}

end_wine_session() {
  wineserver -k 2>/dev/null || true
  stop_private_xvfb
  rm -rf "$1"
}

make_wine_prefix() {
  local work=$1
  export HOME=$work/home WINEPREFIX=$work/prefix WINEDEBUG=-all
  export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
  mkdir -p "$HOME"
  wineboot --init 2>/dev/null
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  # Tahoma, MS Sans Serif and Marlett (the title bar's buttons) where a
  # Windows program meets them: Debian's Wine 8 does not load fonts-wine's
  # copies from where they lie.
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
}
