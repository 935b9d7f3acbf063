#!/usr/bin/env bash
# The batch's cost per line, with the sky check and without, over one bare
# Swiss Ephemeris chart in the same run. Repetitions of the two are
# interleaved so that both see the same load on a shared machine; the ratio
# is of the medians of CPU time per line and per chart.
#   bench/core/batch_ratio.sh [build-dir] [repetitions]
# Target: at most 0.7 with the check.
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${1:-build}
repetitions=${2:-5}
report=$(mktemp)
trap 'rm -f "$report"' EXIT
"$build_dir/bench/core/core_bench" --benchmark_filter='^BM_(Batch/10000/[01]|BareSwissChart)$' \
  --benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true \
  --benchmark_format=json >"$report"
python3 - "$report" <<'PY'
import json, statistics, sys
runs = {}
for run in json.load(open(sys.argv[1]))["benchmarks"]:
    if run.get("run_type") != "iteration":
        continue
    # CPU seconds per item: a line of the batch, or one bare chart.
    per_item = 1 / run["items_per_second"]
    runs.setdefault(run["run_name"], []).append(per_item)
bare = statistics.median(runs["BM_BareSwissChart"])
print(f"bare Swiss chart: {bare * 1e6:.1f} us")
for name, label in (("BM_Batch/10000/1", "with the check"), ("BM_Batch/10000/0", "without")):
    line = statistics.median(runs[name])
    print(f"batch line {label}: {line * 1e6:.1f} us, {line / bare:.2f} x the bare chart")
PY
