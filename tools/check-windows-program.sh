#!/usr/bin/env bash
# Zenalto.exe and its setup program as a Windows user meets them, under Wine on
# a private Xvfb, in a fresh Wine prefix made for the run:
#   1. Zenalto.exe started as a user starts it: its window, its place and its
#      controls' places; numbers typed on the keyboard and "Calcular" clicked
#      with the pointer give the velocities; Alt+H, C opens the About dialog,
#      which a screen reader reads as a dialog with its texts, Esc closes it;
#      what a screen reader hears of Calcular pressed with Space and of a
#      choice from the list (the live-region events, as a hook of the
#      driver's sees them), and of a refused calculation (the message box,
#      then the focus back on the button); "Salir" ends the program with exit
#      code 0;
#   2. the setup program: a silent install, the shortcut and the uninstall
#      entry, the installed program started from the shortcut; installed again
#      over itself and into another folder, one copy each time; a silent
#      uninstall leaves nothing behind;
#   3. the setup program and the uninstaller while the installed Zenalto.exe
#      runs: a silent 1.1 setup over 1.0, the same setup run interactively
#      (its question answered with the pointer: Cancel, then Retry once the
#      program is closed), a silent uninstall; none may change anything while
#      the program runs nor report success without having done its work;
#   4. the same two while another program keeps Zenalto.exe open: each fails
#      with exit code 2 and changes nothing;
#   5. screenshots of both windows in build/mingw/screenshots/.
# ZENALTO_NSI=PATH checks another setup script (an older one, by hand) in 3.
# Keyboard and pointer go through the X server (xdotool); the fields are read
# back by zenalto_driver.exe, run under Wine beside the program. Installs what
# it needs when missing. Goes on after a failed check and fails at the end;
# Wine and the X server go in every case.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/mingw
shots=$build/screenshots

bash tools/install-deps.sh cmake make libgtest-dev libfast-float-dev \
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 nsis \
  wine wine64 fonts-wine xvfb xauth xdotool imagemagick

cmake --preset mingw
cmake --build --preset mingw --target Zenalto zenalto_installer zenalto_driver
program=$build/app/Zenalto.exe
setup=$(echo "$build"/installer/zenalto-*-setup.exe)
driver_exe=$build/tests/windows_program/zenalto_driver.exe

# A home, a Wine prefix and an X server of our own.
work=$(mktemp -d)
export LC_ALL=C.UTF-8
# shellcheck source=tools/wine-prefix.sh
source "$root/tools/wine-prefix.sh"
trap 'end_wine_session "$work"' EXIT
start_wine_session "$work" check-windows-program

title='Zenalto: Programa para el cálculo de orbitas satelitales'
about_title='Sobre Zenalto Ver. 1.0'
# shellcheck source=tools/windows-checks.sh
source "$root/tools/windows-checks.sh"
windows_path() { winepath -w "$1" 2>/dev/null; }
# The pointer to the middle of a control, as laid out, and a click there.
# Over a Wine window, `mousemove --sync` to where the pointer already is
# waits some 15 s for a move that never comes: then it only clicks.
click() {
  local x y at
  read -r x y < <(driver place "$1")
  at=$(xdotool getmouselocation | sed -E 's/^x:([0-9]+) y:([0-9]+) .*/\1 \2/')
  if [[ $at == "$x $y" ]]; then
    xdotool click 1
  else
    xdotool mousemove --sync "$x" "$y" click 1
  fi
}
# Clicks into a field, empties it from the keyboard and types TEXT.
type_into() {
  click "$1"
  xdotool key End
  for _ in $(seq 20); do xdotool key BackSpace; done
  xdotool type --delay 30 "$2"
}
# The field's text once it equals WANT, or its text after 5 s.
text_when() {
  local got
  for _ in $(seq 25); do
    got=$(driver text "$1")
    [[ $got == "$2" ]] && break
    sleep 0.2
  done
  echo "$got"
}
# Starts PATH (program or shortcut) through the driver, which writes the
# program's exit code to $work/NAME.out; `wait "$launched"` waits for it.
launched=
launch() {
  wine "$driver_exe" launch "$(windows_path "$2")" >"$work/$1.out" &
  launched=$!
}
exit_code() {
  tr -d '\r' <"$work/$1.out" | sed -n 's/^exit //p'
}
shoot() {
  mkdir -p "$shots"
  import -window root -crop "$(driver frame "$1")" +repage "$shots/$2"
}

