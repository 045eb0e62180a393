#!/bin/sh
# make test-kernel: korvanectl list, status and apply through hidapi, hidraw and the HID core of a Debian
# kernel booted under QEMU, against uhid_mouse standing in for the receiver (guest_init.sh), once quiet and
# once with pointer reports at 1000 Hz on the same node. The device must receive, report for report, what
# korvanectl --virtual writes to the virtual mouse on the host, and all korvanectl wrote, unchanged.
# Builds into build-kernel/ (never build/); its files stay in build-kernel/kernel-test/.
set -eu

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${KORVANE_KERNEL_BUILD_DIR:-$ROOT/build-kernel}
OUT=$BUILD/kernel-test
DIST=$BUILD/dist
STAGE=$OUT/initramfs
BUSYBOX=/bin/busybox

cannot_run() { echo "test-kernel: cannot run: $*; the kernel test did not run" >&2; exit 1; }

for need in qemu-system-x86_64:qemu-system-x86 cpio:cpio modinfo:kmod cc:gcc; do
    command -v "${need%:*}" >/dev/null 2>&1 || cannot_run "${need%:*} is missing (package ${need#*:})"
done
if [ ! -x "$BUSYBOX" ] || readelf -l "$BUSYBOX" 2>/dev/null | grep -q INTERP; then
    cannot_run "$BUSYBOX is missing or linked dynamically (package busybox-static)"
fi
KERNEL_VERSION=""
for image in $(ls /boot/vmlinuz-* 2>/dev/null | sort -V); do
    version=${image#/boot/vmlinuz-}
    [ -r "$image" ] && [ -f "/lib/modules/$version/modules.dep" ] && KERNEL_VERSION=$version
done
[ -n "$KERNEL_VERSION" ] || cannot_run "no kernel image with its modules in /boot and /lib/modules (package linux-image-amd64)"
VMLINUZ=/boot/vmlinuz-$KERNEL_VERSION
started=$(date +%s)

rm -rf "$OUT"
mkdir -p "$STAGE/bin" "$STAGE/proc" "$STAGE/sys" "$STAGE/dev" "$STAGE/tmp" "$STAGE/modules" "$STAGE/opt"
echo "test-kernel: building korvanectl in $BUILD"
{ cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
    cmake --build "$BUILD" -j 2 --target korvanectl korvane_dist; } >"$OUT/cmake.log" 2>&1 ||
    { tail -50 "$OUT/cmake.log"; exit 1; }
cc -std=c11 -O2 -Wall -Wextra -Werror -static -o "$STAGE/uhid_mouse" "$ROOT/tools/uhid-mouse/uhid_mouse.c"

# The receiver's ids, as the program reads them from the description file (decimal, CRLF lines).
description_id() {
    value=$(tr -d '\r' <"$DIST/DefaultProfile.bin" | sed -n "s/^$1=\([0-9][0-9]*\)\$/\1/p" | head -1)
    [ -n "$value" ] || { echo "test-kernel: no $1 in $DIST/DefaultProfile.bin" >&2; exit 1; }
    printf '%04X' "$value"
}
VID=$(description_id vid1)
PID=$(description_id pid1)
echo "test-kernel: receiver $VID:$PID, kernel $KERNEL_VERSION"

# The initramfs: busybox, the modules, korvanectl with every shared library it loads, the installed tree.
cp "$BUSYBOX" "$STAGE/bin/busybox"
install -m 755 "$ROOT/tests/kernel/guest_init.sh" "$STAGE/init"
MODULE_ORDER=""
add_module() { # NAME: the module after those it depends on; built-in ones need nothing
    local name="$1" path file dep
    grep -q "/$(echo "$name" | sed 's/[-_]/[-_]/g')\.ko" "/lib/modules/$KERNEL_VERSION/modules.builtin" 2>/dev/null &&
        return 0
    path=$(modinfo -k "$KERNEL_VERSION" -n "$name" 2>/dev/null) ||
        cannot_run "the kernel $KERNEL_VERSION has no module $name"
    file=$(basename "$path" | sed 's/\.\(xz\|zst\|gz\)$//')
    case " $MODULE_ORDER " in *" $file "*) return 0 ;; esac
    for dep in $(modinfo -k "$KERNEL_VERSION" -F depends "$name" | tr ',' ' '); do
        add_module "$dep"
    done
    case "$path" in
    *.xz) xz -dc "$path" ;;
    *.zst) zstd -qdc "$path" ;;
    *.gz) gzip -dc "$path" ;;
    *) cat "$path" ;;
    esac >"$STAGE/modules/$file"
    MODULE_ORDER="$MODULE_ORDER $file"
}
for m in hid hid-generic uhid; do
    add_module "$m"
