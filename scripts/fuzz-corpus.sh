#!/bin/sh
# Folds what exploring runs found (build/fuzz/corpus/<target>) into the
# committed corpus fuzz/corpus/<target>: libFuzzer's merge keeps the smallest
# set of inputs that adds to the coverage of the seeds and the saved
# regressions what the committed corpus and the new inputs reach. The test run starts
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
    # The seeds and the regressions go in first and out again afterwards:
    # every run has them anyway, so the corpus keeps only what they miss.
    for f in "$out/seeds/$t"/* "fuzz/regressions/$t"/*; do
        [ -f "$f" ] && cp "$f" "$new/given-$(basename "$f")"
    done
    if "$out/bin/fuzz_$t" -merge=1 -timeout=10 -rss_limit_mb=2048 -max_len=40000 \
            "$new" "fuzz/corpus/$t" "$out/corpus/$t" >"$out/merge/$t.log" 2>&1; then
        rm -f "$new"/given-*
        rm -rf "fuzz/corpus/$t"
        mv "$new" "fuzz/corpus/$t"
        echo "fuzz/corpus/$t: $(ls "fuzz/corpus/$t" | wc -l) inputs, $(du -sb "fuzz/corpus/$t" | cut -f1) bytes"
    else
        echo "fuzz-corpus.sh: merge of $t failed, see $out/merge/$t.log" >&2
        status=1
    fi
done
exit $status
