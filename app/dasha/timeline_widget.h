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

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    TimelineLayout layout_;
};

}  // namespace tavrinel
