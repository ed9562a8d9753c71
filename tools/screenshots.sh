#!/usr/bin/env bash
# Saves screenshots of the desktop program into docs/screenshots/: the main window, the
# settings dialog, the information box, the group browser, its print preview and the
# discount-group editor, and the progress dialog during an article import. The program runs
# under Xvfb on a program directory prepared here, with the sample tables of the fixtures,
# exactly as a user starts it; the import runs on a demo installation made by artikimp-cli.
# Usage: tools/screenshots.sh            (BUILD_DIR selects the build folder, default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target artikimp artikimp-cli -j2 >/dev/null

home=$(mktemp -d)
demo=$(mktemp -d)
trap 'rm -rf "$home" "$demo"' EXIT
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

# The command-line program's chatter is shown only when a step fails.
quietly() {
  local log
  log=$("$@" 2>&1) || { printf '%s\n' "$log" >&2; return 1; }
}
# The demo installation with its group files read in, so that the article import runs
# without errors; the article file is long enough for the run to outlast the picture.
cli="$build/bin/artikimp-cli"
quietly "$cli" demo "$demo" --articles 100000
quietly "$cli" --home "$demo" --yes import --kind 1 "$demo/daten/DATANORM.WRG"
quietly "$cli" --home "$demo" --yes import --kind 3 "$demo/daten/DATANORM.RAB"

out=docs/screenshots
mkdir -p "$out"
screen=(xvfb-run -a -s "-screen 0 1280x900x24 -dpi 96")
for tour in --screenshots --browser-screenshots; do
  ARTIKIMP_HOME="$home" "${screen[@]}" "$build/bin/artikimp" "$tour" "$PWD/$out"
done
ARTIKIMP_HOME="$demo" "${screen[@]}" "$build/bin/artikimp" \
  --progress-screenshot "$demo/daten/DATANORM.001" "$PWD/$out"
ls -l "$out"
