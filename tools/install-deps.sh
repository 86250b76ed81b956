#!/usr/bin/env bash
# Installs Debian packages, skipping those already installed; uses sudo when
# not run as root. With no arguments: what building, running and testing
# Zenalto need. With arguments: those packages (the other tools/ scripts name
# what they need beyond that).
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libxcb1-dev libgtest-dev
  fonts-liberation fonts-dejavu-core
  qt6-gtk-platformtheme  # a theme plugin that startup_test checks stays unloaded
)
if (($# > 0)); then
  packages=("$@")
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
