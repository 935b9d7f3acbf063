// The reading as rich text: each run goes into the box at the sink's own
// caret, which starts at the top after Clear and ends up after each run. When
// the reading is complete it is shown from its first line.
#pragma once

#include <QTextCursor>
#include <functional>

#include "reading/dignity_reading.h"

class QTextEdit;

namespace tavrinel {

class RtbSink final : public ReadingSink {
public:
    RtbSink(QTextEdit& box, std::function<void()> showReadingPanel);

    void Clear() override;
    void Append(std::string_view text, int colourIndex, bool bold) override;
    void ShowReadingPanel() override;

private:
    QTextEdit& box_;
    std::function<void()> showReadingPanel_;
    QTextCursor caret_;
};

}  // namespace tavrinel
