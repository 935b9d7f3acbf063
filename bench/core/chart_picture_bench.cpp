// Building the chart drawings from a calculated chart: the positions table
// and the South and North Indian layouts (target: at most 50 µs each).
//
//   build/bench/core/chart_picture_bench --benchmark_repetitions=5
//   --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include "calculation/calculation.h"
#include "chart_picture/chart_layout.h"
#include "chart_picture/svg_picture.h"

namespace tavrinel {
namespace {

// Ann's chart (1990 July 15, 12:00 Indian Time, New Delhi), set field by
// field as the form would.
ChartState AnnsChart() {
    ChartState chart;
    chart.PersonName = "Ann";
    chart.BirthYear = 1990;
    chart.BirthMonth = 7;
    chart.BirthDay = 15;
    chart.BirthHour = 12;
    chart.ZoneHours = 5;
    chart.ZoneMinutes = 30;
    chart.ZoneShiftHours = -5;
    chart.ZoneShiftMinutes = -30;
    chart.LonDegrees = 77;
    chart.LonMinutes = 12;
    chart.LonDirection = kTrue;
    chart.LatDegrees = 28;
    chart.LatMinutes = 36;
    RunEngines(chart);
    return chart;
}

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
