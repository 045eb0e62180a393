#!/bin/sh
# Installs the build into a temporary prefix as `cmake --install` does, checks the installed tree, then runs
# the installed programs through their launchers on the virtual mouse with a home of their own: the window
# seeds the user's configuration folder, korvanectl saves a profile into it, and the installed tree stays
# exactly as it was installed (tests run as root, who could write there: the install marker must stop it).
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
    chmod -R u+w "$work"
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "test_install: $*" >&2
    exit 1
}
# Fails with the two texts side by side when they differ.
same() {
    [ "$2" = "$3" ] && return 0
    printf '%s\n' "$2" >"$work/expected"
    printf '%s\n' "$3" >"$work/actual"
    diff -u "$work/expected" "$work/actual" >&2 || true
    fail "$1"
}
# Width x height of a PNG, from its header.
png_size() {
    [ "$(od -An -tx1 -N8 "$1" | tr -d ' ')" = 89504e470d0a1a0a ] || return 1
    od -An -tu1 -j16 -N8 "$1" | awk '{ print ($1 * 16777216 + $2 * 65536 + $3 * 256 + $4) "x" \
                                             ($5 * 16777216 + $6 * 65536 + $7 * 256 + $8) }'
}
# Every entry of the prefix with its type, size, time and mode: what "unchanged" means.
snapshot() {
    (cd "$prefix" && find . -printf '%p %y %s %T@ %m %l\n' | sort)
}
# Runs a program as $as (nobody, or the caller when empty) with the home $home, from elsewhere; called in
# a subshell (& or $(...)), which it becomes.
as=
run() {
    mkdir -p "$home/runtime"
    chmod 700 "$home/runtime"
    [ -z "$as" ] || chown -R "$as" "$home"
    cd /
    exec ${as:+setpriv --reuid="$as" --regid="$as" --clear-groups} \
        env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime" \
        QT_QPA_PLATFORM=offscreen KORVANE_VIRTUAL_MOUSE=1 "$@"
}

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || {
    cat "$work/install.log" >&2
    fail "cmake --install failed"
}

# The tree: the application directory holds the product and nothing left over from builds or tests (a
# ThreadSanitizer build adds its annotation library).
same "prefix" "bin lib share" "$(ls "$prefix" | xargs)"
same "lib" "korvane-config udev" "$(ls "$prefix/lib" | xargs)"
shipped="70-korvane-config.rules Configs DefaultProfile.bin installed korvane-config korvane-osd korvanectl"
same "application directory" "$shipped lang skin" \
    "$(ls -A "$app" | grep -v '^libkorvane_qt_sync_annotations\.so$' | xargs)"
for program in korvane-config korvane-osd korvanectl; do
    [ -f "$app/$program" ] && [ -x "$app/$program" ] || fail "$program is not an installed program"
done
cmp "$source/data/DefaultProfile.bin" "$app/DefaultProfile.bin" || fail "DefaultProfile.bin differs"
diff -r "$build/dist/skin" "$app/skin" >&2 || fail "skin/ differs from the build's"
diff -r "$build/dist/lang" "$app/lang" >&2 || fail "lang/ differs from the build's"
[ -n "$(ls "$app/lang")" ] || fail "no translations installed"
# The Configs/ template is the shipped one, not the settings of whoever ran the build.
diff -r -x MacroDB "$source/data/Configs" "$app/Configs" >&2 || fail "Configs/ differs from data/Configs"
[ -d "$app/Configs/MacroDB" ] || fail "Configs/MacroDB is missing"

# Launchers lead to the programs.
same "bin" "korvane-config korvanectl" "$(ls -A "$prefix/bin" | xargs)"
for program in korvane-config korvanectl; do
    same "launcher $program" "$app/$program" "$(readlink -f "$prefix/bin/$program")"
done

# The menu entry names a launcher and the icon; the icon comes at each size it says it is.
desktop=$prefix/share/applications/korvane-config.desktop
same "share" "applications icons" "$(ls "$prefix/share" | xargs)"
grep -qx 'Exec=korvane-config' "$desktop" || fail "the menu entry does not start korvane-config"
grep -qx 'Icon=korvane-config' "$desktop" || fail "the menu entry does not name the icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate refused the menu entry"
else
    echo "test_install: desktop-file-validate is not installed (make test-deps installs it); not validated"
