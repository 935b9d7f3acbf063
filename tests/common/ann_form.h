// Fills the input panel of a main window with one fixed chart, through the
// controls as the user would leave them: Ann, 15 July 1990, 12:00 Indian
// Time, 28°36' N, 77°12' E, New Delhi, Delhi, India. Shared by the window
// tests and the window benchmarks.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

namespace tavrinel::testing {

inline void SetText(QWidget& window, const char* box, const char* text) {
    window.findChild<QLineEdit*>(QLatin1String(box))->setText(QString::fromUtf8(text));
}

inline void Select(QWidget& window, const char* list, const char* entry) {
    window.findChild<QComboBox*>(QLatin1String(list))->setCurrentText(QString::fromUtf8(entry));
}

inline void FillAnn(QWidget& window) {
    SetText(window, "txtName", "Ann");
    Select(window, "cboDate", "15");
    Select(window, "cboMonth", "July");
    Select(window, "cboYear", "1990");
    Select(window, "cboHour", "12");
    Select(window, "cboMinute", "0");
    Select(window, "cboTimeZone", "Indian Time, IST, +5.3");
    SetText(window, "txtLatDeg", "28");
    SetText(window, "txtLatMin", "36");
    SetText(window, "txtLonDeg", "77");
    SetText(window, "txtLonMin", "12");
    window.findChild<QRadioButton*>(QStringLiteral("optLat0"))->setChecked(true);
    window.findChild<QRadioButton*>(QStringLiteral("optLong0"))->setChecked(true);
    SetText(window, "txtCity", "New Delhi");
    SetText(window, "txtState", "Delhi");
    SetText(window, "txtCountry", "India");
}

}  // namespace tavrinel::testing