echo "== Zenalto.exe as a user starts it"
launch program "$program"
check "main window: client area left, top, width, height" "$(driver window "$title")" "147 135 522 369"
check "main window: every control at its laid-out place" "$(driver controls)" "all in place"
# Altitude, radius, then the velocities in m/s and km/h.
while read -r altitude radius per_second per_hour; do
  type_into Text1 "$altitude"
  type_into Text2 "$radius"
  check "typed into Text1" "$(driver text Text1)" "$altitude"
  check "typed into Text2" "$(driver text Text2)" "$radius"
  click Command1
  check "Calcular, $altitude km over $radius km: Text3" "$(text_when Text3 "$per_second")" "$per_second"
  check "Calcular, $altitude km over $radius km: Text4" "$(text_when Text4 "$per_hour")" "$per_hour"
done <<'EOF'
159 6378.160 7812.53346 28125.12046
159 6378.206 7812.50598 28125.02151
EOF
shoot "$title" zenalto-wine.png
xdotool key alt+h
xdotool key c
check "Alt+H, C: About dialog, client area" "$(driver window "$about_title")" "172 176 453 261"
# Its role, name and description, which a screen reader says as it opens:
# the labels' texts from the top down.
check "About dialog: read as it opens" "$(driver dialog "$about_title" | head -n 8)" "$(cat <<'EOF'
ROLE_SYSTEM_DIALOG "Sobre Zenalto Ver. 1.0"
description "Este programa fue desarrollado con fines educativos solamente. Sirve de apoyo didáctico para el cálculo de órbitas satelitales en el curso de Mecánica Orbital del Instituto Tecnológico de Puerto Ficticio, para el que fue escrito.
Equipo Zenalto
zenalto@example.org
Version 1.0
Otoño, 2004
Nota:
 Los Cálculos son válidos para órbitas satelitales alrededor de la Tierra. "
EOF
)"
check "About dialog: the focus" "$(driver focus "$about_title")" cmdOK
shoot "$about_title" about-wine.png
xdotool key Escape
check "Esc closes the About dialog" "$(driver gone "$about_title" && echo closed)" closed

# What a screen reader hears, seen by a hook in another program, as NVDA
# sees it: the event, what the object it names answers (Wine's Active
# Accessibility gives a label the role of a client area, Windows that of
# static text), and the focus as the event comes, which must not move.
wine "$driver_exe" listen 2 >"$work/heard.out" 2>&1 &
listener=$!
for _ in $(seq 50); do grep -qs listening "$work/heard.out" && break; sleep 0.2; done
type_into Text1 500
for _ in 1 2 3 4 5; do xdotool key Tab; done
check "Tab five times from Text1: the focus" "$(driver focus "$title")" Command1
xdotool key space
xdotool key shift+Tab
xdotool key Down
wait "$listener" || true
echo "heard:"
tr -d '\r' <"$work/heard.out" | sed 's/^/  /'
check "Calcular by Space, then Down in the list: what is heard" \
  "$(tr -d '\r' <"$work/heard.out" | sed -E 's/: ROLE_SYSTEM_(CLIENT|STATICTEXT) /: /')" "$(cat <<'EOF'
listening
EVENT_OBJECT_LIVEREGIONCHANGED on Static, object OBJID_CLIENT, child CHILDID_SELF: "Velocidad Orbital (m/s) 7616.38446. Velocidad Orbital (Km/h) 27418.98407"; focus on Command1
EVENT_OBJECT_LIVEREGIONCHANGED on Static, object OBJID_CLIENT, child CHILDID_SELF: "Radio Terrestre (Km) 6378.137"; focus on Combo1
EOF
)"
# A refused calculation: the message box, read whole (its title and its
# prompt), then the focus back on the button that was pressed.
input_title='Error en la introducción de datos'
type_into Text1 ""
for _ in 1 2 3 4 5; do xdotool key Tab; done
xdotool key space
check "Calcular by Space with no altitude: the message box's title and prompt read" \
  "$(driver dialog "$input_title" | grep -c -x -e "[A-Z_]* \"$input_title\"" \
    -e '[A-Z_]* " Introduzca un valor de altitud satelital"')" 2
xdotool key Return
check "the message box closed with Enter" "$(driver gone "$input_title" && echo closed)" closed
check "the message box closed: the focus back" "$(driver focus "$title")" Command1
click Command3
wait "$launched" || true
check "Salir: exit code" "$(exit_code program)" 0
check "Salir: no window left" "$(driver gone "$title" && echo gone)" gone

