#!/bin/sh
# The sheet benchmark: builds the Windows side and runs zr51-sheet-bench in
# the main job's Wine prefix on a display (a private Xvfb screen when there
# is none), in the same virtual desktop as the main job. It prints how long
# the printing preferences of a printer that does not answer take to show
# their first page and to switch tabs; it reports and never fails on a
# figure. Usage: scripts/run-sheet-bench.sh [opens] (default 5).
set -eu
cd "$(dirname "$0")/.."
opens="${1:-5}"
scripts/install-deps.sh
if ! command -v Xvfb >/dev/null; then
    as_root=""
    [ "$(id -u)" != 0 ] && as_root=sudo
    DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y xvfb
fi
cmake --preset windows
cmake --build --preset windows --target zr51-sheet-bench

export WINEPREFIX="$PWD/build/windows/wineprefix-sheets"
export WINEARCH=win64 WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
WINE=$(command -v wine64 || command -v wine)
[ -x /usr/lib/wine/wine64 ] && WINE=/usr/lib/wine/wine64 && export WINELOADER="$WINE"
WINESERVER=$(command -v wineserver64 || command -v wineserver || echo /usr/lib/wine/wineserver64)
[ -x /usr/lib/wine/wineserver64 ] && WINESERVER=/usr/lib/wine/wineserver64
export WINESERVER

xvfb=""
if [ -z "${DISPLAY:-}" ]; then
    display=":$((50 + $$ % 40))"
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY="$display"
    sleep 1
fi
cleanup() {
    "$WINESERVER" -k 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

if [ ! -f "$WINEPREFIX/.zr51-initialised" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 || true
    "$WINESERVER" -w
    touch "$WINEPREFIX/.zr51-initialised"
fi

# Wine's own start-up (wineserver, services) is done before the clock runs.
"$WINE" cmd /c exit >/dev/null 2>&1 || true
"$WINE" explorer /desktop=zr51bench,1024x768 build/windows/bin/zr51-sheet-bench.exe "$opens" 2>/dev/null | sed 's/\r$//'
