#!/bin/sh
# Configures, builds and tests every preset: native, native-asan (with
# LeakSanitizer), native-tsan (the test program once, whole, under the thread
# sanitizer), windows; then builds the fuzz preset and runs each fuzz program for
# ZR_FUZZ_SECONDS (default 50) seconds from a fixed seed (ZR_FUZZ_SEED,
# default 1), so that a finding here can be had again from the same commit;
# long exploring runs use scripts/run-fuzz.sh with its random seed. Fails when
# any step of any preset fails or a fuzz program finds anything; the output
# ends with the fuzz summary.
set -u
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1

# Leaks fail the sanitizer run; a report names the test binary's frames.
ASAN_OPTIONS="detect_leaks=1:abort_on_error=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export ASAN_OPTIONS

status=0
for preset in native native-asan native-tsan windows; do
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
    if [ "$preset" = native-tsan ]; then
        # One process for every test: ctest's process per test would start
        # the sanitizer's runtime 500 times. A report fails the run (exit 66).
        if ! (cd build/native-tsan && TSAN_OPTIONS="second_deadlock_stack=1${TSAN_OPTIONS:+:$TSAN_OPTIONS}" \
                ./bin/zr51_tests); then
            echo "==== preset native-tsan: tests failed or a race was reported ====" >&2
            status=1
        fi
    elif ! ctest --preset "$preset"; then
        status=1
    fi
done

echo "==== fuzz ===="
if ! ZR_FUZZ_SEED="${ZR_FUZZ_SEED:-1}" scripts/run-fuzz.sh "${ZR_FUZZ_SECONDS:-50}"; then
    status=1
fi
exit $status
