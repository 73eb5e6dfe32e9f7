#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks and runs them: the in-process ones on the offscreen
# platform, then start-up on a real X server (Xvfb, no window manager),
# FretSight against a one-label Qt window, RUNS pairs (default 21).
# Usage: bench.sh [RUNS] [PROGRAM]   (PROGRAM defaults to the bench build)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$(nproc)" >/dev/null
program=$(realpath "${2:-build-bench/fretsight}")
echo "== $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(nproc) cores; Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)"
build-bench/bench/fretsight_bench --benchmark_min_time=0.2
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1280x1024x24" \
  build-bench/bench/onscreen_bench "$runs" "$(realpath build-bench/bench/baseline_window)" "$program"
