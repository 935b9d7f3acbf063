#include "app/colour_button.h"

#include <QPainter>
#include <QPen>

namespace tavrinel {

namespace {

constexpr int kBevel = 2;
constexpr int kPadding = 1;
const QColor kLightEdge(240, 240, 240);
const QColor kDarkEdge(64, 64, 64);
constexpr int kMidLightness = 128;

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
        // The style's focus outline differs from these faces by a few levels
        // only; black or white, whichever stands out, is seen on any face.
        const QColor face = palette().color(QPalette::Button);
        painter.setPen(QPen(face.lightness() > kMidLightness ? Qt::black : Qt::white, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(TextRoom().adjusted(0, 0, -1, -1));
    }
}

}  // namespace tavrinel
