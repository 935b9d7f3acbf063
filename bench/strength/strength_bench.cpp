// A chart's strength, sunrise and sunset included, against one bare Swiss
// Ephemeris chart at the same instants and places, turn about in the same
// run so that a change in the machine's load falls on both (target: at most
// 3 times the bare chart).
//
//   build/bench/strength/strength_bench --benchmark_filter=Ratio
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "bench/common/bare_swiss_chart.h"
#include "ephemeris/precise_sky.h"
#include "ephemeris/swiss_ephemeris.h"
#include "strength/strength.h"
#include "strength/strength_sky.h"

namespace tavrinel {
namespace {

struct Instant {
    double JulianDayUt;
    SweSite Site;
};

// Births from 1900 to 2050 at places within 60 degrees of the equator, where
// the Sun always rises and sets.
std::vector<Instant> Instants(std::size_t count) {
    std::mt19937 random(25);
    std::uniform_real_distribution<double> days(JulianDayAtMidnight(1900, 1, 1),
                                                JulianDayAtMidnight(2050, 1, 1));
    std::uniform_real_distribution<double> latitude(-60, 60);
    std::uniform_real_distribution<double> longitude(-180, 180);
    std::vector<Instant> instants(count);
    for (Instant& instant : instants) {
        instant.JulianDayUt = days(random);
        instant.Site = {latitude(random), longitude(random)};
    }
    return instants;
}

void Prepare() {
    UseEphemerisPath(DefaultEphemerisPath());
    // Through the program's own door, which sets the library's zodiac.
    benchmark::DoNotOptimize(SweAyanamsaUt(2451545, SweZodiac::Lahiri, AyanamsaKind::True));
}

void Strength(const Instant& instant) {
    std::string error;
    const std::optional<StrengthInputs> in =
        StrengthInputsAt(instant.JulianDayUt, instant.Site, PreciseSettings{}, error);
    if (in) {
        benchmark::DoNotOptimize(ComputeStrength(*in));
    }
}

void BM_Strength(benchmark::State& state) {
    const std::vector<Instant> instants = Instants(1000);
    Prepare();
    std::size_t i = 0;
    for (auto _ : state) {
        Strength(instants[i++ % instants.size()]);
    }
}
BENCHMARK(BM_Strength)->Unit(benchmark::kMicrosecond);

void BM_ComputeStrengthOnly(benchmark::State& state) {
    Prepare();
    std::string error;
    const std::optional<StrengthInputs> in =
        StrengthInputsAt(2451545.2, {13, 77.58}, PreciseSettings{}, error);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeStrength(*in));
    }
}
BENCHMARK(BM_ComputeStrengthOnly)->Unit(benchmark::kMicrosecond);

void BM_BareSwissChart(benchmark::State& state) {
    const std::vector<Instant> instants = Instants(1000);
    Prepare();
    std::size_t i = 0;
    for (auto _ : state) {
        const Instant& instant = instants[i++ % instants.size()];
        bench::BareSwissChart(instant.JulianDayUt, instant.Site.Latitude, instant.Site.Longitude);
    }
}
BENCHMARK(BM_BareSwissChart)->Unit(benchmark::kMicrosecond);

// Each turn's own ratio, the median reported: a pause of the shared machine
// skews one turn, not the result.
void BM_StrengthOverBareChartRatio(benchmark::State& state) {
    const std::vector<Instant> instants = Instants(500);
    Prepare();
    const auto seconds = [&](auto&& work) {
        const auto start = std::chrono::steady_clock::now();
        for (const Instant& instant : instants) {
            work(instant);
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    std::vector<double> ratios;
    for (auto _ : state) {
        const double bare = seconds([](const Instant& instant) {
            bench::BareSwissChart(instant.JulianDayUt, instant.Site.Latitude, instant.Site.Longitude);
        });
        const double strength = seconds(Strength);
        ratios.push_back(strength / bare);
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["strength_over_bare_chart"] = ratios[ratios.size() / 2];
}
BENCHMARK(BM_StrengthOverBareChartRatio)->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrinel

BENCHMARK_MAIN();
