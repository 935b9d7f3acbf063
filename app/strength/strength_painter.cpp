#include "app/strength/strength_painter.h"

#include <QPainter>
#include <algorithm>

#include "app/chart_painter.h"

namespace tavrinel {

namespace {

// The bar keeps clear of its row's edges, so neighbours stay apart.
constexpr double kBarInset = 0.2;
constexpr double kGap = 6;
constexpr double kMarkWidth = 2.5;

}  // namespace

StrengthBarGeometry LayoutStrengthBar(const StrengthBarView& bar, double scaleRupas,
                                      const QRectF& row, double nameWidth, double ratioWidth) {
    StrengthBarGeometry g;
    g.Name = QRectF(row.left(), row.top(), nameWidth, row.height());
    const double left = row.left() + nameWidth + kGap;
    const double room = std::max(0.0, row.right() - left - kGap - ratioWidth);
    const double perRupa = scaleRupas > 0 ? room / scaleRupas : 0;
    const double inset = row.height() * kBarInset;
    g.Bar = QRectF(left, row.top() + inset, std::max(0.0, bar.Rupas) * perRupa,
                   row.height() - 2 * inset);
    g.MinimumX = left + bar.RequiredRupas * perRupa;
    // Written after whichever ends later, the bar or the mark.
    g.Ratio =
        QRectF(std::max(g.Bar.right(), g.MinimumX) + kGap, row.top(), ratioWidth, row.height());
    return g;
}

void PaintStrengthBar(QPainter& painter, const StrengthBarView& bar, const StrengthBarGeometry& g) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setBold(bar.Strongest);
    painter.setFont(font);
    const QColor ink = PictureQColor(kInkColour);
    painter.setPen(ink);
    painter.drawText(g.Name, Qt::AlignVCenter | Qt::AlignLeft, bar.Graha);
    painter.fillRect(g.Bar, PictureQColor(bar.Colour));
    QPen mark(ink, kMarkWidth);
    mark.setCapStyle(Qt::FlatCap);
    painter.setPen(mark);
    const double overhang = g.Bar.height() * kBarInset;
    painter.drawLine(QPointF(g.MinimumX, g.Bar.top() - overhang),
                     QPointF(g.MinimumX, g.Bar.bottom() + overhang));
    painter.setPen(ink);
    painter.drawText(g.Ratio, Qt::AlignVCenter | Qt::AlignLeft, bar.RatioText);
    painter.restore();
}

}  // namespace tavrinel
