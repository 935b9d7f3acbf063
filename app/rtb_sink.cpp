#include "app/rtb_sink.h"

#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace tavrinel {

RtbSink::RtbSink(QTextEdit& box, std::function<void()> showReadingPanel)
    : box_(box), showReadingPanel_(std::move(showReadingPanel)) {}

void RtbSink::Clear() {
    box_.clear();
    caret_ = QTextCursor(box_.document());
}

void RtbSink::Append(std::string_view text, int colourIndex, bool bold) {
    const Rgb rgb = ReadingColour(colourIndex);
    QTextCharFormat format;
    format.setForeground(QColor(rgb.Red, rgb.Green, rgb.Blue));
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);

    // The runs end their lines with CR LF; the document wants one paragraph
    // break per line, which insertText makes of a lone line feed.
    QString run = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    run.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    run.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    if (caret_.isNull()) {
        caret_ = QTextCursor(box_.document());
        caret_.movePosition(QTextCursor::End);
    }
    caret_.insertText(run, format);
}

void RtbSink::ShowReadingPanel() {
    if (showReadingPanel_) {
        showReadingPanel_();
    }
    // The box's own caret was carried along by the insertions; bring it back
    // so that the reading shows from its first line.
    box_.moveCursor(QTextCursor::Start);
    box_.verticalScrollBar()->setValue(0);
}

}  // namespace tavrinel
