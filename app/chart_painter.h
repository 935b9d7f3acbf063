// Draws a chart picture with QPainter: the window, the PDF and the printer
// all come through here. Vector drawing only, so it is sharp at any size.
#pragma once

#include <QColor>
#include <QRectF>

#include "chart_picture/chart_layout.h"

class QPainter;

namespace tavrinel {

[[nodiscard]] QColor PictureQColor(int colourIndex);

// Draws the picture as large as fits in `target`, centred, keeping its
// proportions.
void PaintChartPicture(QPainter& painter, const ChartPicture& picture, const QRectF& target);

}  // namespace tavrinel
