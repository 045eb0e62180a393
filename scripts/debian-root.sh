# Sourced by the scripts that run something in a minimal Debian root made with debootstrap from the mirror
# this machine's apt reads (test-debian13.sh, test-package.sh). They set, before sourcing:
#   tag     the name their messages start with
#   out     the build folder (absolute), where the root is made once and kept: $out/root
#   suite   the Debian release of the root (bookworm, trixie)
# and then call debian_root_make, debian_root_apt and debian_root_run. Sourced by a user who is not root,
# it starts the script again through sudo, with the arguments it was given.
# KORVANE_DEBIAN_MIRROR=URL takes the packages from another mirror.

say() { echo "$tag: $*"; }
die() {
    echo "$tag: $*" >&2
    exit 1
}

root=$out/root
# Written last, once the root is complete: a root without it is from a run that was interrupted.
ready=$out/root.ready
times=$out/times.txt
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

# Making a root and mounting into it takes root's rights: the script starts again through sudo.
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || die "making the Debian root needs root's rights, and sudo is missing"
    exec sudo "$(pwd)/scripts/$(basename "$0")" "$@"
fi
command -v unshare >/dev/null && command -v chroot >/dev/null ||
    die "unshare or chroot is missing (util-linux, coreutils)"
# Nothing may be mounted under the build folder: those mounts live only in the namespace of a run.
if grep -q " $out/" /proc/self/mountinfo; then
    die "something is mounted under $out; unmount it first (a run mounts only in a namespace of its own)"
fi
mkdir -p "$out"
: >"$times"

# Makes the root unless an earlier run left it complete; INCLUDE is a comma-separated list of packages
# debootstrap adds to its minimal set, and PROGRAM one that must be there for the root to count as made.
debian_root_make() { # include program
    if [ -f "$ready" ] && [ -x "$root$2" ]; then
        say "the Debian $suite root in $root is ready from an earlier run ($(cat "$ready"))"
        return
    fi
    start=$(now)
    ./scripts/install-deps.sh debootstrap wget ||
        die "cannot install debootstrap on this machine; the Debian $suite root cannot be made"
    [ -e "$root" ] && say "removing the incomplete root an interrupted run left in $root"
    rm -rf --one-file-system "$root" "$ready"
    mkdir -p "$root" "$out/debootstrap-cache"
    say "making a Debian $suite root from $mirror in $root (log: $out/bootstrap.log)"
    # Unreachable, a mirror would only fail deep inside debootstrap's log.
    case $mirror in
    http*)
        wget -q -T 20 -t 2 -O /dev/null "$mirror/dists/$suite/InRelease" ||
            die "cannot read $mirror/dists/$suite/InRelease (no network, or no Debian $suite there):" \
                "the Debian $suite root was not made"
        ;;
    esac
    if ! nice debootstrap --variant=minbase ${1:+--include="$1"} \
        --cache-dir="$out/debootstrap-cache" --keyring=/usr/share/keyrings/debian-archive-keyring.gpg \
        "$suite" "$root" "$mirror" >"$out/bootstrap.log" 2>&1; then
        tail -n 15 "$out/bootstrap.log" >&2
        die "debootstrap could not make the Debian $suite root from $mirror" \
            "(above, the end of $out/bootstrap.log)"
    fi
    mkdir -p "$root/src"
    date -u '+made %Y-%m-%d %H:%M UTC from '"$mirror" >"$ready"
    phase bootstrap "$start"
}

# The root's apt reads this machine's mirror and its security archive, installs packages without starting
# their services (the root runs none), and keeps what it downloads in the build folder, for a root made
# again; descriptions in other languages are read by nothing here.
debian_root_apt() {
    cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $suite main
deb $mirror $suite-updates main
deb $security $suite-security main
EOF
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
    printf 'Binary::apt::APT::Keep-Downloaded-Packages "true";\nAcquire::Languages "none";\n' \
        >"$root/etc/apt/apt.conf.d/01korvane"
    mkdir -p "$out/apt-archives"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
}

# Runs SCRIPT with sh as root in the root, with SRC seen at /src, in a private mount and PID namespace:
# when the run ends, or is killed, its mounts and every process started in the root end with it, and
# nothing stays mounted on this machine. With FRESH=yes the root is seen through an overlay whose changes
# live in memory and go with the namespace, so every run starts from the root as debootstrap made it.
debian_root_run() { # src script [fresh]
    mkdir -p "$out/fresh-root"
    # The namespace's first process mounts, then runs the script in the root; --kill-child ends it, and
    # with it every process of the namespace, when unshare itself is ended.
    nice unshare --mount --propagation private --pid --fork --kill-child sh -eu -c '
        root=$1 src=$2 archives=$3 script=$4 fresh=$5 out=$6
        if [ "$fresh" = yes ]; then
            mount -t tmpfs -o mode=755 changes "$out/fresh-root"
            mkdir "$out/fresh-root/upper" "$out/fresh-root/work" "$out/fresh-root/merged"
            mount -t overlay overlay -o "lowerdir=$root,upperdir=$out/fresh-root/upper,workdir=$out/fresh-root/work" \
                "$out/fresh-root/merged"
            root=$out/fresh-root/merged
        fi
        # The root is a mount point of its own, as / is on a machine: `unshare --mount` in a test makes
        # its mounts private from there, which it cannot do on a plain folder.
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
    ' sh "$root" "$1" "$out/apt-archives" "$2" "${3:-no}" "$out"
}
