// Drawing the South Indian chart with QPainter into a 600×600 image, as the
// window does on every repaint (target: at most 5 ms).
//
//   QT_QPA_PLATFORM=offscreen build/bench/gui/gui_chart_render_bench
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "app/chart_painter.h"
#include "calculation/calculation.h"
#include "chart_picture/chart_layout.h"
#include "bench/common/bench_support.h"

namespace tavrinel {
namespace {

void BM_RenderSouthIndian600(benchmark::State& state) {
    const ChartState chart = bench::AnnsChart();
    const ChartPicture picture = LayoutSouthIndian(BuildPositionsTable(chart));
    QImage image(600, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintChartPicture(painter, picture, QRectF(0, 0, 600, 600));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderSouthIndian600)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrinel

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
