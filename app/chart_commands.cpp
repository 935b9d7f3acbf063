#include "app/chart_commands.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <filesystem>

#include "app/chart_report.h"
#include "app/chart_window.h"
#include "app/focus_keys.h"
#include "app/printing/printing.h"
#include "app/startup.h"
#include "app/twips.h"
#include "chart/reading_file.h"

namespace tavrinel {

ChartCommands::ChartCommands(QWidget& window, QMenu& fileMenu, QAction* before,
                             QWidget& readingPanel, const QFont& buttonFont,
                             const ChartState& chart, const SkyCheck& check,
                             Platform& platform)
    : QObject(&window), parent_(window), chart_(chart), check_(check), platform_(platform) {
    const std::pair<const char*, const char*> entries[] = {
        {"mnuChart", "&Chart..."},
        {"mnuExportPdf", "Export &PDF..."},
        {"mnuExportText", "Export &Text..."},
        {"mnuPrintPreview", "Print Pre&view..."},
        {"mnuPrint", "Pri&nt..."},
    };
    const std::array<void (ChartCommands::*)(), 5> handlers = {
        &ChartCommands::ShowChartWindow, &ChartCommands::ExportPdf, &ChartCommands::ExportText,
        &ChartCommands::PrintPreview, &ChartCommands::Print};
    for (std::size_t i = 0; i < handlers.size(); ++i) {
        auto* action = new QAction(QLatin1String(entries[i].second), &fileMenu);
        action->setObjectName(QLatin1String(entries[i].first));
        fileMenu.insertAction(before, action);
        // Nothing to show, keep or print before the first chart.
        action->setEnabled(false);
        actions_.push_back(action);
        connect(action, &QAction::triggered, this, handlers[i]);
    }
    fileMenu.insertSeparator(before)->setObjectName(QStringLiteral("mnuChartSep"));

    // In the reading panel's free lower left corner, level with Save and Back.
    auto* button = button_ = new QPushButton(QStringLiteral("Ch&art"), &readingPanel);
    button->setObjectName(QStringLiteral("cmdChart"));
    button->setGeometry(TwipsRect(120, 3120, 1000, 400));
    button->setAutoDefault(false);
    PressOnReturn(*button);
    button->setFont(buttonFont);
    button->setAccessibleName(QStringLiteral("Chart"));
    button->setAccessibleDescription(QStringLiteral(
        "Opens the Chart window with the rasi chart pictures and the positions table"));
    connect(button, &QPushButton::clicked, this, &ChartCommands::ShowChartWindow);
}

ChartCommands::~ChartCommands() = default;

ChartWindow* ChartCommands::Window() const {
    return window_;
}

ChartAnalysis ChartCommands::Analyse() const {
    AnalysisRequest request;
    request.Vargas = true;
    request.Dasha = true;
    request.Strength = true;
    // The table lists two levels, the running line names a third.
    request.DashaSettings.Levels = 3;
    // The exports carry the strength as the command line's --strength gives it.
    request.Strength = true;
    const QDate today = platform_.Today.Today();
    request.On = ChosenMoment{{today.year(), today.month(), today.day(), 0, 0, 0}, false};
    request.PreciseSky = precise_;
    return AnalyseChart(chart_, request, &check_);
}

void ChartCommands::ChartCalculated(const PreciseSettings& precise) {
    precise_ = precise;
    analysis_ = Analyse();
    for (QAction* action : actions_) {
        action->setEnabled(true);
    }
    if (window_) {
        window_->ShowChart(chart_, analysis_, precise_);
    }
}

void ChartCommands::ShowChartWindow() {
    if (!window_) {
        window_ = new ChartWindow(&parent_, &platform_.Today);
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->PlaceBesideParent();
    }
    window_->ShowChart(chart_, analysis_, precise_);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void ChartCommands::Export(const char* title, const char* filter, const char* suffix,
                           const std::string& bytes) {
    const QString proposed = QString::fromStdString(chart_.PersonName).trimmed();
    const std::optional<QString> chosen = platform_.Files.GetSaveFileName(
        &parent_,
        {QLatin1String(title), QLatin1String(filter), QLatin1String(suffix),
         proposed.isEmpty() ? QString() : proposed + QLatin1Char('.') + QLatin1String(suffix)});
    if (!chosen) {
        return;
    }
    // The same safe save as the reading file: the earlier file survives a
    // failure, and the user hears of it.
    if (const auto error = SaveReadingFile(
            std::filesystem::path(QFile::encodeName(*chosen).toStdString()), bytes)) {
        platform_.Messages.Show(&parent_, QLatin1String(kMessageBoxTitle),
                                QString::fromLocal8Bit(error->Message), BoxIcon::Error,
                                BoxButtons::Ok);
    }
}

void ChartCommands::ExportPdf() {
    const QByteArray pdf = ReportPdf(chart_, analysis_, &check_);
    Export("Export PDF", "PDF (*.pdf)", "pdf", pdf.toStdString());
}

void ChartCommands::ExportText() {
    Export("Export Text", "Text (*.txt)", "txt", ReportText(chart_, analysis_, &check_));
}

void ChartCommands::Print() { RunPrinting(PrintDialogKind::Print); }

void ChartCommands::PrintPreview() { RunPrinting(PrintDialogKind::Preview); }

void ChartCommands::RunPrinting(PrintDialogKind kind) {
    const PrintRequest request{kind, &parent_, &platform_.Dialogs,
                               [this](QPagedPaintDevice& device) {
                                   PaintReport(device, chart_, analysis_, &check_);
                               }};
    if (const std::optional<QString> error = RunPrintDialog(request)) {
        platform_.Messages.Show(&parent_, QLatin1String(kMessageBoxTitle),
                                QStringLiteral("Printing is not available: %1").arg(*error),
                                BoxIcon::Error, BoxButtons::Ok);
    }
}

}  // namespace tavrinel
