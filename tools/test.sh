#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
(cd build && ctest --output-on-failure -j2)
# The decoders of table files, index pages and expressions under the fuzzer, briefly.
bash tools/fuzz.sh 15
