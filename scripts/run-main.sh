#!/bin/sh
# The main job: builds the Windows side, installs the demo printer in a
# private Wine prefix, opens its printing preferences and its device sheet as
# an application and the printers folder open them, saves a picture of every
# tab in build/screenshots/, picks two-sided printing and landscape, presses
# OK and prints the settings that changed. Without a display it runs on a
# private Xvfb screen; the sheets sit in a Wine virtual desktop with the
# prefix's default theme and 96 dpi, so the pictures look the same each run.
# --show leaves the sheets open for a person (close them to finish).
set -eu
cd "$(dirname "$0")/.."
show=""
[ "${1:-}" = "--show" ] && show="--show"
scripts/install-deps.sh
if ! command -v Xvfb >/dev/null || ! command -v convert >/dev/null; then
    as_root=""
    [ "$(id -u)" != 0 ] && as_root=sudo
    DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y xvfb imagemagick
fi
cmake --preset windows
cmake --build --preset windows

. scripts/sheet-display.sh

rm -rf build/screenshots
mkdir -p build/screenshots
cd build
"$WINE" explorer /desktop=zr51,1024x768 windows/bin/zr51-show-sheets.exe $show 2>/dev/null | sed 's/\r$//'
"$WINESERVER" -w
for bmp in screenshots/*.bmp; do
    [ -f "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls screenshots
