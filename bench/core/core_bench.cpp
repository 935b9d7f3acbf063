// Speed of the calculation core: one whole chart, and the batch mode of the
// command line over generated charts beside a bare Swiss Ephemeris chart at
// the same kind of instants and places, and on two threads beside one.
//
//   build/bench/core/core_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only
//   bench/core/batch_ratio.sh build   (the batch's cost per line over the bare chart's)
//   build/bench/core/core_bench --benchmark_filter=TwoJobs
//
// Targets: a line with the sky check at most 0.7 times the bare chart; two
// jobs at least 1.8 times the throughput of one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "bench/common/bare_swiss_chart.h"
#include "bench/common/bench_support.h"
#include "calculation/calculation.h"
#include "chart/birth_form.h"
#include "chart/time_zone_table.h"
#include "cli/batch.h"
#include "ephemeris/precise_sky.h"
#include "ephemeris/swiss_ephemeris.h"

namespace tavrinel {
namespace {

using bench::DiscardingSink;

// An output stream that throws its bytes away without storing them.
class NullBuffer final : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

BirthForm AnnsForm() {
    BirthForm form;
    form.Name = "Ann";
    form.LatDeg = "28";
    form.LatMin = "36";
    form.LonDeg = "77";
    form.LonMin = "12";
    form.City = "New Delhi";
    form.State = "Delhi";
    form.Country = "India";
    form.DayIndex = 14;
    form.MonthIndex = 6;
    form.YearIndex = 1990 - kFirstYear;
    form.HourIndex = 12;
    form.ZoneIndex = 34;
    return form;
}

// Time base, Moon, planets and nodes, and the reading's runs.
void BM_WholeCalculation(benchmark::State& state) {
    ChartState chart;
    LoadTimeZoneTables(chart);
    CopyFormToChart(AnnsForm(), chart);
    DiscardingSink sink;
    for (auto _ : state) {
        RunEngines(chart);
        BuildDignityReading(chart, sink);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WholeCalculation);

std::string GeneratedCharts(int count) {
    std::mt19937 random(20261207);
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines += R"({"PersonName":"Person )" + std::to_string(i) +
                 R"(","BirthDay":)" + std::to_string(pick(1, 28)) +
                 R"(,"BirthMonth":)" + std::to_string(pick(1, 12)) +
                 R"(,"BirthYear":)" + std::to_string(pick(kFirstYear, kLastYear)) +
                 R"(,"BirthHour":)" + std::to_string(pick(0, 24)) +
                 R"(,"BirthMinute":)" + std::to_string(pick(0, 59)) +
                 R"(,"TimeZone":)" + std::to_string(pick(0, kZoneCount - 1)) +
                 R"(,"LatDegrees":)" + std::to_string(pick(0, 89)) +
                 R"(,"LatMinutes":)" + std::to_string(pick(0, 59)) +
                 R"(,"LatDirection":")" + (pick(0, 1) ? "N" : "S") +
                 R"(","LonDegrees":)" + std::to_string(pick(0, 179)) +
                 R"(,"LonMinutes":)" + std::to_string(pick(0, 59)) +
                 R"(,"LonDirection":")" + (pick(0, 1) ? "E" : "W") +
                 R"(","DaylightSaving":)" + (pick(0, 1) ? "true" : "false") +
                 R"(,"CityName":"City","StateName":"State","CountryName":"Country"})" + "\n";
    }
    return lines;
}

void BM_Batch(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string input = GeneratedCharts(count);
    NullBuffer discard;
    std::ostream out(&discard);
    for (auto _ : state) {
        std::istringstream in(input);
        benchmark::DoNotOptimize(cli::RunBatch(in, out, {}, state.range(1) != 0));
    }
    state.SetItemsProcessed(state.iterations() * count);
}
// Second argument: with the sky check (the default) or without (--no-sky-check).
BENCHMARK(BM_Batch)->Args({10000, 1})->Args({10000, 0})->Unit(benchmark::kMillisecond);

// The yardstick, over instants and places drawn as the generated lines draw
// theirs, so that the library's file cache helps neither side more.
void BM_BareSwissChart(benchmark::State& state) {
    std::mt19937 random(20261208);
    struct Instant {
        double JulianDayUt;
        double Latitude;
        double Longitude;
    };
    std::vector<Instant> instants(10000);
    const double first = JulianDayAtMidnight(kFirstYear, 1, 1);
    const double last = JulianDayAtMidnight(kLastYear + 1, 1, 1);
    for (Instant& instant : instants) {
        instant.JulianDayUt = std::uniform_real_distribution<double>(first, last)(random);
        instant.Latitude = std::uniform_real_distribution<double>(-89, 89)(random);
        instant.Longitude = std::uniform_real_distribution<double>(-180, 180)(random);
    }
    UseEphemerisPath(DefaultEphemerisPath());
    // Through the program's own door, which sets the library's zodiac.
    benchmark::DoNotOptimize(SweAyanamsaUt(first, SweZodiac::Lahiri, AyanamsaKind::True));
    std::size_t i = 0;
    for (auto _ : state) {
        const Instant& instant = instants[i++ % instants.size()];
        bench::BareSwissChart(instant.JulianDayUt, instant.Latitude, instant.Longitude);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BareSwissChart)->Unit(benchmark::kMicrosecond);

// Throughput of --jobs 2 against one thread, measured turn about in the same
// run so that a change in the machine's load falls on both. Target: at least
// 1.8 times, with the check and without.
void BM_BatchTwoJobsAgainstOne(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string input = GeneratedCharts(count);
    NullBuffer discard;
    std::ostream out(&discard);
    const auto seconds = [&](int jobs) {
        cli::BatchSettings settings;
        settings.SkyCheck = state.range(1) != 0;
        settings.Jobs = jobs;
        std::istringstream in(input);
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(cli::RunBatch(in, out, settings));
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    double one = 0, two = 0;
    // Each turn's own ratio: a pause of the shared machine falls on one run
    // of a turn and skews that turn alone, so the median turn says what the
    // two threads give; sums would carry the pause into the result.
    std::vector<double> speedups;
    for (auto _ : state) {
        const double oneTurn = seconds(1);
        const double twoTurn = seconds(2);
        one += oneTurn;
        two += twoTurn;
        speedups.push_back(oneTurn / twoTurn);
    }
    std::sort(speedups.begin(), speedups.end());
    const double charts = static_cast<double>(count) * static_cast<double>(state.iterations());
    state.counters["one_thread_charts_per_s"] = charts / one;
    state.counters["two_jobs_charts_per_s"] = charts / two;
    state.counters["two_jobs_speedup"] = speedups[speedups.size() / 2];
}
// Second argument: with the sky check or without.
BENCHMARK(BM_BatchTwoJobsAgainstOne)
    ->Args({5000, 1})
    ->Args({5000, 0})
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);

// The two halves of a calculation, to see where the time goes.
void BM_EnginesOnly(benchmark::State& state) {
    ChartState chart;
    LoadTimeZoneTables(chart);
    CopyFormToChart(AnnsForm(), chart);
    for (auto _ : state) {
        RunEngines(chart);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EnginesOnly);

void BM_ReadingOnly(benchmark::State& state) {
    ChartState chart;
    LoadTimeZoneTables(chart);
    CopyFormToChart(AnnsForm(), chart);
    RunEngines(chart);
    DiscardingSink sink;
    for (auto _ : state) {
        BuildDignityReading(chart, sink);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ReadingOnly);

}  // namespace
}  // namespace tavrinel

BENCHMARK_MAIN();
