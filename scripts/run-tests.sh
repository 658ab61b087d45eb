#!/bin/sh
# Configures, builds and tests every preset: native, native-asan, windows.
# Fails when any step of any preset fails; the output ends with the test
# summary of the last preset.
set -u
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1

status=0
for preset in native native-asan windows; do
    echo "==== preset $preset ===="
    if ! cmake --preset "$preset"; then
        echo "==== preset $preset: configure failed ====" >&2
        status=1
        continue
    fi
    if ! cmake --build --preset "$preset"; then
        echo "==== preset $preset: build failed ====" >&2
        status=1
        continue
    fi
    if ! ctest --preset "$preset"; then
        status=1
    fi
done
exit $status
