#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each on its corpus for
# VARNEX_FUZZ_SECONDS (20 by default). Run it before every change that touches a reader.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
if ! command -v clang++-14 >/dev/null; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends clang-14
fi
CXX=clang++-14 cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNEX_FUZZ=ON \
  -DVARNEX_FUZZ_SECONDS="${VARNEX_FUZZ_SECONDS:-20}" >/dev/null
cmake --build build/fuzz
ctest --test-dir build/fuzz -L fuzz --output-on-failure
