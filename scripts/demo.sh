#!/usr/bin/env bash
# Installs what is missing, builds, and opens the board on the embedded demo.
# Without a display it renders the demo board to a PNG instead.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The program alone: the tests and benchmarks are test.sh's business.
cmake --build build -j"$(nproc)" --target assi
# The board is Portuguese: show it with Portugal's regional formats when the
# locale is there (install-deps.sh generates it).
if locale -a 2>/dev/null | grep -qx 'pt_PT.utf8'; then export LANG=pt_PT.UTF-8 LC_ALL=pt_PT.UTF-8; fi
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/bin/assi --demo "$@"
fi
out="$PWD/build/demo-board.png"
./build/bin/assi --demo --snapshot "$out" "$@"
echo "Sem ecrã: o quadro de demonstração foi desenhado em $out"
