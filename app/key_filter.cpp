#include "app/key_filter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include "app/startup.h"
#include "platform/platform.h"

namespace tavrinel {

namespace {

constexpr char32_t kBackspace = 8;
constexpr char32_t kDelete = 127;

// Editing commands of the box itself. They carry a control character as
// their text on some platforms, but the user is not typing that character.
bool IsEditingCommand(const QKeyEvent& key) {
    return key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Cut) ||
           key.matches(QKeySequence::SelectAll) || key.matches(QKeySequence::Undo) ||
           key.matches(QKeySequence::Redo);
}

}  // namespace

KeyFilter::KeyFilter(QLineEdit& box, FilterFamily family, MessageService& messages)
    : QObject(&box), box_(box), family_(family), messages_(messages) {
    box_.installEventFilter(this);
}

bool KeyFilter::AcceptsInsertion(const QString& text) const {
    for (const char32_t code : text.toUcs4()) {
        if (code == kBackspace || code == kDelete || !FilterAccepts(family_, code)) {
            return false;
        }
    }
    return true;
}

void KeyFilter::Refuse() {
    const std::string_view message = FilterMessage(family_);
    messages_.Show(box_.window(), QString::fromLatin1(kMessageBoxTitle),
                   QString::fromLatin1(message.data(), static_cast<qsizetype>(message.size())),
                   BoxIcon::Error, BoxButtons::Ok);
    if (family_ == FilterFamily::Letters) {
        box_.setFocus(Qt::OtherFocusReason);
    }
}

void KeyFilter::PasteChecked(QClipboard::Mode mode) {
    if (box_.isReadOnly()) {
        return;
    }
    if (!AcceptsInsertion(QGuiApplication::clipboard()->text(mode))) {
        Refuse();
        return;
    }
    if (mode == QClipboard::Clipboard) {
        box_.paste();
        return;
    }
    box_.deselect();
    box_.insert(QGuiApplication::clipboard()->text(mode));
}

QMenu* KeyFilter::CreateContextMenu() {
    QMenu* menu = box_.createStandardContextMenu();
    // The entry is found by its caption, in whatever language Qt shows it.
    const QString pasteCaption = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(pasteCaption)) {
            action->disconnect();
            connect(action, &QAction::triggered, this,
                    [this] { PasteChecked(QClipboard::Clipboard); });
        }
    }
    return menu;
}

bool KeyFilter::FilterKeyPress(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) {
        PasteChecked(QClipboard::Clipboard);
        return true;
    }
    if (IsEditingCommand(*key)) {
        return false;
    }
    // Tab moves the focus on; the box never receives it as a character.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        return false;
    }
    const QString text = key->text();
    if (text.isEmpty()) {
        return false;  // arrows, shift, function keys: no character
    }
    for (const char32_t code : text.toUcs4()) {
        if (!FilterAccepts(family_, code)) {
            Refuse();
            return true;
        }
    }
    return false;
}

bool KeyFilter::FilterInputMethod(QEvent* event) {
    auto* input = static_cast<QInputMethodEvent*>(event);
    if (input->commitString().isEmpty() || AcceptsInsertion(input->commitString())) {
        return false;
    }
    // Keep what the input method shows while composing, drop the commit.
    QInputMethodEvent withoutCommit(input->preeditString(), input->attributes());
    QCoreApplication::sendEvent(&box_, &withoutCommit);
    Refuse();
    return true;
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &box_) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        return FilterKeyPress(event);
    case QEvent::InputMethod:
        return FilterInputMethod(event);
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (AcceptsInsertion(drop->mimeData()->text())) {
            return false;
        }
        drop->ignore();
        Refuse();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::MiddleButton ||
            !QGuiApplication::clipboard()->supportsSelection()) {
            return false;
        }
        PasteChecked(QClipboard::Selection);
        return true;
    }
    case QEvent::ContextMenu: {
        auto* request = static_cast<QContextMenuEvent*>(event);
        QMenu* menu = CreateContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(request->globalPos());
        return true;
    }
    default:
        return false;
    }
}

}  // namespace tavrinel
