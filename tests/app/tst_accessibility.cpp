// The window for a user of a screen reader or of the keyboard alone: every
// control says what it is, the reading can be read aloud, and every control
// and menu entry can be reached without a mouse.
#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextEdit>
#include <map>
#include <set>

#include "help/about_window.h"
#include "window_fixture.h"

using namespace tavrinel;

namespace {

// What Tab can land on, in the window itself (not a list's popup), on either
// panel.
std::vector<QWidget*> Controls(QWidget& window) {
    std::vector<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        // Hidden on its own, not merely on the panel behind (the tab row's
        // scroll arrows, while every tab fits).
        if (widget->window() == &window && (widget->focusPolicy() & Qt::TabFocus) &&
            !widget->isHidden() && !qobject_cast<QMenuBar*>(widget)) {
            controls.push_back(widget);
        }
    }
    return controls;
}

QString Describe(QWidget* widget) {
    return widget->metaObject()->className() + QStringLiteral(" ") + widget->objectName();
}

void CheckNamesAndDescriptions(QWidget& window) {
    const auto controls = Controls(window);
    QVERIFY(!controls.empty());
    for (QWidget* control : controls) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY2(accessible, qPrintable(Describe(control)));
        QVERIFY2(!accessible->text(QAccessible::Name).trimmed().isEmpty(),
                 qPrintable(Describe(control) + " has no accessible name"));
        // A row of tabs has no description of its own: each tab carries one.
        std::vector<QAccessibleInterface*> described = {accessible};
        if (accessible->role() == QAccessible::PageTabList) {
            described.clear();
            for (int i = 0; i < accessible->childCount(); ++i) {
                if (accessible->child(i)->role() == QAccessible::PageTab) {
                    described.push_back(accessible->child(i));
                }
            }
            QVERIFY(!described.empty());
        }
        for (QAccessibleInterface* part : described) {
            QVERIFY2(!part->text(QAccessible::Description).trimmed().isEmpty(),
                     qPrintable(Describe(control) + " has no accessible description"));
        }
    }
}

