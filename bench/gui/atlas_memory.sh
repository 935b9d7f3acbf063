#!/usr/bin/env bash
# What the atlas adds to the window's peak memory: the window shown, against
# the window shown with a place typed and picked (the whole atlas read), both
# under the offscreen platform. Target: at most 15 MB more.
#   bench/gui/atlas_memory.sh [build-dir] [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${1:-build}
runs=${2:-9}
export QT_QPA_PLATFORM=offscreen
probe="$build_dir/bench/gui/gui_atlas_memory"
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
peak() { /usr/bin/time -f %M "$probe" "$@" 2>&1 >/dev/null | tail -1; }
without="" with=""
for _ in $(seq "$runs"); do
  without+="$(peak) "
  with+="$(peak --atlas) "
done
a=$(tr ' ' '\n' <<<"$without" | grep . | median)
b=$(tr ' ' '\n' <<<"$with" | grep . | median)
echo "peak memory (max RSS, median of $runs runs):"
echo "  window shown                 ${a} KiB"
echo "  window with a place picked   ${b} KiB"
awk -v a="$a" -v b="$b" 'BEGIN {printf "  the atlas adds               %.1f MB (target <= 15 MB)\n", (b - a) / 1024}'
