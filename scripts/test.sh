#!/usr/bin/env bash
# Builds everything, runs every test, then builds and checks the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."
# /usr: the prefix of the package check-package.sh builds from this tree.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DASSI_WERROR=ON -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 300
./scripts/check-package.sh
