// Building the chart drawings from a calculated chart: the positions table
// and the South and North Indian layouts (target: at most 50 µs each).
//
//   build/bench/core/chart_picture_bench --benchmark_repetitions=5
//   --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include "calculation/calculation.h"
#include "chart_picture/chart_layout.h"
#include "chart_picture/svg_picture.h"
#include "bench/common/bench_support.h"

namespace tavrinel {
namespace {

using bench::AnnsChart;

void BM_LayoutSouthIndian(benchmark::State& state) {
    const ChartState chart = AnnsChart();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LayoutSouthIndian(BuildPositionsTable(chart)));
    }
}
BENCHMARK(BM_LayoutSouthIndian)->Unit(benchmark::kMicrosecond);

void BM_LayoutNorthIndian(benchmark::State& state) {
    const ChartState chart = AnnsChart();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LayoutNorthIndian(BuildPositionsTable(chart)));
    }
}
BENCHMARK(BM_LayoutNorthIndian)->Unit(benchmark::kMicrosecond);

void BM_SvgSouthIndian(benchmark::State& state) {
    const ChartPicture picture = LayoutSouthIndian(BuildPositionsTable(AnnsChart()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(RenderSvg(picture));
    }
}
BENCHMARK(BM_SvgSouthIndian)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrinel

BENCHMARK_MAIN();
