#!/bin/sh
# Pictures of every page and the main dialogs, in English and German at scale 1.0 and 1.5, each run on a
# virtual X server of its own whose DPI gives the scale (96 and 144 DPI).
# Usage: screenshots.sh SCREENSHOTS_PROGRAM OUTDIR
set -eu
program=$1
out=$2
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime" KORVANE_VIRTUAL_MOUSE=1 QT_QPA_PLATFORM=xcb
rm -rf "$out"
for scale in 1.0:96 1.5:144; do
    for lang in en:0 de:2; do
        xvfb-run -a -s "-screen 0 1920x1200x24 -dpi ${scale#*:}" \
            "$program" "$out/${lang%:*}-${scale%:*}" "${lang#*:}" "${scale%:*}"
    done
done
echo "Screenshots saved to $out"
