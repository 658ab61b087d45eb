#!/bin/sh
# Rewrites the expected page texts from the built tool, every page, dialog
# and panel of the controls table in its order:
#   tests/ui/pages/regenerate.sh [build/native/bin/zr51a]
set -e
here=$(dirname "$0")
tool=${1:-$here/../../../build/native/bin/zr51a}
pages=$(awk '$1 == "page" || $1 == "dialog" || $1 == "panel" { print $3 }' "$here/../../../src/ui/tables/controls.tbl")
for model in ZRC4500 ZRM1200 ZRT2300; do
    out=$here/$model.txt
    : > "$out"
    for page in $pages; do
        "$tool" page show --model "$here/../../../data/models/$model.RDF" "$page" >> "$out"
    done
done
