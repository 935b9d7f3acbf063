// The chart's commands in the main window: the Chart window (from the File
// menu and a button on the reading panel), export to PDF and plain text, and
// printing with a preview. Every file goes through the reading file's safe
// save; every dialog through the platform, so tests never block.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

#include "analysis/chart_analysis.h"
#include "calculation/sky_check.h"
#include "chart/chart_state.h"
#include "app/printing/print_module.h"
#include "ephemeris/precise_sky.h"
#include "platform/platform.h"

class QAction;
class QFont;
class QMenu;
class QPushButton;
class QWidget;

namespace tavrinel {

class ChartWindow;

class ChartCommands final : public QObject {
    Q_OBJECT
  public:
    // Inserts the entries into `fileMenu` before `before`, and the button onto
    // the reading panel at the panel's free lower left corner.
    ChartCommands(QWidget& window, QMenu& fileMenu, QAction* before, QWidget& readingPanel,
                  const QFont& buttonFont, const ChartState& chart, const SkyCheck& check,
                  Platform& platform);
    ~ChartCommands() override;

    // After every Calculate: the Chart window, if open, shows the new chart;
    // its transits are worked in the precise sky's settings.
    void ChartCalculated(const PreciseSettings& precise = {});

    [[nodiscard]] ChartWindow* Window() const;
    // The reading panel's Chart button, for the window's tab order.
    [[nodiscard]] QPushButton* Button() const { return button_; }

  public slots:
    void ShowChartWindow();
    void ExportPdf();
    void ExportText();
    void Print();
    void PrintPreview();

  private:
    // The chart's analysis as the window and the exports show it, with the
    // running periods of today.
    [[nodiscard]] ChartAnalysis Analyse() const;

    // Asks for a file and saves the bytes; false when cancelled or failed.
    void Export(const char* title, const char* filter, const char* suffix,
                const std::string& bytes);
    // Runs the print or preview dialog; tells the user when printing
    // cannot be loaded.
    void RunPrinting(PrintDialogKind kind);

    QWidget& parent_;
    const ChartState& chart_;
    const SkyCheck& check_;  // of the chart's calculation
    Platform& platform_;
    std::vector<QAction*> actions_;
    QPointer<ChartWindow> window_;
    QPushButton* button_ = nullptr;
    PreciseSettings precise_;
    ChartAnalysis analysis_;  // of the chart last calculated
};

}  // namespace tavrinel
