// The character filter of the eight text boxes. It sits in front of a plain
// QLineEdit as an event filter and looks at the character a key press
// delivers (the event's text, not its key code). Text arriving in one piece
// by pasting (keys, context menu, middle click), dropping or an input method
// passes the same rule: one refused character refuses the whole piece.
#pragma once

#include <QClipboard>
#include <QObject>
#include <QString>

#include "chart/birth_form.h"

class QLineEdit;
class QMenu;
class QWidget;

namespace tavrinel {

class MessageService;

class KeyFilter final : public QObject {
    Q_OBJECT

public:
    // Installs itself on the box, which owns it.
    KeyFilter(QLineEdit& box, FilterFamily family, MessageService& messages);

    [[nodiscard]] FilterFamily Family() const { return family_; }

    // True when every character of a piece of inserted text is accepted.
    // Backspace and delete are editing keys when typed, but inside pasted
    // text they would be stored as control characters, so they are refused.
    [[nodiscard]] bool AcceptsInsertion(const QString& text) const;

    // The box's context menu with its Paste entry routed through the filter.
    [[nodiscard]] QMenu* CreateContextMenu();

    // Pastes from the clipboard unless the text holds a refused character.
    void PasteChecked(QClipboard::Mode mode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FilterKeyPress(QEvent* event);
    bool FilterInputMethod(QEvent* event);
    void Refuse();

    QLineEdit& box_;
    FilterFamily family_;
    MessageService& messages_;
};

}  // namespace tavrinel