echo "== the setup program"
ls -l "$setup"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zenalto'
program_files=$WINEPREFIX/drive_c/Program\ Files
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
# How many copies of each of the program's traces the prefix holds.
copies() {
  local entries shortcuts programs
  entries=$(reg_listing 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' |
    grep -c 'DisplayName *REG_SZ *Zenalto$' || true)
  shortcuts=$(find "$WINEPREFIX/drive_c" -iname '*zenalto*.lnk' | wc -l)
  programs=$(find "$WINEPREFIX/drive_c" -iname zenalto.exe | wc -l)
  echo "$entries $shortcuts $programs"
}
installed_size_kib() {
  du -k --apparent-size -c "$1"/* | tail -n1 | cut -f1
}

wine "$setup" /S
check "silent install: the program in Program Files" \
  "$(cmp -s "$build/installer/Zenalto.exe" "$program_files/Zenalto/Zenalto.exe" && echo same)" same
check "silent install: its uninstaller" "$(test -f "$program_files/Zenalto/Uninstall.exe" && echo yes)" yes
check "silent install: the shortcut" "$(test -f "$start_menu/Zenalto.lnk" && echo yes)" yes
while read -r name want; do
  check "uninstall entry: $name" "$(reg_value "$uninstall_key" "$name")" "$want"
done <<'EOF'
DisplayName Zenalto
DisplayVersion 1.0
Publisher Equipo Zenalto
DisplayIcon C:\Program Files\Zenalto\Zenalto.exe,0
InstallLocation C:\Program Files\Zenalto
UninstallString "C:\Program Files\Zenalto\Uninstall.exe"
QuietUninstallString "C:\Program Files\Zenalto\Uninstall.exe" /S
NoModify 0x1
NoRepair 0x1
EOF
estimated=$(($(reg_value "$uninstall_key" EstimatedSize)))
size=$(installed_size_kib "$program_files/Zenalto")
check "uninstall entry: EstimatedSize within 4 KiB of the folder's $size KiB" \
  "$((estimated > size - 4 && estimated < size + 4))" 1

launch installed "$start_menu/Zenalto.lnk"
check "installed program, from the shortcut: its window" "$(driver window "$title")" "147 135 522 369"
driver close "$title"
check "installed program closed: no window left" "$(driver gone "$title" && echo gone)" gone
wait "$launched" || true
check "installed program closed: exit code" "$(exit_code installed)" 0

wine "$setup" /S
check "installed over itself: uninstall entries, shortcuts, programs" "$(copies)" "1 1 1"
wine "$setup" /S '/D=C:\Escuela\Zenalto'
check "installed into another folder: uninstall entries, shortcuts, programs" "$(copies)" "1 1 1"
check "installed into another folder: the entry follows" "$(reg_value "$uninstall_key" InstallLocation)" 'C:\Escuela\Zenalto'
check "installed into another folder: the old folder is gone" \
  "$(test -e "$program_files/Zenalto" && echo there || echo gone)" gone

wine 'C:\Escuela\Zenalto\Uninstall.exe' /S
# The uninstaller hands over to a copy of itself outside the folder it removes
# and returns: wait for every Wine process to end (a program left running
# would keep the server up).
timeout 60 wineserver -w || echo "Wine processes still running after 60 s"
check "silent uninstall: uninstall entries, shortcuts, programs" "$(copies)" "0 0 0"
check "silent uninstall: its key" "$(wine reg query "$uninstall_key" >/dev/null 2>&1 && echo there || echo gone)" gone
check "silent uninstall: files or folders named Zenalto" \
  "$(find "$WINEPREFIX/drive_c" -iname '*zenalto*' | wc -l)" 0

echo "== the setup program and the uninstaller while Zenalto runs"
# A 1.1 of the same program, told apart by bytes added past the end of its
# image, where Windows does not look; setup programs of both versions, from
# the setup script under test.
next=$work/next
mkdir -p "$next"
program_10=$build/installer/Zenalto.exe
program_11=$next/Zenalto.exe
{ cat "$program_10"; printf 'Zenalto 1.1'; } >"$program_11"
nsi=${ZENALTO_NSI:-$root/installer/Zenalto.nsi}
make_setup() { # VERSION PROGRAM
  makensis -V1 -INPUTCHARSET UTF8 -DVERSION="$1" -DPROGRAM="$2" \
    -DUNINSTALLER="$build/installer/Uninstall.exe" -DICON="$root/resources/icon/zenalto.ico" \
    -DOUTFILE="$next/zenalto-$1-setup.exe" "$nsi"
}
make_setup 1.0 "$program_10"
make_setup 1.1 "$program_11"
installed=$program_files/Zenalto
# What is installed: the entry's version, which Zenalto.exe, the uninstaller
# and the shortcut.
state() {
  local program=none
  cmp -s "$program_10" "$installed/Zenalto.exe" && program=1.0
  cmp -s "$program_11" "$installed/Zenalto.exe" && program=1.1
  echo "entry $(reg_value "$uninstall_key" DisplayVersion), Zenalto.exe $program," \
    "Uninstall.exe $(test -f "$installed/Uninstall.exe" && echo yes || echo no)," \
    "shortcut $(test -f "$start_menu/Zenalto.lnk" && echo yes || echo no)"
}
installed_10='entry 1.0, Zenalto.exe 1.0, Uninstall.exe yes, shortcut yes'
# Runs a program, prints its exit code.
run() {
  local code=0
  wine "$@" || code=$?
  echo "$code"
}
# Clicks the point that the driver gives (answer, button), if it gives one.
click_driver() {
  local point
  point=$(driver "$@") || return 0
  # shellcheck disable=SC2086
  xdotool mousemove --sync $point click 1
}
# From whatever the case before left: 1.0 installed by its setup program.
running_pid=
installed_10() {
  wineserver -k 2>/dev/null || true
  for pid in $running_pid $launched; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$installed" "$start_menu/Zenalto.lnk"
  wine reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
  wine "$next/zenalto-1.0-setup.exe" /S || true
}
# The same, and the installed Zenalto.exe running for as long as a case
# needs (`launch` would end it after 120 s), as process $running_pid.
installed_and_running() {
  installed_10
  wine "$installed/Zenalto.exe" &
  running_pid=$!
  driver window "$title" >/dev/null || true
  check "1.0 installed and running" "$(state)" "$installed_10"
}
# NSIS's caption, its last space included.
setup_title='Instalación de Zenalto '
running_message='Zenalto está abierto. Ciérrelo y pulse Reintentar, o pulse Cancelar para salir sin cambiar nada.'

installed_and_running
check "1.1 setup /S while Zenalto runs: exit code" "$(run "$next/zenalto-1.1-setup.exe" /S)" 3
check "1.1 setup /S while Zenalto runs: nothing changed" "$(state)" "$installed_10"

installed_and_running
launch setup "$next/zenalto-1.1-setup.exe"
click_driver button "$setup_title" 1 # Instalar
check "1.1 setup while Zenalto runs: the question" "$(driver message)" "$running_message"
click_driver answer 2 # Cancel
wait "$launched" || true
check "1.1 setup while Zenalto runs, Cancel: exit code" "$(exit_code setup)" 1
check "1.1 setup while Zenalto runs, Cancel: nothing changed" "$(state)" "$installed_10"
launch setup "$next/zenalto-1.1-setup.exe"
click_driver button "$setup_title" 1
check "1.1 setup, Zenalto still running: the question" "$(driver message)" "$running_message"
driver close "$title" || true
driver gone "$title" || true
click_driver answer 4 # Retry
click_driver button "$setup_title" 1 # Cerrar, once installed
wait "$launched" || true
check "1.1 setup, Zenalto closed, Retry: exit code" "$(exit_code setup)" 0
check "1.1 setup, Zenalto closed, Retry: 1.1 installed" "$(state)" \
  'entry 1.1, Zenalto.exe 1.1, Uninstall.exe yes, shortcut yes'

installed_and_running
check "Uninstall.exe /S while Zenalto runs: exit code" "$(run "$installed/Uninstall.exe" /S)" 3
check "Uninstall.exe /S while Zenalto runs: nothing changed" "$(state)" "$installed_10"
driver close "$title" || true
wait "$running_pid" || true
check "Uninstall.exe /S once Zenalto is closed: exit code" "$(run "$installed/Uninstall.exe" /S)" 0
check "Uninstall.exe /S once Zenalto is closed, as it returns: entries, shortcuts, programs" \
  "$(copies)" "0 0 0"
timeout 60 wineserver -w || echo "Wine processes still running after 60 s"
check "Uninstall.exe /S once Zenalto is closed, once it has ended: its folder" \
  "$(test -e "$installed" && echo there || echo gone)" gone

echo "== the setup program and the uninstaller when Zenalto.exe cannot be written or deleted"
installed_10
# Kept open by another program, which lets no one write or delete it.
wine "$driver_exe" hold "$(windows_path "$installed/Zenalto.exe")" >"$work/hold.out" &
holder=$!
for _ in $(seq 50); do grep -qs held "$work/hold.out" && break; sleep 0.2; done
check "Zenalto.exe held open: 1.1 setup /S, exit code" "$(run "$next/zenalto-1.1-setup.exe" /S)" 2
check "Zenalto.exe held open: 1.1 setup /S, nothing changed" "$(state)" "$installed_10"
check "Zenalto.exe held open: Uninstall.exe /S, exit code" "$(run "$installed/Uninstall.exe" /S)" 2
check "Zenalto.exe held open: Uninstall.exe /S, nothing changed" "$(state)" "$installed_10"
kill "$holder" 2>/dev/null || true
wait "$holder" 2>/dev/null || true

echo "screenshots: $shots"
if ((failures > 0)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