// The controls Tab visits from `start` until it comes round again.
std::set<QWidget*> TabCycle(QWidget* start) {
    std::set<QWidget*> seen;
    QWidget* widget = start;
    do {
        if (widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus)) {
            seen.insert(widget);
        }
        widget = widget->nextInFocusChain();
    } while (widget != start);
    return seen;
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void everyControlIsNamedAndDescribed() {
        testing::WindowFixture f;
        f.window.show();
        CheckNamesAndDescriptions(f.window);

        testing::FakeWeb web;
        frmAbout about(web);
        CheckNamesAndDescriptions(about);
    }

    void theWindowsItOpensAreNamedAndDescribedToo() {
        // The Chart window, and the side-by-side positions of a chart where
        // the two skies part (the Sun on 1977-09-16, as the sky check tests).
        testing::WindowFixture f;
        f.window.show();
        f.FillAnn();
        testing::Select(f.window, "cboDate", "16");
        testing::Select(f.window, "cboMonth", "September");
        testing::Select(f.window, "cboYear", "1977");
        f.window.Calculate();
        f.Get<QPushButton>("cmdChart")->click();
        f.Get<QPushButton>("cmdCompare")->click();
        int windows = 0;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top != &f.window && top->isVisible() && !top->inherits("QMenu")) {
                CheckNamesAndDescriptions(*top);
                ++windows;
            }
        }
        QCOMPARE(windows, 2);
    }

    void theNameOfABoxIsTheCaptionBesideIt() {
        // A sighted user reads these captions beside the boxes.
        const std::pair<const char*, const char*> rows[] = {
            {"txtName", "Name"},         {"txtCity", "City"},   {"txtState", "State"},
            {"txtCountry", "Country"},   {"cboTimeZone", "Time Zone"},
            {"txtLatDeg", "Latitude"},   {"txtLonMin", "Longitude"},
            {"cboDate", "Date of Birth: day"}, {"cboMonth", "Date of Birth: month"},
            {"cboYear", "Date of Birth: year"}, {"cboHour", "Time of Birth: hours"},
            {"cboMinute", "Time of Birth: minutes"},
            {"Frame3", "Latitude direction"}, {"Frame4", "Longitude direction"},
        };
        testing::WindowFixture f;
        for (const auto& [box, caption] : rows) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(f.Get<QWidget>(box));
            // A drop-down list is named by its label relation, its name being
            // its value; a screen reader takes the first label.
            QStringList names = {accessible->text(QAccessible::Name)};
            const auto labels = accessible->relations(QAccessible::Label);
            if (!labels.isEmpty()) {
                names << labels.first().first->text(QAccessible::Name);
            }
            const bool named = std::any_of(names.begin(), names.end(), [&](const QString& name) {
                return name.startsWith(QLatin1String(caption));
            });
            QVERIFY2(named, qPrintable(QString(box) + ": " + names.join(QLatin1String(" | "))));
        }
    }

    void theReadingCanBeReadAloud() {
        testing::WindowFixture f;
        f.window.show();
        f.FillAnn();
        f.window.Calculate();
        QVERIFY(f.ReadingInFront());
        auto* text = QAccessible::queryAccessibleInterface(f.Get<QTextEdit>("RTB"))->textInterface();
        QVERIFY(text);
        const QString spoken = text->text(0, text->characterCount());
        // Sentences of the reading for the 1990-07-15 chart, as the window shows them.
        QVERIFY2(spoken.contains(QLatin1String("Own Rashi")), qPrintable(spoken.left(200)));
        QVERIFY(spoken.contains(QLatin1String("Exaltation Rashi")));
    }

    void tabReachesEveryControlOfEachPanel() {
        testing::WindowFixture f;
        f.window.show();
        const auto reached = TabCycle(f.Box("txtName"));
        for (QWidget* control : Controls(f.window)) {
            if (control->isVisible()) {
                QVERIFY2(reached.count(control), qPrintable(Describe(control) + " is out of reach"));
            }
        }
        f.FillAnn();
        f.window.Calculate();
        const auto reachedOnReading = TabCycle(f.Get<QWidget>("cmdSave"));
        for (QWidget* control : Controls(f.window)) {
            if (control->isVisible()) {
                QVERIFY2(reachedOnReading.count(control),
                         qPrintable(Describe(control) + " is out of reach"));
            }
        }
    }

    void everyMenuEntryHasItsOwnAccessKey() {
        testing::WindowFixture f;
        const QRegularExpression accessKey(QStringLiteral("&([^&])"));
        std::set<QChar> titles;
        for (QAction* menuAction : f.window.menuBar()->actions()) {
            const auto title = accessKey.match(menuAction->text());
            QVERIFY2(title.hasMatch(), qPrintable(menuAction->text()));
            QVERIFY2(titles.insert(title.captured(1).at(0).toLower()).second,
                     qPrintable(menuAction->text() + " shares its access key"));
            std::set<QChar> keys;
            for (QAction* entry : menuAction->menu()->actions()) {
                if (entry->isSeparator()) {
                    continue;
                }
                const auto key = accessKey.match(entry->text());
                QVERIFY2(key.hasMatch(), qPrintable(entry->text() + " has no access key"));
                QVERIFY2(keys.insert(key.captured(1).at(0).toLower()).second,
                         qPrintable(entry->text() + " shares its access key"));
            }
        }
    }

    // Alt and a letter shared by two things in view only moves the focus
    // between them, so a keyboard user's first press opens nothing.
    void theButtonsInViewAndTheMenusShareNoAccessKey_data() {
        QTest::addColumn<bool>("reading");
        QTest::newRow("input panel") << false;
        QTest::newRow("reading panel with the sky check") << true;
    }
    void theButtonsInViewAndTheMenusShareNoAccessKey() {
        QFETCH(bool, reading);
        testing::WindowFixture f;
        f.window.show();
        if (reading) {
            // The Sun on 1977-09-16 parts the two skies: Compare is shown too.
            f.FillAnn();
            testing::Select(f.window, "cboDate", "16");
            testing::Select(f.window, "cboMonth", "September");
            testing::Select(f.window, "cboYear", "1977");
            f.window.Calculate();
            QVERIFY(f.Get<QPushButton>("cmdCompare")->isVisible());
        }
        std::map<QKeySequence, QString> owners;
        QStringList shared;
        const auto claim = [&](const QString& text) {
            const QKeySequence key = QKeySequence::mnemonic(text);
            if (key.isEmpty()) {
                return;
            }
            const auto [where, fresh] = owners.emplace(key, text);
            if (!fresh) {
                shared << text + " and " + where->second;
            }
        };
        for (QAction* menu : f.window.menuBar()->actions()) {
            claim(menu->text());
        }
        for (QAbstractButton* button : f.window.findChildren<QAbstractButton*>()) {
            if (button->isVisible()) {
                claim(button->text());
            }
        }
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join(QLatin1String("; "))));
        QCOMPARE(owners.size(), reading ? 7u : 5u);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
