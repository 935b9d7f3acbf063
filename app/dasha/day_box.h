// The Dasha page's date box: a line the user types a day into, taken exactly
// as shown or refused with a word, never moved on by itself as a sectioned
// date box does (which turned a typed 2026-12-08 into 2026-02-12 and 31
// February into 3 February). Up and Down step a day; a button beside it opens
// a calendar for the mouse.
#pragma once

#include <QDate>
#include <QLineEdit>

namespace tavrinel {

class DayBox final : public QLineEdit {
    Q_OBJECT
  public:
    explicit DayBox(QWidget* parent = nullptr);
    // The day in force: the last one typed whole or chosen.
    [[nodiscard]] QDate date() const { return date_; }
    // Shows and takes `date`; dateChanged follows when it differs.
    void setDate(QDate date);
    // What is wrong with the text as typed; empty when it is the day in force
    // or still being typed.
    [[nodiscard]] QString Problem() const { return problem_; }

  signals:
    void dateChanged(QDate date);
    // The problem changed (to none, or to a new word).
    void problemChanged(const QString& problem);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Takes the text when `whole` or it has the usual whole shape.
    void Take(bool whole);
    void SetProblem(const QString& problem);

    QDate date_;
    QString problem_;
};

}  // namespace tavrinel
