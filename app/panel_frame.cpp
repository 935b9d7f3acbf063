#include "app/panel_frame.h"

#include <QPainter>

namespace tavrinel {

namespace {

const QColor kShadow(128, 128, 128);
const QColor kHighlight(255, 255, 255);
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;

// The outline drawRect gives `r` with a one-pixel pen (the rectangle's size
// plus one). Where a point is a pixel, the same pixels are filled as four
// strips, which costs a fraction of stroking them and was a noticeable part
// of drawing the window the first time. Scaled (a high-density screen), the
// pen's line straddles the point and is stroked as before.
void Outline(QPainter& painter, const QRect& r, const QColor& colour) {
    if (painter.deviceTransform().type() > QTransform::TxTranslate) {
        painter.setPen(colour);
        painter.drawRect(r);
        return;
    }
    painter.fillRect(r.left(), r.top(), r.width() + 1, 1, colour);
    painter.fillRect(r.left(), r.bottom() + 1, r.width() + 1, 1, colour);
    painter.fillRect(r.left(), r.top() + 1, 1, r.height() - 1, colour);
    painter.fillRect(r.right() + 1, r.top() + 1, 1, r.height() - 1, colour);
}

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
    Outline(painter, outer, kShadow);
    Outline(painter, outer.translated(1, 1), kHighlight);

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
