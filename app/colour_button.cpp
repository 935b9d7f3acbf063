#include "app/colour_button.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace tavrinel {

namespace {

constexpr int kBevel = 2;
constexpr int kPadding = 1;
const QColor kLightEdge(240, 240, 240);
const QColor kDarkEdge(64, 64, 64);

}  // namespace

QRect ColourButton::TextRoom() const {
    const int inset = kBevel + kPadding;
    return rect().adjusted(inset, inset, -inset, -inset);
}

void ColourButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));

    // Light above and left, dark below and right; pressed, the other way round.
    const bool down = isDown() || isChecked();
    const QColor topLeft = down ? kDarkEdge : kLightEdge;
    const QColor bottomRight = down ? kLightEdge : kDarkEdge;
    const QRect r = rect();
    for (int i = 0; i < kBevel; ++i) {
        painter.fillRect(r.left() + i, r.top() + i, r.width() - 2 * i, 1, topLeft);
        painter.fillRect(r.left() + i, r.top() + i, 1, r.height() - 2 * i, topLeft);
        painter.fillRect(r.left() + i, r.bottom() - i, r.width() - 2 * i, 1, bottomRight);
        painter.fillRect(r.right() - i, r.top() + i, 1, r.height() - 2 * i, bottomRight);
    }

    const QRect room = down ? TextRoom().translated(1, 1) : TextRoom();
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    painter.drawText(room, kTextFlags, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = TextRoom();
        focus.backgroundColor = palette().color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

}  // namespace tavrinel
