#!/usr/bin/env bash
# Installs what is needed, builds FretSight and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build"
cmake --build "$build" -j "$(nproc)" --target fretsight
exec "$build/fretsight"
