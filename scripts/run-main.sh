#!/bin/sh
# The main job: builds the Windows side, installs the demo printer in a
# private Wine prefix, opens its printing preferences and its device sheet as
# an application and the printers folder open them, saves a picture of every
# tab in build/screenshots/, picks two-sided printing and landscape, presses
# OK and prints the settings that changed. Without a display it runs on a
# private Xvfb screen; the sheets sit in a Wine virtual desktop with the
# prefix's default theme and 96 dpi, so the pictures look the same each run.
# --show leaves the sheets open for a person (close them to finish).
# --lang LANGID shows the sheets in that language (the printers' "LocaleID",
# e.g. 1041 Japanese, 1031 German) and saves the pictures in
# build/screenshots/LANGID/; without it the user's language decides.
set -eu
cd "$(dirname "$0")/.."
show=""
lang=""
while [ $# -gt 0 ]; do
    case "$1" in
        --show) show="--show" ;;
        --lang) [ $# -ge 2 ] || { echo "usage: $0 [--show] [--lang LANGID]" >&2; exit 2; }
                lang="$2"; shift ;;
        *) echo "usage: $0 [--show] [--lang LANGID]" >&2; exit 2 ;;
    esac
    shift
done
scripts/install-deps.sh
if ! command -v Xvfb >/dev/null || ! command -v convert >/dev/null; then
    as_root=""
    [ "$(id -u)" != 0 ] && as_root=sudo
    DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y xvfb imagemagick
fi
cmake --preset windows
cmake --build --preset windows

. scripts/sheet-display.sh

# East Asian words: the dialog font links to "MS UI Gothic", which the IPA P
# Gothic face (fonts-ipafont-gothic) stands in for during such a run only,
# because Wine then takes the linked face's wider average character for the
# dialog units and every page grows.
case "$lang" in
    1028|1041|1042|2052|3076)
        "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'MS UI Gothic' \
            /d IPAPGothic /f >/dev/null 2>&1 || true ;;
    *)
        "$WINE" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'MS UI Gothic' \
            /f >/dev/null 2>&1 || true ;;
esac
"$WINESERVER" -w
# The default run replaces its own pictures and keeps other languages' folders.
shots=build/screenshots${lang:+/$lang}
if [ -n "$lang" ]; then rm -rf "$shots"; else rm -f build/screenshots/*.bmp build/screenshots/*.png; fi
mkdir -p "$shots"
cd build
"$WINE" explorer /desktop=zr51,1024x768 windows/bin/zr51-show-sheets.exe $show ${lang:+--lang "$lang"} 2>/dev/null |
    sed 's/\r$//'
"$WINESERVER" -w
for bmp in "${shots#build/}"/*.bmp; do
    [ -f "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls "${shots#build/}"
