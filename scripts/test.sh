#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds FretSight with its tests and runs them all;
# then builds and runs the suite again under AddressSanitizer, LeakSanitizer
# and UndefinedBehaviorSanitizer (skip that with SANITIZE=0). FRETSIGHT_SKIP names
# tests to leave out (a regular expression for ctest -E).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --tests
jobs=$(nproc)

cmake --preset tests
cmake --build --preset tests -j "$jobs"
skip=()
[ -n "${FRETSIGHT_SKIP:-}" ] && skip=(-E "$FRETSIGHT_SKIP")
ctest --preset tests "${skip[@]}"

if [ "${SANITIZE:-1}" != 0 ]; then
  cmake --preset sanitize
  cmake --build --preset sanitize -j "$jobs"
  ctest --preset sanitize "${skip[@]}"
fi

# The tests' share of the code, for the record (from git's list of files,
# so not in a chroot without git).
if command -v git >/dev/null && git rev-parse --git-dir >/dev/null 2>&1; then
  bash scripts/count-lines.sh
fi
