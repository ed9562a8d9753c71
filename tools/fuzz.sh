#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: tools/fuzz.sh [SECONDS_PER_TARGET]   (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-20}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DARTIKIMP_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2
shopt -s nullglob
for f in build-fuzz/fuzz/*_fuzz; do
  name=$(basename "$f")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=tests/fuzz/seeds/$name
  [ -d "$seeds" ] || seeds=
  echo "fuzzing $name for ${secs}s"
  "$f" -max_total_time="$secs" -rss_limit_mb=2048 -print_final_stats=0 "$corpus" $seeds 2>&1 | tail -n 3
done
