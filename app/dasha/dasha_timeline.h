// The 120 years of a Vimshottari dasha as a picture: a bar for each
// mahadasha in its lord's dignity colour, a tick at each antardasha, the
// birth and today marked. The layout is plain data in fractions of the
// width, so a test can read it without pixels; the widget only draws it.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "dasha/vimshottari.h"

namespace tavrinel {

struct TimelineBar {
    double From = 0;  // fraction of the 120 years
    double To = 0;
    Graha Lord = kKetu;
    int Colour = 0;  // the reading's colour index for the lord's dignity
};

struct TimelineYear {
    double At = 0;
    int Year = 0;  // civil year on the birth zone's clock
};

struct TimelineLayout {
    std::vector<TimelineBar> Bars;
    std::vector<double> Ticks;  // antardasha starts inside each bar
    std::vector<TimelineYear> Years;  // every tenth year
    double Birth = 0;
    std::optional<double> Today;  // none outside the 120 years
};

[[nodiscard]] TimelineLayout LayoutDashaTimeline(const VimshottariDasha& dasha, double zoneShiftHours,
                                                 double todayUt);

class DashaTimeline final : public QWidget {
    Q_OBJECT
  public:
    explicit DashaTimeline(QWidget* parent = nullptr);
    void SetLayout(TimelineLayout layout);
    [[nodiscard]] const TimelineLayout& Layout() const { return layout_; }
    [[nodiscard]] QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    TimelineLayout layout_;
};

}  // namespace tavrinel
