#!/bin/sh
# Builds the program and runs every test on Debian 13 (trixie: Qt 6.8, gcc 14) from a Debian 12 machine.
# A minimal Debian 13 root is made once in build-debian13/root from the mirror this machine's apt uses and
# kept: a later run only enters it. Inside, `make test` installs the build and test packages through
# scripts/install-deps.sh, as on any Debian machine, and builds into build-debian13/build of this tree,
# which the root sees at /src. /proc, /sys, /dev, /tmp and /src are mounted for the root in a private mount
# and PID namespace: when the run ends, or is killed, its mounts and every process started in the root end
# with it, and nothing stays mounted on this machine (scripts/debian-root.sh).
# Usage: test-debian13.sh [BUILD_FOLDER]   (default build-debian13, inside this tree)
# KORVANE_DEBIAN_MIRROR=URL takes the Debian 13 packages from another mirror.
set -eu
cd "$(dirname "$0")/.."
src=$(pwd)
out=${1:-build-debian13}

mkdir -p "$out"
out=$(cd "$out" && pwd)
tag=test-debian13
suite=trixie
. ./scripts/debian-root.sh
# The root sees this tree at /src, and the build folder inside it.
rel=${out#"$src"/}
case $rel in /*) die "the build folder must be inside the source tree ($src), not $out" ;; esac

debian_root_make make,ca-certificates /usr/bin/make
debian_root_apt

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
debian_root_run "$src" "$script" || status=$?

say "phases of this run (also in $times):"
sed 's/^/    /' "$times"
[ "$status" -eq 0 ] || die "the build or the tests failed on Debian 13 (exit $status)"
say "every test passed on Debian 13"