fi
sizes="16x16 24x24 32x32 48x48 64x64 128x128 256x256"
same "icon sizes" "$sizes" "$(ls "$prefix/share/icons/hicolor" | sort -n | xargs)"
for size in $sizes; do
    icon=$prefix/share/icons/hicolor/$size/apps/korvane-config.png
    same "icon $size" "$size" "$(png_size "$icon" || echo "no PNG at $icon")"
done

# The udev rule: the receiver's and the cable's ids of the shipped model, for the logged-in user.
rules=$prefix/lib/udev/rules.d/70-korvane-config.rules
same "udev rule" 'SUBSYSTEM=="hidraw", ATTRS{idVendor}=="248a", ATTRS{idProduct}=="8373", TAG+="uaccess"
SUBSYSTEM=="hidraw", ATTRS{idVendor}=="248a", ATTRS{idProduct}=="fb01", TAG+="uaccess"' \
    "$(grep -v -e '^#' -e '^$' "$rules")"
cmp "$rules" "$app/70-korvane-config.rules" || fail "the rule beside the program differs"
if udevadm verify --help >/dev/null 2>&1; then
    udevadm verify "$rules" >&2 || fail "udevadm verify refused the rule"
else
    echo "test_install: this udevadm has no verify command; the rule's text was checked only"
fi

# The installed programs, started through the launchers from elsewhere.
before=$(snapshot)
run "$prefix/bin/korvane-config" --virtual >"$work/window.log" 2>&1 &
window=$!
tries=0
while [ ! -f "$user/Config.ini" ] && [ $tries -lt 200 ] && kill -0 $window 2>/dev/null; do
    sleep 0.1
    tries=$((tries + 1))
done
sleep 1
kill -0 $window 2>/dev/null || {
    cat "$work/window.log" >&2
    fail "the installed window ended at start-up"
}
kill $window
wait $window || true
[ -f "$user/Config.ini" ] || fail "the window did not seed $user"
(cd "$app/Configs" && find . | sort) >"$work/template"
(cd "$user" && find . | sort) >"$work/seeded"
same "template entries the window did not seed" "" "$(comm -23 "$work/template" "$work/seeded")"

product=$(sed -n 's/^ProductName=//p' "$app/DefaultProfile.bin" | tr -d '\r')
output=$(run "$prefix/bin/korvanectl" --virtual profile add Installed 2>&1) ||
    fail "korvanectl profile add: $output"
[ -f "$user/$product/Profile/Installed.prof" ] || fail "korvanectl did not save the profile in $user"
output=$(run "$prefix/bin/korvanectl" --json profiles 2>&1) || fail "korvanectl profiles: $output"
echo "$output" | grep -q '"Profile 1", *"Installed"' || fail "korvanectl profiles: $output"
# Both programs use the one folder.
same "configuration folders in the home" "$user/Config.ini" \
    "$(find "$home" -path '*/Configs/Config.ini' | sort)"

same "the installed tree changed" "$before" "$(snapshot)"

# Without the marker, an application directory its user cannot write sends the settings to the user's
# folder as well: as root, who may write anywhere, korvanectl runs as nobody; another user makes the copy
# read-only.
plain=$work/plain
cp -R "$app" "$plain"
rm "$plain/installed"
home=$work/plain-home
user=$home/.config/korvane/korvane-config/Configs
if [ "$(id -u)" -eq 0 ]; then
    as=65534
    chmod 755 "$work"
else
    chmod -R a-w "$plain"
fi
output=$(run "$plain/korvanectl" --virtual profile add Plain 2>&1) || fail "korvanectl profile add: $output"
[ -f "$user/$product/Profile/Plain.prof" ] || fail "korvanectl did not save the profile in $user"
[ ! -e "$plain/Configs/$product/Profile/Plain.prof" ] || fail "korvanectl wrote into its read-only directory"
echo "test_install: tree, launchers, menu entry, icons, udev rule and the settings folders as expected"
