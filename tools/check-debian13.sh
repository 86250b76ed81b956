#!/usr/bin/env bash
# Zenalto on Debian 13 as a newcomer meets it. A fresh Debian 13 root
# (debootstrap: minbase plus git, ca-certificates and sudo, nothing else) gets
# a user with sudo and a clean copy of the tree, and that user runs the
# README's two commands there: the test command must pass, and the run command
# must show the main window on a private X server of this machine. Then the
# Debian package built on this machine by tools/check-desktop.sh
# (build/deb/zenalto_*.deb) is installed with apt-get into another
# fresh copy of that root and must show its window too.
#
# Runs as root (debootstrap, chroot). CI=true passes into the root, so that
# warnings stop the build there as they do here. The bootstrapped root lives
# in a temporary folder for this run only. Prints the time of each step.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
suite=trixie
# The Debian archive this machine's own apt sources name for its release
# (DEBIAN_MIRROR overrides it): Debian 13 comes from the same place.
machine_mirror() {
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  apt-get indextargets --format '$(RELEASE) $(COMPONENT) $(REPO_URI)' 'Identifier: Packages' |
    awk -v release="$codename" '$1 == release && $2 == "main" { print $3; exit }'
}
mirror=${DEBIAN_MIRROR:-$(machine_mirror)}
title='Zenalto: Programa para el cálculo de orbitas satelitales'
user=alumno

if [[ $(id -u) -ne 0 ]]; then
  exec sudo --preserve-env=CI,DEBIAN_MIRROR bash "$0" "$@"
fi
if [[ -z $mirror ]]; then
  echo "check-debian13: no Debian archive in this machine's apt sources; set DEBIAN_MIRROR" >&2
  exit 1
fi

deb=$(compgen -G "$root/build/deb/zenalto_*_amd64.deb" | head -n 1 || true)
if [[ -z $deb ]]; then
  echo "check-debian13: no package in build/deb: run tools/check-desktop.sh first" >&2
  exit 1
fi

bash tools/install-deps.sh debootstrap xvfb x11-utils xauth

# shellcheck source=bench/private-xvfb.sh
source bench/private-xvfb.sh

work=$(mktemp -d /var/tmp/zenalto-debian13.XXXXXX)
mounted=()
group=
cleanup() {
  if [[ -n $group ]]; then kill -- "-$group" 2>/dev/null || true; fi
  local m
  for m in "${mounted[@]}"; do umount -l "$m" 2>/dev/null || true; done
  stop_private_xvfb
  # Nothing may be mounted below the folder when it goes.
  if ! findmnt -rn -o TARGET | grep -q "^$work/"; then rm -rf "$work"; fi
}
trap cleanup EXIT

step() { printf '== %s (%s)\n' "$1" "$(date +%T)"; }
took() { printf '   took %d s\n' "$((SECONDS - $1))"; }

# A copy of the bootstrapped root with /proc mounted.
new_root() {
  cp -a "$work/base" "$1"
  # sudo looks the machine's name up, as a real Debian 13 finds it.
  printf '127.0.0.1\tlocalhost\n127.0.1.1\t%s\n' "$(hostname)" >"$1/etc/hosts"
  mount -t proc proc "$1/proc"
  mounted+=("$1/proc")
}

# Runs a command in root $1 as user $2, with a login's plain environment.
in_root() {
  local dir=$1 who=$2 home=/root
  shift 2
  [[ $who == root ]] || home=/home/$who
  chroot --userspec="$who:$who" "$dir" /usr/bin/env -i \
    HOME="$home" USER="$who" LANG=C.UTF-8 TERM=dumb CI="${CI:-}" \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/sbin:/usr/sbin:/sbin "$@"
}

# Starts a command in root $1 as user $2 on the private X server, in the
# background in a process group of its own ($group), so that everything the
# command started can be ended at once.
start_in_root() {
  local dir=$1 who=$2
  shift 2
  cp "$XAUTHORITY" "$dir/home/$who/.Xauthority"
  chown --reference="$dir/home/$who" "$dir/home/$who/.Xauthority"
  setsid chroot --userspec="$who:$who" "$dir" /usr/bin/env -i \
    HOME="/home/$who" USER="$who" LANG=C.UTF-8 TERM=dumb CI="${CI:-}" \
    DISPLAY="$DISPLAY" XAUTHORITY="/home/$who/.Xauthority" \
    PATH=/usr/local/bin:/usr/bin:/bin "$@" &
  group=$!
}

# Waits up to $1 s for the main window on the private X server, then checks
# that the program in process group $group is still up a few seconds later.
expect_window() {
  local limit=$1 started=$SECONDS
  until xwininfo -root -tree 2>/dev/null | grep -qF "\"$title\""; do
    if ! kill -0 -- "-$group" 2>/dev/null; then
      echo "check-debian13: the program ended before its window showed" >&2
      return 1
    fi
    if ((SECONDS - started > limit)); then
      echo "check-debian13: no window \"$title\" within $limit s" >&2
      return 1
    fi
    sleep 1
  done
  sleep 3
  if ! xwininfo -root -tree | grep -qF "\"$title\""; then
    echo "check-debian13: the window went away" >&2
    return 1
  fi
  kill -- "-$group"
  group=
}

step "bootstrapping Debian 13 ($suite) from $mirror"
t=$SECONDS
debootstrap --variant=minbase --include=git,ca-certificates,sudo "$suite" "$work/base" "$mirror" \
  >"$work/debootstrap.log" 2>&1 || { tail -n 30 "$work/debootstrap.log" >&2; exit 1; }
echo "   Debian $(cat "$work/base/etc/debian_version")"
took "$t"

start_private_xvfb "$work" check-debian13

step "the README's commands, as a user with sudo, in a fresh root"
new_root "$work/readme"
in_root "$work/readme" root useradd --create-home --shell /bin/bash "$user"
echo "$user ALL=(ALL) NOPASSWD:ALL" >"$work/readme/etc/sudoers.d/$user"
chmod 0440 "$work/readme/etc/sudoers.d/$user"
# The tree as it is now, uncommitted changes of tracked files included, but
# nothing untracked: no build folders.
rev=$(git -c user.name=check-debian13 -c user.email=check@localhost stash create)
git archive --prefix=zenalto/ "${rev:-HEAD}" | tar -x -C "$work/readme/home/$user"
in_root "$work/readme" root chown -R "$user:$user" "/home/$user"

step "bash tools/run.sh (installs, builds, starts Zenalto)"
t=$SECONDS
start_in_root "$work/readme" "$user" bash -c 'cd ~/zenalto && bash tools/run.sh'
expect_window 1800
took "$t"

step "bash tools/test.sh (builds and runs every test)"
t=$SECONDS
in_root "$work/readme" "$user" bash -c 'cd ~/zenalto && bash tools/test.sh'
took "$t"

step "the package built here, installed with apt-get in a fresh root"
t=$SECONDS
new_root "$work/package"
cp "$deb" "$work/package/tmp/"
in_root "$work/package" root apt-get update -qq
in_root "$work/package" root env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq "/tmp/$(basename "$deb")" >/dev/null
in_root "$work/package" root useradd --create-home "$user"
start_in_root "$work/package" "$user" Zenalto
expect_window 60
took "$t"

echo "check-debian13: all checks passed"
