#include "app/panel_frame.h"

#include <QPainter>

namespace tavrinel {

namespace {

const QColor kShadow(128, 128, 128);
const QColor kHighlight(255, 255, 255);
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;

}  // namespace

void PanelFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int top = title().isEmpty() ? 0 : metrics.height() / 2;

    // Etched: a shadow line with a highlight line just inside and below it.
    const QRect outer = rect().adjusted(0, top, -2, -2);
    painter.setPen(kShadow);
    painter.drawRect(outer);
    painter.setPen(kHighlight);
    painter.drawRect(outer.translated(1, 1));

    if (title().isEmpty()) {
        return;
    }
    const QRect caption(kCaptionIndent, 0,
                        metrics.horizontalAdvance(title()) + 2 * kCaptionPadding,
                        metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace tavrinel
