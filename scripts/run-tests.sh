#!/bin/sh
# Configures, builds and tests every preset, each built once: native,
# native-asan (with LeakSanitizer), native-tsan (the test program under the
# thread sanitizer, in two shards side by side), windows (under Wine, with a
# prefix of its own in build/windows); then the fuzz programs, two at a time,
# ZR_FUZZ_SECONDS (default 40) seconds each from a fixed seed (ZR_FUZZ_SEED,
# default 1) and the committed inputs only, so that the same commit fuzzes the
# same way. The fuzz programs run beside the Windows tests, at a lower
# priority: the Wine tests are serial and leave a core free. Long exploring
# runs use scripts/run-fuzz.sh with its random seed. Fails when any step of
# any preset fails or a fuzz program finds anything; the output ends with the
# fuzz summary and the time of each stage.
set -u
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1

# Leaks fail the sanitizer run; a report names the test binary's frames.
ASAN_OPTIONS="detect_leaks=1:abort_on_error=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export ASAN_OPTIONS

status=0
times=""
started=$(date +%s)
stage_done() {
    now=$(date +%s)
    times="$times
  $1: $((now - started)) s"
    started=$now
}

build() {
    echo "==== preset $1 ===="
    if ! cmake --preset "$1"; then
        echo "==== preset $1: configure failed ====" >&2
        return 1
    fi
    if ! cmake --build --preset "$1"; then
        echo "==== preset $1: build failed ====" >&2
        return 1
    fi
}

# The thread sanitizer's run: the test program itself in two processes, each
# half of the tests (gtest's shards), so both cores work; ctest's process per
# test would start the sanitizer's runtime 500 times. A report fails the run
# (exit 66), and so does a shard still running after 15 minutes, as ctest's
# time-out does for the other presets.
tsan_tests() {
    dir=build/native-tsan
    pids=""
    for shard in 0 1; do
        (cd "$dir" && GTEST_TOTAL_SHARDS=2 GTEST_SHARD_INDEX=$shard \
            TSAN_OPTIONS="second_deadlock_stack=1${TSAN_OPTIONS:+:$TSAN_OPTIONS}" \
            timeout -k 10 900 ./bin/zr51_tests >"tsan-shard-$shard.log" 2>&1) &
        pids="$pids $!"
    done
    rc=0
    shard=0
    for pid in $pids; do
        wait "$pid" || rc=1
        grep -E "^\[  (PASSED|FAILED|SKIPPED) |^\[==========\]|WARNING: ThreadSanitizer|SUMMARY" "$dir/tsan-shard-$shard.log"
        shard=$((shard + 1))
    done
    if [ $rc -ne 0 ]; then
        echo "==== preset native-tsan: tests failed, timed out or a race was reported (build/native-tsan/tsan-shard-*.log) ====" >&2
        for shard in 0 1; do
            grep -E -A20 "^\[  FAILED  \]|WARNING: ThreadSanitizer" "$dir/tsan-shard-$shard.log" | head -60 >&2
        done
    fi
    return $rc
}

for preset in native native-asan native-tsan; do
    if ! build "$preset"; then
        status=1
        stage_done "$preset (build failed)"
        continue
    fi
    stage_done "$preset build"
    if [ "$preset" = native-tsan ]; then
        tsan_tests || status=1
    elif ! ctest --preset "$preset"; then
        status=1
    fi
    stage_done "$preset tests"
done

build windows
windows_built=$?
[ $windows_built -eq 0 ] || status=1
stage_done "windows build"
build fuzz
fuzz_built=$?
[ $fuzz_built -eq 0 ] || status=1
stage_done "fuzz build"

fuzz_pid=""
fuzz_log=build/fuzz/run-tests-fuzz.log
if [ $fuzz_built -eq 0 ]; then
    ZR_FUZZ_SEED="${ZR_FUZZ_SEED:-1}" ZR_FUZZ_JOBS=2 ZR_FUZZ_NO_BUILD=1 \
        scripts/run-fuzz.sh "${ZR_FUZZ_SECONDS:-40}" >"$fuzz_log" 2>&1 &
    fuzz_pid=$!
fi
if [ $windows_built -eq 0 ] && ! ctest --preset windows; then
    status=1
fi
stage_done "windows tests"
echo "==== fuzz ===="
if [ -n "$fuzz_pid" ]; then
    wait "$fuzz_pid" || status=1
    cat "$fuzz_log"
fi
stage_done "fuzz (after the windows tests)"
echo "==== stage times ====$times"
exit $status
