#!/bin/sh
# Runs a Windows program under Wine with the build's own private prefix,
# headless, creating the prefix on first use.
#
# Carriage returns at line ends are dropped from the program's output, so
# that whatever reads it (ctest's test discovery among others)
# sees plain lines; the exit status is the program's own.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
# The prefix is always the build's own (ZR_WINEPREFIX names another), never
# ~/.wine or a WINEPREFIX the caller's environment happens to carry.
WINEPREFIX="${ZR_WINEPREFIX:-$here/build/windows/wineprefix}"
export WINEPREFIX
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer prompts on a fresh prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
unset DISPLAY WAYLAND_DISPLAY

# The 64-bit loader directly: the distribution's "wine" front end only adds a
# warning about the missing 32-bit half.
if [ -x /usr/lib/wine/wine64 ]; then
    WINE=/usr/lib/wine/wine64
    export WINELOADER="$WINE"
else
    WINE=$(command -v wine64 || command -v wine)
fi
if [ -x /usr/lib/wine/wineserver64 ]; then
    WINESERVER=/usr/lib/wine/wineserver64
else
    WINESERVER=$(command -v wineserver)
fi
export WINESERVER

# First use: create the prefix under a lock, so that concurrent callers wait
# for one initialisation; the marker is written only once wineboot has
# finished and every process of the prefix has ended.
mkdir -p "$WINEPREFIX"
marker="$WINEPREFIX/.zr51-initialised"
if [ ! -f "$marker" ]; then
    (
        flock 9
        if [ ! -f "$marker" ]; then
            # wineboot has been seen to end without writing the registry on a
            # loaded machine; a second or third start from an empty prefix
            # succeeds.
            for attempt in 1 2 3; do
                "$WINE" wineboot -i >"$WINEPREFIX.boot-log" 2>&1 || true
                "$WINESERVER" -w || true
                [ -f "$WINEPREFIX/system.reg" ] && break
                echo "wine-run.sh: wineboot left no registry in $WINEPREFIX (attempt $attempt):" >&2
                tail -n 5 "$WINEPREFIX.boot-log" >&2
                "$WINESERVER" -k 2>/dev/null || true
                rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
                sleep 2
            done
            if [ -f "$WINEPREFIX/system.reg" ]; then
                touch "$marker"
            else
                echo "wine-run.sh: could not initialise $WINEPREFIX" >&2
                exit 1
            fi
        fi
    ) 9>"$WINEPREFIX.lock"
fi

# Headless windows: the null display driver lets tests create windows and
# dialog controls without an X server. Set once per prefix, also in prefixes
# made before this setting existed; it takes effect when the prefix's
# processes have ended.
graphics_marker="$WINEPREFIX/.zr51-null-graphics"
if [ ! -f "$graphics_marker" ]; then
    (
        flock 9
        if [ ! -f "$graphics_marker" ]; then
            "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 &&
                "$WINESERVER" -w && touch "$graphics_marker"
        fi
    ) 9>"$WINEPREFIX.lock"
fi

# The program's output goes through files, not pipes: the prefix's
# background processes (services and the like), started by the program,
# inherit its standard streams and outlive it by seconds, and a pipe would
# keep the caller (ctest) waiting for them.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
"$WINE" "$@" >"$out" 2>"$err" && status=0 || status=$?
sed 's/\r$//' "$out"
sed 's/\r$//' "$err" >&2
exit "$status"
