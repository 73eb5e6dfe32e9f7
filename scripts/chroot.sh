#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command in a Debian chroot of the release given, with this checkout
# mounted at /src. The chroot is made once with mmdebstrap (minbase) from the
# Debian mirror that apt already uses here, and kept under
# ${FRETSIGHT_CHROOTS:-/var/cache/fretsight}/RELEASE; what the command
# installs stays in it, so a second run only builds and tests.
#
# Usage: chroot.sh 12|13|bookworm|trixie [--fresh] COMMAND...
#   --fresh runs the command on a throw-away layer over a second chroot,
#   RELEASE-bare, that nothing installs into: it sees the bare release
#   whatever the kept chroot has gained, and leaves nothing behind.
# Build trees go to /build inside the chroot (kept with it), never into the
# checkout's own build/ folders, which belong to the host's release.
set -euo pipefail
case ${1:-} in
12 | bookworm) release=bookworm ;;
13 | trixie) release=trixie ;;
*) echo "usage: $0 12|13 [--fresh] COMMAND..." >&2; exit 2 ;;
esac
shift
fresh=0
[ "${1:-}" = --fresh ] && { fresh=1; shift; }
[ $# -gt 0 ] || set -- bash
src=$(cd "$(dirname "$0")/.." && pwd)
root=${FRETSIGHT_CHROOTS:-/var/cache/fretsight}/$release
[ "$fresh" = 1 ] && root=$root-bare
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if [ ! -e "$root/.complete" ]; then
  command -v mmdebstrap >/dev/null || {
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends mmdebstrap
  }
  # The Debian archive apt uses here, and its security archive beside it.
  mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Origin: Debian' 2>/dev/null |
    grep -v security | sort -u | head -1)
  mirror=${mirror:-http://deb.debian.org/debian/}
  security=${mirror%/}-security
  $SUDO rm -rf "$root"
  $SUDO mkdir -p "$(dirname "$root")"
  # Debian 13's security archive follows the new naming; both take updates.
  $SUDO mmdebstrap --variant=minbase --include=ca-certificates,sudo "$release" "$root" \
    "deb $mirror $release main" "deb $mirror $release-updates main" \
    "deb $security $release-security main"
  $SUDO touch "$root/.complete"
fi

# In a mount namespace of its own, so that every mount goes when the command
# ends, however it ends.
exec $SUDO unshare --mount --propagation private -- bash -s "$root" "$src" "$fresh" "$@" <<'EOF'
set -euo pipefail
root=$1 src=$2 fresh=$3
shift 3
if [ "$fresh" = 1 ]; then
  layer=$(mktemp -d)
  mount -t tmpfs fresh "$layer"
  mkdir "$layer/upper" "$layer/work" "$layer/root"
  mount -t overlay overlay -o "lowerdir=$root,upperdir=$layer/upper,workdir=$layer/work" "$layer/root"
  root=$layer/root
fi
mkdir -p "$root/src" "$root/build"
mount --bind "$src" "$root/src"
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --rbind /dev "$root/dev"
mount -t tmpfs -o mode=1777 tmp "$root/tmp"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
mount -t tmpfs run "$root/run"
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
# The build trees, kept in the chroot, over the checkout's.
for tree in build build-sanitize build-bench; do
  mkdir -p "$root/build/$tree" "$src/$tree"
  mount --bind "$root/build/$tree" "$root/src/$tree"
done
cd /
exec env -i HOME=/root TERM="${TERM:-dumb}" PYTHONDONTWRITEBYTECODE=1 PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
  ${CI:+CI=$CI} ${SANITIZE:+SANITIZE=$SANITIZE} chroot "$root" /bin/bash -c 'cd /src && exec "$@"' chroot "$@"
EOF
