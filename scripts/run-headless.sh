#!/bin/sh
# Runs the program on a virtual X server with a small tray bar, saves a screenshot and ends.
# Usage: run-headless.sh DIST_DIR SCREENSHOT
set -u
dist=$1
shot=$2
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR="$runtime"
command -v trayer >/dev/null && trayer --edge bottom --align right --widthtype pixel --width 120 \
    --height 28 --transparent true --alpha 0 --tint 0x202028 &
sleep 1
"$dist/korvane-config" &
app=$!
sleep 4
import -window root "$shot"
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
pkill -P $$ trayer 2>/dev/null
rm -rf "$runtime"
echo "Screenshot saved to $shot"
