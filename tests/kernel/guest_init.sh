#!/bin/busybox sh
# /init of the test machine (see run.sh): runs korvanectl against the receiver uhid_mouse makes, prints every
# result between @@BEGIN and @@END lines on the serial console and powers off.
/bin/busybox --install -s /bin
export PATH=/bin HOME=/tmp LD_LIBRARY_PATH=/lib/x86_64-linux-gnu:/usr/lib/x86_64-linux-gnu
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
# The initramfs has no /dev/console of its own: the console is reached through devtmpfs.
exec </dev/console >/dev/console 2>&1
mount -t tmpfs tmp /tmp
dmesg -n 1
# Qt keeps its runtime files (korvanectl's single-instance lock) here.
export XDG_RUNTIME_DIR=/tmp/run
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
. /test.conf # VID, PID (hex), MODULES (in load order)

section() { # NAME COMMAND...: what the command prints, between markers
    title=$1
    shift
    echo "@@BEGIN $title"
    "$@"
    echo "@@END $title"
}
# NAME FILE: the file between markers when it holds anything.
nonempty() { [ ! -s "$2" ] || section "$1" cat "$2"; }
wait_until() { # COMMAND...: up to 10 s for it to succeed
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
# The hidraw node of the device with our ids, once the HID core has bound it.
receiver_node() {
    grep -lis "^HID_ID=0003:0000$VID:0000$PID\$" /sys/class/hidraw/hidraw*/device/uevent |
        sed -n 's|^/sys/class/hidraw/\([^/]*\)/.*|/dev/\1|p' | head -1
}
node_ready() { node=$(receiver_node) && [ -c "$node" ]; }
node_gone() { [ -z "$(receiver_node)" ]; }
# What a reader of the node gets before korvanectl starts: pointer reports, 4 bytes each.
pointer_reports() { timeout 5 head -c 32 "$node" | hexdump -v -e '4/1 "%02X " "\n"'; }

ctl() { # RUN NAME ARGS...: korvanectl in the run's tree, its output and exit code between markers
    run=$1 name=$2
    shift 2
    (cd "/tmp/$run" && ./korvanectl "$@" >"/tmp/$run.$name.out" 2>"/tmp/$run.$name.err")
    rc=$?
    echo "@@BEGIN $run $name"
    cat "/tmp/$run.$name.out"
    echo "@@END $run $name rc=$rc"
    nonempty "$run $name stderr" "/tmp/$run.$name.err"
}

one_run() { # RUN [--move]
    run=$1
    shift
    # Each run starts from a fresh copy of the installed tree, as the reference run on the host does.
    cp -a /opt/korvane "/tmp/$run"
    log=/tmp/$run.uhid.log
    /uhid_mouse --vid "$VID" --pid "$PID" --log "$log" "$@" 2>"/tmp/$run.uhid.err" &
    uhid_pid=$!
    if ! wait_until node_ready; then
        echo "@@ERROR $run: no hidraw node with $VID:$PID appeared"
        section "$run uhid stderr" cat "/tmp/$run.uhid.err"
        kill $uhid_pid
        return
    fi
    section "$run node $node" cat "/sys/class/hidraw/${node##*/}/device/uevent"
    [ "$1" != --move ] || section "$run pointer" pointer_reports
    ctl "$run" list --json list
    ctl "$run" status --json status
    # The status request on its own; the log then starts again for apply.
    section "$run status-log" cat "$log"
    : >"$log"
    : >"/tmp/$run.trace"
    export KORVANE_HID_TRACE=/tmp/$run.trace
    ctl "$run" apply --json apply
    unset KORVANE_HID_TRACE
    kill $uhid_pid
    wait $uhid_pid
    section "$run apply-log" cat "$log"
    section "$run apply-trace" cat "/tmp/$run.trace"
    nonempty "$run uhid stderr" "/tmp/$run.uhid.err"
    wait_until node_gone || echo "@@ERROR $run: the hidraw node stayed after the device was destroyed"
}

section kernel uname -r
for m in $MODULES; do
    insmod "/modules/$m" || echo "@@ERROR insmod $m failed"
done
section hid-drivers ls /sys/bus/hid/drivers
one_run quiet
one_run move --move
echo "@@DONE"
sync
poweroff -f
# Should power-off fail, leaving init panics the kernel, which with panic=-1 and -no-reboot ends QEMU.
exit 1
