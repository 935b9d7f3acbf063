#!/usr/bin/env bash
# What a Debian desktop checks of an installed program, one case per call:
#   packaging_test.sh CASE SOURCE_DIR BUILD_DIR
set -euo pipefail
case_name=$1 src=$2 build=$3
cli=$build/cli/tavrinel-cli
ann=(--name Ann --date 1990-07-15 --time 12:00 --zone IST --lat 28:36N --lon 77:12E
     --city "New Delhi" --state Delhi --country India)
fail() { echo "FAIL: $*" >&2; exit 1; }

case $case_name in
desktop)
    desktop-file-validate "$src/data/tavrinel.desktop"
    grep -qx 'MimeType=application/x-tavrinel-reading;' "$src/data/tavrinel.desktop" ||
        fail "the desktop entry does not take reading files"
    xmllint --noout "$src/packaging/tavrinel-mime.xml"
    grep -q '<glob pattern="\*.tvl"/>' "$src/packaging/tavrinel-mime.xml" ||
        fail "the MIME type does not name .tvl files"
    ;;
open)
    # A file manager runs the entry's Exec line with the file for %f: the
    # window must open it and show its reading.
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir "$work/my readings"
    file="$work/my readings/ann.tvl"
    "$cli" "${ann[@]}" --save "$file" >/dev/null
    exec_line=$(sed -n 's/^Exec=//p' "$src/data/tavrinel.desktop")
    read -r -a words <<<"$exec_line"
    [[ ${words[0]} == tavrinel ]] || fail "Exec does not start the program: $exec_line"
    command=("$build/tests/app/open_driver")
    for word in "${words[@]:1}"; do
        [[ $word == %f ]] && command+=("$file") || command+=("$word")
    done
    shown=$(HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=offscreen \
            timeout 60 "${command[@]}")
    expected=$("$cli" "$file" | tr -d '\r' | grep -v '^ *$' | tail -n 1)
    [[ -n $expected ]] || fail "the command line gave no reading for $file"
    grep -qF -- "$expected" <<<"$shown" || fail "the window did not show the reading of $file"
    ;;
