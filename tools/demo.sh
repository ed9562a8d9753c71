#!/usr/bin/env bash
# Sets up, builds and runs the main job on demo data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cli=build/bin/artikimp-cli
fixtures=${ARTIKIMP_FIXTURES:-../shared/fixtures}
demo=demo
rm -rf "$demo" && mkdir -p "$demo"
cp "$fixtures"/xbase/ARTIKEL.dbf "$fixtures"/xbase/LA*.cdx "$fixtures"/xbase/MULTI.cdx "$demo"/
chmod u+w "$demo"/*
$cli --version
echo "--- Aufbau der Artikeltabelle mit ihren Indizes"
$cli table info "$demo"/ARTIKEL.dbf "$demo"/LANUM.cdx "$demo"/MULTI.cdx | head -n 12
echo "--- Prüfung aller Indizes gegen die Sätze"
$cli table verify "$demo"/ARTIKEL.dbf "$demo"/LANUM.cdx "$demo"/LANAM.cdx "$demo"/LALIEF.cdx \
  "$demo"/LAGRUP.cdx "$demo"/LAFAV1.cdx "$demo"/MULTI.cdx
echo "--- Die ersten Artikel in Nummernfolge"
$cli table dump "$demo"/ARTIKEL.dbf --index "$demo"/LANUM.cdx --tag LANUM | head -n 5 | cut -c1-120
