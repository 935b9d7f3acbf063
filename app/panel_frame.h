// A frame in the old etched style: its own background colour throughout,
// a two-line border and the caption standing on the top line. The style's
// own group box shades its inside, which would change the panel colour.
#pragma once

#include <QGroupBox>
#include <optional>

namespace tavrinel {

class PanelFrame final : public QGroupBox {
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

    // The caption has a font of its own, so that the controls in the frame
    // do not inherit it.
    void SetCaptionFont(const QFont& font);
    [[nodiscard]] QFont CaptionFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<QFont> captionFont_;
};

}  // namespace tavrinel
