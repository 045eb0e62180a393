#!/bin/sh
# Builds the program and runs every test on Debian 13 (trixie: Qt 6.8, gcc 14) from a Debian 12 machine.
# A minimal Debian 13 root is made once in build-debian13/root from the mirror this machine's apt uses and
# kept: a later run only enters it. Inside, `make test` installs the build and test packages through
# scripts/install-deps.sh, as on any Debian machine, and builds into build-debian13/build of this tree,
# which the root sees at /src. /proc, /sys, /dev, /tmp and /src are mounted for the root in a private mount
# and PID namespace: when the run ends, or is killed, its mounts and every process started in the root end
# with it, and nothing stays mounted on this machine.
# Usage: test-debian13.sh [BUILD_FOLDER]   (default build-debian13, inside this tree)
# KORVANE_DEBIAN_MIRROR=URL takes the Debian 13 packages from another mirror.
set -eu
cd "$(dirname "$0")/.."
src=$(pwd)
out=${1:-build-debian13}
suite=trixie
say() { echo "test-debian13: $*"; }
die() {
    echo "test-debian13: $*" >&2
    exit 1
}

if [ "$(id -u)" -ne 0 ]; then
    # Making a root and mounting into it takes root's rights.
    command -v sudo >/dev/null || die "making the Debian 13 root needs root's rights, and sudo is missing"
    exec sudo "$0" "$@"
fi
command -v unshare >/dev/null && command -v chroot >/dev/null ||
    die "unshare or chroot is missing (util-linux, coreutils)"

