#!/usr/bin/env bash
# The Library window over 100,000 charts under the offscreen platform: the
# time it takes to open (target 150 ms), each keystroke's refiltering (target
# 16 ms), and the peak memory it adds to the window shown (target 30 MB).
#   bench/gui/library_window.sh [build-dir] [charts] [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${1:-build}
count=${2:-100000}
runs=${3:-5}
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d "${TMPDIR:-/tmp}/tavrinel-library-window.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build_dir/bench/library/library_bench" "$count" "$work/bench" >/dev/null
mkdir -p "$work/data/tavrinel" "$work/config"
mv "$work/bench/library.sqlite3" "$work/data/tavrinel/library.sqlite3"
rm -rf "$work/bench"
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
probe="$build_dir/bench/gui/gui_library_window_bench"
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
peak() { /usr/bin/time -f %M "$probe" "$@" 2>&1 >/dev/null | tail -1; }
for _ in $(seq "$runs"); do
  "$probe" --library
done
without="" with=""
for _ in $(seq "$runs"); do
  without+="$(peak) "
  with+="$(peak --library) "
done
a=$(tr ' ' '\n' <<<"$without" | grep . | median)
b=$(tr ' ' '\n' <<<"$with" | grep . | median)
echo "peak memory (max RSS, median of $runs runs):"
echo "  window shown                    ${a} KiB"
echo "  window with the Library open    ${b} KiB"
awk -v a="$a" -v b="$b" 'BEGIN {printf "  the Library window adds         %.1f MB (target <= 30 MB)\n", (b - a) / 1024}'
