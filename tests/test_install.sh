#!/bin/sh
# Installs the build into a temporary prefix, checks the tree, then runs the installed programs on the
# virtual mouse with a home of their own: they keep their settings in the user's folder and leave the tree
# exactly as installed (tests run as root, who could write there: the install marker must stop it).
# Usage: test_install.sh BUILD_DIR [CMAKE]
set -eu
export LC_ALL=C
build=$(cd "$1" && pwd)
cmake=${2:-cmake}
source=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
prefix=$work/prefix
app=$prefix/lib/korvane-config
home=$work/home
user=$home/.config/korvane/korvane-config/Configs

cleanup() {
    # The programs started from the prefix (the window, and an OSD it may have started) end with the test.
    for proc in /proc/[0-9]*; do
        case $(readlink "$proc/exe" 2>/dev/null) in
        "$prefix"/*) kill "${proc#/proc/}" 2>/dev/null || true ;;
        esac
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "test_install: $*" >&2
    exit 1
}
# Every entry of the prefix with its type, size, time and mode: what "unchanged" means.
snapshot() {
    (cd "$prefix" && find . -printf '%p %y %s %T@ %m %l\n' | sort)
}
# Runs an installed program with the home $home, from elsewhere, in a subshell it becomes.
run() {
    mkdir -p "$home/runtime" && chmod 700 "$home/runtime"
    cd /
    exec env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime" \
        QT_QPA_PLATFORM=offscreen KORVANE_VIRTUAL_MOUSE=1 "$@"
}

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || {
    cat "$work/install.log" >&2
    fail "cmake --install failed"
}

# The application directory holds the programs, reached through the launchers, the marker, translations,
# and the shipped Configs/ template rather than the settings of whoever ran the build.
[ -x "$app/korvane-osd" ] && [ -f "$app/installed" ] || fail "korvane-osd or the install marker is missing"
for program in korvane-config korvanectl; do
    [ "$(readlink -f "$prefix/bin/$program")" = "$app/$program" ] && [ -x "$app/$program" ] ||
        fail "the launcher $program does not lead to the program"
done
ls "$app/lang/"*.qm >/dev/null 2>&1 || fail "no translations installed"
diff -r -x MacroDB "$source/data/Configs" "$app/Configs" >&2 || fail "Configs/ differs from data/Configs"

# The menu entry starts a launcher and names the icon, which comes at the sizes its folders say.
desktop=$prefix/share/applications/io.github.korvane.KorvaneConfig.desktop
grep -qx 'Exec=korvane-config' "$desktop" && grep -qx 'Icon=korvane-config' "$desktop" ||
    fail "the menu entry does not start korvane-config with its icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate refused the menu entry"
else
    echo "test_install: desktop-file-validate is not installed (make test-deps installs it); not validated"
fi
for size in 16x16 48x48 256x256; do
    icon=$prefix/share/icons/hicolor/$size/apps/korvane-config.png
    # Width and height from the PNG header.
    [ "$(od -An -tu1 -j16 -N8 "$icon" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')" = "$size" ] ||
        fail "no $size icon at $icon"
done

# The udev rule: the receiver's and the cable's ids of the shipped model, for the logged-in user.
rules=$prefix/lib/udev/rules.d/70-korvane-config.rules
[ "$(grep -v -e '^#' -e '^$' "$rules")" = 'SUBSYSTEM=="hidraw", ATTRS{idVendor}=="248a", ATTRS{idProduct}=="8373", TAG+="uaccess"
SUBSYSTEM=="hidraw", ATTRS{idVendor}=="248a", ATTRS{idProduct}=="fb01", TAG+="uaccess"' ] ||
    fail "the udev rule differs: $(cat "$rules")"

# The manual pages, plain (the packager compresses them), korvanectl's completions where each shell looks
# for them, and the session-bus interface's description: the first line names what each holds.
for entry in "share/man/man1/korvane-config.1:.TH KORVANE\\-CONFIG 1 " "share/man/man1/korvanectl.1:.TH KORVANECTL 1 " \
    "share/bash-completion/completions/korvanectl:# bash completion for korvanectl" \
    "share/zsh/vendor-completions/_korvanectl:#compdef korvanectl" \
    "share/fish/vendor_completions.d/korvanectl.fish:# fish completion for korvanectl" \
    "share/dbus-1/interfaces/io.github.korvane.KorvaneConfig1.xml:<!DOCTYPE node PUBLIC"; do
    # The first line of a page is its comment; the title line follows.
    grep -m1 -v '^\.\\"' "$prefix/${entry%%:*}" 2>/dev/null | grep -qF "${entry#*:}" ||
        fail "${entry%%:*} is missing or does not begin with ${entry#*:}"
done

# The installed programs, started through the launchers from elsewhere; the window writes Config.ini
# last, once the rest of the template is seeded.
snapshot >"$work/before"
run "$prefix/bin/korvane-config" --virtual >"$work/window.log" 2>&1 &
window=$!
for _ in $(seq 200); do
    [ ! -f "$user/Config.ini" ] && kill -0 $window 2>/dev/null || break
    sleep 0.1
done
sleep 1
kill -0 $window 2>/dev/null || {
    cat "$work/window.log" >&2
    fail "the installed window ended at start-up"
}
kill $window
wait $window || true
[ -f "$user/Config.ini" ] || fail "the window did not seed $user"

product=$(sed -n 's/^ProductName=//p' "$app/DefaultProfile.bin" | tr -d '\r')
output=$(run "$prefix/bin/korvanectl" --virtual profile add Installed 2>&1) ||
    fail "korvanectl profile add: $output"
[ -f "$user/$product/Profile/Installed.prof" ] || fail "korvanectl did not save the profile in $user"

snapshot | diff -u "$work/before" - >&2 || fail "the installed tree changed"
echo "test_install: tree, launchers, menu entry, icons, udev rule, manual pages, completions and the user's"
echo "folder as expected"
