#!/usr/bin/env bash
# piuparts, Debian's own test of a package's life: in a fresh minimal root of
# this machine's Debian release, installs the package with what it depends
# on, removes it, purges it, and fails if anything is left behind, broken or
# changed. The root comes from this machine's own apt sources (DEBIAN_MIRROR
# overrides them). Runs as root (sudo otherwise).
#
#   tools/piuparts-deb.sh PACKAGE.deb
set -euo pipefail
deb=$(realpath "$1")
if [[ $(id -u) -ne 0 ]]; then
  exec sudo --preserve-env=DEBIAN_MIRROR bash "$0" "$deb"
fi
cd "$(dirname "$0")/.."
bash tools/install-deps.sh piuparts debootstrap

codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
machine_mirror() {
  apt-get indextargets --format '$(RELEASE) $(COMPONENT) $(REPO_URI)' 'Identifier: Packages' |
    awk -v release="$codename" '$1 == release && $2 == "main" { print $3; exit }'
}
mirror=${DEBIAN_MIRROR:-$(machine_mirror)}
[[ -n $mirror ]] || { echo "piuparts-deb: no Debian archive in the apt sources; set DEBIAN_MIRROR" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
start=$SECONDS
piuparts --distribution="$codename" --mirror="${mirror%/} main" --tmpdir="$work" \
  --log-file="$work/piuparts.log" --log-level=info "$deb" >/dev/null || {
  tail -n 80 "$work/piuparts.log"
  echo "piuparts-deb: piuparts failed on $(basename "$deb")" >&2
  exit 1
}
grep -E 'PASS|FAIL' "$work/piuparts.log" | tail -n 3
echo "piuparts-deb: $(basename "$deb") passed in $((SECONDS - start)) s"
