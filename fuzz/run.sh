#!/bin/sh
# Runs every fuzz target built in BUILD_DIR (make fuzz) for SECONDS each, over a copy of its seeds in
# fuzz/corpus/<target>/, and prints the inputs run per target. A crash, a sanitizer finding or a property
# that fails stops that target; its input is kept in BUILD_DIR/fuzz-runs/<target>/ and named at the end,
# to go into fuzz/regressions/<target>/ once mended. The run fails when any target failed.
set -u
build=${1:?usage: fuzz/run.sh BUILD_DIR SECONDS}
seconds=${2:?usage: fuzz/run.sh BUILD_DIR SECONDS}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
runs="$build/fuzz-runs"
failed=""
summary=""

# Leaks are findings too; only Qt's own allocations for the life of the process are let pass.
export LSAN_OPTIONS="suppressions=$source_dir/tools/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

for target in $(ls "$source_dir/fuzz/corpus"); do
    binary="$build/fuzz/$target"
    if [ ! -x "$binary" ]; then
        echo "fuzz: $target was not built"
        failed="$failed $target"
        continue
    fi
    work="$runs/$target"
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/tmp"
    cp "$source_dir/fuzz/corpus/$target/"* "$work/corpus/"
    # The settings files' targets mutate with the keys and syntax of the files they read.
    case $target in
    fuzz_battery_* | fuzz_echo | fuzz_discovery | fuzz_osd_record) dictionary="" ;;
    *) dictionary="-dict=$source_dir/fuzz/settings.dict" ;;
    esac
    echo "fuzz: $target for $seconds s"
    # Each input's settings tree goes to a temporary folder of the run's own.
    TMPDIR="$work/tmp" "$binary" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
        -artifact_prefix="$work/" $dictionary "$work/corpus" >"$work/log" 2>&1
    status=$?
    runs_done=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
    if [ $status -ne 0 ]; then
        failed="$failed $target"
        tail -n 40 "$work/log"
        summary="$summary$(printf '%-22s %10s inputs  FAILED: %s' "$target" "${runs_done:-?}" \
            "$(ls "$work"/crash-* "$work"/timeout-* "$work"/leak-* "$work"/oom-* 2>/dev/null | tr '\n' ' ')")
"
    else
        summary="$summary$(printf '%-22s %10s inputs' "$target" "${runs_done:-?}")
"
    fi
done

printf '\n%s' "$summary"
if [ -n "$failed" ]; then
    echo "fuzz: failed:$failed (logs in $runs/<target>/log)"
    exit 1
fi
echo "fuzz: every target ran $seconds s without a finding"
