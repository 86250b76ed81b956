#!/usr/bin/env bash
# Zenalto's Windows Installer package, zenalto-<version>-x64.msi, as a
# deployment tool runs it: under Wine's msiexec, silently (/qn) with a verbose
# log (/l*v), in a fresh Wine prefix with a private Xvfb made for the run.
# Each case checks msiexec's exit code and what the machine holds afterwards:
# the uninstall entries named Zenalto (with their version and publisher),
# Zenalto.exe in Program Files and the shortcut.
#   1. install: 0, the program, the shortcut, one entry; the log written; the
#      program started from the shortcut;
#   2. the setup program (zenalto-<version>-setup.exe /S) while the package is
#      installed: refused (2), nothing changed;
#   3. while the installed Zenalto runs, an upgrade and an uninstall: 1603,
#      the reason in the log, nothing changed; the upgrade with msiexec's
#      windows (/qb): its question, Cancel, 1602, nothing changed;
#   4. an upgrade to 1.1 (a package built here from the same source, around a
#      Zenalto.exe told apart by a few bytes after its image): 0, one entry,
#      1.1, Zenalto.exe replaced;
#   5. a downgrade to 1.0: refused (1603), 1.1 stays;
#   6. uninstall: 0, no file, folder, shortcut, entry or registry key left;
#   7. the package while the setup program's Zenalto is installed: refused
#      (1603), nothing of the package installed.
# ZENALTO_NEXT_WXS=PATH builds the 1.1 package from another WiX source (by
# hand: one with another UpgradeCode must fail case 4). Installs what it needs
# when missing. Goes on after a failed check and fails at the end; Wine and
# the X server go in every case.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/mingw

bash tools/install-deps.sh cmake make libgtest-dev libfast-float-dev \
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 nsis wixl msitools \
  wine wine64 fonts-wine xvfb xauth xdotool

cmake --preset mingw
cmake --build --preset mingw --target zenalto_msi zenalto_installer zenalto_driver
msi_10=$(echo "$build"/installer/zenalto-*-x64.msi)
setup=$(echo "$build"/installer/zenalto-*-setup.exe)
program_10=$build/installer/Zenalto.exe
driver_exe=$build/tests/windows_program/zenalto_driver.exe

work=$(mktemp -d)
export LC_ALL=C.UTF-8
# shellcheck source=tools/wine-prefix.sh
source "$root/tools/wine-prefix.sh"
trap 'end_wine_session "$work"' EXIT
start_wine_session "$work" check-windows-msi

# shellcheck source=tools/windows-checks.sh
source "$root/tools/windows-checks.sh"
product_code() { cmake -DVERSION="$1" -P "$root/installer/MsiProductCode.cmake"; }

# 1.1 of the same package: its Zenalto.exe is 1.0's with bytes added past the
# end of its image, where Windows does not look. wixl takes the package's
# files by paths relative to the folder it runs in.
next=$work/next
mkdir -p "$next"
program_11=$next/Zenalto.exe
{ cat "$program_10"; printf 'Zenalto 1.1'; } >"$program_11"
cp "$build/installer/ZenaltoMsiCheck.dll" "$root/resources/icon/zenalto.ico" "$next/"
(cd "$next" && wixl --arch x64 -D Version=1.1 -D ProductCode="$(product_code 1.1)" \
  -D Program=Zenalto.exe -D Icon=zenalto.ico -D RunningCheck=ZenaltoMsiCheck.dll \
  -o zenalto-1.1-x64.msi "${ZENALTO_NEXT_WXS:-$root/installer/Zenalto.wxs}" &&
  msibuild zenalto-1.1-x64.msi -s "Zenalto 1.1" "Equipo Zenalto" "x64;3082")
cp "$msi_10" "$next/zenalto-1.0-x64.msi"
ls -l "$msi_10" "$next/zenalto-1.1-x64.msi"
code_10="{$(product_code 1.0)}"
code_11="{$(product_code 1.1)}"
echo "ProductCode of 1.0: $code_10, of 1.1: $code_11"

