// Cost of the precise sky. One precise chart (nine grahas and the Lagna, with
// texts) beside the nine bare library calls it rests on (seven bodies, the
// node, the ascendant) over the same instants; and the documented chart with
// the sky check, as each Calculate in the window runs it.
//
//   build/bench/sky/sky_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only
//
// Targets: the precise chart at most 1.2 times the bare calls; the documented
// chart with the check at most 150 microseconds. The positions the batch's
// check computes are shown beside them.
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <random>
#include <vector>

#include "bench/common/bare_swiss_chart.h"
#include "bench/common/bench_support.h"
#include "calculation/calculation.h"
#include "calculation/sky_check.h"
#include "chart/birth_form.h"
#include "ephemeris/precise_sky.h"
#include "ephemeris/swiss_ephemeris.h"

namespace tavrinel {
namespace {

using bench::DiscardingSink;

// Different instants, so that no call is answered from the library's cache
// of the last position it computed.
constexpr int kInstants = 1024;

std::vector<ChartState> Births() {
    std::mt19937_64 random(42);
    std::vector<ChartState> births(kInstants);
    for (ChartState& chart : births) {
        const auto pick = [&random](int low, int high) {
            return static_cast<std::int16_t>(std::uniform_int_distribution<int>(low, high)(random));
        };
        chart.BirthYear = pick(kFirstYear, kLastYear);
        chart.BirthMonth = pick(1, 12);
        chart.BirthDay = pick(1, 28);
        chart.BirthHour = pick(0, 23);
        chart.BirthMinute = pick(0, 59);
        chart.ZoneShiftHours = -5;
        chart.ZoneShiftMinutes = -30;
        chart.LatDegrees = 28;
        chart.LatMinutes = 36;
        chart.LonDegrees = 77;
        chart.LonMinutes = 12;
        chart.LonDirection = kTrue;
    }
    return births;
}

void BM_BareLibraryCalls(benchmark::State& state) {
    const std::vector<ChartState> births = Births();
    UseEphemerisPath(DefaultEphemerisPath());
    swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);
    std::size_t i = 0;
    for (auto _ : state) {
        bench::BareSwissChart(PreciseJulianDayUt(births[i++ % births.size()]), 28.6, 77.2);
    }
}
BENCHMARK(BM_BareLibraryCalls)->Unit(benchmark::kMicrosecond);

void BM_PreciseChart(benchmark::State& state) {
    std::vector<ChartState> births = Births();
    std::size_t i = 0;
    for (auto _ : state) {
        ChartState& chart = births[i++ % births.size()];
        benchmark::DoNotOptimize(ComputePreciseSky(chart, {}));
    }
}
BENCHMARK(BM_PreciseChart)->Unit(benchmark::kMicrosecond);

// What the batch's check computes: the same positions and texts from one
// shared instant, without speeds.
void BM_PrecisePositions(benchmark::State& state) {
    std::vector<ChartState> births = Births();
    std::size_t i = 0;
    for (auto _ : state) {
        ChartState& chart = births[i++ % births.size()];
        benchmark::DoNotOptimize(ComputePreciseSkyPositions(chart, {}));
    }
}
BENCHMARK(BM_PrecisePositions)->Unit(benchmark::kMicrosecond);

void BM_DocumentedChartWithSkyCheck(benchmark::State& state) {
    std::vector<BirthForm> forms(kInstants);
    std::mt19937_64 random(7);
    for (BirthForm& form : forms) {
        const auto pick = [&random](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        form.Name = "Ann";
        form.LatDeg = "28";
        form.LatMin = "36";
        form.LonDeg = "77";
        form.LonMin = "12";
        form.ZoneIndex = 34;
        form.YearIndex = pick(0, kYearCount - 1);
        form.MonthIndex = pick(0, 11);
        form.DayIndex = pick(0, 27);
        form.HourIndex = pick(0, 23);
        form.MinuteIndex = pick(0, 59);
    }
    ChartState chart;
    DiscardingSink sink;
    SkyCheck check;
    const SkyChoice documented{};
    std::size_t i = 0;
    for (auto _ : state) {
        CalculateChart(forms[i++ % forms.size()], chart, sink, documented, &check);
        benchmark::DoNotOptimize(check.Differences.data());
    }
}
BENCHMARK(BM_DocumentedChartWithSkyCheck)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrinel

BENCHMARK_MAIN();
