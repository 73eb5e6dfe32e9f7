#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds FretSight's Debian source package and binary package as Debian
# builds software: dpkg-buildpackage in a clean chroot of the release asked
# for (Debian 12 or 13, made by scripts/chroot.sh with mmdebstrap) that
# holds only build-essential and the Build-Depends, then lintian on the
# .changes. The packages go to dist/debian-RELEASE/.
#
# Usage: package.sh [12|13] [--check | --test]
#   12 or 13   the release (default: this machine's)
#   --test     then run the package's autopkgtest (debian/tests) in a fresh
#              chroot with the null runner, where it is installed from the
#              .deb
#   --check    as --test, and before it build a second time, in another
#              path and later, and compare the .debs byte for byte
set -euo pipefail
cd "$(dirname "$0")/.."
. /etc/os-release
release=${VERSION_ID%%.*}
check=0 test=0
for arg; do
  case $arg in
  12 | 13) release=$arg ;;
  --check) check=1 test=1 ;;
  --test) test=1 ;;
  *) echo "usage: $0 [12|13] [--check | --test]" >&2; exit 2 ;;
  esac
done
out=dist/debian-$release
rm -rf "$out"
mkdir -p "$out"
# The working tree's files that git knows or would take, as they are now:
# the upstream tarball, made the same way every time, and the debian/
# folder beside it.
files() {
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do if [ -e "$f" ]; then printf '%s\0' "$f"; fi; done
}
version=$(dpkg-parsechangelog -S Version)
upstream=${version%-*}
epoch=$(dpkg-parsechangelog -S Timestamp)
files | grep -zv '^debian/' | LC_ALL=C tar --null -T - --sort=name --mtime="@$epoch" --owner=0 --group=0 \
  --numeric-owner --format=gnu --transform "s,^,fretsight-$upstream/," -cf - | xz -9 -T1 >"$out/fretsight_$upstream.orig.tar.xz"
files | grep -z '^debian/' | tar --null -T - -cf "$out/debian.tar"

# Inside the chroot: the source unpacked at the path given, its
# Build-Depends installed, the packages built; then lintian.
build='
set -euo pipefail
out=/src/$1
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends build-essential dpkg-dev >/dev/null
build() {
  mkdir -p "$1"
  cp "$out"/fretsight_*.orig.tar.xz "$1/"
  cd "$1"
  tar -xf fretsight_*.orig.tar.xz
  cd fretsight-*/
  tar -xf "$out/debian.tar"
  apt-get build-dep -y -qq --no-install-recommends ./ >/dev/null
  dpkg-buildpackage -us -uc -sa
}
build /usr/src/fretsight-build
cp /usr/src/fretsight-build/fretsight*_*.* "$out/"
if [ "$2" = 1 ]; then
  sleep 2
  mkdir -p "$out/again"
  build /var/tmp/elsewhere
  cp /var/tmp/elsewhere/fretsight*.*deb "$out/again/"
fi
apt-get install -y -qq --no-install-recommends lintian >/dev/null
lintian --pedantic --display-info "$out"/fretsight_*.changes | tee "$out/lintian.txt"
'
bash scripts/chroot.sh "$release" --fresh bash -c "$build" build "$out" "$check"
rm "$out/debian.tar"
ls "$out"/fretsight_*.deb

if [ "$check" = 1 ]; then
  for deb in "$out"/fretsight*.*deb; do
    cmp "$deb" "$out/again/$(basename "$deb")" || { echo "FAIL: $(basename "$deb") differs between two builds"; exit 1; }
  done
  echo "ok: the two builds' packages are identical"
fi
if [ "$test" = 1 ]; then
  # The tests of the installed package, where only it and the tests'
  # Depends are installed.
  tests='
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends autopkgtest >/dev/null
autopkgtest /src/$1/fretsight_*.dsc /src/$1/fretsight_*_*.deb -- null
'
  bash scripts/chroot.sh "$release" --fresh bash -c "$tests" autopkgtest "$out"
fi