# Runs msiexec with ARGUMENTS (no blanks in them) and prints its exit code.
# Through cmd: Wine hands a Linux parent only the code's lowest byte (3010
# would read 194, 1603 67).
msiexec() {
  wine cmd /v:on /c "start /wait msiexec $* & echo exit !errorlevel!" 2>/dev/null |
    tr -d '\r' | sed -n 's/^exit //p'
}
package() { winepath -w "$next/zenalto-$1-x64.msi" 2>/dev/null; }
# The option of a verbose log C:\NAME.log, and that log's text.
log_to() { echo "/l*v C:\\$1.log"; }
log_of() { iconv -f WINDOWS-1252 -t UTF-8 "$WINEPREFIX/drive_c/$1.log" 2>/dev/null; }

installed=$WINEPREFIX/drive_c/Program\ Files/Zenalto
# The uninstall entries whose DisplayName is Zenalto, one a line:
# "KEY: DisplayName DisplayVersion, Publisher".
entries() {
  reg_listing 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' | awk '
      function flush() { if (name == "Zenalto") print key ": " name " " version ", " publisher }
      /^HKEY/ { flush(); key = $0; sub(/.*\\/, "", key); name = version = publisher = "" }
      /^ +DisplayName +REG_SZ/ { name = $0; sub(/^ +DisplayName +REG_SZ +/, "", name) }
      /^ +DisplayVersion +REG_SZ/ { version = $0; sub(/^ +DisplayVersion +REG_SZ +/, "", version) }
      /^ +Publisher +REG_SZ/ { publisher = $0; sub(/^ +Publisher +REG_SZ +/, "", publisher) }
      END { flush() }'
}
# Every shortcut named Zenalto: Wine's msiexec puts it in the Start menu of
# the user who installs, not of all users as Windows does for a package
# installed for the machine.
shortcuts() {
  find "$WINEPREFIX/drive_c" -iname 'zenalto*.lnk' -printf '%P\n' | sort
}
which_program() {
  if cmp -s "$program_10" "$installed/Zenalto.exe"; then echo 1.0
  elif cmp -s "$program_11" "$installed/Zenalto.exe"; then echo 1.1
  else echo none
  fi
}
# What is installed: the entries, which Zenalto.exe, how many shortcuts.
state() {
  local entry
  while read -r entry; do printf '%s; ' "$entry"; done < <(entries)
  echo "Zenalto.exe $(which_program), shortcuts $(shortcuts | wc -l)"
}
installed_10="$code_10: Zenalto 1.0, Equipo Zenalto; Zenalto.exe 1.0, shortcuts 1"
installed_11="$code_11: Zenalto 1.1, Equipo Zenalto; Zenalto.exe 1.1, shortcuts 1"

echo "== install"
check "msiexec /i 1.0 /qn: exit code" "$(msiexec /i "$(package 1.0)" /qn "$(log_to install)")" 0
check "installed: entry, program, shortcut" "$(state)" "$installed_10"
check "installed: the shortcut" "$(shortcuts | grep -c 'Start Menu/Programs/Zenalto.lnk$')" 1
check "installed: the log says so" \
  "$(log_of install | grep -c 'InstallFinalize. Return value 1')" 1
check "installed: nothing but Zenalto.exe in its folder" "$(ls "$installed")" Zenalto.exe
while read -r name want; do
  check "uninstall entry: $name" \
    "$(reg_value "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$code_10" "$name")" "$want"
done <<EOF
NoModify 0x1
NoRepair 0x1
UninstallString MsiExec.exe /X$code_10
EOF
check "installed: the package's mark for the setup program" \
  "$(reg_value 'HKLM\Software\Zenalto' MsiProductCode)" "$code_10"

title='Zenalto: Programa para el cálculo de orbitas satelitales'
wine "$driver_exe" launch "$(winepath -w "$WINEPREFIX/drive_c/$(shortcuts | head -n1)" 2>/dev/null)" \
  >"$work/installed.out" &
launched=$!
check "installed program, from the shortcut: its window" "$(driver window "$title")" "147 135 522 369"
driver close "$title" || true
wait "$launched" || true
check "installed program closed: exit code" "$(tr -d '\r' <"$work/installed.out" | sed -n 's/^exit //p')" 0

