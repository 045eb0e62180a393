#!/bin/sh
# Runs as root inside a fresh minimal Debian root (scripts/test-package.sh): installs the package with apt,
# has an ordinary user with a home of their own run korvanectl and the window from the installed paths on
# the virtual mouse, upgrades the package and checks the user's settings came through untouched, then
# purges it and checks that nothing of it is left outside the user's home.
# Usage: use_package.sh PACKAGE.deb UPGRADE.deb TIMES_FILE
set -eu
deb=$1
upgrade=$2
times=$3
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
user=player
home=/home/$user
settings=$home/.config/korvane
app=/usr/lib/korvane-config

fail() {
    echo "test-package: $*" >&2
    exit 1
}
now() { date +%s; }
phase() {
    took=$(($(now) - $2))
    printf '%-16s %4d s\n' "$1" "$took" >>"$times"
    echo "test-package: $1 took ${took} s"
}
apt_get() {
    apt-get -q -y -o Dpkg::Use-Pty=0 "$@" >/tmp/apt.log 2>&1 || {
        tail -n 30 /tmp/apt.log >&2
        fail "apt-get $* failed (above, its last lines)"
    }
}
# Every file and folder of the root with its type and mode, but for what apt and dpkg keep of their own
# work (lists, caches, logs, the package database) and the user's home.
listing() {
    find / -xdev \( -path /var/lib/apt -o -path /var/lib/dpkg -o -path /var/cache/apt -o -path /var/cache/debconf \
        -o -path /var/cache/ldconfig -o -path /var/log -o -path "$home" \) -prune -o -printf '%p %y %m\n' | sort
}
installed() { dpkg-query -W -f '${binary:Package} ${Version}\n' | sort; }
# A command as the user, from their home, with only what a desktop session would give it.
user_env="setpriv --reuid=$user --regid=$user --init-groups env -i HOME=$home USER=$user LANG=C.UTF-8
    PATH=/usr/bin:/bin XDG_RUNTIME_DIR=/tmp/runtime-$user QT_QPA_PLATFORM=offscreen"
as_user() { (cd "$home" && exec $user_env "$@"); }
# The installed programs running (the window, and the on-screen display it may have started).
programs() {
    for proc in /proc/[0-9]*; do
        case $(readlink "$proc/exe" 2>/dev/null) in
        "$app"/*) echo "${proc#/proc/}" ;;
        esac
    done
}
# A checksum of every file of the user's settings, with its name.
settings_sum() { (cd "$settings" && find . -type f -exec sha256sum {} + | sort -k 2); }

# --- The packages it needs, then the package alone ------------------------------------------------------
start=$(now)
apt_get update
# What the package depends on comes first, so that what the package itself adds and leaves behind can be
# told apart from its dependencies.
depends=$(dpkg-deb -f "$deb" Depends)
installed >/tmp/bare-packages
apt_get satisfy --no-install-recommends "$depends"
echo "test-package: $(installed | comm -13 /tmp/bare-packages - | wc -l) packages installed for: $depends"
useradd --create-home --shell /bin/sh $user
mkdir -m 700 /tmp/runtime-$user && chown $user: /tmp/runtime-$user
phase dependencies "$start"

start=$(now)
listing >/tmp/before-files
installed >/tmp/before-packages
apt_get install --no-install-recommends "$deb"
installed | diff /tmp/before-packages - | grep '^[<>]' >/tmp/new-packages || true
package=$(dpkg-deb -f "$deb" Package)
version=$(dpkg-deb -f "$deb" Version)
[ "$(cat /tmp/new-packages)" = "> $package $version" ] ||
    fail "installing the package changed other packages than itself: $(cat /tmp/new-packages)"
for program in korvane-config korvanectl; do
    [ "$(readlink -f /usr/bin/$program)" = "$app/$program" ] || fail "/usr/bin/$program does not lead to $app"
done

# --- The user at work -----------------------------------------------------------------------------------
# Names are those the program gives the shipped model; it has a receiver and a cable.
product=$(sed -n 's/^ProductName=//p' "$app/DefaultProfile.bin" | tr -d '\r')
[ -n "$product" ] || fail "$app/DefaultProfile.bin names no product"
output=$(as_user korvanectl --virtual list 2>&1) || fail "korvanectl --virtual list failed: $output"
echo "$output" | sed 's/^/    korvanectl --virtual list: /'
echo "$output" | grep -q -F "$product" || fail "korvanectl --virtual list does not name the $product: $output"
output=$(as_user korvanectl --virtual apply 2>&1) || fail "korvanectl --virtual apply failed: $output"
[ -f "$settings/korvane-config/Configs/Config.ini" ] ||
    fail "korvanectl kept no settings in $settings: $(find "$home" 2>&1)"
output=$(as_user korvanectl --virtual --json doctor 2>&1) || true
echo "$output" | grep -q "\"version\": *\"$version\"" ||
    fail "korvanectl doctor does not say the package's version $version: $output"

# The window, started as from the menu (the subshell becomes it); it stays up until it is ended.
(cd "$home" && exec $user_env korvane-config --virtual) >/tmp/window.log 2>&1 &
window=$!
sleep 3
[ "$(readlink /proc/$window/exe)" = "$app/korvane-config" ] || {
    cat /tmp/window.log >&2
    fail "the installed window ended at start-up"
}
kill $window
{ wait $window; } 2>/dev/null || true
for _ in $(seq 50); do
    running=$(programs)
    [ -n "$running" ] || break
    kill $running 2>/dev/null || true
    sleep 0.1
done
[ -z "$running" ] || fail "the installed programs do not end: $running"

as_user korvanectl --virtual profile add Kept >/tmp/add.log 2>&1 || fail "korvanectl profile add: $(cat /tmp/add.log)"
[ -f "$settings/korvane-config/Configs/$product/Profile/Kept.prof" ] || fail "the new profile is not in $settings"
# The programs never write into what the package installed, nor beside it.
dpkg --verify "$package" || fail "installed files of the package changed while it was used"
dpkg -L "$package" | sort >/tmp/package-files
find "$app" | sort | comm -23 - /tmp/package-files >/tmp/extra-files
[ ! -s /tmp/extra-files ] || fail "the programs wrote into $app: $(cat /tmp/extra-files)"
phase use "$start"

# --- The upgrade ----------------------------------------------------------------------------------------
start=$(now)
settings_sum >/tmp/settings-before
apt_get install --no-install-recommends "$upgrade"
new=$(dpkg-deb -f "$upgrade" Version)
[ "$(dpkg-query -W -f '${Version}' "$package")" = "$new" ] || fail "the upgrade to $new was not installed"
settings_sum | diff -u /tmp/settings-before - >&2 || fail "the upgrade changed the user's settings"
output=$(as_user korvanectl --virtual profiles 2>&1) || fail "korvanectl profiles after the upgrade: $output"
echo "$output" | grep -q Kept || fail "the user's profile is gone after the upgrade: $output"
phase upgrade "$start"

# --- Removal --------------------------------------------------------------------------------------------
start=$(now)
settings_sum >/tmp/settings-before
apt_get purge "$package"
! dpkg -s "$package" >/dev/null 2>&1 || fail "the package is still known to dpkg after apt-get purge"
listing | diff -u /tmp/before-files - >&2 || fail "the purged package left files behind (above)"
settings_sum | diff -u /tmp/settings-before - >&2 || fail "removing the package touched the user's settings"
phase purge "$start"
echo "test-package: installed, used, upgraded and purged as expected"
