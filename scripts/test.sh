#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite under AddressSanitizer and
# UndefinedBehaviorSanitizer (the README's second command).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNEX_SANITIZE=ON >/dev/null
cmake --build build/sanitize
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/sanitize --output-on-failure -j "$(nproc)"