echo "== the setup program while the package is installed"
code=0
wine "$setup" /S || code=$?
check "setup /S: exit code" "$code" 2
check "setup /S: nothing changed" "$(state)" "$installed_10"
check "setup /S: no Uninstall.exe" "$(ls "$installed")" Zenalto.exe

echo "== while Zenalto runs"
wine "$installed/Zenalto.exe" &
running=$!
driver window "$title" >/dev/null || true
running_message='Zenalto está abierto. Ciérrelo y pulse Reintentar, o pulse Cancelar para salir sin cambiar nada.'
check "msiexec /i 1.1 /qn while Zenalto runs: exit code" \
  "$(msiexec /i "$(package 1.1)" /qn "$(log_to upgrade-running)")" 1603
check "msiexec /i 1.1 /qn while Zenalto runs: nothing changed" "$(state)" "$installed_10"
check "msiexec /i 1.1 /qn while Zenalto runs: the reason in the log" \
  "$(log_of upgrade-running | grep -c -F "$running_message")" 1
# The same with msiexec's basic windows (/qb): the question, in a message box
# of no owner, answered with the pointer. Without the question, the prefix's
# Wine processes are ended, lest msiexec wait and keep the next runs waiting.
msiexec /i "$(package 1.1)" /qb >"$work/asked.out" &
asked=$!
point=$(driver button 'Windows Installer' 2) || point=
check "msiexec /i 1.1 /qb while Zenalto runs: the question" "${point:+asked}" asked
if [[ -n $point ]]; then
  # shellcheck disable=SC2086
  xdotool mousemove --sync $point click 1 # Cancel
else
  wineserver -k
fi
wait "$asked" || true
check "msiexec /i 1.1 /qb while Zenalto runs, Cancel: exit code" "$(cat "$work/asked.out")" 1602
check "msiexec /i 1.1 /qb while Zenalto runs, Cancel: nothing changed" "$(state)" "$installed_10"
check "msiexec /x /qn while Zenalto runs: exit code" \
  "$(msiexec /x "$code_10" /qn "$(log_to uninstall-running)")" 1603
check "msiexec /x /qn while Zenalto runs: nothing changed" "$(state)" "$installed_10"
driver close "$title" || true
wait "$running" || true

echo "== upgrade"
check "msiexec /i 1.1 /qn over 1.0: exit code" "$(msiexec /i "$(package 1.1)" /qn "$(log_to upgrade)")" 0
check "1.1 over 1.0: one entry, 1.1, its program" "$(state)" "$installed_11"
check "msiexec /i 1.0 /qn over 1.1: exit code" "$(msiexec /i "$(package 1.0)" /qn "$(log_to downgrade)")" 1603
check "1.0 over 1.1: 1.1 stays" "$(state)" "$installed_11"

echo "== uninstall"
check "msiexec /x 1.1 /qn: exit code" "$(msiexec /x "$code_11" /qn "$(log_to uninstall)")" 0
check "uninstalled: entries, program, shortcuts" "$(state)" "Zenalto.exe none, shortcuts 0"
check "uninstalled: files or folders named Zenalto" \
  "$(find "$WINEPREFIX/drive_c" -iname '*zenalto*' | wc -l)" 0
check "uninstalled: HKLM\\Software\\Zenalto" \
  "$(wine reg query 'HKLM\Software\Zenalto' >/dev/null 2>&1 && echo there || echo gone)" gone

echo "== the package while the setup program's Zenalto is installed"
wine "$setup" /S || true
setup_installed="Zenalto: Zenalto 1.0, Equipo Zenalto; Zenalto.exe 1.0, shortcuts 1"
check "setup /S: installed" "$(state)" "$setup_installed"
check "msiexec /i 1.0 /qn: exit code" "$(msiexec /i "$(package 1.0)" /qn "$(log_to beside-setup)")" 1603
check "msiexec /i 1.0 /qn: nothing changed" "$(state)" "$setup_installed"

if ((failures > 0)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
