#include "app/chart_painter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace tavrinel {

namespace {

// Text is drawn at this size and scaled down by the painter, so fractional
// sizes stay exact instead of being rounded to whole pixels.
constexpr double kDrawnFontSize = 100;

QPointF At(const PicturePoint& p) {
    return {p.X, p.Y};
}

}  // namespace

QColor PictureQColor(int colourIndex) {
    const Rgb rgb = PictureColour(colourIndex);
    return {rgb.Red, rgb.Green, rgb.Blue};
}

void PaintChartPicture(QPainter& painter, const ChartPicture& picture, const QRectF& target) {
    const double fullWidth = picture.Width + 2 * picture.Margin;
    const double fullHeight = picture.Height + 2 * picture.Margin;
    const double scale = std::min(target.width() / fullWidth, target.height() / fullHeight);
    if (scale <= 0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(target.x() + (target.width() - fullWidth * scale) / 2,
                      target.y() + (target.height() - fullHeight * scale) / 2);
    painter.scale(scale, scale);
    painter.translate(picture.Margin, picture.Margin);
    painter.fillRect(QRectF(-picture.Margin, -picture.Margin, fullWidth, fullHeight),
                     PictureQColor(kPaperColour));

    painter.setPen(Qt::NoPen);
    for (const PictureCell& cell : picture.Cells) {
        if (cell.Fill == kNoColour) {
            continue;
        }
        QPolygonF outline;
        for (const PicturePoint& p : cell.Outline) {
            outline << At(p);
        }
        painter.setBrush(PictureQColor(cell.Fill));
        painter.drawPolygon(outline);
    }
    for (const PictureSwatch& swatch : picture.Swatches) {
        painter.fillRect(QRectF(swatch.Box.X, swatch.Box.Y, swatch.Box.Width, swatch.Box.Height),
                         PictureQColor(swatch.Colour));
    }
    painter.setBrush(Qt::NoBrush);
    for (const PictureLine& line : picture.Lines) {
        QPen pen(PictureQColor(line.Colour), line.Width);
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        painter.drawLine(At(line.From), At(line.To));
    }

    QFont font(QString::fromUtf8(kPictureFontFamily.data(),
                                 static_cast<qsizetype>(kPictureFontFamily.size())));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(static_cast<int>(kDrawnFontSize));
    font.setHintingPreference(QFont::PreferNoHinting);
    for (const PictureLabel& label : picture.Labels) {
        font.setBold(label.Bold);
        painter.setFont(font);
        painter.setPen(PictureQColor(label.Colour));
        const QString text = QString::fromStdString(label.Text);
        const double shrink = label.Size / kDrawnFontSize;
        // A face wider than the model is narrowed to the model's box, so
        // crowded cells never overlap whatever font the system substitutes.
        const double drawnWidth = painter.fontMetrics().horizontalAdvance(text) * shrink;
        const double squeeze =
            drawnWidth > label.Box.Width && drawnWidth > 0 ? label.Box.Width / drawnWidth : 1;
        painter.save();
        painter.translate(label.Baseline.X, label.Baseline.Y);
        painter.scale(shrink * squeeze, shrink);
        painter.drawText(QPointF(0, 0), text);
        painter.restore();
    }
    painter.restore();
}

}  // namespace tavrinel
