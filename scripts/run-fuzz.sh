#!/bin/sh
# Builds the fuzz preset and runs every fuzz program for the given number of
# seconds each (default 50), starting from the seeds the driver writes and
# the corpus earlier runs left in build/fuzz/corpus. Fails when a program
# finds a crash, a sanitizer report, a leak or a time-out; the input is then
# in build/fuzz/findings/<target>/. Each program's final statistics line
# (executions, coverage) is printed. The inputs under fuzz/regressions run
# first, every time. ZR_FUZZ_SEED fixes libFuzzer's seed; without it each run
# explores from a seed of its own.
#   scripts/run-fuzz.sh [seconds] [target...]
set -u
cd "$(dirname "$0")/.."
seconds=${1:-50}
[ $# -gt 0 ] && shift
targets=${*:-"caller_devmode stored_devmode model_file snmp_response keyed_record export_file stored_environment model_record"}

cmake --preset fuzz >/dev/null || exit 1
cmake --build --preset fuzz || exit 1
out=build/fuzz
rm -rf "$out/seeds"
"$out/bin/zr51_fuzz_seeds" "$out/seeds" || exit 1

status=0
for t in $targets; do
    mkdir -p "$out/corpus/$t" "$out/findings/$t"
    dict=""
    [ -f "fuzz/dict/$t.dict" ] && dict="-dict=fuzz/dict/$t.dict"
    seed=""
    [ -n "${ZR_FUZZ_SEED:-}" ] && seed="-seed=$ZR_FUZZ_SEED"
    saved=""
    [ -d "fuzz/regressions/$t" ] && saved="fuzz/regressions/$t"
    log="$out/findings/$t/last-run.log"
    # shellcheck disable=SC2086
    nice -n 10 "$out/bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=40000 \
        -print_final_stats=1 -artifact_prefix="$out/findings/$t/" $dict $seed \
        "$out/corpus/$t" "$out/seeds/$t" $saved >"$log" 2>&1
    rc=$?
    stats=$(grep -E "^#[0-9]+.*(DONE|cov:)" "$log" | tail -1)
    execs=$(grep -E "stat::number_of_executed_units" "$log" | awk '{print $2}')
    echo "fuzz $t: exit $rc, ${execs:-?} executions, $stats"
    if [ $rc -ne 0 ]; then
        echo "==== fuzz $t: finding, see $log ====" >&2
        grep -E "ERROR|SUMMARY|runtime error|Test unit written" "$log" | head -10 >&2
        status=1
    fi
done
exit $status