done
printf 'VID=%s\nPID=%s\nMODULES="%s"\n' "$VID" "$PID" "$MODULE_ORDER" >"$STAGE/test.conf"
if ! ldd "$DIST/korvanectl" >"$OUT/ldd.txt" || grep "not found" "$OUT/ldd.txt"; then
    cannot_run "ldd cannot find every library of korvanectl"
fi
for lib in $(awk '$2 == "=>" && $3 ~ /^\// { print $3 } $1 ~ /^\// { print $1 }' "$OUT/ldd.txt"); do
    mkdir -p "$STAGE$(dirname "$lib")"
    cp -L "$lib" "$STAGE$lib"
done
cp -a "$DIST" "$STAGE/opt/korvane"
(cd "$STAGE" && find . | cpio -o -H newc --quiet) >"$OUT/initramfs.cpio"
echo "test-kernel: initramfs $(du -m "$OUT/initramfs.cpio" | cut -f1) MiB, modules:$MODULE_ORDER"

# The 33 bytes of the command reports a trace says were written.
written_commands() { awk '$2 == "W" && $4 == "command"' "$1" | cut -d' ' -f5-; }
# The reference: korvanectl --virtual COMMAND in a fresh copy of the installed tree, traced.
host_ctl() {
    cp -a "$DIST" "$OUT/host-$1"
    mkdir -m 700 -p "$OUT/host-run"
    (cd "$OUT/host-$1" && XDG_RUNTIME_DIR="$OUT/host-run" KORVANE_HID_TRACE="$OUT/host-$1.trace" \
        ./korvanectl --virtual --json "$1" >"$OUT/host-$1.out" 2>&1) ||
        { echo "test-kernel: korvanectl --virtual $1 failed:"; cat "$OUT/host-$1.out"; exit 1; }
    written_commands "$OUT/host-$1.trace" >"$OUT/expected-$1.txt"
}
host_ctl apply
host_ctl status
[ -s "$OUT/expected-apply.txt" ] || { echo "test-kernel: the reference apply wrote nothing"; exit 1; }

echo "test-kernel: booting $VMLINUZ under QEMU (TCG)"
guest_started=$(date +%s)
guest_rc=0
timeout "${KORVANE_KERNEL_GUEST_TIMEOUT:-300}" qemu-system-x86_64 -accel tcg -m 1024 -smp 2 -nographic \
    -no-reboot -kernel "$VMLINUZ" -initrd "$OUT/initramfs.cpio" \
    -append "console=ttyS0 panic=-1 quiet loglevel=3 rdinit=/init" \
    </dev/null >"$OUT/console.log" 2>"$OUT/qemu.err" || guest_rc=$?
guest_seconds=$(($(date +%s) - guest_started))
tr -d '\r' <"$OUT/console.log" >"$OUT/console.txt"
if ! grep -q '^@@DONE$' "$OUT/console.txt"; then
    echo "test-kernel: the guest did not finish (QEMU exit $guest_rc after ${guest_seconds} s); its console:"
    tail -40 "$OUT/console.txt" "$OUT/qemu.err"
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
passed=0 failed=0
pass() { echo "PASS $*" && passed=$((passed + 1)); }
fail() { echo "FAIL $*" && failed=$((failed + 1)); }

