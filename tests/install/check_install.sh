#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what lands there.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
prefix=/usr/local

DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >/dev/null
root="$stage$prefix"

fail=0
ok() { echo "ok: $1"; }
bad() { echo "FAIL: $1"; fail=1; }

[ -x "$root/bin/fretsight" ] && ok "program installed" || bad "bin/fretsight missing"

desktop="$root/share/applications/org.fretsight.FretSight.desktop"
if [ -f "$desktop" ]; then
  out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] && ok "launcher validates" \
    || bad "desktop-file-validate: $out"
  grep -qx 'Exec=fretsight' "$desktop" && ok "launcher runs fretsight" || bad "launcher Exec"
  grep -qx 'Icon=org.fretsight.FretSight' "$desktop" && ok "launcher names the icon" || bad "launcher Icon"
else
  bad "launcher missing"
fi

metainfo="$root/share/metainfo/org.fretsight.FretSight.metainfo.xml"
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net "$metainfo" >/dev/null 2>&1 && ok "metainfo validates" \
    || bad "appstreamcli: $(appstreamcli validate --no-net "$metainfo" 2>&1)"
else
  bad "metainfo missing"
fi

# PNG width and height are the big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }
for size in 16 32 48 128; do
  icon="$root/share/icons/hicolor/${size}x${size}/apps/org.fretsight.FretSight.png"
  if [ -f "$icon" ] && [ "$(png_size "$icon")" = "${size}x${size}" ]; then
    ok "icon ${size}x${size}"
  else
    bad "icon ${size}x${size} missing or of the wrong size"
  fi
done

exit $fail
