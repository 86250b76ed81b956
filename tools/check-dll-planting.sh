#!/usr/bin/env bash
# DLL planting, under Wine: DLLs named as those that Windows programs and
# setups are known to load by bare name (tools/planted-dlls.txt), each of
# which only leaves a mark when loaded (tests/dll_planting/PlantedDll.c), are
# put beside Zenalto.exe and beside the setup program in a Downloads folder,
# the programs' working folder too, with Wine told to prefer a native DLL of
# those names over its own. Then:
#   - Zenalto.exe is started and driven a little: two numbers and Calcular
#     (the first announcement loads oleacc), the About dialog (its picture's
#     decoder, through COM), Salir;
#   - the setup program installs silently (/S), in a Wine prefix of its own.
# Prints, for each name, whether the program and the setup loaded the planted
# copy, and whether Windows would take a DLL of that name from a program's
# folder at all: not for its KnownDLLs (tools/windows-known-dlls.txt), yes
# for every other name, unless the process restricted its search. Fails when
# the program loaded any planted DLL, or could not be driven; the setup's
# loads are reported only (it is NSIS's stub, not ours).
# One thing Wine does that Windows does not: the imports of its own DLLs
# (Wine's user32 imports version.dll) are looked for in the program's folder
# first, as the process starts, before the program runs at all; Windows maps
# the DLLs a program imports here (all KnownDLLs) with their dependencies from
# System32. A name that Wine's DLLs import so, for a binary's imports, is not
# planted beside that binary, and shows as "start" in the table.
#   ZENALTO_EXE=PATH ZENALTO_SETUP=PATH   check other builds (an older one, by hand)
# Installs what it needs when missing. Wine and the X server go in every case.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/mingw

bash tools/install-deps.sh cmake make libgtest-dev libfast-float-dev \
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 nsis \
  wine wine64 fonts-wine xvfb xauth xdotool

cmake --preset mingw >/dev/null
cmake --build --preset mingw --target Zenalto zenalto_installer zenalto_driver >/dev/null
program=${ZENALTO_EXE:-$build/installer/Zenalto.exe}
setup=${ZENALTO_SETUP:-$(echo "$build"/installer/zenalto-*-setup.exe)}
driver_exe=$build/tests/windows_program/zenalto_driver.exe

work=$(mktemp -d)
export LC_ALL=C.UTF-8
# shellcheck source=tools/wine-prefix.sh
source "$root/tools/wine-prefix.sh"
trap 'end_wine_session "$work"' EXIT
start_wine_session "$work" check-dll-planting
# shellcheck source=tools/windows-checks.sh
source "$root/tools/windows-checks.sh"

mapfile -t names < <(grep -v '^#' tools/planted-dlls.txt | grep .)
known=" $(grep -v '^#' tools/windows-known-dlls.txt | tr '\n' ' ') "

