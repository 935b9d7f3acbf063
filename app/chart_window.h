// The Chart window: the South and North Indian pictures, the positions
// table, the dasha, the vargas and the strength in tabs. Not modal; it
// follows the main window's chart on every Calculate.
#pragma once

#include "analysis/chart_analysis.h"

#include <QWidget>

#include "chart/chart_state.h"
#include "chart_picture/chart_layout.h"
#include "ephemeris/precise_sky.h"

class QLabel;
class QTabWidget;
class QTableWidget;

namespace tavrinel {

class Clock;
class DashaView;
class StrengthPage;
class VargaPage;

// One picture, redrawn from its layout at whatever size the widget has.
class ChartView final : public QWidget {
    Q_OBJECT
  public:
    explicit ChartView(QWidget* parent = nullptr);
    void SetPicture(ChartPicture picture);
    [[nodiscard]] const ChartPicture& Picture() const { return picture_; }
    [[nodiscard]] QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ChartPicture picture_;
};

// Where the Chart window's frame (of `size`) goes beside the main window's
// frame `beside` on a screen whose free area is `screen`: to its right, else
// to its left; where neither side has room, on the side with more, kept on
// the screen. Level with the main window's top as far as the screen allows.
[[nodiscard]] QPoint PlaceBeside(const QRect& beside, const QSize& size, const QRect& screen);

class ChartWindow final : public QWidget {
    Q_OBJECT
  public:
    // `today` dates the Dasha page; without it, the system's date.
    explicit ChartWindow(QWidget* parent = nullptr, Clock* today = nullptr);
    // Moves the window beside its parent, where the screen has room.
    void PlaceBesideParent();
    // Shows the chart's pictures and table, its vargas and its dasha from
    // its analysis (which holds both), with the transits worked in `precise`.
    void ShowChart(const ChartState& chart, const ChartAnalysis& analysis,
                   const PreciseSettings& precise = {});

    [[nodiscard]] QTabWidget* Tabs() const { return tabs_; }
    [[nodiscard]] QTableWidget* Table() const { return table_; }
    [[nodiscard]] VargaPage* Vargas() const { return vargas_; }
    [[nodiscard]] StrengthPage* Strength() const { return strength_; }

  private:
    QTabWidget* tabs_ = nullptr;
    ChartView* south_ = nullptr;
    ChartView* north_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* sources_ = nullptr;
    DashaView* dasha_ = nullptr;
    Clock* today_ = nullptr;
    VargaPage* vargas_ = nullptr;
    StrengthPage* strength_ = nullptr;
};

}  // namespace tavrinel
