// Speed of the atlas: a completion over all the places, the zone decision,
// and reading the atlas once.
// Targets: a completion at most 2 ms, the zone decision at most 1 ms.
//
//   build/bench/core/atlas_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include "atlas/atlas.h"
#include "atlas/geonames_source.h"
#include "atlas/zone_choice.h"

namespace tavrinel::atlas {
namespace {

// One letter matches the most places; longer prefixes fewer. The window
// shows each place offered by its candidate text.
void BM_Complete(benchmark::State& state, const char* text) {
    const Atlas& atlas = Atlas::Shared();
    for (auto _ : state) {
        for (const Place* place : atlas.Complete(text, 8)) {
            benchmark::DoNotOptimize(atlas.CandidateText(*place));
        }
    }
}
BENCHMARK_CAPTURE(BM_Complete, one_letter_s, "s")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Complete, pun, "Pun")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Complete, accented_bhim, "Bhīm")->Unit(benchmark::kMicrosecond);

// A place found by its qualifiers; an ambiguous name, which is also
// compared with every display name that begins with it; a short prefix
// that names no place.
void BM_Find(benchmark::State& state, const char* text) {
    const Atlas& atlas = Atlas::Shared();
    for (auto _ : state) {
        benchmark::DoNotOptimize(atlas.Find(text));
    }
}
BENCHMARK_CAPTURE(BM_Find, springfield_illinois, "Springfield, Illinois")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Find, springfield, "Springfield")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Find, san, "San")->Unit(benchmark::kMicrosecond);

void BM_DecideZone(benchmark::State& state, const char* zone, LocalDateTime when) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecideZone("Here", zone, when));
    }
}
BENCHMARK_CAPTURE(BM_DecideZone, pune_1990, "Asia/Kolkata", LocalDateTime{1990, 7, 15, 12, 0})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecideZone, chicago_2040_rule, "America/Chicago",
                  LocalDateTime{2040, 7, 4, 12, 0})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecideZone, st_johns_dst, "America/St_Johns",
                  LocalDateTime{1990, 7, 15, 12, 0})
    ->Unit(benchmark::kMicrosecond);

// The one-time cost, paid in the background when the city box first gets
// the focus.
void BM_LoadAtlas(benchmark::State& state) {
    for (auto _ : state) {
        const Atlas atlas(LoadPackagedPlaces());
        benchmark::DoNotOptimize(atlas.Size());
    }
}
BENCHMARK(BM_LoadAtlas)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tavrinel::atlas

BENCHMARK_MAIN();
