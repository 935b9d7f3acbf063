// The reading panel's sky lines, below the reading box and left of Save: which
// calculation produced the reading, the sky check's finding, and a button
// that opens both sets of positions side by side in a window of their own.
#pragma once

#include <QDialog>
#include <QWidget>

#include "calculation/sky_check.h"
#include "calculation/sky_choice.h"
#include "chart/chart_state.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tavrinel {

// Both sets of positions, graha by graha, with the difference in arc minutes.
class SkyCompareWindow final : public QDialog {
    Q_OBJECT

public:
    explicit SkyCompareWindow(QWidget* parent);
    void ShowPositions(const ChartState& chart, const SkyCheck& check);

private:
    QLabel* heading_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* sentences_ = nullptr;
};

class SkyPanel final : public QWidget {
    Q_OBJECT

public:
    // Lies in the reading panel's free strip, its button level with the
    // panel's row of buttons (`buttonRow`, in the panel's coordinates);
    // `family` is the window's font family.
    SkyPanel(QWidget* readingPanel, const QRect& strip, const QRect& buttonRow,
             const QString& family);

    // After each calculation: the sky that made the reading, and the check.
    void ShowCalculation(const ChartState& chart, const SkyChoice& choice, const SkyCheck& check);

    void OpenComparison();

    [[nodiscard]] QPushButton* CompareButton() const { return cmdCompare_; }

private:
    QLabel* lblSky_ = nullptr;
    QLabel* lblSkyCheck_ = nullptr;
    QPushButton* cmdCompare_ = nullptr;
    SkyCompareWindow* compare_ = nullptr;  // made on first use
    ChartState shown_;  // only the positions, names and the Lagna are kept
    SkyCheck check_;
};

}  // namespace tavrinel
