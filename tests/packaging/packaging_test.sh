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
    grep -qx IST <<<"$(complete_line --zone IS)" || fail "--zone IS does not offer IST"
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
    dpkg -x "$deb" "$work/root"
    for file in usr/bin/tavrinel usr/bin/tavrinel-cli usr/share/man/man1/tavrinel-cli.1.gz \
                usr/share/applications/tavrinel.desktop usr/share/metainfo/org.example.tavrinel.metainfo.xml \
                usr/share/icons/hicolor/48x48/apps/tavrinel.png usr/share/doc/tavrinel/copyright \
                usr/share/bash-completion/completions/tavrinel-cli usr/share/tavrinel/tavrinel-help.html; do
        [[ -e $work/root/$file ]] || fail "the package lacks /$file"
    done
    installed=$("$work/root/usr/bin/tavrinel-cli" "${ann[@]}")
    grep -q "28 Gem 55" <<<"$installed" || fail "the installed program does not give the Sun 28 Gem 55"
    [[ $installed == "$("$cli" "${ann[@]}")" ]] || fail "the installed program reads differently from the build"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "packaging $case_name: passed"