mkdir -p "$out"
out=$(cd "$out" && pwd)
# The root sees this tree at /src, and the build folder inside it.
rel=${out#"$src"/}
case $rel in /*) die "the build folder must be inside the source tree ($src), not $out" ;; esac
root=$out/root
# Written last, once the root is complete: a root without it is from a run that was interrupted.
ready=$out/root.ready
times=$out/times.txt
: >"$times"
now() { date +%s; }
phase() { # name, start time
    took=$(($(now) - $2))
    printf '%-16s %4d s\n' "$1" "$took" >>"$times"
    say "$1 took ${took} s"
}

# The Debian archive this machine's apt reads: the first source of a release that is not a security or
# updates suite, in the deb822 files first, then in sources.list. The security archive likewise.
host_uri() { # security|main
    {
        for file in /etc/apt/sources.list.d/*.sources; do
            [ -f "$file" ] || continue
            awk -v want="$1" '
                function flush() {
                    if (types ~ /(^|[ \t])deb([ \t]|$)/ && uri != "") {
                        security = suites ~ /-security/
                        if ((want == "security") == security) print uri
                    }
                    types = ""; uri = ""; suites = ""
                }
                /^[ \t]*$/ { flush(); next }
                /^Types:/ { types = $0 }
                /^URIs:/ { uri = $2 }
                /^Suites:/ { suites = $0 }
                END { flush() }' "$file"
        done
        for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
            [ -f "$file" ] || continue
            awk -v want="$1" '$1 == "deb" {
                    i = 2
                    if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
                    security = $(i + 1) ~ /-security/ || $(i + 1) ~ /\/updates$/
                    if ((want == "security") == security) print $i
                }' "$file"
        done
    } | grep -E '^(https?|file)://' | head -n 1
}
mirror=${KORVANE_DEBIAN_MIRROR:-$(host_uri main)}
mirror=${mirror:-http://deb.debian.org/debian}
mirror=${mirror%/}
security=$(host_uri security)
security=${security:-http://deb.debian.org/debian-security}
security=${security%/}

# Nothing may be mounted under the build folder: those mounts live only in the namespace of a run.
if grep -q " $out/" /proc/self/mountinfo; then
    die "something is mounted under $out; unmount it first (a run mounts only in a namespace of its own)"
fi

# --- The root -------------------------------------------------------------------------------------------
if [ -f "$ready" ] && [ -x "$root/usr/bin/make" ]; then
    say "the Debian 13 root in $root is ready from an earlier run ($(cat "$ready"))"
else
    start=$(now)
    ./scripts/install-deps.sh debootstrap wget ||
        die "cannot install debootstrap on this machine; the Debian 13 root cannot be made"
    [ -e "$root" ] && say "removing the incomplete root an interrupted run left in $root"
    rm -rf --one-file-system "$root" "$ready"
    mkdir -p "$root" "$out/debootstrap-cache"
    say "making a Debian 13 root from $mirror in $root (log: $out/bootstrap.log)"
    # Unreachable, a mirror would only fail deep inside debootstrap's log.
    case $mirror in
    http*)
        wget -q -T 20 -t 2 -O /dev/null "$mirror/dists/$suite/InRelease" ||
            die "cannot read $mirror/dists/$suite/InRelease (no network, or no Debian 13 there):" \
                "the Debian 13 root was not made"
        ;;
    esac
    if ! nice debootstrap --variant=minbase --include=make,ca-certificates \
        --cache-dir="$out/debootstrap-cache" --keyring=/usr/share/keyrings/debian-archive-keyring.gpg \
        "$suite" "$root" "$mirror" >"$out/bootstrap.log" 2>&1; then
        tail -n 15 "$out/bootstrap.log" >&2
        die "debootstrap could not make the Debian 13 root from $mirror" \
            "(above, the end of $out/bootstrap.log)"
    fi
    mkdir -p "$root/src"
    date -u '+made %Y-%m-%d %H:%M UTC from '"$mirror" >"$ready"
    phase bootstrap "$start"
fi
# The root's apt reads this machine's mirror, and its security archive.
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $suite main
deb $mirror $suite-updates main
deb $security $suite-security main
EOF
# Packages install without starting their services: the root runs none.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
# The downloaded packages stay, in the build folder, for a root made again; descriptions in other
# languages are read by nothing here.
printf 'Binary::apt::APT::Keep-Downloaded-Packages "true";\nAcquire::Languages "none";\n' \
    >"$root/etc/apt/apt.conf.d/01korvane"
mkdir -p "$out/apt-archives"
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

# --- The run, inside the root ---------------------------------------------------------------------------
# The three phases each time themselves; a phase that fails ends the run with its exit code.
inside() {
    cat <<'EOF'
set -eu
cd /src
now() { date +%s; }
phase() {
    took=$(($(now) - $2))
    printf '%-16s %4d s\n' "$1" "$took" >>/src/@OUT@/times.txt
    echo "test-debian13: $1 took ${took} s"
}
start=$(now)
make deps test-deps || {
    echo "test-debian13: the build and test packages could not be installed in the Debian 13 root" >&2
    exit 1
}
phase packages "$start"
qt=$(/usr/lib/qt6/bin/qtpaths6 --qt-version)
echo "test-debian13: $(. /etc/os-release && echo "$PRETTY_NAME"), $(g++ --version | head -n 1), Qt $qt"
start=$(now)
make build BUILD_DIR=@OUT@/build
phase build "$start"
start=$(now)
status=0
make test BUILD_DIR=@OUT@/build || status=$?
phase tests "$start"
exit $status
EOF
}
script=$(inside | sed "s|@OUT@|$rel|g")

status=0
# The namespace's first process mounts, then runs the phases in the root; --kill-child ends it, and with
# it every process of the namespace, when unshare itself is ended.
nice unshare --mount --propagation private --pid --fork --kill-child sh -eu -c '
    root=$1 src=$2 archives=$3 script=$4
    # The root is a mount point of its own, as / is on a machine: `unshare --mount` in a test makes its
    # mounts private from there, which it cannot do on a plain folder.
    mount --bind "$root" "$root"
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount --bind /dev "$root/dev"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
    mount --bind "$root/dev/pts/ptmx" "$root/dev/ptmx"
    mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
    mount -t tmpfs -o mode=1777 tmp "$root/tmp"
    mount --bind "$src" "$root/src"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    exec chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin sh -c "$script"
' sh "$root" "$src" "$out/apt-archives" "$script" || status=$?

say "phases of this run (also in $times):"
sed 's/^/    /' "$times"
[ "$status" -eq 0 ] || die "the build or the tests failed on Debian 13 (exit $status)"
say "every test passed on Debian 13"
