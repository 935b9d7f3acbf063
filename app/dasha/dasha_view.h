// The Dasha page of the Chart window: the time line, the maha/antar table
// with the running periods picked out, and a date box whose moment shows the
// running maha/antar/pratyantar and the transits over the birth chart.
#pragma once

#include <QDate>
#include <QWidget>
#include <optional>

#include <limits>
#include <string>

#include "analysis/chart_analysis.h"
#include "chart/chart_state.h"
#include "dasha/vimshottari.h"
#include "ephemeris/precise_sky.h"

class QLabel;
class QTableWidget;
class QTreeWidget;

namespace tavrinel {

class DashaTimeline;
class DayBox;

class DashaView final : public QWidget {
    Q_OBJECT
  public:
    explicit DashaView(QWidget* parent = nullptr);
    // The analysis's dasha (none for a chart without a Moon); the date box
    // goes to `today`, which is also marked on the time line. The transits
    // are worked in `precise`, over the analysis's precise natal Lagna and
    // Moon.
    void ShowChart(const ChartState& chart, const ChartAnalysis& analysis,
                   const PreciseSettings& precise, QDate today);

    [[nodiscard]] DayBox* DateBox() const { return date_; }
    // What is wrong with the date as typed, beside the box.
    [[nodiscard]] QLabel* DateProblem() const { return dateProblem_; }
    [[nodiscard]] QTreeWidget* Periods() const { return periods_; }
    [[nodiscard]] QTableWidget* Transits() const { return transits_; }
    [[nodiscard]] QLabel* Running() const { return running_; }
    [[nodiscard]] DashaTimeline* Timeline() const { return timeline_; }

  private:
    // The word on the date as typed, or none.
    void ShowDateProblem(const QString& problem);
    // The running periods and the transits at the date box's day.
    void ShowMoment();
    // The Julian Day (UT) of midnight starting a day on the zone's clock.
    [[nodiscard]] double MomentOf(QDate date) const;

    QLabel* summary_ = nullptr;
    DashaTimeline* timeline_ = nullptr;
    QTreeWidget* periods_ = nullptr;
    DayBox* date_ = nullptr;
    QLabel* dateProblem_ = nullptr;
    QLabel* running_ = nullptr;
    QTableWidget* transits_ = nullptr;
    QLabel* transitNotes_ = nullptr;

    ChartState chart_;
    PreciseSettings precise_;
    std::optional<VimshottariDasha> dasha_;
    double natalMoon_ = std::numeric_limits<double>::quiet_NaN();
    double natalLagna_ = std::numeric_limits<double>::quiet_NaN();
    std::string skyNote_;
};

}  // namespace tavrinel
