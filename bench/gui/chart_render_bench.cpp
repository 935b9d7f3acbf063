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

namespace tavrinel {
namespace {

void BM_RenderSouthIndian600(benchmark::State& state) {
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