# The DLLs that a PE file imports (not those it loads later), lower case.
wine_dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
imports_of() {
  x86_64-w64-mingw32-objdump -p "$1" | sed -n '/^The Import Tables/,/^The /s/^\tDLL Name: //p' |
    tr '[:upper:]' '[:lower:]' | sed 's/\.dll$//'
}
# What Wine's loader maps for FILE's imports and, through Wine's own DLLs,
# theirs, before FILE runs: " name name ... ".
loaded_at_start() {
  local -A seen=()
  local queue name
  mapfile -t queue < <(imports_of "$1")
  while ((${#queue[@]} > 0)); do
    name=${queue[0]}
    queue=("${queue[@]:1}")
    [[ -n ${seen[$name]:-} ]] && continue
    seen[$name]=1
    [[ -f $wine_dlls/$name.dll ]] && mapfile -t -O "${#queue[@]}" queue < <(imports_of "$wine_dlls/$name.dll")
  done
  echo " ${!seen[*]} "
}

# One marker DLL, copied under every name, beside each program.
x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -Wpedantic -Werror -shared -s -nostdlib \
  -e DllMain -o "$work/planted.dll" tests/dll_planting/PlantedDll.c -lkernel32
plant() { # FOLDER BINARY: every name but those Wine's start loads for BINARY
  local at_start
  at_start=$(loaded_at_start "$2")
  mkdir -p "$1"
  for name in "${names[@]}"; do
    [[ $at_start == *" $name "* ]] || cp "$work/planted.dll" "$1/$name.dll"
  done
}
marks=$work/marks
mkdir -p "$marks"
ZENALTO_PLANT_MARKS=$(winepath -w "$marks" 2>/dev/null)
export ZENALTO_PLANT_MARKS
# Native first for the planted names, in the programs' processes only.
planted_first="$WINEDLLOVERRIDES;$(IFS=,; echo "${names[*]}")=n,b"

echo "== Zenalto.exe in a Downloads folder beside planted DLLs"
downloads=$WINEPREFIX/drive_c/users/Public/Downloads
plant "$downloads" "$program"
cp "$program" "$downloads/Zenalto.exe"
title='Zenalto: Programa para el cálculo de orbitas satelitales'
about_title='Sobre Zenalto Ver. 1.0'
click() {
  local x y
  read -r x y < <(driver place "$1")
  xdotool mousemove --sync "$x" "$y" click 1
}
type_into() { # CONTROL TEXT: clicked, emptied from the keyboard, typed
  click "$1"
  xdotool key End
  for _ in $(seq 20); do xdotool key BackSpace; done
  xdotool type --delay 30 "$2"
}
(cd "$downloads" && WINEDLLOVERRIDES=$planted_first \
  wine "$driver_exe" launch 'C:\users\Public\Downloads\Zenalto.exe' >"$work/program.out") &
launched=$!
check "the program's window" "$(driver window "$title")" "147 135 522 369"
type_into Text1 159
type_into Text2 6378.160
click Command1
for _ in $(seq 25); do
  [[ $(driver text Text3) == 7812.53346 ]] && break
  sleep 0.2
done
check "Calcular: Text3" "$(driver text Text3)" 7812.53346
xdotool key alt+h
xdotool key c
check "Alt+H, C: the About dialog" "$(driver window "$about_title")" "172 176 453 261"
xdotool key Escape
check "Esc closes the About dialog" "$(driver gone "$about_title" && echo closed)" closed
click Command3
wait "$launched" || true
check "Salir: exit code" "$(tr -d '\r' <"$work/program.out" | sed -n 's/^exit //p')" 0
wineserver -w

echo "== the setup program in a Downloads folder, in a prefix of its own"
make_wine_prefix "$work/setup"
downloads=$WINEPREFIX/drive_c/users/Public/Downloads
plant "$downloads" "$setup"
cp "$setup" "$downloads/"
setup_name=$(basename "$setup")
setup_code=0
(cd "$downloads" && WINEDLLOVERRIDES=$planted_first wine "$setup_name" /S) || setup_code=$?
timeout 60 wineserver -w || true
check "silent install: exit code" "$setup_code" 0
check "silent install: the program in Program Files" \
  "$(test -f "$WINEPREFIX/drive_c/Program Files/Zenalto/Zenalto.exe" && echo yes)" yes

program_start=$(loaded_at_start "$program")
setup_start=$(loaded_at_start "$setup")
# How a process came to load a planted DLL, from the stack in its mark: "yes"
# when it was asked for through LoadLibrary (kernelbase), which Wine searches
# by the process's default DLL directories as Windows does, or by the program
# itself; "wine" when Wine's loader resolved an import of one of Wine's own
# DLLs (uxtheme's delay-loaded msimg32): Wine 8 does that by the process's
# path, its folder first, even after SetDefaultDllDirectories, so such a load
# tells nothing of Windows. (That also hides such a load from a program that
# never restricted its search: the limit of this test.)
how_loaded() { # MARK PROCESS DLL
  local module through_api=false
  while read -r module; do
    case ${module,,} in
      "${3,,}" | ntdll.dll) ;;
      kernelbase.dll | kernel32.dll) through_api=true ;;
      *)
        if $through_api || [[ ${module,,} == "${2,,}" ]]; then echo yes; else echo wine; fi
        return
        ;;
    esac
  done < <(iconv -f UTF-16LE -t UTF-8 "$1" | tail -n +2)
  echo yes
}
loaded_by() { # NAME PROCESS LOADED_AT_START
  local mark=$marks/$1.dll.$2.mark
  if [[ $3 == *" $1 "* ]]; then
    echo start
  elif [[ -e $mark ]]; then
    how_loaded "$mark" "$2" "$1.dll"
  else
    echo no
  fi
}
echo
printf '%-18s %-8s %-8s %s\n' DLL program setup "Windows would load it from the folder"
program_loads=()
for name in "${names[@]}"; do
  if [[ $known == *" $name "* ]]; then
    windows="no: a KnownDLL"
  else
    windows="yes, unless the process restricted its search"
  fi
  by_program=$(loaded_by "$name" Zenalto.exe "$program_start")
  [[ $by_program == yes ]] && program_loads+=("$name")
  printf '%-18s %-8s %-8s %s\n' "$name" "$by_program" "$(loaded_by "$name" "$setup_name" "$setup_start")" "$windows"
done
# Who asked for each planted DLL that a process took: the modules on the
# stack as it loaded, innermost first.
for mark in "$marks"/*.mark; do
  [[ -e $mark ]] || continue
  echo "$(basename "$mark" .mark): $(iconv -f UTF-16LE -t UTF-8 "$mark" | tail -n +2 | paste -sd '<' | sed 's/</ < /g')"
done
others=$(find "$marks" -name '*.mark' ! -name '*.Zenalto.exe.mark' ! -name "*.$setup_name.mark" \
  -printf '%f ' | sed 's/\.mark / /g')
[[ -n $others ]] && echo "loaded by other processes: $others"
echo "start: imported by Wine's own DLLs as the process starts, so not planted (Windows takes those from System32)"
echo "wine: an import of Wine's own DLL, resolved by Wine's loader from the folder even where the search is restricted"
echo
check "planted DLLs loaded by Zenalto.exe" "${program_loads[*]:-none}" none
if ((failures > 0)); then
  echo "FAILED: $failures check(s)"
  exit 1
fi
echo "no planted DLL loaded by the program"
