#!/usr/bin/env bash
# Builds a Debug tree (build-debug), where Qt's Q_ASSERTs are compiled in, and
# runs every test there: a programmer error that the release build would step
# over fails its test here.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-debug
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DASSI_BUILD_BENCH=OFF -DASSI_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300
