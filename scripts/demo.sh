#!/usr/bin/env bash
# Sets up, builds (release) and runs the feature demo (the README's first command): every shipped
# feature is built with its defaults and with one parameter changed; a table is printed and a
# STEP file and a picture of each instance are written to ./varnex-demo. Then the example session
# builds a plate with holes and a boss as a feature tree, prints the tree (and draws it as
# ./varnex-demo/plate_tree.svg when Graphviz is installed) and saves the model as
# ./varnex-demo/plate.VNX; a second session loads that package and prints the same volume.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNEX_BUILD_TESTS=OFF \
  -DVARNEX_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target varnex_cli

varnex=build/release/bin/varnex
$varnex --version
NOVLPath="$PWD/features/" $varnex demo varnex-demo
echo
echo "A feature tree: varnex session examples/plate.vxs"
root=$PWD
(cd varnex-demo && { cat "$root/examples/plate.vxs"; echo "tree -o plate_tree.dot"; } |
  NOVLPath="$root/features/" "$root/$varnex" session)
echo
echo "The saved model loaded again: load plate.VNX, tree, volume plate_@1"
(cd varnex-demo && printf 'load plate.VNX\ntree\nvolume plate_@1\n' |
  NOVLPath="$root/features/" "$root/$varnex" session)
