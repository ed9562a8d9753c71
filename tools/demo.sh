#!/usr/bin/env bash
# The main job on demo data: installs what the build needs and builds everything, writes a
# demo installation (program directory, merchandise folder, four supplier files) and imports
# its Datanorm files in the order a new installation needs them: main product groups and
# discount groups first, since the articles name them, then the articles, then the price
# changes for those articles. Each import ends with its summary.
#
#   ARTICLES=1000000 bash tools/demo.sh   # the same with a million articles
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cli=build/bin/artikimp-cli
demo=$PWD/demo
daten=$demo/daten

rm -rf "$demo"
$cli --version
out=$($cli demo "$demo" --articles "${ARTICLES:-500}" 2>&1) || { echo "$out" >&2; exit 1; }
echo "Demo-Installation: $demo"
# --yes answers the questions of an unattended run (customer number, emptying the groups).
run_import() { $cli --home "$demo" --yes import "$@"; }
run_import --kind 1 "$daten/DATANORM.WRG"
run_import --kind 3 "$daten/DATANORM.RAB"
run_import "$daten/DATANORM.001"
run_import --kind 2 "$daten/DATPREIS.001"

echo
echo "Dieselbe Installation im Desktop-Programm:"
echo "  ARTIKIMP_HOME=$demo build/bin/artikimp"
