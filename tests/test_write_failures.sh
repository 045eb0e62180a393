#!/bin/sh
# Every korvanectl command that writes the user's settings, on a settings folder that is full, read-only,
# or holds a folder where a file must be: each ends with a file error (exit 12) and a message, and every
# file of the settings stays exactly as it was. The folder is a small tmpfs in a private mount namespace
# (for a user who is not root, unshare maps the user to root there), which leaves no mount behind.
# Usage: test_write_failures.sh DIST_DIR
set -eu
export LC_ALL=C
if [ "${KORVANE_IN_NAMESPACE:-}" != 1 ]; then
    command -v unshare >/dev/null || { echo "test_write_failures: unshare is missing" >&2; exit 1; }
    # Root (as in CI) needs only the mount namespace; another user is mapped to root in one of its own.
    map=--map-root-user
    [ "$(id -u)" -ne 0 ] || map=
    exec env KORVANE_IN_NAMESPACE=1 unshare $map --mount sh "$0" "$@"
fi
dist=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'umount "$work/home/.config" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() {
    echo "test_write_failures: $*" >&2
    exit 1
}

# An installed copy keeps its settings in the user's folder, which is the tmpfs.
cp -R "$dist" "$work/app"
touch "$work/app/installed"
home=$work/home
mkdir -p "$home/.config" "$home/runtime" "$work/in" "$work/out"
chmod 700 "$home/runtime"
mount -t tmpfs -o size=4m tmpfs "$home/.config" || fail "no tmpfs could be mounted"
settings=$home/.config/korvane/korvane-config/Configs
ctl() {
    env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
        "$work/app/korvanectl" --virtual "$@"
}

# The settings to work on: a second profile, a macro, and files to import.
ctl profile add Raid >/dev/null || fail "setting up: profile add"
ctl profile switch "Profile 1" >/dev/null || fail "setting up: profile switch"
printf '[Setting]\nCount=0\n' >"$work/in/Jump.MSMACRO"
ctl macros import "$work/in/Jump.MSMACRO" >/dev/null || fail "setting up: macros import"
printf '[Setting]\nCount=0\n' >"$work/in/Hop.MSMACRO"
ctl export "$work/in/Spare.prof" >/dev/null || fail "setting up: export .prof"
ctl export "$work/in/Whole.conf" >/dev/null || fail "setting up: export .conf"

# Every file with its content, and every folder: what "unchanged" means.
snapshot() {
    (cd "$settings" && find . -type d -printf '%p/\n' && find . -type f -exec sha256sum {} +) | sort
}

check() { # scenario, then the command
    scenario=$1
    shift
    before=$(snapshot)
    code=0
    ctl "$@" >"$work/out.txt" 2>"$work/err.txt" || code=$?
    [ "$code" -eq "${expect:-12}" ] ||
        fail "$scenario: korvanectl $* ended with $code, not ${expect:-12}: $(cat "$work/err.txt")"
    [ -s "$work/err.txt" ] || fail "$scenario: korvanectl $* said nothing"
    [ "$(snapshot)" = "$before" ] || fail "$scenario: korvanectl $* changed the settings"
}

every_command() {
    check "$1" profile add Aim
    check "$1" profile copy Raid
    check "$1" profile rename Raid Aim
    check "$1" profile delete Raid
    check "$1" profile switch Raid
    check "$1" import "$work/in/Spare.prof"
    check "$1" import "$work/in/Whole.conf"
    check "$1" export "$work/out/Current.prof"
    check "$1" macros import "$work/in/Hop.MSMACRO"
    check "$1" apply
}

# A folder where Config.ini, the product's list or the current profile's file must be written.
product="$settings/$(ls "$settings" | grep -v -e '^Config.ini$' -e '^MacroDB$' | head -n 1)"
for file in "$settings/Config.ini" "$product/Config.ini" "$product/Profile/Profile 1.prof"; do
    cp "$file" "$work/kept"
    rm "$file" && mkdir "$file"
    case $file in
    "$settings/Config.ini") check "folder for Config.ini" profile switch Raid && check "folder for Config.ini" apply ;;
    "$product/Config.ini") check "folder for the profile list" profile add Aim ;;
    *) expect=7 check "folder for the profile" apply ;; # the profile cannot be read: nothing is sent
    esac
    rmdir "$file" && cp "$work/kept" "$file"
done

dd if=/dev/zero of="$home/.config/filler" bs=64k 2>/dev/null || true
every_command "full"
rm "$home/.config/filler"

mount -o remount,bind,ro "$home/.config" || fail "the tmpfs could not be made read-only"
every_command "read-only"
echo "test_write_failures: every writing command failed cleanly on a full, read-only and blocked folder"
