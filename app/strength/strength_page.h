// The Chart window's Strength tab: each graha's Shadbala as a bar against
// its minimum, the Shadbala table, the Ashtakavarga in the South Indian
// square with a chooser for its rows, and the companions of dignity in
// sentences. Formats the chart's analysis; computes nothing of its own.
#pragma once

#include <QWidget>
#include <vector>

#include "analysis/chart_analysis.h"
#include "app/strength/strength_view_model.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace tavrinel {

class ChartView;

// One graha's bar: a widget of its own, so that a screen reader meets each
// bar by its name.
class StrengthBar final : public QWidget {
    Q_OBJECT
  public:
    explicit StrengthBar(QWidget* parent = nullptr);
    // `scaleRupas` fills the bars' room; `nameWidth` and `ratioWidth` are
    // the columns every bar shares.
    void SetBar(StrengthBarView bar, double scaleRupas, int nameWidth, int ratioWidth);
    [[nodiscard]] const StrengthBarView& Bar() const { return bar_; }
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    StrengthBarView bar_;
    double scale_ = 1;
    int nameWidth_ = 0;
    int ratioWidth_ = 0;
};

class StrengthPage final : public QWidget {
    Q_OBJECT
  public:
    explicit StrengthPage(QWidget* parent = nullptr);
    void ShowStrength(const ChartAnalysis& analysis);

    [[nodiscard]] std::vector<StrengthBar*> Bars() const { return bars_; }
    [[nodiscard]] QTableWidget* Table() const { return table_; }
    [[nodiscard]] QComboBox* AshtakavargaChooser() const { return chooser_; }
    [[nodiscard]] ChartView* Square() const { return square_; }
    [[nodiscard]] QLabel* NoShadbala() const { return noShadbala_; }
    [[nodiscard]] QLabel* Companions() const { return companions_; }

  private:
    void Redraw();

    QLabel* sky_ = nullptr;
    QLabel* shadbalaHeading_ = nullptr;
    QWidget* shadbala_ = nullptr;  // the bars, the table and the lords
    QWidget* barChart_ = nullptr;
    std::vector<StrengthBar*> bars_;
    QTableWidget* table_ = nullptr;
    QLabel* lords_ = nullptr;
    QLabel* noShadbala_ = nullptr;
    QWidget* ashtakavarga_ = nullptr;
    QComboBox* chooser_ = nullptr;
    ChartView* square_ = nullptr;
    QWidget* companionsPart_ = nullptr;
    QLabel* companions_ = nullptr;
    AshtakavargaTable ashtakavargaTable_;
    int lagnaSign_ = -1;
};

}  // namespace tavrinel
