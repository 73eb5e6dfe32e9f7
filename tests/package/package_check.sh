#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages of this machine's release, made as scripts/package.sh
# makes them: built twice in clean chroots, in other paths and at other
# times, byte for byte the same; lintian (pedantic) reports nothing but the
# tags that docs/packaging.md explains; the launcher, AppStream data and icons in
# the package are valid; and the autopkgtest of the installed package
# passes. Usage: package_check.sh [12|13] [--once]   (default: this
# machine's release; --once: one build, not compared; exit 77: skipped)
set -euo pipefail
cd "$(dirname "$0")/../.."
if [ "$(id -u)" -ne 0 ] && ! sudo -n true 2>/dev/null; then
  echo "SKIP: a chroot needs root or sudo"; exit 77
fi
fail=0
ok() { echo "ok: $1"; }
bad() { echo "FAIL: $1"; fail=1; }

. /etc/os-release
release=${1:-${VERSION_ID%%.*}}
mode=--check
[ "${2:-}" = --once ] && mode=--test
out=dist/debian-$release
bash scripts/package.sh "$release" "$mode" 2>&1 | tail -40 || bad "package.sh $mode"
deb=$(ls "$out"/fretsight_*_*.deb)
ls "$out"/fretsight_*.dsc "$out"/fretsight_*.tar.* >/dev/null && ok "and its source package" || bad "no source package"

# Explained in the lintian table of docs/packaging.md, and nothing else.
explained='I: fretsight: hardening-no-fortify-functions \[usr/libexec/fretsight/fretsight-clipboard\]|I: fretsight source: out-of-date-standards-version 4\.6\.2 '
report=$(grep -E '^[EWIPXCO]: ' "$out/lintian.txt" | grep -vE "^($explained)" || true)
[ -z "$report" ] && ok "lintian --pedantic: nothing unexplained" || bad "lintian: $report"
dpkg-deb -f "$deb" Depends | grep -q 'fonts-liberation' && dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' \
  && ok "depends on Qt (from the binary) and the fonts" || bad "Depends: $(dpkg-deb -f "$deb" Depends)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
share=$work/root/usr/share
out=$(desktop-file-validate "$share/applications/org.fretsight.FretSight.desktop" 2>&1) && [ -z "$out" ] \
  && ok "launcher validates" || bad "desktop-file-validate: $out"
appstreamcli validate --no-net "$share/metainfo/org.fretsight.FretSight.metainfo.xml" >/dev/null 2>&1 \
  && ok "AppStream data validates" || bad "appstreamcli: $(appstreamcli validate --no-net "$share/metainfo/"*.xml)"
# Each icon's size against its folder's name is lintian's (desktop/icons).
icons=$(ls "$share"/icons/hicolor/{16x16,32x32,48x48,128x128}/apps/org.fretsight.FretSight.png 2>/dev/null | wc -l || true)
[ "$icons" = 4 ] && ok "icons at 16, 32, 48 and 128" || bad "$icons of 4 icons"
exit $fail
