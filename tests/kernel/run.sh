#!/bin/sh
# make test-kernel: korvanectl through the whole Linux path to the mouse: hidapi, hidraw, the HID core and
# a uhid device that stands in for the receiver, in a Debian kernel booted under QEMU.
#
# 1. Builds korvanectl and the installed tree into build-kernel/ (never build/), and uhid_mouse with cc.
# 2. Packs an initramfs: busybox, the kernel's hid/hid-generic/uhid modules with their dependencies,
#    korvanectl with every shared library it loads, the installed tree, uhid_mouse and guest_init.sh.
# 3. Runs the same apply and status on the host against the program's virtual mouse (the reference).
# 4. Boots the kernel with QEMU (TCG, serial console) and reads what the guest printed: two runs, "quiet"
#    and "move" (pointer reports at 1000 Hz on the same hidraw node while korvanectl works).
# 5. Checks each run: list finds the mouse over the receiver, status reports the battery level, the
#    reports the device received for apply equal, report for report, those written to the virtual mouse,
#    and korvanectl wrote every one of them through the kernel unchanged.
# Everything it made stays in build-kernel/kernel-test/ (console.log is the guest's serial console).
set -eu

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
HERE=$ROOT/tests/kernel
BUILD=${KORVANE_KERNEL_BUILD_DIR:-$ROOT/build-kernel}
OUT=$BUILD/kernel-test
GUEST_TIMEOUT=${KORVANE_KERNEL_GUEST_TIMEOUT:-300}
WANTED_MODULES="hid hid-generic uhid"

cannot_run() {
    echo "test-kernel: cannot run: $*; the kernel test did not run" >&2
    exit 1
}

# --- What the test needs from the machine --------------------------------------------------------------
command -v qemu-system-x86_64 >/dev/null 2>&1 || cannot_run "qemu-system-x86_64 is missing (package qemu-system-x86)"
command -v cpio >/dev/null 2>&1 || cannot_run "cpio is missing"
command -v modinfo >/dev/null 2>&1 || cannot_run "modinfo is missing (package kmod)"
command -v cc >/dev/null 2>&1 || cannot_run "cc is missing"
BUSYBOX=/bin/busybox
[ -x "$BUSYBOX" ] || cannot_run "$BUSYBOX is missing (package busybox-static)"
if readelf -l "$BUSYBOX" 2>/dev/null | grep -q INTERP; then
    cannot_run "$BUSYBOX is linked dynamically (package busybox-static is needed)"
