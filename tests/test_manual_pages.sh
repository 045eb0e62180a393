#!/bin/sh
# The manual pages: mandoc and groff find nothing to warn about in either; korvanectl(1) describes every
# command, subcommand and option that korvanectl's usage lists, and no other; the pages' title lines,
# korvanectl --version and korvane-config --version all carry the project version.
# Usage: test_manual_pages.sh DIST_DIR MAN_DIR PROJECT_VERSION
. "$(dirname "$0")/support/ctl_home.sh"
man=$2
version=$3

for page in "$man/korvanectl.1" "$man/korvane-config.1"; do
    said=$(mandoc -Tlint "$page" 2>&1) && [ -z "$said" ] || fail "mandoc -Tlint $page: $said"
    said=$(groff -man -Wall -z "$page" 2>&1) && [ -z "$said" ] || fail "groff $page: $said"
done

# The entries of COMMANDS: the command and subcommand in bold, then the options in bold.
page_commands() {
    awk '/^\.SH / { section = $2 }
        section == "COMMANDS" && previous == ".TP" {
            line = $0
            gsub(/\\-/, "-", line)
            n = 0
            while (match(line, /\\fB[^\\]*\\fR/)) {
                bold = substr(line, RSTART + 3, RLENGTH - 6)
                line = substr(line, RSTART + RLENGTH)
                if (n++ == 0) {
                    split(bold, word, " ")
                    command = word[1]
                    print command
                    if (word[2] != "")
                        print command " " word[2]
                } else if (bold ~ /^--/) {
                    print command " " bold
                }
            }
        }
        { previous = $0 }' "$man/korvanectl.1" | sort -u
}
ctl_commands >"$work/program"
page_commands >"$work/page"
[ -s "$work/program" ] && diff -u "$work/program" "$work/page" >&2 ||
    fail "korvanectl(1) and korvanectl's usage list other commands (above: - the program, + the page)"
korvanectl --help | grep -o -- '--[a-z]*' | sort -u >"$work/program"
sed 's/\\-/-/g' "$man/korvanectl.1" | grep -o -- '--[a-z]*' | sort -u >"$work/page"
diff -u "$work/program" "$work/page" >&2 || fail "korvanectl(1) and korvanectl's usage name other options"

# One version everywhere.
for page in korvanectl korvane-config; do
    grep -q "^\.TH .* \"Korvane Config $version\" " "$man/$page.1" || fail "$page.1 is not of version $version"
done
[ "$(korvanectl --version)" = "korvanectl $version" ] || fail "korvanectl --version: $(korvanectl --version)"
korvanectl --json --version | grep -qF "\"version\":\"$version\"" || fail "korvanectl --json --version"
[ "$(korvane-config --version)" = "korvane-config $version" ] ||
    fail "korvane-config --version: $(korvane-config --version)"
echo "test_manual_pages: both pages lint clean, korvanectl(1) lists the program's commands, version $version"
