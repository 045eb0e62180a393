#!/bin/sh
# Builds the Debian package with dpkg-buildpackage from a copy of this tree in the build folder, so that
# neither the tree nor its parent gets build output: the copy is BUILD_FOLDER/korvane-config-VERSION, and
# the .deb, .dsc, .tar.xz, .buildinfo and .changes land beside it in BUILD_FOLDER.
# Usage: make-deb.sh [BUILD_FOLDER] [JOBS]   (default build-deb, inside this tree; JOBS: nproc)
set -eu
cd "$(dirname "$0")/.."
out=${1:-build-deb}
jobs=${2:-$(nproc)}
die() {
    echo "make-deb: $*" >&2
    exit 1
}

# The version is CMake's project version; debian/changelog cannot be made from it, so it must agree.
version=$(sed -n 's/^project(KorvaneConfig VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)
changelog=$(dpkg-parsechangelog -S Version)
[ -n "$version" ] && [ "$changelog" = "$version" ] ||
    die "debian/changelog names version $changelog, CMakeLists.txt's project() $version: add a changelog entry"
package=$(dpkg-parsechangelog -S Source)

mkdir -p "$out"
out=$(cd "$out" && pwd)
copy=$out/$package-$version
rm -rf "$copy" "$out/$package"_*
mkdir "$copy"
# The tree as it is, without git's data and the build folders (this one among them).
tar -c --exclude=./.git --exclude=./build --exclude='./build-*' --exclude='./obj-*' . | tar -x -C "$copy"

cd "$copy"
start=$(date +%s)
dpkg-buildpackage -us -uc -J"$jobs"
cd "$out"
ls "$package"_"$version"*
echo "make-deb: built in $(($(date +%s) - start)) s"