fi
KERNEL_VERSION=""
for image in $(ls /boot/vmlinuz-* 2>/dev/null | sort -V); do
    version=${image#/boot/vmlinuz-}
    [ -r "$image" ] && [ -f "/lib/modules/$version/modules.dep" ] && KERNEL_VERSION=$version
done
[ -n "$KERNEL_VERSION" ] || cannot_run "no kernel image with its modules in /boot and /lib/modules (package linux-image-amd64)"
VMLINUZ=/boot/vmlinuz-$KERNEL_VERSION

started=$(date +%s)

# --- Build ---------------------------------------------------------------------------------------------
rm -rf "$OUT"
mkdir -p "$OUT"
echo "test-kernel: building korvanectl in $BUILD"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$OUT/cmake-configure.log" 2>&1 ||
    { cat "$OUT/cmake-configure.log"; exit 1; }
cmake --build "$BUILD" -j 2 --target korvanectl korvane_dist >"$OUT/cmake-build.log" 2>&1 ||
    { tail -50 "$OUT/cmake-build.log"; exit 1; }
DIST=$BUILD/dist
cc -std=c11 -O2 -Wall -Wextra -Werror -static -o "$OUT/uhid_mouse" "$ROOT/tools/uhid-mouse/uhid_mouse.c"

# The receiver's ids, as the program reads them from the description file (decimal, CRLF lines).
description_id() {
    value=$(tr -d '\r' <"$DIST/DefaultProfile.bin" | sed -n "s/^$1=\([0-9][0-9]*\)\$/\1/p" | head -1)
    [ -n "$value" ] || { echo "test-kernel: no $1 in $DIST/DefaultProfile.bin" >&2; exit 1; }
    printf '%04X' "$value"
}
VID=$(description_id vid1)
PID=$(description_id pid1)
echo "test-kernel: receiver $VID:$PID, kernel $KERNEL_VERSION"

# --- Initramfs -----------------------------------------------------------------------------------------
STAGE=$OUT/initramfs
mkdir -p "$STAGE/bin" "$STAGE/proc" "$STAGE/sys" "$STAGE/dev" "$STAGE/tmp" "$STAGE/modules" "$STAGE/opt"
cp "$BUSYBOX" "$STAGE/bin/busybox"
cp "$HERE/guest_init.sh" "$STAGE/init"
chmod 755 "$STAGE/init"
cp "$OUT/uhid_mouse" "$STAGE/uhid_mouse"

# Modules in load order, dependencies first; built-in ones need nothing.
MODULE_ORDER=""
add_module() {
    local name path file dep
    name=$1
    if grep -q "/$(echo "$name" | sed 's/[-_]/[-_]/g')\.ko" "/lib/modules/$KERNEL_VERSION/modules.builtin" 2>/dev/null; then
        return 0
    fi
    path=$(modinfo -k "$KERNEL_VERSION" -n "$name" 2>/dev/null) ||
        cannot_run "the kernel $KERNEL_VERSION has no module $name"
    file=$(basename "$path")
    file=${file%.xz}
    file=${file%.zst}
    file=${file%.gz}
    case " $MODULE_ORDER " in *" $file "*) return 0 ;; esac
    for dep in $(modinfo -k "$KERNEL_VERSION" -F depends "$name" | tr ',' ' '); do
        add_module "$dep"
    done
    case "$path" in
    *.xz) xz -dc "$path" >"$STAGE/modules/$file" ;;
    *.zst) zstd -qdc "$path" >"$STAGE/modules/$file" ;;
    *.gz) gzip -dc "$path" >"$STAGE/modules/$file" ;;
    *) cp "$path" "$STAGE/modules/$file" ;;
    esac
    MODULE_ORDER="$MODULE_ORDER $file"
}
for m in $WANTED_MODULES; do
    add_module "$m"
done
cat >"$STAGE/test.conf" <<EOF
VID=$VID
PID=$PID
MODULES="$MODULE_ORDER"
EOF

# korvanectl and every shared library it loads, at the paths the loader looks in.
ldd "$DIST/korvanectl" >"$OUT/ldd.txt" || cannot_run "ldd failed on korvanectl"
if grep -q "not found" "$OUT/ldd.txt"; then
    cat "$OUT/ldd.txt"
    exit 1
fi
for lib in $(awk '$2 == "=>" && $3 ~ /^\// { print $3 } $1 ~ /^\// { print $1 }' "$OUT/ldd.txt"); do
    mkdir -p "$STAGE$(dirname "$lib")"
    cp -L "$lib" "$STAGE$lib"
done
cp -a "$DIST" "$STAGE/opt/korvane"
(cd "$STAGE" && find . | cpio -o -H newc --quiet) >"$OUT/initramfs.cpio"
echo "test-kernel: initramfs $(du -m "$OUT/initramfs.cpio" | cut -f1) MiB, modules:$MODULE_ORDER"

# --- Reference: the same commands against the program's virtual mouse ----------------------------------
host_ctl() { # NAME ARGS...: korvanectl --virtual in a fresh copy of the installed tree, traced
    name=$1
    shift
    rm -rf "$OUT/host-$name"
    cp -a "$DIST" "$OUT/host-$name"
    mkdir -m 700 -p "$OUT/host-run"
    (cd "$OUT/host-$name" && XDG_RUNTIME_DIR="$OUT/host-run" KORVANE_HID_TRACE="$OUT/host-$name.trace" \
        ./korvanectl --virtual --json "$@" >"$OUT/host-$name.out" 2>&1) ||
        { echo "test-kernel: korvanectl --virtual $* failed:"; cat "$OUT/host-$name.out"; exit 1; }
}
host_ctl apply apply
host_ctl status status

