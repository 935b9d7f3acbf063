// A frame in the old etched style: its own background colour throughout,
// a two-line border and the caption standing on the top line. The style's
// own group box shades its inside, which would change the panel colour.
#pragma once

#include <QGroupBox>

namespace tavrinel {

class PanelFrame final : public QGroupBox {
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tavrinel
