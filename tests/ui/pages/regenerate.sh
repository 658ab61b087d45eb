#!/bin/sh
# Rewrites the expected page texts from the built tool:
#   tests/ui/pages/regenerate.sh [build/native/bin/zr51a]
set -e
here=$(dirname "$0")
tool=${1:-$here/../../../build/native/bin/zr51a}
for model in ZRC4500 ZRM1200 ZRT2300; do
    out=$here/$model.txt
    : > "$out"
    for page in BASIC BASIC_MONO FAVORITES LAYOUT FINISHING IMAGE IMAGE_TWO_INK ADVANCED ENVIRONMENT \
                ENVIRONMENT_COLOR DIAGNOSTICS TRAY_PER_PAGE_DLG CUSTOM_SIZE_DLG MIXED_DUPLEX_DLG \
                OUTPUT_MODE_DLG OUTPUT_TRAY_DLG USER_PAPER_DLG STORAGE_FOLDER_DLG \
                BARCODE_DENSITY_DLG COLOR_PROFILE_DLG CARBON_COPY_DLG VERSION_DLG PROGRAM_PRINT_DLG \
                FORM_OVERLAY_DLG GAMMA_DLG GAMMA_MONO_DLG \
                ADD_FAVORITE_DLG MANAGE_FAVORITES_DLG RENAME_FAVORITE_DLG IMAGE_POSITION_DLG \
                FOLD_DLG SLIP_SHEET_DLG SIDE_MARGIN_DLG BOOKLET_BINDING_DLG COVER_DLG MAIL_MAKING_DLG \
                PERFECT_BINDING_DLG; do
        "$tool" page show --model "$here/../../../data/models/$model.RDF" "$page" >> "$out"
    done
done