# The 33 bytes of the command reports a trace says were written.
written_commands() {
    awk '$2 == "W" && $4 == "command" { s = $5; for (i = 6; i <= NF; ++i) s = s " " $i; print s }' "$1"
}
# The bytes of the lines with a prefix in uhid_mouse's log.
logged() { # PREFIX FILE
    awk -v p="$1" '$1 == p { s = $2; for (i = 3; i <= NF; ++i) s = s " " $i; print s }' "$2"
}
written_commands "$OUT/host-apply.trace" >"$OUT/expected-apply.txt"
written_commands "$OUT/host-status.trace" >"$OUT/expected-status.txt"
[ -s "$OUT/expected-apply.txt" ] || { echo "test-kernel: the reference apply wrote nothing"; exit 1; }

# --- The guest -----------------------------------------------------------------------------------------
echo "test-kernel: booting $VMLINUZ under QEMU (TCG)"
guest_started=$(date +%s)
guest_rc=0
timeout "$GUEST_TIMEOUT" qemu-system-x86_64 -accel tcg -m 1024 -smp 2 -nographic -no-reboot \
    -kernel "$VMLINUZ" -initrd "$OUT/initramfs.cpio" \
    -append "console=ttyS0 panic=-1 quiet loglevel=3 rdinit=/init" \
    </dev/null >"$OUT/console.log" 2>"$OUT/qemu.err" || guest_rc=$?
guest_seconds=$(($(date +%s) - guest_started))
tr -d '\r' <"$OUT/console.log" >"$OUT/console.txt"
if ! grep -q '^@@DONE$' "$OUT/console.txt"; then
    echo "test-kernel: the guest did not finish (QEMU exit $guest_rc after ${guest_seconds} s); its console:"
    tail -40 "$OUT/console.txt"
    cat "$OUT/qemu.err"
    echo "kernel: 0 passed, 1 failed"
    exit 1
fi
echo "test-kernel: guest ran ${guest_seconds} s"

section() { # NAME: the lines the guest printed between @@BEGIN NAME and @@END NAME
    awk -v n="$1" '$0 == "@@BEGIN " n { on = 1; next } on && index($0, "@@END " n) == 1 { exit } on { print }' \
        "$OUT/console.txt"
}
section_rc() { # NAME: the exit code on the @@END line of a korvanectl section
    sed -n "s/^@@END $1 rc=\([0-9]*\)\$/\1/p" "$OUT/console.txt" | head -1
}

passed=0
failed=0
pass() {
    echo "PASS $*"
    passed=$((passed + 1))
}
fail() {
    echo "FAIL $*"
    failed=$((failed + 1))
}

grep '^@@ERROR' "$OUT/console.txt" && fail "the guest reported errors (above)"

# Where two report sequences differ, and whether the extra reports are rewrites of the one before.
explain_difference() { # EXPECTED ACTUAL
    echo "    expected $(wc -l <"$1") reports, got $(wc -l <"$2")"
    awk 'NR == FNR { e[FNR] = $0; ne = FNR; next }
         { a[FNR] = $0; na = FNR }
         END {
             for (i = 1; i <= na; ++i)
                 if (i > 1 && a[i] == a[i - 1])
                     printf "    report %d repeats report %d (code %s): a rewrite\n", i, i - 1, substr(a[i], 10, 2)
             n = ne < na ? ne : na
             for (i = 1; i <= n; ++i)
                 if (e[i] != a[i]) { printf "    first difference at report %d\n", i; break }
         }' "$1" "$2"
    diff -U 1 --label expected --label received "$1" "$2" | sed 's/^/    /' | head -60 || true
}

# Whether the device's answers reached korvanectl: every answer it logged against every command report
# korvanectl read, and korvanectl's trace around the first report written more often than expected.
explain_answers() { # RUN
    answers=$(grep -c '^IN ' "$OUT/$1-apply.log" || true)
    reads=$(awk '$2 == "R" && $4 == "command"' "$OUT/$1-apply.trace" | wc -l)
    echo "    the device answered $answers times; korvanectl read $reads answers"
    if [ "$answers" -gt "$reads" ]; then
        echo "    $((answers - reads)) answer(s) the device sent never reached korvanectl's reads"
    fi
    first=$(awk 'NR == FNR { e[FNR] = $0; next } e[FNR] != $0 { print FNR; exit }' \
        "$OUT/expected-apply.txt" "$OUT/$1-apply-received.txt")
    [ -n "$first" ] || return 0
    echo "    korvanectl's trace (ms, written or read, command code) around written report $first:"
    awk -v d="$first" '$4 == "command" { if ($2 == "W") ++w
                           if (w >= d - 2 && w <= d + 1) printf "      %9.1f %s %s\n", $1 / 1000, $2, $8 }' \
        "$OUT/$1-apply.trace"
}

