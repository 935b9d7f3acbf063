// Cost of the timing of a chart: the Vimshottari dasha to three levels (the
// window's table and the running pratyantar) and to all five (59,049 prana
// periods), and the transit table at an instant beside the bare precise
// chart it rests on, over the same instants.
//
//   build/bench/dasha/dasha_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only
//
// Targets: three levels at most 20 microseconds, five levels at most 5
// milliseconds, the transit table at most 1.2 times the precise chart.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "bench/common/bench_support.h"
#include "dasha/transits.h"
#include "dasha/vimshottari.h"
#include "ephemeris/precise_sky.h"

namespace tavrinel {
namespace {

constexpr int kCases = 1024;

struct Birth {
    double Ut;
    double Moon;
};

// Moons all round the circle, so every birth lord and balance is met.
std::vector<Birth> Births() {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> moon(0, 360);
    std::uniform_real_distribution<double> day(JulianDayAtMidnight(1900, 1, 1),
                                               JulianDayAtMidnight(2050, 1, 1));
    std::vector<Birth> births(kCases);
    for (Birth& birth : births) {
        birth = {day(random), moon(random)};
    }
    return births;
}

void Dasha(benchmark::State& state, int levels) {
    const std::vector<Birth> births = Births();
    const std::array<Dignity, kGrahaCount> dignities =
        ClassifyGrahas(bench::AnnsChart()).Dignities;
    std::size_t i = 0;
    for (auto _ : state) {
        const Birth& birth = births[i++ % births.size()];
        auto dasha = ComputeVimshottari(birth.Ut, birth.Moon, dignities, {DashaYear::Sidereal, levels});
        benchmark::DoNotOptimize(dasha->Levels.back().data());
    }
}

void BM_DashaThreeLevels(benchmark::State& state) { Dasha(state, 3); }
BENCHMARK(BM_DashaThreeLevels)->Unit(benchmark::kMicrosecond);

void BM_DashaFiveLevels(benchmark::State& state) { Dasha(state, 5); }
BENCHMARK(BM_DashaFiveLevels)->Unit(benchmark::kMillisecond);

// From the chart record, the reading's classification included.
void BM_DashaThreeLevelsFromChart(benchmark::State& state) {
    const ChartState chart = bench::AnnsChart();
    for (auto _ : state) {
        auto dasha = ComputeVimshottari(chart, {DashaYear::Sidereal, 3});
        benchmark::DoNotOptimize(dasha->Levels.back().data());
    }
}
BENCHMARK(BM_DashaThreeLevelsFromChart)->Unit(benchmark::kMicrosecond);

// Different instants, so that no call is answered from the library's cache
// of the last position it computed.
std::vector<double> Instants() {
    std::vector<double> instants;
    for (const Birth& birth : Births()) {
        instants.push_back(birth.Ut);
    }
    return instants;
}

void BM_PreciseChartAtInstant(benchmark::State& state) {
    const std::vector<double> instants = Instants();
    ChartState chart = bench::AnnsChart();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputePreciseSkyAt(chart, {}, instants[i++ % instants.size()]));
    }
}
BENCHMARK(BM_PreciseChartAtInstant)->Unit(benchmark::kMicrosecond);

void BM_TransitTable(benchmark::State& state) {
    const std::vector<double> instants = Instants();
    const ChartState natal = bench::AnnsChart();
    std::size_t i = 0;
    for (auto _ : state) {
        const TransitTable table = ComputeTransits(natal, instants[i++ % instants.size()], {});
        benchmark::DoNotOptimize(table.SignFromMoon.data());
    }
}
BENCHMARK(BM_TransitTable)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrinel

BENCHMARK_MAIN();
