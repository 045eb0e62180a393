#!/bin/sh
# Tests the Debian package `make deb` left in BUILD_FOLDER as a user meets it. lintian checks the binary
# and the source package. Then, in a minimal Debian 12 root (the release the package was built on) made
# once with debootstrap in BUILD_FOLDER/test-root/root and kept, tests/package/use_package.sh installs it
# with apt, has an ordinary user run it, upgrades it and purges it. The root is seen through an overlay
# whose changes go with the run, so each run starts from the root as debootstrap made it; mounts and
# processes live in a private namespace (scripts/debian-root.sh).
# Usage: test-package.sh [BUILD_FOLDER]   (default build-deb, inside this tree)
set -eu
cd "$(dirname "$0")/.."
src=$(pwd)
debs=${1:-build-deb}

debs=$(cd "$debs" && pwd)
rel=${debs#"$src"/}
out=$debs/test-root
tag=test-package
suite=bookworm
. ./scripts/debian-root.sh
case $rel in /*) die "the build folder must be inside the source tree ($src), not $debs" ;; esac

set -- "$debs"/*.changes
[ $# -eq 1 ] && [ -f "$1" ] || die "no single .changes in $debs: run make deb first"
changes=$1
version=$(sed -n 's/^Version: //p' "$changes")
package=$(sed -n 's/^Source: //p' "$changes")
deb=$(sed -n "s/^ [0-9a-f]\{40\} [0-9]* \(${package}_${version}_[a-z0-9]*\.deb\)\$/\1/p" "$changes")
[ -n "$deb" ] && [ -f "$debs/$deb" ] || die "$changes names no .deb that is there"

# --- lintian --------------------------------------------------------------------------------------------
# Every tag down to the pedantic and experimental ones goes to test-root/lintian.txt and is counted here;
# an error or a warning fails the run. The one exception is the missing manual pages, while the package
# has none at all.
start=$(now)
lintian --fail-on none --pedantic --display-experimental "$changes" >"$out/lintian.txt" 2>&1 || {
    cat "$out/lintian.txt" >&2
    die "lintian could not check $changes (above)"
}
say "lintian's tags, how often each (all of them in $out/lintian.txt):"
grep -E '^[A-Z]: ' "$out/lintian.txt" | sed 's/ \[.*//' | sort | uniq -c | sed 's/^/    /'
if grep -E '^[EW]: ' "$out/lintian.txt" >/dev/null; then
    die "lintian found errors or warnings in the package (above, also in $out/lintian.txt)"
fi
phase lintian "$start"

# --- The root -------------------------------------------------------------------------------------------
debian_root_make "" /usr/bin/apt-get
debian_root_apt

# The upgrade: the same files under a higher version, as the next release would come.
start=$(now)
rm -rf "$out/upgrade"
mkdir -p "$out/upgrade"
dpkg-deb -R "$debs/$deb" "$out/upgrade/tree"
sed -i "s/^Version: .*/Version: $version+1/" "$out/upgrade/tree/DEBIAN/control"
dpkg-deb --root-owner-group -Zxz -z1 -b "$out/upgrade/tree" "$out/upgrade/upgrade.deb" >/dev/null
rm -rf "$out/upgrade/tree"
phase repack "$start"

status=0
debian_root_run "$src" "sh /src/tests/package/use_package.sh /src/$rel/$deb /src/$rel/test-root/upgrade/upgrade.deb \
    /src/$rel/test-root/times.txt" yes || status=$?

say "phases of this run (also in $times):"
sed 's/^/    /' "$times"
[ "$status" -eq 0 ] || die "the package failed in the Debian $suite root (exit $status)"
say "the package installs, runs for a user, upgrades keeping the user's settings and purges cleanly"
