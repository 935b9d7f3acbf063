// The sixteen vargas of one chart with every graha's dignity in each,
// vargottama and the relationships (target: at most 2 µs).
//
//   build/bench/core/vargas_bench --benchmark_repetitions=5
//   --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include "bench/common/bench_support.h"
#include "vargas/vargas.h"

namespace tavrinel {
namespace {

void BM_ComputeVargas(benchmark::State& state) {
    const ChartState chart = bench::AnnsChart();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeVargas(chart.GrahaLongitudes, chart.LagnaLongitude));
    }
}
BENCHMARK(BM_ComputeVargas)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrinel

BENCHMARK_MAIN();
