#include "app/panel_frame.h"

#include <QPainter>

namespace tavrinel {

namespace {

const QColor kShadow(128, 128, 128);
const QColor kHighlight(255, 255, 255);
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;

}  // namespace

void PanelFrame::SetCaptionFont(const QFont& font) {
    captionFont_ = font;
    update();
}

QFont PanelFrame::CaptionFont() const { return captionFont_.value_or(font()); }

void PanelFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFont caption = CaptionFont();
    painter.setFont(caption);
    const QFontMetrics metrics(caption);
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
    const QRect band(kCaptionIndent, 0,
                        metrics.horizontalAdvance(title()) + 2 * kCaptionPadding,
                        metrics.height());
    painter.fillRect(band, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(band, Qt::AlignCenter, title());
}

}  // namespace tavrinel
