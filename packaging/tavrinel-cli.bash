# Bash completion for tavrinel-cli. The options come from the program's own
# --help, so a new option completes without this file changing.

# Files through the completion library's helper where it is loaded: it keeps
# names with blanks whole and ends a folder with a slash, not a blank. The same
# by hand where it is not. $1 is an extension, or empty for any file.
_tavrinel_cli_files() {
    if declare -F _filedir >/dev/null; then
        _filedir "$1"
        return
    fi
    compopt -o filenames 2>/dev/null
    local IFS=$'\n'
    if [[ -n $1 ]]; then
        COMPREPLY=($(compgen -f -X "!*.$1" -- "$cur") $(compgen -d -- "$cur"))
    else
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}

# After "library": its commands, then what each takes.
_tavrinel_cli_library() {
    local command="" i
    for ((i = 2; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            --file) ((i++)) ;;
            -*) ;;
            *) command=${COMP_WORDS[i]}; break ;;
        esac
    done
    case $prev in
        --file) _tavrinel_cli_files ""; return ;;
        --format) COMPREPLY=($(compgen -W "json csv" -- "$cur")); return ;;
        --limit) COMPREPLY=($(compgen -W "0 100" -- "$cur")); return ;;
    esac
    case $command in
        "")
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--file --help" -- "$cur"))
            else
                COMPREPLY=($(compgen -W "import add search show batch export remove note tag untag" -- "$cur"))
            fi ;;
        import|export) compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -d -- "$cur")) ;;
        add) _tavrinel_cli_files tvl ;;
        search) [[ $cur == -* ]] && COMPREPLY=($(compgen -W "--format --limit" -- "$cur")) ;;
        show|batch) [[ $cur == -* ]] && COMPREPLY=($(compgen -W "--format" -- "$cur")) ;;
    esac
}

_tavrinel_cli() {
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}

    if ((COMP_CWORD > 1)) && [[ ${COMP_WORDS[1]} == library ]]; then
        _tavrinel_cli_library
        return
    fi

    case $prev in
        --format) COMPREPLY=($(compgen -W "text ansi json svg csv" -- "$cur")); return ;;
        --chart) COMPREPLY=($(compgen -W "south north dasha" -- "$cur")); return ;;
        --varga) COMPREPLY=($(compgen -W "1 2 3 4 7 9 10 12 16 20 24 27 30 40 45 60
            D1 D2 D3 D4 D7 D9 D10 D12 D16 D20 D24 D27 D30 D40 D45 D60" -- "$cur")); return ;;
        --dasha-levels) COMPREPLY=($(compgen -W "1 2 3 4 5" -- "$cur")); return ;;
        --dasha-year) COMPREPLY=($(compgen -W "sidereal julian gregorian savana" -- "$cur")); return ;;
        --sky) COMPREPLY=($(compgen -W "documented precise" -- "$cur")); return ;;
        --ayanamsa) COMPREPLY=($(compgen -W "lahiri raman krishnamurti" -- "$cur")); return ;;
        --node) COMPREPLY=($(compgen -W "mean true" -- "$cur")); return ;;
        --zone)
            # The abbreviations, the second field of each --zones line.
            COMPREPLY=($(compgen -W "$("${COMP_WORDS[0]}" --zones 2>/dev/null |
                awk -F, '{print $2}' | sort -u)" -- "$cur"))
            return ;;
        --batch) _tavrinel_cli_files ""; return ;;
        --save) _tavrinel_cli_files tvl; return ;;
        --jobs)
            # One per core, up to the 64 that --jobs takes.
            local cores
            cores=$(nproc 2>/dev/null || echo 1)
            COMPREPLY=($(compgen -W "$(seq 1 $((cores < 64 ? cores : 64)))" -- "$cur"))
            return ;;
        --name|--date|--time|--utc-offset|--lat|--lon|--city|--state|--country|--place|--atlas|--on) return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$("${COMP_WORDS[0]}" --help 2>/dev/null |
            grep -o -- '--[a-z][a-z-]*' | sort -u)" -- "$cur"))
    else
        _tavrinel_cli_files tvl
    fi
}
complete -F _tavrinel_cli tavrinel-cli
