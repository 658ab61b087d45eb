#!/bin/sh
# Folds what exploring runs found (build/fuzz/corpus/<target>) into the
# committed corpus fuzz/corpus/<target>: libFuzzer's merge keeps the smallest
# set of inputs that reaches the coverage of the committed corpus, the seeds,
# the saved regressions and the new inputs together. The test run starts
# from the result. Run after scripts/run-fuzz.sh; commit fuzz/corpus.
#   scripts/fuzz-corpus.sh [target...]
set -u
cd "$(dirname "$0")/.."
targets=${*:-"caller_devmode stored_devmode model_file snmp_response keyed_record export_file stored_environment model_record"}
out=build/fuzz
[ -d "$out/seeds" ] || "$out/bin/zr51_fuzz_seeds" "$out/seeds" || exit 1
status=0
for t in $targets; do
    new="$out/merge/$t"
    rm -rf "$new"
    mkdir -p "$new" "fuzz/corpus/$t" "$out/corpus/$t"
    saved=""
    [ -d "fuzz/regressions/$t" ] && saved="fuzz/regressions/$t"
    # shellcheck disable=SC2086
    if "$out/bin/fuzz_$t" -merge=1 -timeout=10 -rss_limit_mb=2048 -max_len=40000 \
            "$new" "fuzz/corpus/$t" "$out/corpus/$t" "$out/seeds/$t" $saved >"$out/merge/$t.log" 2>&1; then
        rm -rf "fuzz/corpus/$t"
        mv "$new" "fuzz/corpus/$t"
        echo "fuzz/corpus/$t: $(ls "fuzz/corpus/$t" | wc -l) inputs, $(du -sk "fuzz/corpus/$t" | cut -f1) KiB"
    else
        echo "fuzz-corpus.sh: merge of $t failed, see $out/merge/$t.log" >&2
        status=1
    fi
done
exit $status
