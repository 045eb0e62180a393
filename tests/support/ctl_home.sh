# Sourced by the shell tests that run the programs as an installed user would: a copy of the application
# directory DIST (the first argument) marked installed, with the shipped settings template, and a home of
# its own; both in $work, which is removed on exit. The programs are found on PATH. Defines fail.
set -eu
export LC_ALL=C
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "$(basename "$0" .sh): $*" >&2
    exit 1
}
cp -R "$1" "$work/app"
rm -rf "$work/app/Configs"
cp -R "$source_dir/data/Configs" "$work/app/Configs"
touch "$work/app/installed"
mkdir -p "$work/home/runtime"
chmod 700 "$work/home/runtime"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home/runtime"
export PATH="$work/app:$PATH" QT_QPA_PLATFORM=offscreen
unset KORVANE_VIRTUAL_MOUSE KORVANE_DEBUG KORVANE_HID_TRACE

# The commands korvanectl lists in its usage, one a line, each followed by the command with each of its
# subcommands and options ("profile add", "profiles --names"): from the head of each entry, its lowercase
# words and options.
ctl_commands() {
    korvanectl --help | awk '/^  [a-z]/ {
        head = substr($0, 3)
        sub(/  .*/, "", head)
        n = split(head, word, " ")
        print word[1]
        for (i = 2; i <= n; i++) {
            gsub(/[][]/, "", word[i])
            m = split(word[i], alternative, "|")
            for (j = 1; j <= m; j++)
                if (alternative[j] ~ /^(--)?[a-z]+$/)
                    print word[1] " " alternative[j]
        }
    }' | sort -u
}
