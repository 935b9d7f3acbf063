// One Calculate as the user starts it: a click on the button, through the
// form check, the engines and the reading written into the rich-text box.
//
//   QT_QPA_PLATFORM=offscreen build-app/bench/gui/gui_calculate_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QTextEdit>

#include "ann_form.h"
#include "app/frm_main.h"
#include "platform/platform.h"

namespace tavrinel {
namespace {

class SilentMessages final : public MessageService {
public:
    BoxAnswer Show(QWidget*, const QString&, const QString&, BoxIcon, BoxButtons) override {
        return BoxAnswer::Ok;
    }
};
class NoFiles final : public FileDialogService {
public:
    std::optional<QString> GetSaveFileName(QWidget*, const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<QString> GetOpenFileName(QWidget*, const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<QString> GetExistingFolder(QWidget*, const QString&) override {
        return std::nullopt;
    }
};
class NoWeb final : public WebService {
public:
    void OpenUrl(const QUrl&) override {}
};
class NoSettings final : public SettingsStore {
public:
    QString Get(const QString&, const QString&) override { return {}; }
    void Set(const QString&, const QString&, const QString&) override {}
};
class FixedClock final : public Clock {
public:
    QDate Today() override { return QDate(2024, 1, 1); }
};

void BM_CalculateClick(benchmark::State& state) {
    SilentMessages messages;
    NoFiles files;
    NoWeb web;
    NoSettings settings;
    FixedClock clock;
    Platform platform{messages, files, web, settings, clock};
    ChartState chart;
    FrmMain window(chart, platform);
    window.show();
    QApplication::processEvents();
    testing::FillAnn(window);
    auto* calculate = window.findChild<QPushButton*>(QStringLiteral("cmdCalculate"));
    auto* back = window.findChild<QPushButton*>(QStringLiteral("cmdBack"));
    auto* rtb = window.findChild<QTextEdit*>(QStringLiteral("RTB"));

    for (auto _ : state) {
        calculate->click();
        // Include the layout of the new text, as the user sees it at once.
        QApplication::processEvents();
        benchmark::DoNotOptimize(rtb->document()->characterCount());
        state.PauseTiming();
        back->click();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CalculateClick)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrinel

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
