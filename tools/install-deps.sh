#!/usr/bin/env bash
# Installs Debian packages, skipping those already installed; uses sudo when
# not run as root. With no arguments: what building, running and testing
# Zenalto need, and the Spanish locale es_ES.UTF-8, under which the tests
# check that a decimal comma changes nothing in the number conversions. With
# arguments: those packages (the other tools/ scripts name what they need
# beyond that), and the Spanish locale too when `locales` is one of them.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libxcb1-dev libgtest-dev
  libfast-float-dev  # the calculation core reads numbers with it
  fonts-liberation fonts-dejavu-core
  locales
  qt6-gtk-platformtheme  # a theme plugin that startup_test checks stays unloaded
)
need_locale=true
if (($# > 0)); then
  packages=("$@")
  need_locale=false
  [[ " $* " == *" locales "* ]] && need_locale=true
fi

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  as_root=(sudo)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  # Another install running on the machine (an unattended upgrade, a second
  # build) holds dpkg's lock for a while: wait for it rather than fail.
  wait_lock=(-o DPkg::Lock::Timeout=900)
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${wait_lock[@]}" update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${wait_lock[@]}" install -y -qq \
    --no-install-recommends "${missing[@]}"
fi

# Debian's locales package generates only the locales enabled in
# /etc/locale.gen, none by default.
if $need_locale && ! locale -a 2>/dev/null | grep -qiE '^es_ES\.utf-?8$'; then
  echo "Generating the locale es_ES.UTF-8"
  if grep -qE '^# *es_ES\.UTF-8 UTF-8' /etc/locale.gen; then
    "${as_root[@]}" sed -i -E 's/^# *(es_ES\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  elif ! grep -qE '^es_ES\.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'es_ES.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${as_root[@]}" locale-gen
fi
