#!/bin/sh
# Builds the Windows side and shows the default settings that the driver DLL
# produces for a printer installed into the build's private Wine prefix.
# Extra arguments go to the tool (--printer NAME, --convert).
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows
cmake --build --preset windows
exec cmake/wine-run.sh build/windows/bin/zr51-show-defaults.exe "$@"