check_run() { # RUN
    run=$1
    section "$run list" >"$OUT/$run-list.json"
    section "$run status" >"$OUT/$run-status.json"
    section "$run status-log" >"$OUT/$run-status.log"
    section "$run apply" >"$OUT/$run-apply.json"
    section "$run apply-log" >"$OUT/$run-apply.log"
    section "$run apply-trace" >"$OUT/$run-apply.trace"
    logged OUT "$OUT/$run-status.log" >"$OUT/$run-status-received.txt"
    logged OUT "$OUT/$run-apply.log" >"$OUT/$run-apply-received.txt"
    written_commands "$OUT/$run-apply.trace" >"$OUT/$run-apply-written.txt"

    if [ "$(section_rc "$run list")" = 0 ] &&
        grep -q "\"connection\":\"receiver\"" "$OUT/$run-list.json" &&
        grep -q "\"commandPath\":\"/dev/hidraw[0-9]*\"" "$OUT/$run-list.json"; then
        pass "$run list: the mouse is found over the receiver: $(cat "$OUT/$run-list.json")"
    else
        fail "$run list (exit $(section_rc "$run list")): $(cat "$OUT/$run-list.json")"
    fi

    if [ "$(section_rc "$run status")" = 0 ] && grep -q '"level":70,' "$OUT/$run-status.json" &&
        grep -q '"charging":false' "$OUT/$run-status.json"; then
        pass "$run status: battery level 70 from raw 960: $(cat "$OUT/$run-status.json")"
    else
        fail "$run status (exit $(section_rc "$run status")): $(cat "$OUT/$run-status.json")"
    fi
    if cmp -s "$OUT/expected-status.txt" "$OUT/$run-status-received.txt"; then
        pass "$run status request: the device received the report the virtual mouse was sent"
    else
        fail "$run status request: the device received other reports than the virtual mouse was sent:"
        explain_difference "$OUT/expected-status.txt" "$OUT/$run-status-received.txt"
    fi

    if [ "$(section_rc "$run apply")" != 0 ]; then
        fail "$run apply exited $(section_rc "$run apply"): $(cat "$OUT/$run-apply.json")"
    fi
    if cmp -s "$OUT/expected-apply.txt" "$OUT/$run-apply-received.txt"; then
        pass "$run apply: the device received the $(wc -l <"$OUT/expected-apply.txt") reports written to the virtual mouse, in order"
    else
        fail "$run apply: the device did not receive the reports written to the virtual mouse:"
        explain_difference "$OUT/expected-apply.txt" "$OUT/$run-apply-received.txt"
        explain_answers "$run"
    fi
    # What korvanectl wrote must reach the device unchanged, whatever it decided to write.
    if [ -s "$OUT/$run-apply-written.txt" ] && cmp -s "$OUT/$run-apply-written.txt" "$OUT/$run-apply-received.txt"; then
        pass "$run apply: all $(wc -l <"$OUT/$run-apply-written.txt") reports korvanectl wrote reached the device unchanged"
    else
        fail "$run apply: the reports korvanectl traced as written differ from those the device received:"
        explain_difference "$OUT/$run-apply-written.txt" "$OUT/$run-apply-received.txt"
    fi
}

check_run quiet

pointer_reports=$(section "move pointer" | grep -c '^01 ' || true)
if [ "$pointer_reports" -ge 8 ]; then
    pass "move: pointer reports reach the hidraw node ($pointer_reports of 8 read were report 0x01)"
else
    fail "move: pointer reports did not reach the hidraw node: $(section "move pointer" | tr '\n' '|')"
fi
section "move apply-log" | grep "^# pointer reports sent" | sed "s/^# /     move: /" || true
check_run move

echo "test-kernel: $((($(date +%s) - started))) s in all (guest ${guest_seconds} s); files in $OUT"
echo "kernel: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
