#!/usr/bin/env bash
# Start-up time (launch to window shown) and peak memory of the window beside
# a minimal Qt Widgets program, and the time of one Calculate, all under the
# offscreen platform.
#   bench/gui/measure.sh [build-dir] [runs]
# Targets: start-up at most 1.3 times the minimal program's, peak memory at
# most 1.3 times, one Calculate at most 10 ms.
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${1:-build-app}
runs=${2:-15}
export QT_QPA_PLATFORM=offscreen
gui="$build_dir/bench/gui"

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

# The probes take turns, run after run, so that both see the same load on a
# shared machine. Each run gives the time (us) from launching the probe to its
# window being shown; a second run under /usr/bin/time gives its peak RSS.
probes=(minimal window reading)
declare -A times rss
launch() {
  case $1 in
    minimal) "$gui/gui_startup_minimal" ;;
    window) "$gui/gui_startup_window" ;;
    reading) "$gui/gui_startup_window" --calculate ;;
  esac
}
peak() {
  case $1 in
    minimal) /usr/bin/time -f %M "$gui/gui_startup_minimal" ;;
    window) /usr/bin/time -f %M "$gui/gui_startup_window" ;;
    reading) /usr/bin/time -f %M "$gui/gui_startup_window" --calculate ;;
  esac 2>&1 >/dev/null | tail -1
}
for p in "${probes[@]}"; do launch "$p" >/dev/null 2>&1; done  # warm the file cache
for _ in $(seq "$runs"); do
  for p in "${probes[@]}"; do
    start=${EPOCHREALTIME/./}
    shown=$(launch "$p" 2>/dev/null)
    times[$p]+="$(( shown - start )) "
    rss[$p]+="$(peak "$p") "
  done
done
med() { tr ' ' '\n' <<<"$1" | grep . | median; }
minimal_time=$(med "${times[minimal]}")
window_time=$(med "${times[window]}")
minimal_rss=$(med "${rss[minimal]}")
window_rss=$(med "${rss[window]}")
reading_rss=$(med "${rss[reading]}")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
ms() { awk -v us="$1" 'BEGIN {printf "%.1f ms", us / 1000}'; }

echo "start-up to window shown (median of $runs runs):"
echo "  minimal Qt program   $(ms "$minimal_time")"
echo "  Tavrinel window      $(ms "$window_time")   ratio $(ratio "$window_time" "$minimal_time") (target <= 1.3)"
echo "peak memory (max RSS):"
echo "  minimal Qt program   ${minimal_rss} KiB"
echo "  Tavrinel window      ${window_rss} KiB   ratio $(ratio "$window_rss" "$minimal_rss") (target <= 1.3)"
echo "  ... after a reading  ${reading_rss} KiB   ratio $(ratio "$reading_rss" "$minimal_rss")"
echo "one Calculate, click to reading in the box (target <= 10 ms):"
"$gui/gui_calculate_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  2>/dev/null | grep -E "BM_CalculateClick_(mean|median)"
