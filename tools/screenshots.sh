#!/usr/bin/env bash
# Saves screenshots of the desktop program into docs/screenshots/: the main window, the
# settings dialog, the information box, the group browser, its print preview and the
# discount-group editor. The program runs under Xvfb on a program directory prepared here,
# with the sample tables of the fixtures, exactly as a user starts it.
# Usage: tools/screenshots.sh            (BUILD_DIR selects the build folder, default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target artikimp -j2 >/dev/null

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cp resources/Datanorm.hlp "$home/"
fixtures=${ARTIKIMP_FIXTURES:-../shared/fixtures}
cp "$fixtures"/xbase/DNORM*.dbf "$fixtures"/xbase/DNORM*.cdx "$home/"
chmod u+w "$home"/DNORM*
# Settings as a customer would have them.
printf '%s\r\n' \
  '[Voreinstellungen]' \
  'Pfad=/srv/warenwirtschaft/daten/' \
  'Index=J' \
  'Lieferant=70011' \
  'Mwst=19.00' \
  'Ean=4' \
  'Loeschen=2' \
  'nur Preis 2/3/4/5=1' >"$home/ARTIKIMP.INI"

out=docs/screenshots
mkdir -p "$out"
for tour in --screenshots --browser-screenshots; do
  ARTIKIMP_HOME="$home" xvfb-run -a -s "-screen 0 1280x900x24 -dpi 96" \
    "$build/bin/artikimp" "$tour" "$PWD/$out"
done
ls -l "$out"
