#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, has lintian check it, checks the launcher, the
# AppStream data and the icons in it, installs it with apt-get, runs the
# installed program on a real X server and reads its clipboard back, then
# removes the package and checks that nothing of it is left.
# Usage: package_check.sh BUILD_DIR CLIPBOARD_CHECK   (exit 77: skipped)
set -euo pipefail
build=$1 clipboard_check=$2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  sudo -n true 2>/dev/null || { echo "SKIP: installing a package needs root or sudo"; exit 77; }
  SUDO="sudo -n"
fi
if dpkg-query -W -f='${db:Status-Status}' fretsight 2>/dev/null | grep -q installed; then
  echo "SKIP: a fretsight package is installed already"; exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
ok() { echo "ok: $1"; }
bad() { echo "FAIL: $1"; fail=1; }

(cd "$work" && cpack --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$work"/fretsight_*_*.deb)
[[ $(basename "$deb") =~ ^fretsight_[0-9.]+_[a-z0-9]+\.deb$ ]] && ok "built $(basename "$deb")" || bad "package name"

report=$(lintian "$deb" 2>&1 | grep -E '^[EW]: ' || true)
[ -z "$report" ] && ok "lintian reports no errors or warnings" || bad "lintian: $report"
dpkg-deb -f "$deb" Depends | grep -q 'fonts-liberation' && dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' \
  && ok "depends on Qt (from the binary) and the fonts" || bad "Depends: $(dpkg-deb -f "$deb" Depends)"

dpkg-deb -x "$deb" "$work/root"
share=$work/root/usr/share
out=$(desktop-file-validate "$share/applications/org.fretsight.FretSight.desktop" 2>&1) && [ -z "$out" ] \
  && ok "launcher validates" || bad "desktop-file-validate: $out"
appstreamcli validate --no-net "$share/metainfo/org.fretsight.FretSight.metainfo.xml" >/dev/null 2>&1 \
  && ok "AppStream data validates" || bad "appstreamcli: $(appstreamcli validate --no-net "$share/metainfo/"*.xml)"
for size in 16 32 48 128; do
  icon=$share/icons/hicolor/${size}x${size}/apps/org.fretsight.FretSight.png
  [ "$(identify -format %wx%h "$icon" 2>/dev/null)" = "${size}x${size}" ] && ok "icon ${size}x${size}" || bad "icon $size"
done

DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "$deb" >"$work/apt.log" 2>&1 \
  && ok "apt-get installs it" || { bad "apt-get install: $(tail -5 "$work/apt.log")"; exit 1; }
files=$(dpkg -L fretsight)
xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 "$clipboard_check" /usr/bin/fretsight | sed 's/^/  installed: /' \
  && ok "the installed program runs and copies" || bad "the installed program"

DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y fretsight >"$work/apt.log" 2>&1 && ok "apt-get removes it" \
  || bad "apt-get remove: $(tail -5 "$work/apt.log")"
[ "$(dpkg-query -W -f='${db:Status-Status}' fretsight 2>/dev/null || echo not-installed)" = not-installed ] \
  && ok "no trace in dpkg's database" || bad "dpkg still knows the package"
left=$(while read -r f; do [ -e "$f" ] && { [ -f "$f" ] || [[ $f == */fretsight ]]; } && echo "$f"; done <<<"$files" || true)
[ -z "$left" ] && ok "no file of it is left" || bad "left behind: $left"
exit $fail
