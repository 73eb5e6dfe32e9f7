#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds FretSight and writes its Debian package,
# build/fretsight_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default
cmake --build build -j "$(nproc)"
(cd build && cpack)
ls build/fretsight_*.deb
