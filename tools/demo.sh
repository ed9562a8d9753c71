#!/usr/bin/env bash
# Sets up, builds and runs the main job on demo data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
build/bin/artikimp-cli --version
