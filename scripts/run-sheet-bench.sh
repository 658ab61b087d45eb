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

. scripts/sheet-display.sh

# Wine's own start-up (wineserver, services) is done before the clock runs.
"$WINE" cmd /c exit >/dev/null 2>&1 || true
"$WINE" explorer /desktop=zr51bench,1024x768 build/windows/bin/zr51-sheet-bench.exe "$opens" 2>/dev/null | sed 's/\r$//'