grep '^@@ERROR' "$OUT/console.txt" && fail "the guest reported errors (above)"

# Where two report sequences part (a repeated report is a rewrite).
explain_difference() { # EXPECTED ACTUAL
    echo "    expected $(wc -l <"$1") reports, got $(wc -l <"$2")"
    diff -U 1 --label expected --label received "$1" "$2" | sed 's/^/    /' | head -60 || true
}

# Whether the device's answers reached korvanectl, and korvanectl's trace around the first report that
# differs from the reference.
explain_answers() { # RUN
    answers=$(grep -c '^IN ' "$OUT/$1-apply-log.txt" || true)
    reads=$(awk '$2 == "R" && $4 == "command"' "$OUT/$1-apply-trace.txt" | wc -l)
    echo "    the device answered $answers times; korvanectl read $reads answers"
    first=$(awk 'NR == FNR { e[FNR] = $0; next } e[FNR] != $0 { print FNR; exit }' \
        "$OUT/expected-apply.txt" "$OUT/$1-apply-received.txt")
    [ -n "$first" ] || return 0
    echo "    korvanectl's trace (ms, written or read, command code) around written report $first:"
    awk -v d="$first" '$4 == "command" { if ($2 == "W") ++w
                           if (w >= d - 2 && w <= d + 1) printf "      %9.1f %s %s\n", $1 / 1000, $2, $8 }' \
        "$OUT/$1-apply-trace.txt"
}

# PASS when the device received the EXPECTED reports (one a line), else FAIL with where they part.
same_reports() { # EXPECTED RECEIVED WHAT
    if [ -s "$1" ] && cmp -s "$1" "$2"; then
        pass "$3: $(wc -l <"$1") of $(wc -l <"$1") reports received, in order"
    else
        fail "$3: the device received other reports:"
        explain_difference "$1" "$2"
        return 1
    fi
}

check_run() { # RUN
    run=$1
    for part in list status status-log apply apply-log apply-trace; do
        section "$run $part" >"$OUT/$run-$part.txt"
    done
    list=$(cat "$OUT/$run-list.txt")
    status=$(cat "$OUT/$run-status.txt")
    for part in status apply; do # the bytes of the reports uhid_mouse logged as received
        grep '^OUT ' "$OUT/$run-$part-log.txt" | cut -d' ' -f2- >"$OUT/$run-$part-received.txt" || true
    done
    written_commands "$OUT/$run-apply-trace.txt" >"$OUT/$run-apply-written.txt"

    if [ "$(section_rc "$run list")" = 0 ] && echo "$list" | grep -q '"connection":"receiver"' &&
        echo "$list" | grep -q '"commandPath":"/dev/hidraw[0-9]*"'; then
        pass "$run list: the mouse is found over the receiver: $list"
    else
        fail "$run list (exit $(section_rc "$run list")): $list"
    fi
    if [ "$(section_rc "$run status")" = 0 ] && echo "$status" | grep -q '"level":70,' &&
        echo "$status" | grep -q '"charging":false'; then
        pass "$run status: battery level 70 from raw 960: $status"
    else
        fail "$run status (exit $(section_rc "$run status")): $status"
    fi
    same_reports "$OUT/expected-status.txt" "$OUT/$run-status-received.txt" \
        "$run status request, as the virtual mouse received it" || true
    [ "$(section_rc "$run apply")" = 0 ] || fail "$run apply exited $(section_rc "$run apply"): $(cat "$OUT/$run-apply.txt")"
    same_reports "$OUT/expected-apply.txt" "$OUT/$run-apply-received.txt" \
        "$run apply, as the virtual mouse received it" ||
        explain_answers "$run"
    # What korvanectl wrote must reach the device unchanged, whatever it decided to write.
    same_reports "$OUT/$run-apply-written.txt" "$OUT/$run-apply-received.txt" \
        "$run apply, as korvanectl traced it written" || true
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

echo "test-kernel: $(($(date +%s) - started)) s in all (guest ${guest_seconds} s); files in $OUT"
echo "kernel: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
