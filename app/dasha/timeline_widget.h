// The dasha's time line in the window, drawn from its layout with the
// window's own font.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "dasha/dasha_timeline.h"

namespace tavrinel {

class DashaTimeline final : public QWidget {
    Q_OBJECT
  public:
    explicit DashaTimeline(QWidget* parent = nullptr);
    void SetLayout(TimelineLayout layout);
    [[nodiscard]] const TimelineLayout& Layout() const { return layout_; }
    [[nodiscard]] QSize sizeHint() const override;
    // The boxes the marks' names are drawn in, Birth first, in the widget's
    // pixels at its present width.
    [[nodiscard]] std::vector<QRectF> NameBoxes() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Mark {
        double At;
        QString Name;
        QColor Colour;
    };
    [[nodiscard]] std::vector<Mark> Marks() const;
    [[nodiscard]] std::vector<TimelineName> Names() const;
    // Room for the rows of names the present width needs.
    void FitHeight();

    TimelineLayout layout_;
    int nameRows_ = 1;
};

}  // namespace tavrinel
