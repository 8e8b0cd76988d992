#!/usr/bin/env bash
# Sets up, builds and runs the varnex host on the shipped examples (the README's first command).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNEX_BUILD_TESTS=OFF \
  -DVARNEX_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target varnex_cli

varnex=build/release/bin/varnex
$varnex --version
echo "--- varnex config examples/varnex.cfg Paths"
$varnex config examples/varnex.cfg Paths
