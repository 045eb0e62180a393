#!/bin/sh
# korvanectl apply killed (SIGKILL) at random points, switching between two profiles: afterwards every
# settings file is whole and holds what it held before or what the write stores, the profile list still
# reads, and the next apply succeeds.
# Usage: test_killed_apply.sh DIST_DIR [RUNS] (RUNS 20 unless KORVANE_KILL_RUNS says otherwise)
set -eu
export LC_ALL=C
dist=$(cd "$1" && pwd)
runs=${2:-${KORVANE_KILL_RUNS:-20}}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "test_killed_apply: $*" >&2
    exit 1
}
cp -R "$dist" "$work/app"
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
settings=$work/app/Configs
ctl() {
    env XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen "$work/app/korvanectl" --virtual "$@"
}
ctl profile add Raid >/dev/null || fail "setting up: profile add"

# The content of every settings file after a clean apply of each profile, and after one the mouse did not
# take (Config/Diff stays 1, as a write killed while the mouse is written leaves it): the only contents
# allowed.
# A kill between the two steps of an atomic save leaves the save's temporary ("Raid.prof.eoHXwV") beside the
# file it was to replace. The file itself is whole; the temporary is never read as a profile, so it is left
# out here and checked on its own below.
temporary='.*\.[A-Za-z0-9]{6}'
digests() {
    (cd "$settings" && find . -regextype posix-extended -type f ! -name '*.lock' ! -regex "$temporary" -exec sha256sum {} +) | sort -k 2
}
allowed=$work/allowed
for name in "Profile 1" Raid "Profile 1"; do
    ! KORVANE_VIRTUAL_ASLEEP=1 ctl apply "$name" >/dev/null 2>&1 || fail "setting up: a sleeping mouse took $name"
    digests >>"$allowed"
    ctl apply "$name" >/dev/null || fail "setting up: apply $name"
    digests >>"$allowed"
done

run=0
while [ "$run" -lt "$runs" ]; do
    run=$((run + 1))
    name="Profile 1"
    [ $((run % 2)) -eq 0 ] || name=Raid
    # Half the kills fall while the files are stored, the rest while the mouse is written.
    delay=$(awk -v seed="$run" 'BEGIN { srand(seed); r = rand(); printf "%.3f", r < 0.5 ? r / 5 : r }')
    # Started directly, so that $! is korvanectl itself and not a shell around it.
    env XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen "$work/app/korvanectl" --virtual apply "$name" \
        >/dev/null 2>&1 &
    pid=$!
    sleep "$delay"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    digests | while read -r digest file; do
        grep -q "^$digest  $file\$" "$allowed" || { echo "$file"; break; }
    done >"$work/bad"
    [ ! -s "$work/bad" ] || fail "run $run (killed after ${delay}s): $(cat "$work/bad") holds neither old nor new content"
    ctl profiles >"$work/list" || fail "run $run (killed after ${delay}s): the profile list does not read"
    ! grep -q '\.[A-Za-z0-9]\{6\}$' "$work/list" || fail "run $run: a save's temporary is listed as a profile"
done
ctl apply >/dev/null || fail "the apply after $runs killed ones failed"
# That apply held the lock, so it cleared away what the killed saves left.
left=$(cd "$settings" && find . -regextype posix-extended -type f -regex "$temporary" ! -name '*.lock')
[ -z "$left" ] || fail "the temporaries of killed saves are still there: $left"
echo "test_killed_apply: $runs applies killed at random points left every file whole"
