#!/bin/sh
# debian/changelog cannot be made from CMake's project version, so it must name the same version: a release
# that changes one and not the other fails here (and in make deb).
# Usage: test_package_version.sh SOURCE_DIR VERSION
set -eu
changelog=$(sed -n '1s/^[a-z0-9.+-]* (\([^)]*\)).*/\1/p' "$1/debian/changelog")
[ "$changelog" = "$2" ] || {
    echo "test_package_version: debian/changelog's newest entry is version '$changelog'," \
        "CMakeLists.txt's project() says $2: add a changelog entry for $2" >&2
    exit 1
}
echo "test_package_version: debian/changelog and CMake both say $2"
