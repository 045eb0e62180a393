#!/bin/sh
# korvanectl's shell completions against a korvanectl with settings of its own: bash's function and fish's
# completions offer the commands and subcommands korvanectl's usage lists, the options, the user's profile
# and macro names (read through "profiles --names" and "macros --names", with no mouse there) and the files
# an argument takes; zsh's file parses.
# Usage: test_completions.sh DIST_DIR
. "$(dirname "$0")/support/ctl_home.sh"
completions=$source_dir/data/completions

# The user's profiles and macros, one name with a space; files to import beside a folder.
korvanectl profile add "Raid Night" >/dev/null && korvanectl profile add Quiet >/dev/null &&
    printf '[Setting]\nCount=0\n' >"$work/Jump.MSMACRO" && korvanectl macros import "$work/Jump.MSMACRO" >/dev/null ||
    fail "setting up the profiles and the macro"
mkdir -p "$work/files/saved"
touch "$work/files/a.prof" "$work/files/b.conf" "$work/files/c.txt"
cd "$work/files"

# The names alone, in the list's order.
[ "$(korvanectl profiles --names)" = "Profile 1
Raid Night
Quiet" ] && [ "$(korvanectl macros --names)" = Jump ] ||
    fail "the names commands print: $(korvanectl profiles --names) / $(korvanectl macros --names)"

# The candidates each shell offers for a command line whose last word is the one under the cursor, sorted and
# joined by '|'.
bash_candidates() {
    bash -c '. "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        _korvanectl korvanectl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        [ ${#COMPREPLY[@]} -eq 0 ] || printf "%s\n" "${COMPREPLY[@]}"' sh "$completions/korvanectl.bash" "$@" |
        sort | paste -sd'|'
}
fish_candidates() {
    fish -c 'source $argv[1]; complete -C $argv[2]' "$completions/korvanectl.fish" "$*" | cut -f1 | sort |
        paste -sd'|'
}
# check EXPECTED [FISH_EXPECTED] -- WORD...: what both shells offer (fish writes folders with their slash).
check() {
    expected=$1 fish_expected=$1
    [ "$2" = -- ] || { fish_expected=$2; shift; }
    shift 2
    got=$(bash_candidates "$@")
    [ "$got" = "$expected" ] || fail "bash offers '$got' for '$*', not '$expected'"
    got=$(fish_candidates "$@")
    [ "$got" = "$fish_expected" ] || fail "fish offers '$got' for '$*', not '$fish_expected'"
}

commands=$(ctl_commands)
check "$(echo "$commands" | grep -v ' ' | paste -sd'|')" -- korvanectl ""
check "$(echo "$commands" | sed -n 's/^profile //p' | paste -sd'|')" -- korvanectl profile ""
check "$(echo "$commands" | sed -n 's/^macros \([a-z]\)/\1/p' | paste -sd'|')" -- korvanectl macros ""
check "$(echo "$commands" | sed -n 's/^links \([a-z]\)/\1/p' | paste -sd'|')" -- korvanectl links ""
check "--help|--json|--version|--virtual" -- korvanectl --
check "--help|--json|--names|--virtual" -- korvanectl macros --
check "profile|profiles" -- korvanectl --virtual pro
check "Profile 1|Quiet|Raid Night" -- korvanectl profile switch ""
check "Raid Night" -- korvanectl --json apply R
check "Jump" -- korvanectl macros export ""
check "Profile 1|Quiet|Raid Night" -- korvanectl links add shooter ""
check "--focus|--help|--json|--virtual" -- korvanectl links add shooter Quiet --
check "a.prof|b.conf|saved" "a.prof|b.conf|saved/" -- korvanectl import ""
check "saved" "saved/" -- korvanectl macros export Jump s
# A new name, and a command that takes nothing, get no candidates.
check "" -- korvanectl profile add ""
check "" -- korvanectl profile rename Quiet ""
check "" -- korvanectl links add ""
check "" -- korvanectl status ""

zsh -n "$completions/_korvanectl" || fail "zsh cannot read _korvanectl"
echo "test_completions: bash and fish offer the commands, options, names and files; zsh's file parses"
