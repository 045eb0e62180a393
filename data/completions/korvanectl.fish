# fish completion for korvanectl: its commands, options and file arguments, and the profile and macro names
# of the user's own settings as "korvanectl profiles --names" and "korvanectl macros --names" print them.
# Installed as share/fish/vendor_completions.d/korvanectl.fish.

# True when the words between the program and the cursor, options left out, are the arguments given, where
# '*' stands for any word.
function __korvanectl_at
    set -l words (commandline -opc)
    set -e words[1]
    set -l plain
    for word in $words
        string match -q -- '-*' $word; or set -a plain $word
    end
    test (count $plain) -eq (count $argv); or return 1
    for i in (seq (count $argv))
        test "$argv[$i]" = '*'; or test "$argv[$i]" = "$plain[$i]"; or return 1
    end
end

# The names of $argv[1] (profiles or macros), from the korvanectl typed on the command line.
function __korvanectl_names
    set -l ctl (commandline -opc)[1]
    $ctl $argv[1] --names 2>/dev/null
end

# The profile and configuration files, and the folders on the way to them, that start with the word under
# the cursor.
function __korvanectl_files
    for file in (commandline -ct)*
        if test -d $file
            echo $file/
        else if string match -qr '\.(prof|conf)$' -- $file
            echo $file
        end
    end
end

complete -c korvanectl -f
complete -c korvanectl -l virtual -d 'Use the built-in virtual mouse'
complete -c korvanectl -l json -d 'Print one JSON object instead of text'
complete -c korvanectl -l help -d 'Print the usage, or describe a command'
complete -c korvanectl -n '__korvanectl_at' -l version -d 'Print the version'

complete -c korvanectl -n '__korvanectl_at' -a list -d 'The supported mice present'
complete -c korvanectl -n '__korvanectl_at' -a status -d 'Battery level, charging and connection state'
complete -c korvanectl -n '__korvanectl_at' -a profiles -d 'The profile names, the current one marked'
complete -c korvanectl -n '__korvanectl_at' -a profile -d 'Add, copy, rename, delete or switch to a profile'
complete -c korvanectl -n '__korvanectl_at' -a apply -d 'Write the current (or named) profile to the mouse'
complete -c korvanectl -n '__korvanectl_at' -a export -d 'Save the current profile or configuration'
complete -c korvanectl -n '__korvanectl_at' -a import -d 'Load a profile or configuration'
complete -c korvanectl -n '__korvanectl_at' -a macros -d 'List the macros, or export or import one'
complete -c korvanectl -n '__korvanectl_at' -a links -d 'The programs that give the mouse a profile'
complete -c korvanectl -n '__korvanectl_at' -a doctor -d 'What a bug report needs'

complete -c korvanectl -n '__korvanectl_at profiles; or __korvanectl_at macros' -l names -d 'The names alone'
complete -c korvanectl -n '__korvanectl_at profile' -a 'add copy rename delete switch'
complete -c korvanectl -n '__korvanectl_at profile copy; or __korvanectl_at profile rename;
    or __korvanectl_at profile delete; or __korvanectl_at profile switch; or __korvanectl_at apply' \
    -a '(__korvanectl_names profiles)'
complete -c korvanectl -n '__korvanectl_at export; or __korvanectl_at import' -a '(__korvanectl_files)'
complete -c korvanectl -n '__korvanectl_at macros' -a 'export import'
complete -c korvanectl -n '__korvanectl_at macros export' -a '(__korvanectl_names macros)'
complete -c korvanectl -n '__korvanectl_at macros import; or __korvanectl_at macros export "*"' -F
complete -c korvanectl -n '__korvanectl_at links' -a 'add remove'
complete -c korvanectl -n '__korvanectl_at links add "*"' -a '(__korvanectl_names profiles)'
complete -c korvanectl -n '__korvanectl_at links add "*" "*"' -l focus -d 'Only while its window has focus'
