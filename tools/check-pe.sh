#!/usr/bin/env bash
# The hardening gate over the Windows binaries in DIR (by default the
# packages' folder of the mingw build, build/mingw/installer): every .exe and
# .dll there, through tools/check-pe.py. Installs python3-pefile when
# missing; fails when any check fails.
#   bash tools/check-pe.sh [DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh python3-pefile

folder=${1:-build/mingw/installer}
mapfile -t binaries < <(find "$folder" -maxdepth 1 -type f \( -iname '*.exe' -o -iname '*.dll' \) | sort)
if ((${#binaries[@]} == 0)); then
  echo "check-pe: no .exe or .dll in $folder" >&2
  exit 1
fi
# Debian's python3, where python3-pefile is installed (not one from PATH).
/usr/bin/python3 tools/check-pe.py "${binaries[@]}"
