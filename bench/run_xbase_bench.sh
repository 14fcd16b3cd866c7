#!/usr/bin/env bash
# Runs the engine benchmark at 100 000 and 1 000 000 records, so that peak
# memory can be compared across sizes. Builds first.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target xbase_bench qvdbf
for n in 100000 1000000; do
  build/bench/xbase_bench "$n"
  echo
done
