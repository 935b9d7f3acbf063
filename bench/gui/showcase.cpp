// Shows the main window for the screenshots in docs/: "input" with the form
// filled in, "reading" with the reading of that form, and "chart-south",
// "chart-north", "chart-table", "chart-dasha", "chart-vargas" or
// "chart-strength" with the Chart window on that tab. Stays open until it is
// closed. Used by screenshots.sh under a virtual X server.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <cstring>
#include <iterator>

#include "ann_form.h"
#include "app/chart_report.h"
#include "app/frm_main.h"
#include "app/window_font.h"
#include "platform/qt_platform.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setFont(tavrinel::WindowFont(tavrinel::PickWindowFontFamily(),
                                               tavrinel::kDesignPixelSize, false));
    tavrinel::QtPlatform services;
    tavrinel::Platform& platform = services.platform;

    tavrinel::ChartState chart;
    tavrinel::FrmMain window(chart, platform);
    tavrinel::testing::FillAnn(window);
    const char* mode = argc > 1 ? argv[1] : "input";
    if (std::strcmp(mode, "input") != 0) {
        window.findChild<QPushButton*>(QStringLiteral("cmdCalculate"))->click();
    }
    // The documented sky and the precise one part on the Sun here: it enters
    // sidereal Virgo in the documented sky only.
    if (argc > 1 && std::strcmp(argv[1], "sky-check") == 0) {
        tavrinel::testing::Select(window, "cboDate", argc > 3 ? argv[3] : "16");
        tavrinel::testing::Select(window, "cboMonth", argc > 4 ? argv[4] : "September");
        tavrinel::testing::Select(window, "cboYear", argc > 5 ? argv[5] : "1977");
        window.findChild<QPushButton*>(QStringLiteral("cmdCalculate"))->click();
        if (argc > 2 && std::strcmp(argv[2], "compare") == 0) {
            window.findChild<QPushButton*>(QStringLiteral("cmdCompare"))->click();
        }
    }
    // "pdf FILE": the exported report of the chart, for looking at its pages.
    if (std::strcmp(mode, "pdf") == 0 && argc > 2) {
        QFile out(QString::fromLocal8Bit(argv[2]));
        tavrinel::AnalysisRequest request;
        request.Vargas = true;
        request.Dasha = true;
        const QByteArray pdf = tavrinel::ReportPdf(chart, tavrinel::AnalyseChart(chart, request), nullptr);
        return out.open(QIODevice::WriteOnly) && out.write(pdf) > 0 ? 0 : 1;
    }
    window.show();
    const char* const tabs[] = {"chart-south", "chart-north",  "chart-table",
                                "chart-dasha", "chart-vargas", "chart-strength"};
    for (int tab = 0; tab < static_cast<int>(std::size(tabs)); ++tab) {
        if (std::strcmp(mode, tabs[tab]) == 0) {
            window.findChild<QPushButton*>(QStringLiteral("cmdChart"))->click();
            window.findChild<QTabWidget*>(QStringLiteral("tabsChart"))->setCurrentIndex(tab);
        }
    }
    return QApplication::exec();
}
