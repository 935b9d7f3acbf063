# Bash completion for tavrinel-cli. The options come from the program's own
# --help, so a new option completes without this file changing.
_tavrinel_cli() {
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}

    case $prev in
        --format) COMPREPLY=($(compgen -W "text ansi json svg" -- "$cur")); return ;;
        --chart) COMPREPLY=($(compgen -W "south north" -- "$cur")); return ;;
        --sky) COMPREPLY=($(compgen -W "documented precise" -- "$cur")); return ;;
        --ayanamsa) COMPREPLY=($(compgen -W "lahiri raman krishnamurti" -- "$cur")); return ;;
        --node) COMPREPLY=($(compgen -W "mean true" -- "$cur")); return ;;
        --zone)
            # The abbreviations, the second field of each --zones line.
            COMPREPLY=($(compgen -W "$("${COMP_WORDS[0]}" --zones 2>/dev/null |
                awk -F, '{print $2}' | sort -u)" -- "$cur"))
            return ;;
        --batch) COMPREPLY=($(compgen -f -- "$cur")); return ;;
        --save) COMPREPLY=($(compgen -f -X '!*.tvl' -- "$cur") $(compgen -d -- "$cur")); return ;;
        --name|--date|--time|--utc-offset|--lat|--lon|--city|--state|--country|--place|--atlas) return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$("${COMP_WORDS[0]}" --help 2>/dev/null |
            grep -o -- '--[a-z][a-z-]*' | sort -u)" -- "$cur"))
    else
        COMPREPLY=($(compgen -f -X '!*.tvl' -- "$cur") $(compgen -d -- "$cur"))
    fi
}
complete -F _tavrinel_cli tavrinel-cli
