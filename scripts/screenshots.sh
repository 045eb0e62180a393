#!/bin/sh
# Pictures of every page and the main dialogs, in English and German at desktop scales 1.0, 1.5 and 2.0,
# each run on a virtual X server of its own whose DPI gives the scale (96, 144 and 192 DPI).
# Usage: screenshots.sh SCREENSHOTS_PROGRAM OUTDIR
set -eu
program=$1
out=$2
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime" KORVANE_VIRTUAL_MOUSE=1 QT_QPA_PLATFORM=xcb
rm -rf "$out"
for scale in 1.0:96 1.5:144 2.0:192; do
    for lang in en:0 de:2; do
        # A desktop says its scale to X11 programs through the Xft.dpi resource; Qt 6 takes its device
        # pixel ratio from it, Qt 5 (and the program's own steps) its logical DPI.
        xvfb-run -a -s "-screen 0 2200x1600x24 -dpi ${scale#*:} -noreset" sh -c \
            'echo "Xft.dpi: $1" | xrdb -nocpp -merge && exec "$2" "$3" "$4" "$5"' sh "${scale#*:}" \
            "$program" "$out/${lang%:*}-${scale%:*}" "${lang#*:}" "${scale%:*}"
    done
done
echo "Screenshots saved to $out"
