// Draws one graha's Shadbala bar with QPainter: its name, the bar of its
// rupas in its dignity's colour, the minimum as a mark across the bar and
// the ratio written at the bar's end.
#pragma once

#include <QRectF>

#include "app/strength/strength_view_model.h"

class QPainter;

namespace tavrinel {

// Where the parts of a bar go in a row `row` wide: the bar and the mark
// scaled so that `scaleRupas` fills the room left after the name column
// (`nameWidth`) and the ratio's (`ratioWidth`).
struct StrengthBarGeometry {
    QRectF Name;
    QRectF Bar;
    double MinimumX = 0;
    QRectF Ratio;
};
[[nodiscard]] StrengthBarGeometry LayoutStrengthBar(const StrengthBarView& bar, double scaleRupas,
                                                    const QRectF& row, double nameWidth,
                                                    double ratioWidth);

void PaintStrengthBar(QPainter& painter, const StrengthBarView& bar,
                      const StrengthBarGeometry& geometry);

}  // namespace tavrinel
