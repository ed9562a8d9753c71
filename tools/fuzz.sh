#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: tools/fuzz.sh [SECONDS_PER_TARGET]   (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-20}
fixtures=${ARTIKIMP_FIXTURES:-../shared/fixtures}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DARTIKIMP_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target fuzzers
for f in build-fuzz/fuzz/*_fuzz; do
  name=$(basename "$f")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "tests/fuzz/seeds/$name" ] && seeds+=("tests/fuzz/seeds/$name")
  # The genuine tables and indexes make good starting points for the file decoders.
  [[ $name != expr_* && -d $fixtures/xbase ]] && seeds+=("$fixtures/xbase" "$fixtures/foxpro")
  echo "fuzzing $name for ${secs}s"
  "$f" -max_total_time="$secs" -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "${seeds[@]}" 2>&1 |
    grep -E "^(stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)" || true
  # A crash leaves a crash-* or leak-* file behind.
  if ls crash-* leak-* timeout-* oom-* >/dev/null 2>&1; then
    echo "fuzzing $name found a failing input"; exit 1
  fi
done
