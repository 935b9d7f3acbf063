#include "app/focus_keys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QRadioButton>
#include <vector>

namespace tavrinel {

namespace {

void UpdateTabStops(const std::vector<QRadioButton*>& group) {
    bool anySelected = false;
    for (const QRadioButton* button : group) {
        anySelected = anySelected || button->isChecked();
    }
    for (QRadioButton* button : group) {
        const bool stop = button->isChecked() || !anySelected;
        button->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

class ReturnPresses final : public QObject {
public:
    explicit ReturnPresses(QAbstractButton& button) : QObject(&button), button_(button) {
        button_.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &button_ || event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            modifiers != Qt::NoModifier) {
            return false;
        }
        // Holding the key down presses once, not once per repeat.
        if (!key->isAutoRepeat() && button_.isEnabled()) {
            button_.click();
        }
        return true;
    }

private:
    QAbstractButton& button_;
};

}  // namespace

void TabToSelectedOption(std::initializer_list<QRadioButton*> group) {
    const std::vector<QRadioButton*> buttons(group);
    for (QRadioButton* button : buttons) {
        QObject::connect(button, &QAbstractButton::toggled, button,
                         [buttons] { UpdateTabStops(buttons); });
    }
    UpdateTabStops(buttons);
}

void PressOnReturn(QAbstractButton& button) { new ReturnPresses(button); }

}  // namespace tavrinel
