#!/bin/sh
# Builds the fuzz preset and runs every fuzz program for the given number of
# seconds each (default 50), starting from the seeds the driver writes, the
# committed corpus (fuzz/corpus/<target>) and the inputs under
# fuzz/regressions. Fails when a program finds a crash, a sanitizer report, a
# leak or a time-out; the input is then in build/fuzz/findings/<target>/.
# Each program's final statistics line (executions, coverage) is printed.
#
# Without ZR_FUZZ_SEED each run explores from a seed of its own and keeps
# what it finds in build/fuzz/corpus/<target>, which the next such run starts
# from as well (scripts/fuzz-corpus.sh folds it into the committed corpus).
# With ZR_FUZZ_SEED the run is the reproducible one of the test run: that
# seed, the committed inputs only, and a working directory emptied first.
# ZR_FUZZ_JOBS (default 1) programs run at a time; ZR_FUZZ_NO_BUILD=1 skips
# the build (the caller built the preset).
#   scripts/run-fuzz.sh [seconds] [target...]
set -u
cd "$(dirname "$0")/.."
seconds=${1:-50}
[ $# -gt 0 ] && shift
targets=${*:-"caller_devmode stored_devmode model_file snmp_response keyed_record export_file stored_environment model_record"}
jobs=${ZR_FUZZ_JOBS:-1}

if [ "${ZR_FUZZ_NO_BUILD:-}" != 1 ]; then
    cmake --preset fuzz >/dev/null || exit 1
    cmake --build --preset fuzz || exit 1
fi
out=build/fuzz
rm -rf "$out/seeds"
"$out/bin/zr51_fuzz_seeds" "$out/seeds" || exit 1

# One program; its summary line goes to $out/findings/<target>/summary, and
# the exit status is 1 on a finding.
fuzz_one() {
    t=$1
    mkdir -p "$out/findings/$t"
    if [ -n "${ZR_FUZZ_SEED:-}" ]; then
        work="$out/run/$t"
        rm -rf "$work"
        seed="-seed=$ZR_FUZZ_SEED"
    else
        work="$out/corpus/$t"
        seed=""
    fi
    mkdir -p "$work"
    dict=""
    [ -f "fuzz/dict/$t.dict" ] && dict="-dict=fuzz/dict/$t.dict"
    inputs=""
    for d in "fuzz/corpus/$t" "fuzz/regressions/$t"; do
        [ -d "$d" ] && inputs="$inputs $d"
    done
    log="$out/findings/$t/last-run.log"
    # shellcheck disable=SC2086
    nice -n 10 "$out/bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=40000 \
        -print_final_stats=1 -artifact_prefix="$out/findings/$t/" $dict $seed \
        "$work" "$out/seeds/$t" $inputs >"$log" 2>&1
    rc=$?
    stats=$(grep -E "^#[0-9]+.*(DONE|cov:)" "$log" | tail -1)
    execs=$(grep -E "stat::number_of_executed_units" "$log" | awk '{print $2}')
    echo "fuzz $t: exit $rc, ${execs:-?} executions, $stats" >"$out/findings/$t/summary"
    if [ $rc -ne 0 ]; then
        {
            echo "==== fuzz $t: finding, see $log ===="
            grep -E "ERROR|SUMMARY|runtime error|Test unit written" "$log" | head -10
        } >>"$out/findings/$t/summary"
        return 1
    fi
    return 0
}

status=0
running=""
count=0
for t in $targets; do
    fuzz_one "$t" &
    running="$running $!"
    count=$((count + 1))
    if [ "$count" -ge "$jobs" ]; then
        for pid in $running; do wait "$pid" || status=1; done
        running=""
        count=0
    fi
done
for pid in $running; do wait "$pid" || status=1; done
for t in $targets; do
    cat "$out/findings/$t/summary"
done
exit $status
