#!/usr/bin/env bash
# Runs the index benchmark at 100 000 and 1 000 000 records. Builds first.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target index_bench qvdbf
for n in 100000 1000000; do
  build/bench/index_bench "$n"
  echo
done
