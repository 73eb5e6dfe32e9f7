#!/usr/bin/env bash
# Installs what is needed, builds FretSight with its tests and runs them all;
# then builds and runs the whole suite again under AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer (skip that with SANITIZE=0).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${BUILD_DIR:-build}
jobs=$(nproc)

cmake -S . -B "$build" -DFRETSIGHT_BUILD_TESTS=ON
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure

if [ "${SANITIZE:-1}" != 0 ]; then
  cmake -S . -B "$build-sanitize" -DFRETSIGHT_BUILD_TESTS=ON -DFRETSIGHT_SANITIZE=ON \
    -DCMAKE_BUILD_TYPE=Debug
  cmake --build "$build-sanitize" -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir "$build-sanitize" --output-on-failure
fi
