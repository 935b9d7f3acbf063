// A button that shows its palette's button colour exactly, in the classic
// raised look, with a caption that wraps onto several lines where it must
// (the tall, narrow location button). The style would shade the colour into
// a gradient, and a style sheet costs start-up time for two buttons.
#pragma once

#include <QPushButton>

namespace tavrinel {

class ColourButton final : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    // Where the caption is drawn.
    [[nodiscard]] QRect TextRoom() const;

    static constexpr int kTextFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tavrinel
