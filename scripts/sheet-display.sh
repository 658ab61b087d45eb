# Sourced by the scripts that show the sheets (run-main.sh, run-sheet-bench.sh):
# Wine's 64-bit loader and server for the sheets' own prefix (the prefix's
# default theme, 96 dpi), a private Xvfb screen when there is no display,
# and both ended when the calling script exits.
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
