// A push button whose caption wraps onto several lines, for the tall narrow
// location button.
#pragma once

#include <QPushButton>

namespace tavrinel {

class WrappingButton final : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tavrinel
