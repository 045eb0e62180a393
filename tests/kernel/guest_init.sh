#!/bin/busybox sh
# /init of the test machine's initramfs (see run.sh). Makes the receiver with uhid_mouse, runs korvanectl
# against it through hidapi and hidraw, prints every result between @@BEGIN and @@END lines on the serial
# console and powers off. Two runs: "quiet" (no pointer movement) and "move" (pointer reports at 1000 Hz).
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
# The initramfs has no /dev/console of its own: the console is reached through devtmpfs.
exec </dev/console >/dev/console 2>&1
mount -t tmpfs tmp /tmp
dmesg -n 1

. /test.conf # VID, PID (hex), MODULES (in load order)

# Qt keeps its runtime files (korvanectl's single-instance lock) here.
export XDG_RUNTIME_DIR=/tmp/run
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export LD_LIBRARY_PATH=/lib/x86_64-linux-gnu:/usr/lib/x86_64-linux-gnu
export HOME=/tmp

finish() {
    echo "@@DONE"
    sync
    poweroff -f
    # Should power-off fail, leaving init panics the kernel, which with panic=-1 and -no-reboot ends QEMU.
    exit 1
}

section() { # NAME FILE: the file between markers
    echo "@@BEGIN $1"
    cat "$2"
    echo "@@END $1"
}

echo "@@BEGIN kernel"
uname -r
echo "@@END kernel"

for m in $MODULES; do
    insmod "/modules/$m" || echo "@@ERROR insmod $m failed"
done
echo "@@BEGIN hid-drivers"
ls /sys/bus/hid/drivers
echo "@@END hid-drivers"

# The hidraw node of the device with our ids, once the HID core has bound it.
receiver_node() {
    for n in /sys/class/hidraw/hidraw*; do
        [ -e "$n/device/uevent" ] || continue
        if grep -qi "^HID_ID=0003:0000$VID:0000$PID\$" "$n/device/uevent"; then
            echo "/dev/${n##*/}"
            return 0
        fi
    done
    return 1
}

wait_for_node() {
    i=0
    while [ $i -lt 100 ]; do
        node=$(receiver_node) && [ -c "$node" ] && return 0
        sleep 0.1
        i=$((i + 1))
    done
    return 1
}

wait_for_no_node() {
    i=0
    while [ $i -lt 100 ]; do
        receiver_node >/dev/null || return 0
        sleep 0.1
        i=$((i + 1))
    done
    return 1
}

ctl() { # RUN NAME ARGS...: korvanectl in the run's tree, output and exit code between markers
    run=$1
    name=$2
    shift 2
    (cd "/tmp/$run" && ./korvanectl "$@" >"/tmp/$run.$name.out" 2>"/tmp/$run.$name.err")
    rc=$?
    echo "@@BEGIN $run $name"
    cat "/tmp/$run.$name.out"
    echo "@@END $run $name rc=$rc"
    if [ -s "/tmp/$run.$name.err" ]; then
        section "$run $name stderr" "/tmp/$run.$name.err"
    fi
}

one_run() { # RUN [--move]
    run=$1
    shift
    # Each run starts from a fresh copy of the installed tree, as the reference run on the host does.
    cp -a /opt/korvane "/tmp/$run"
    log=/tmp/$run.uhid.log
    /uhid_mouse --vid "$VID" --pid "$PID" --log "$log" "$@" 2>/tmp/$run.uhid.err &
    uhid_pid=$!
    if ! wait_for_node; then
        echo "@@ERROR $run: no hidraw node with $VID:$PID appeared"
        section "$run uhid stderr" /tmp/$run.uhid.err
        kill $uhid_pid
        return
    fi
    echo "@@BEGIN $run node"
    echo "$node"
    cat "/sys/class/hidraw/${node##*/}/device/uevent"
    echo "@@END $run node"
    if [ "$1" = "--move" ]; then
        # What a reader of the node gets before korvanectl starts: pointer reports, 4 bytes each.
        echo "@@BEGIN $run pointer"
        timeout 5 head -c 32 "$node" | hexdump -v -e '4/1 "%02X " "\n"'
        echo "@@END $run pointer"
    fi
    ctl "$run" list --json list
    ctl "$run" status --json status
    # The status request on its own; the log then starts again for apply.
    cp "$log" "/tmp/$run.status.log"
    : >"$log"
    section "$run status-log" "/tmp/$run.status.log"
    : >"/tmp/$run.trace"
    export KORVANE_HID_TRACE=/tmp/$run.trace
    ctl "$run" apply --json apply
    unset KORVANE_HID_TRACE
    kill $uhid_pid
    wait $uhid_pid
    section "$run apply-log" "$log"
    section "$run apply-trace" "/tmp/$run.trace"
    if [ -s /tmp/$run.uhid.err ]; then
        section "$run uhid stderr" /tmp/$run.uhid.err
    fi
    wait_for_no_node || echo "@@ERROR $run: the hidraw node stayed after the device was destroyed"
}

one_run quiet
one_run move --move
finish
