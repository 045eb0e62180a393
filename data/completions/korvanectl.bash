# bash completion for korvanectl: its commands, options and file arguments, and the profile and macro names
# of the user's own settings as "korvanectl profiles --names" and "korvanectl macros --names" print them.
# Installed as share/bash-completion/completions/korvanectl, where bash-completion loads it on first use.

# Adds the names of $2 (profiles or macros) that start with $3, asking the korvanectl $1 was typed as.
_korvanectl_names() {
    local ctl=$1 name
    # The word as typed: an opening quote and backslashes are no part of the name.
    local prefix=${3#[\"\']}
    prefix=${prefix//\\/}
    # A program typed as ~/... is found from the home folder.
    [[ $ctl == "~/"* ]] && ctl=$HOME/${ctl#"~/"}
    command -v "$ctl" >/dev/null 2>&1 || ctl=korvanectl
    # Names may hold spaces: readline quotes them as it does file names.
    compopt -o filenames 2>/dev/null
    while IFS= read -r name; do
        [[ $name == "$prefix"* ]] && COMPREPLY+=("$name")
    done < <("$ctl" "$2" --names 2>/dev/null)
}

# Adds the files that start with $1 and end in one of the further arguments (any file when none is
# given), and the folders on the way to them.
_korvanectl_files() {
    local prefix=$1 ending
    shift
    compopt -o filenames 2>/dev/null
    local IFS=$'\n'
    if (($# == 0)); then
        COMPREPLY+=($(compgen -f -- "$prefix"))
        return
    fi
    COMPREPLY+=($(compgen -d -- "$prefix"))
    for ending; do
        COMPREPLY+=($(compgen -f -X "!*.$ending" -- "$prefix"))
    done
}

_korvanectl() {
    local cur=${COMP_WORDS[COMP_CWORD]} i
    # The words between the program and the cursor, the options that may stand anywhere left out.
    local -a words=()
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --virtual | --json) ;;
        *) words+=("${COMP_WORDS[i]}") ;;
        esac
    done
    COMPREPLY=()
    local IFS=$' \t\n'
    if [[ $cur == -* ]]; then
        local options="--virtual --json --help"
        if ((${#words[@]} == 0)); then
            options+=" --version"
        elif ((${#words[@]} == 1)) && [[ ${words[0]} == profiles || ${words[0]} == macros ]]; then
            options+=" --names"
        elif [[ ${words[0]} == links && ${words[1]-} == add ]]; then
            options+=" --focus"
        fi
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case ${#words[@]},${words[0]-},${words[1]-} in
    0,*)
        COMPREPLY=($(compgen -W "list status profiles profile apply export import macros links doctor" -- "$cur"))
        ;;
    1,profile,*)
        COMPREPLY=($(compgen -W "add copy rename delete switch" -- "$cur"))
        ;;
    2,profile,copy | 2,profile,rename | 2,profile,delete | 2,profile,switch | 1,apply,*)
        _korvanectl_names "${COMP_WORDS[0]}" profiles "$cur"
        ;;
    1,export,* | 1,import,*)
        _korvanectl_files "$cur" prof conf
        ;;
    1,macros,*)
        COMPREPLY=($(compgen -W "export import" -- "$cur"))
        ;;
    2,macros,export)
        _korvanectl_names "${COMP_WORDS[0]}" macros "$cur"
        ;;
    2,macros,import | 3,macros,export)
        _korvanectl_files "$cur"
        ;;
    1,links,*)
        COMPREPLY=($(compgen -W "add remove" -- "$cur"))
        ;;
    3,links,add)
        _korvanectl_names "${COMP_WORDS[0]}" profiles "$cur"
        ;;
    esac
}
complete -F _korvanectl korvanectl