metainfo)
    # Pedantic too: a software centre shows whatever it tolerates badly.
    appstreamcli validate --no-net --pedantic "$src"/packaging/*.metainfo.xml
    ;;
manuals)
    for page in tavrinel tavrinel-cli; do
        file=$build/share/man/man1/$page.1.gz
        [[ -s $file ]] || fail "$file missing"
        warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
        [[ -z $warnings ]] || fail "$page.1 renders with warnings: $warnings"
    done
    text=$(MANWIDTH=200 man -l "$build/share/man/man1/tavrinel-cli.1.gz" 2>/dev/null)
    for option in $("$cli" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
        grep -q -- "$option" <<<"$text" || fail "the manual lacks $option"
    done
    for section in "EXIT STATUS" "BATCH FORMAT" "EXAMPLES"; do
        grep -q "^$section" <<<"$text" || fail "the manual lacks $section"
    done
    # The description is ours alone; examples fit a terminal of 80 columns.
    description=$(sed -n '/^DESCRIPTION/,/^[A-Z]/p' <<<"$text")
    ! grep -qE 'Positionals:|^ *Tavrinel: ' <<<"$description" ||
        fail "the description holds help2man's leftovers: $description"
    for page in tavrinel tavrinel-cli; do
        wide=$(MANWIDTH=80 man -l "$build/share/man/man1/$page.1.gz" 2>/dev/null |
               LC_ALL=C.UTF-8 grep -E '^.{81,}' || true)
        [[ -z $wide ]] || fail "$page.1 has lines wider than 80 columns: $wide"
    done
    window=$(MANWIDTH=200 man -l "$build/share/man/man1/tavrinel.1.gz" 2>/dev/null)
    for topic in "Sky menu" atlas Chart PDF "\.tvl"; do
        grep -q -- "$topic" <<<"$window" || fail "tavrinel.1 does not mention $topic"
    done
    ;;
completion)
    # Runs the completion function as bash would, on a few command lines.
    complete_line() {
        bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _tavrinel_cli
                 printf "%s\n" "${COMPREPLY[@]}"' _ "$src/packaging/tavrinel-cli.bash" "$cli" "$@"
    }
    [[ $(complete_line --na) == --name ]] || fail "--na does not complete to --name"
    offered=$(complete_line -- "-")
    for option in $("$cli" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
        grep -qx -- "$option" <<<"$offered" || fail "$option is not offered"
    done
    [[ $(complete_line --format j) == json ]] || fail "--format j does not complete to json"
    [[ $(complete_line --format c) == csv ]] || fail "--format c does not complete to csv"
    grep -qx 1 <<<"$(complete_line --jobs "")" || fail "--jobs offers no number of threads"
    grep -qx IST <<<"$(complete_line --zone IS)" || fail "--zone IS does not offer IST"
    [[ $(complete_line library s | sort | tr '\n' ' ') == "search show " ]] ||
        fail "library s does not offer search and show"
    [[ $(complete_line library --file lib.sqlite3 search --format c) == csv ]] ||
        fail "library search --format c does not complete to csv"
    [[ $(complete_line library search jo --l) == --limit ]] ||
        fail "library search --l does not complete to --limit"
    # File names with blanks stay whole, with the completion library loaded
    # and without it.
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir "$work/old charts"
    touch "$work/my chart.tvl" "$work/notes.txt"
    cd "$work"
    for library in "" /usr/share/bash-completion/bash_completion; do
        [[ -z $library || -r $library ]] || fail "$library is missing"
        offered=$(bash -c '[[ -n $1 ]] && source "$1"; source "$2"; shift 2
                           COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _tavrinel_cli
                           printf "%s\n" "${COMPREPLY[@]}"' _ "$library" \
                  "$src/packaging/tavrinel-cli.bash" "$cli" --save m)
        [[ $offered == "my chart.tvl" ]] || fail "--save m offers '$offered' (library '${library:-none}')"
        offered=$(bash -c '[[ -n $1 ]] && source "$1"; source "$2"; shift 2
                           COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _tavrinel_cli
                           printf "%s\n" "${COMPREPLY[@]}"' _ "$library" \
                  "$src/packaging/tavrinel-cli.bash" "$cli" o)
        [[ $offered == "old charts" ]] || fail "o offers '$offered' (library '${library:-none}')"
    done
    ;;
deb)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    (cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) ||
        { cat "$work/cpack.log"; fail "cpack failed"; }
    deb=$(ls "$work"/out/tavrinel_*_amd64.deb)
    depends=$(dpkg-deb -f "$deb" Depends)
    for needed in libqt6widgets6 libswe tzdata swe-basic-data libc6; do
        grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
    done
    [[ $(dpkg-deb -f "$deb" Section) == science ]] || fail "section is not science"
    grep -q xdg-utils <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "xdg-utils is not recommended"
    # Debian's own checker: no error, and the hardening of a Debian build.
    findings=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
    ! grep -E '^E: |hardening-|no-changelog' <<<"$findings" ||
        fail "lintian finds: $findings"
    dpkg -x "$deb" "$work/root"
    for file in usr/bin/tavrinel usr/bin/tavrinel-cli usr/share/man/man1/tavrinel-cli.1.gz \
                usr/share/applications/tavrinel.desktop usr/share/metainfo/org.example.tavrinel.metainfo.xml \
                usr/share/icons/hicolor/48x48/apps/tavrinel.png usr/share/doc/tavrinel/copyright usr/share/doc/tavrinel/changelog.gz \
                usr/share/mime/packages/tavrinel.xml \
                usr/share/bash-completion/completions/tavrinel-cli usr/share/tavrinel/tavrinel-help.html; do
        [[ -e $work/root/$file ]] || fail "the package lacks /$file"
    done
    installed=$("$work/root/usr/bin/tavrinel-cli" "${ann[@]}")
    grep -q "28 Gem 55" <<<"$installed" || fail "the installed program does not give the Sun 28 Gem 55"
    [[ $installed == "$("$cli" "${ann[@]}")" ]] || fail "the installed program reads differently from the build"
    # The installed program opens its modules from its own tree: Chicago's
    # daylight saving on the day comes from the time-zone rules' module.
    al=(--name Al --date 1990-07-04 --time 9:30)
    placed=$("$work/root/usr/bin/tavrinel-cli" "${al[@]}" --place Chicago 2>"$work/placed.err")
    grep -q "daylight saving on 4 July 1990 (time-zone database)" "$work/placed.err" ||
        fail "the installed program does not place Chicago: $(cat "$work/placed.err")"
    [[ $placed == "$("$cli" "${al[@]}" --lat 41:51N --lon 87:39W --zone CDT)" ]] ||
        fail "the installed program reads Chicago differently from the build"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "packaging $case_name: passed"
