#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan + UBSan + libFuzzer) in build-fuzz/
# and runs each for a bounded time (seconds, default 60) from the seed corpus.
# Findings land in fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DQV_BUILD_FUZZ=ON -DQV_BUILD_TESTS=OFF \
  -DQV_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined" >/dev/null
cmake --build build-fuzz --target fuzz_dbf fuzz_memo fuzz_expression fuzz_index fuzz_layout
mkdir -p fuzz/findings
status=0
for target in dbf memo expression index layout; do
  work="build-fuzz/corpus-$target"
  mkdir -p "$work"
  echo "== fuzz_$target for ${seconds}s"
  # Fontconfig keeps its caches to the end of the process: no leak check where fonts are used.
  extra=()
  leaks=1
  if [ "$target" = layout ]; then extra=(-detect_leaks=0); leaks=0; fi
  ASAN_OPTIONS="detect_leaks=$leaks" build-fuzz/fuzz/fuzz_$target "$work" "fuzz/corpus/$target" "${extra[@]}" \
    -max_total_time="$seconds" \
    -artifact_prefix="fuzz/findings/$target-" -max_len=65536 -timeout=10 -print_final_stats=1 2>&1 \
    | grep -E "^(==|#[0-9]+ *DONE|stat::number_of_executed_units|SUMMARY|ERROR)" || true
  if ls fuzz/findings/$target-* >/dev/null 2>&1; then status=1; fi
done
exit $status
