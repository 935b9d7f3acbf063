#include "app/dasha/day_box.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

#include "dasha/typed_day.h"

namespace tavrinel {

namespace {

constexpr int kLongestText = 10;

}  // namespace

DayBox::DayBox(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(kLongestText);
    // Only what a date is written with; the rest is refused as it is typed.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9-]*")), this));
    setPlaceholderText(QStringLiteral("yyyy-mm-dd"));
    connect(this, &QLineEdit::textEdited, this, [this] { Take(false); });
    connect(this, &QLineEdit::editingFinished, this, [this] { Take(true); });
}

void DayBox::setDate(QDate date) {
    setText(date.toString(QStringLiteral("yyyy-MM-dd")));
    SetProblem({});
    if (date != date_) {
        date_ = date;
        emit dateChanged(date_);
    }
}

void DayBox::Take(bool whole) {
    const std::string typed = text().toStdString();
    if (!whole && !IsWholeDayText(typed)) {
        SetProblem({});
        return;
    }
    const TypedDay day = ParseTypedDay(typed);
    if (!day.Day) {
        SetProblem(QString::fromStdString(day.Problem));
        return;
    }
    SetProblem({});
    const QDate date(day.Day->Year, day.Day->Month, day.Day->Day);
    if (date != date_) {
        date_ = date;
        emit dateChanged(date_);
    }
}

void DayBox::SetProblem(const QString& problem) {
    if (problem != problem_) {
        problem_ = problem;
        emit problemChanged(problem_);
    }
}

void DayBox::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Up ? 1 : event->key() == Qt::Key_Down ? -1 : 0;
    if (step == 0 || !date_.isValid()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QDate next = date_.addDays(step);
    if (next.year() >= kFirstTypedYear && next.year() <= kLastTypedYear) {
        setDate(next);
    }
}

}  // namespace tavrinel
