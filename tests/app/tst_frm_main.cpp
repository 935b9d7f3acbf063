// The main window driven as the user drives it: keys, pastes and drops into
// the boxes, the whole-form check, Calculate from the button and the menu,
// Back, and the reading read back out of the rich-text box.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <memory>
#include <vector>

#include "app/frm_main.h"
#include "app/key_filter.h"
#include "window_fixture.h"
#include "reading/dignity_reading.h"

using namespace tavrinel;
using tavrinel::testing::FakePlatform;

namespace {

struct Fixture : tavrinel::testing::WindowFixture {
    QStringList MessageTexts() const { return platform.Messages.Texts(); }

    void ShowActive() {
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
};

struct Run {
    std::string Text;
    int Colour;
    bool Bold;
};

class RecordingSink final : public ReadingSink {
public:
    void Clear() override { Runs.clear(); }
    void Append(std::string_view text, int colour, bool bold) override {
        Runs.push_back({std::string(text), colour, bold});
    }
    void ShowReadingPanel() override {}
    std::vector<Run> Runs;
};

// Characters of the document with their colour and weight, line breaks as
// '\n' and carrying no format.
struct StyledChar {
    QChar Char;
    QColor Colour;
    bool Bold;
};

std::vector<StyledChar> ReadBack(const QTextEdit& box) {
    std::vector<StyledChar> chars;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        if (block != box.document()->begin()) {
            chars.push_back({QLatin1Char('\n'), {}, false});
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            for (QChar c : fragment.text()) {
                chars.push_back({c, format.foreground().color(), format.fontWeight() >= QFont::Bold});
            }
        }
    }
    return chars;
}

std::vector<StyledChar> Expected(const std::vector<Run>& runs) {
    std::vector<StyledChar> chars;
    for (const Run& run : runs) {
        const Rgb rgb = ReadingColour(run.Colour);
        QString text = QString::fromStdString(run.Text);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        for (QChar c : text) {
            if (c == QLatin1Char('\n')) {
                chars.push_back({c, {}, false});
            } else {
                chars.push_back({c, QColor(rgb.Red, rgb.Green, rgb.Blue), run.Bold});
            }
        }
    }
    return chars;
}

void TypeText(QWidget* box, const QString& text) {
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

}  // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void startsWithFilledListsAndTheInputPanel();
    void menusHaveTheirEntriesWithTheLibrarysShortcutsOnly();

    void typedCharactersAreFiltered_data();
    void typedCharactersAreFiltered();
    void editingKeysPassEveryBox();
    void pastedTextPassesTheSameFilter_data();
    void pastedTextPassesTheSameFilter();
    void droppedTextPassesTheSameFilter();

    void validateInputReportsTheFirstFaultInOrder();
    void validateInputSelectsMissingDirections();
    void dateRules_data();
    void dateRules();

    void calculateCopiesTheFormAndShowsTheReading();
    void readingKeepsTextColoursAndWeights();
    void readingMatchesTheCommandLines();
    void refusedCalculateChangesNothing();
    void menuCalculateWorksFromTheReadingPanel();
    void backThenCalculateGivesTheSameReading();
    void exitClosesTheWindow();
};

void TestFrmMain::startsWithFilledListsAndTheInputPanel() {
    Fixture f;
    QCOMPARE(f.window.objectName(), QStringLiteral("frmMain"));
    QCOMPARE(f.window.windowTitle(), QStringLiteral("Tavrinel v1.15"));
    QVERIFY(f.InputInFront());

    struct ListCheck {
        const char* Name;
        int Count;
        const char* First;
        const char* Last;
    };
    const ListCheck lists[] = {
        {"cboDate", 31, "1", "31"},
        {"cboMonth", 12, "January", "December"},
        {"cboYear", 150, "1901", "2050"},
        {"cboHour", 25, "0", "24"},
        {"cboMinute", 60, "0", "59"},
        {"cboTimeZone", 71, "Alaska/Hawaii Daylight Time,AHDT,-9.0", "Yukon War Time,YWT,-8.0"},
    };
    for (const ListCheck& check : lists) {
        QComboBox* list = f.List(check.Name);
        QCOMPARE(list->count(), check.Count);
        QCOMPARE(list->currentIndex(), 0);
        QCOMPARE(list->itemText(0), QLatin1String(check.First));
        QCOMPARE(list->itemText(check.Count - 1), QLatin1String(check.Last));
        QVERIFY2(!list->isEditable(), check.Name);
    }
    QCOMPARE(f.chart.TimeZoneNames[70], std::string("Yukon War Time,YWT,-8.0"));

    for (const char* name : {"txtName", "txtLatDeg", "txtLatMin", "txtLonDeg", "txtLonMin",
                             "txtCity", "txtState", "txtCountry"}) {
        QVERIFY2(f.Box(name)->text().isEmpty(), name);
    }
    for (const char* name : {"txtLatDeg", "txtLatMin", "txtLonDeg", "txtLonMin"}) {
        QCOMPARE(f.Box(name)->maxLength(), 3);
    }
    QVERIFY(f.Get<QRadioButton>("optLat0")->isChecked());
    QVERIFY(f.Get<QRadioButton>("optLong0")->isChecked());
    QVERIFY(!f.Get<QCheckBox>("chkDST")->isChecked());
    QVERIFY(f.Get<QTextEdit>("RTB")->document()->isEmpty());
    QVERIFY(f.Get<QTextEdit>("RTB")->isReadOnly());
    QVERIFY(f.platform.Messages.Shown.isEmpty());
}

void TestFrmMain::menusHaveTheirEntriesWithTheLibrarysShortcutsOnly() {
    Fixture f;
    const QList<QAction*> top = f.window.menuBar()->actions();
    QCOMPARE(top.size(), 3);
    QCOMPARE(top[0]->text(), QStringLiteral("&File"));
    QCOMPARE(top[1]->text(), QStringLiteral("&Help"));
    QCOMPARE(top[2]->text(), QStringLiteral("S&ky"));  // beside the documented two, never between

    auto entries = [](QAction* menu) {
        QStringList texts;
        for (QAction* action : menu->menu()->actions()) {
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
            if (!action->shortcut().isEmpty()) {
                texts << action->shortcut().toString();
            }
        }
        return texts;
    };
    QCOMPARE(entries(top[0]),
             QStringList({"Get My &Rasi Chart", "-", "&Chart...", "Export &PDF...",
                          "Export &Text...", "Print Pre&view...", "Pri&nt...", "-", "&Library...", "Ctrl+L",
                          "&Add to Library", "Ctrl+D", "-", "&Exit"}));
    QCOMPARE(entries(top[1]),
             QStringList({"&Online Help", "&Visit Us Online", "-", "Check for Software &Update",
                          "-", "&About Software"}));
    for (const char* name : {"mnuCalculate", "mnuFileSep", "mnuExit", "mnuOnline", "mnuVisit",
                             "mnuHelpSep1", "mnuUpdate", "mnuHelpSep2", "mnuAbout"}) {
        QVERIFY2(f.window.findChild<QAction*>(QLatin1String(name)), name);
    }
}

void TestFrmMain::typedCharactersAreFiltered_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");  // empty when the character is taken

    const QString letters = QStringLiteral("Please enter only letters");
    const QString numbers = QStringLiteral("Please enter only numbers");
    for (const char* box : {"txtName", "txtCity", "txtState", "txtCountry"}) {
        QTest::addRow("%s letter", box) << box << "Ann" << QString();
        QTest::addRow("%s blank", box) << box << " " << QString();
        QTest::addRow("%s digit", box) << box << "7" << letters;
        QTest::addRow("%s apostrophe", box) << box << "'" << letters;
        QTest::addRow("%s hyphen", box) << box << "-" << letters;
        QTest::addRow("%s full stop", box) << box << "." << letters;
        QTest::addRow("%s accented", box) << box << QStringLiteral("\u00e9") << letters;
        QTest::addRow("%s return", box) << box << "\r" << letters;
    }
    for (const char* box : {"txtLatDeg", "txtLatMin", "txtLonDeg", "txtLonMin"}) {
        QTest::addRow("%s digits", box) << box << "28" << QString();
        QTest::addRow("%s minus", box) << box << "-" << numbers;
        QTest::addRow("%s point", box) << box << "." << numbers;
        QTest::addRow("%s letter", box) << box << "a" << numbers;
        QTest::addRow("%s blank", box) << box << " " << numbers;
        QTest::addRow("%s code 22", box) << box << QString(QChar(22)) << numbers;
    }
}

void TestFrmMain::typedCharactersAreFiltered() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);

    Fixture f;
    f.ShowActive();
    QLineEdit* target = f.Box(box.toLatin1().constData());
    const bool numberBox = message.endsWith(QLatin1String("numbers")) ||
                           box.startsWith(QLatin1String("txtLa")) ||
                           box.startsWith(QLatin1String("txtLo"));
    target->setText(numberBox ? QString() : QStringLiteral("Al"));
    const QString before = target->text();
    // The focus sits elsewhere: the letters family pulls it back, the
    // numbers family leaves it alone.
    QLineEdit* elsewhere = f.Box(box == QLatin1String("txtCity") ? "txtState" : "txtCity");
    elsewhere->setFocus();

    TypeText(target, typed);

    if (message.isEmpty()) {
        QCOMPARE(target->text(), before + typed);
        QVERIFY(f.platform.Messages.Shown.isEmpty());
        return;
    }
    QCOMPARE(target->text(), before);
    QCOMPARE(f.MessageTexts(), QStringList{message});
    QCOMPARE(f.platform.Messages.Shown[0].Title, QStringLiteral("Tavrinel"));
    QCOMPARE(f.platform.Messages.Shown[0].Icon, BoxIcon::Error);
    QCOMPARE(f.platform.Messages.Shown[0].Buttons, BoxButtons::Ok);
    const bool letters = message.endsWith(QLatin1String("letters"));
    QCOMPARE(QApplication::focusWidget(), letters ? static_cast<QWidget*>(target) : elsewhere);
}

void TestFrmMain::editingKeysPassEveryBox() {
    Fixture f;
    f.ShowActive();
    for (const char* name : {"txtName", "txtCity", "txtState", "txtCountry", "txtLatDeg",
                             "txtLatMin", "txtLonDeg", "txtLonMin"}) {
        QLineEdit* box = f.Box(name);
        box->setFocus();
        TypeText(box, QStringLiteral("1234"));  // refused in letter boxes, cut to 3 in others
        box->setText(QStringLiteral("123"));
        f.platform.Messages.Shown.clear();
        box->end(false);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("12"));
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->text(), QStringLiteral("2"));
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);  // select all
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);  // copy
        QVERIFY2(f.platform.Messages.Shown.isEmpty(), name);
    }
    // Tab moves on from every box, without a message.
    f.Box("txtCountry")->setFocus();
    QTest::keyClick(f.Box("txtCountry"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdCalculate"));
    f.Box("txtName")->setFocus();
    QTest::keyClick(f.Box("txtName"), Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(QApplication::focusWidget() != f.Box("txtName"));
    QVERIFY(f.platform.Messages.Shown.isEmpty());

    // A fourth digit does not fit and is dropped without a message.
    QLineEdit* degrees = f.Box("txtLatDeg");
    degrees->clear();
    TypeText(degrees, QStringLiteral("1234"));
    QCOMPARE(degrees->text(), QStringLiteral("123"));
    QVERIFY(f.platform.Messages.Shown.isEmpty());
}

void TestFrmMain::pastedTextPassesTheSameFilter_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("message");

    const QString letters = QStringLiteral("Please enter only letters");
    const QString numbers = QStringLiteral("Please enter only numbers");
    QTest::newRow("name letters") << "txtName" << "Ann Lee" << QString();
    QTest::newRow("name with a digit") << "txtName" << "Ann7" << letters;
    QTest::newRow("name with an apostrophe") << "txtName" << "O'Brien" << letters;
    QTest::newRow("city with a line break") << "txtCity" << "Delhi\n" << letters;
    QTest::newRow("name with a backspace") << "txtName" << "An\bn" << letters;
    QTest::newRow("degrees digits") << "txtLatDeg" << "28" << QString();
    QTest::newRow("degrees with a sign") << "txtLatDeg" << "28\u00b0" << numbers;
    QTest::newRow("minutes decimal") << "txtLonMin" << "1.5" << numbers;
    QTest::newRow("minutes negative") << "txtLonMin" << "-5" << numbers;
}

void TestFrmMain::pastedTextPassesTheSameFilter() {
    QFETCH(QString, box);
    QFETCH(QString, clipboard);
    QFETCH(QString, message);

    // The same paste by the key and by the context menu's entry.
    for (const bool byMenu : {false, true}) {
        Fixture f;
        f.ShowActive();
        QLineEdit* target = f.Box(box.toLatin1().constData());
        target->setFocus();
        QGuiApplication::clipboard()->setText(clipboard);
        if (byMenu) {
            std::unique_ptr<QMenu> menu(target->findChild<KeyFilter*>()->CreateContextMenu());
            const QString caption = QCoreApplication::translate("QLineEdit", "&Paste");
            QAction* paste = nullptr;
            for (QAction* action : menu->actions()) {
                if (action->text().startsWith(caption)) {
                    paste = action;
                }
            }
            QVERIFY(paste);
            paste->trigger();
        } else {
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        }
        if (message.isEmpty()) {
            QCOMPARE(target->text(), clipboard);
            QVERIFY(f.platform.Messages.Shown.isEmpty());
        } else {
            QCOMPARE(target->text(), QString());
            QCOMPARE(f.MessageTexts(), QStringList{message});
            QCOMPARE(f.platform.Messages.Shown[0].Icon, BoxIcon::Error);
        }
    }
}

void TestFrmMain::droppedTextPassesTheSameFilter() {
    Fixture f;
    QLineEdit* name = f.Box("txtName");
    // A drop only reaches the box inside a drag session, so the filter is
    // asked directly: true means the drop was stopped.
    QObject* filter = name->findChild<KeyFilter*>();
    auto drop = [&](const QString& text) {
        QMimeData data;
        data.setText(text);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        return filter->eventFilter(name, &event);
    };
    QVERIFY(drop(QStringLiteral("Ann2")));
    QCOMPARE(f.MessageTexts(), QStringList{QStringLiteral("Please enter only letters")});
    QVERIFY(!drop(QStringLiteral("Ann")));
    QCOMPARE(f.platform.Messages.Shown.size(), 1);
}

void TestFrmMain::validateInputReportsTheFirstFaultInOrder() {
    Fixture f;
    f.ShowActive();
    // Each row fills one more box; the fault moves on to the next box.
    struct Step {
        const char* Box;
        const char* Value;
        const char* Message;
    };
    const Step steps[] = {
        {"txtName", " ", "Please Enter Your Name"},
        {"txtLatDeg", "999", "Please Enter Degree of Latitude"},
        {"txtLatMin", "999", "Please Enter Minutes of Latitude"},
        {"txtLonDeg", "0", "Please Enter Degree of Longitude"},
        {"txtLonMin", "75", "Please Enter Minute of Longitude"},
        {"txtCity", "x", "Please Enter Your City name"},
        {"txtState", " ", "Please Enter Your State name"},
        {"txtCountry", "y", "Please Enter Your Country name"},
    };
    for (const Step& step : steps) {
        f.platform.Messages.Shown.clear();
        f.Get<QPushButton>("cmdCalculate")->setFocus();
        QVERIFY(!f.window.ValidateInput());
        QCOMPARE(f.MessageTexts(), QStringList{QLatin1String(step.Message)});
        QCOMPARE(f.platform.Messages.Shown[0].Icon, BoxIcon::Error);
        QCOMPARE(f.platform.Messages.Shown[0].Title, QStringLiteral("Tavrinel"));
        QCOMPARE(QApplication::focusWidget(), f.Box(step.Box));
        f.Box(step.Box)->setText(QLatin1String(step.Value));
    }
    // Blanks count as content and the degrees are not range-checked.
    f.platform.Messages.Shown.clear();
    QVERIFY(f.window.ValidateInput());
    QVERIFY(f.platform.Messages.Shown.isEmpty());

    // Text that only a file can put into a degree box is refused, with the
    // focus on that box.
    f.Box("txtLonDeg")->setText(QStringLiteral("7a"));
    QVERIFY(!f.window.ValidateInput());
    QCOMPARE(f.MessageTexts(), QStringList{QStringLiteral("Please enter only numbers")});
    QCOMPARE(QApplication::focusWidget(), f.Box("txtLonDeg"));
}

void TestFrmMain::validateInputSelectsMissingDirections() {
    Fixture f;
    f.FillAnn();
    // The user cannot clear both options of a pair; a program can.
    auto clear = [](QRadioButton* a, QRadioButton* b) {
        for (QRadioButton* option : {a, b}) {
            option->setAutoExclusive(false);
            option->setChecked(false);
            option->setAutoExclusive(true);
        }
    };
    clear(f.Get<QRadioButton>("optLat0"), f.Get<QRadioButton>("optLat1"));
    clear(f.Get<QRadioButton>("optLong0"), f.Get<QRadioButton>("optLong1"));

    QVERIFY(!f.window.ValidateInput());
    QVERIFY(f.Get<QRadioButton>("optLat0")->isChecked());
    QVERIFY(!f.window.ValidateInput());
    QVERIFY(f.Get<QRadioButton>("optLong0")->isChecked());
    QVERIFY(f.window.ValidateInput());
    QCOMPARE(f.MessageTexts(), QStringList({"Please Select Direction For The Latitude",
                                            "Please Select Direction For The Longitude"}));
}

void TestFrmMain::dateRules_data() {
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("message");

    const QString february = QStringLiteral("Please Enter Correct Date Or Month!");
    const QString thirtyDays = QStringLiteral("Please Enter Correct Date Or Month !");
    QTest::newRow("29 Feb 2000") << 29 << 2 << 2000 << QString();
    QTest::newRow("29 Feb 2048") << 29 << 2 << 2048 << QString();
    QTest::newRow("28 Feb 1901") << 28 << 2 << 1901 << QString();
    QTest::newRow("29 Feb 1901") << 29 << 2 << 1901 << february;
    QTest::newRow("30 Feb 2000") << 30 << 2 << 2000 << february;
    QTest::newRow("31 Feb 2048") << 31 << 2 << 2048 << february;
    QTest::newRow("31 Apr") << 31 << 4 << 1990 << thirtyDays;
    QTest::newRow("31 Jun") << 31 << 6 << 1990 << thirtyDays;
    QTest::newRow("31 Sep") << 31 << 9 << 1990 << thirtyDays;
    QTest::newRow("31 Nov") << 31 << 11 << 1990 << thirtyDays;
    QTest::newRow("30 Apr") << 30 << 4 << 1990 << QString();
    QTest::newRow("31 May") << 31 << 5 << 1990 << QString();
    QTest::newRow("31 Dec 2050") << 31 << 12 << 2050 << QString();
}

void TestFrmMain::dateRules() {
    QFETCH(int, day);
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(QString, message);

    Fixture f;
    f.FillAnn();
    f.List("cboDate")->setCurrentText(QString::number(day));
    f.List("cboMonth")->setCurrentIndex(month - 1);
    f.List("cboYear")->setCurrentText(QString::number(year));

    QCOMPARE(f.window.ValidateInput(), message.isEmpty());
    if (message.isEmpty()) {
        QVERIFY(f.platform.Messages.Shown.isEmpty());
        return;
    }
    QCOMPARE(f.MessageTexts(), QStringList{message});
    QCOMPARE(f.platform.Messages.Shown[0].Icon, BoxIcon::Information);
}

void TestFrmMain::calculateCopiesTheFormAndShowsTheReading() {
    Fixture f;
    f.FillAnn();
    f.Box("txtName")->setText(QStringLiteral("  Ann "));
    f.Box("txtCity")->setText(QStringLiteral("  New Delhi "));
    f.Box("txtCountry")->setText(QStringLiteral(" India"));

    QTest::mouseClick(f.Get<QPushButton>("cmdCalculate"), Qt::LeftButton);

    QVERIFY(f.platform.Messages.Shown.isEmpty());
    QVERIFY(f.ReadingInFront());
    const ChartState& c = f.chart;
    QCOMPARE(c.PersonName, std::string("  Ann "));
    QCOMPARE(c.CityName, std::string("New Delhi"));
    QCOMPARE(c.StateName, std::string("Delhi"));
    QCOMPARE(c.CountryName, std::string("India"));
    QCOMPARE(int(c.BirthDay), 15);
    QCOMPARE(int(c.BirthMonth), 7);
    QCOMPARE(int(c.BirthYear), 1990);
    QCOMPARE(int(c.BirthHour), 12);
    QCOMPARE(int(c.BirthMinute), 0);
    QCOMPARE(int(c.ZoneHours), 5);
    QCOMPARE(int(c.ZoneMinutes), 30);
    QCOMPARE(int(c.ZoneShiftHours), -5);
    QCOMPARE(int(c.ZoneShiftMinutes), -30);
    QCOMPARE(int(c.LatDegrees), 28);
    QCOMPARE(int(c.LatMinutes), 36);
    QCOMPARE(int(c.LonDegrees), 77);
    QCOMPARE(int(c.LonMinutes), 12);
    QCOMPARE(int(c.LonDirection), -1);
    QCOMPARE(int(c.LatDirection), 0);
    QCOMPARE(int(c.DaylightSaving), 0);
    QVERIFY(!f.Get<QTextEdit>("RTB")->document()->isEmpty());

    // South and West, with daylight saving.
    f.Get<QRadioButton>("optLat1")->setChecked(true);
    f.Get<QRadioButton>("optLong1")->setChecked(true);
    f.Get<QCheckBox>("chkDST")->setChecked(true);
    f.window.Calculate();
    QCOMPARE(int(c.LatDirection), -1);
    QCOMPARE(int(c.LonDirection), 0);
    QCOMPARE(int(c.DaylightSaving), -1);
}

void TestFrmMain::readingKeepsTextColoursAndWeights() {
    Fixture f;
    f.ShowActive();
    f.FillAnn();
    f.window.Calculate();
    QApplication::processEvents();
    // The reading shows from its first line.
    QTextEdit* rtb = f.Get<QTextEdit>("RTB");
    QCOMPARE(rtb->textCursor().position(), 0);
    QVERIFY(!rtb->textCursor().hasSelection());
    QVERIFY(rtb->verticalScrollBar()->maximum() > 0);
    QCOMPARE(rtb->verticalScrollBar()->value(), 0);

    RecordingSink recorded;
    BuildDignityReading(f.chart, recorded);
    const std::vector<StyledChar> expected = Expected(recorded.Runs);
    const std::vector<StyledChar> shown = ReadBack(*f.Get<QTextEdit>("RTB"));

    QString expectedText;
    QString shownText;
    for (const StyledChar& c : expected) expectedText += c.Char;
    for (const StyledChar& c : shown) shownText += c.Char;
    QCOMPARE(shownText, expectedText);
    QVERIFY(shownText.startsWith(QLatin1String("Own Rashi\nA planet will be happy")));
    QVERIFY(!shownText.contains(QLatin1Char('\r')));

    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i].Char == QLatin1Char('\n')) {
            continue;
        }
        QVERIFY2(shown[i].Colour == expected[i].Colour && shown[i].Bold == expected[i].Bold,
                 qPrintable(QStringLiteral("at %1 in \"%2\"")
                                .arg(i)
                                .arg(shownText.mid(int(i) - 10, 20))));
    }
}

// The command line's saved output for the same chart, made by its own form
// mapping: the window's lists and options must lead to the same positions
// and the same text.
void TestFrmMain::readingMatchesTheCommandLines() {
    QFile file(QStringLiteral(TAVRINEL_CLI_EXPECTED_DIR "/ann.json"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject expected = QJsonDocument::fromJson(file.readAll()).object();

    Fixture f;
    f.FillAnn();
    f.Get<QPushButton>("cmdCalculate")->click();

    const QJsonArray positions = expected.value(QStringLiteral("PlanetPositionTexts")).toArray();
    QCOMPARE(positions.size(), kGrahaCount);
    for (int g = 0; g < kGrahaCount; ++g) {
        QCOMPARE(QString::fromStdString(f.chart.PlanetPositionTexts[g]), positions[g].toString());
    }
    QString reading = expected.value(QStringLiteral("Reading")).toString();
    reading.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QCOMPARE(f.Get<QTextEdit>("RTB")->toPlainText(), reading);
}

void TestFrmMain::refusedCalculateChangesNothing() {
    Fixture f;
    f.FillAnn();
    f.window.Calculate();
    f.Get<QPushButton>("cmdBack")->click();
    QVERIFY(f.InputInFront());

    f.Box("txtName")->clear();
    f.List("cboYear")->setCurrentText(QStringLiteral("2001"));
    f.Get<QPushButton>("cmdCalculate")->click();

    QCOMPARE(f.MessageTexts(), QStringList{QStringLiteral("Please Enter Your Name")});
    QVERIFY(f.InputInFront());
    QCOMPARE(f.chart.PersonName, std::string("Ann"));
    QCOMPARE(int(f.chart.BirthYear), 1990);
}

void TestFrmMain::menuCalculateWorksFromTheReadingPanel() {
    Fixture f;
    f.FillAnn();
    QAction* menu = f.window.findChild<QAction*>(QStringLiteral("mnuCalculate"));
    menu->trigger();
    QVERIFY(f.ReadingInFront());
    const QString first = f.Get<QTextEdit>("RTB")->toPlainText();

    // The hidden input panel is read again.
    f.List("cboYear")->setCurrentText(QStringLiteral("2010"));
    menu->trigger();
    QVERIFY(f.ReadingInFront());
    QCOMPARE(int(f.chart.BirthYear), 2010);
    QVERIFY(f.Get<QTextEdit>("RTB")->toPlainText() != first);

    // A refused form leaves the reading in front, and in the box.
    const QString second = f.Get<QTextEdit>("RTB")->toPlainText();
    f.Box("txtLatMin")->clear();
    menu->trigger();
    QCOMPARE(f.MessageTexts(), QStringList{QStringLiteral("Please Enter Minutes of Latitude")});
    QVERIFY(f.ReadingInFront());
    QCOMPARE(f.Get<QTextEdit>("RTB")->toPlainText(), second);
}

void TestFrmMain::backThenCalculateGivesTheSameReading() {
    Fixture f;
    f.FillAnn();
    f.Get<QPushButton>("cmdCalculate")->click();
    QTextEdit* rtb = f.Get<QTextEdit>("RTB");
    const QString html = rtb->toHtml();

    f.Get<QPushButton>("cmdBack")->click();
    QVERIFY(f.InputInFront());
    QCOMPARE(rtb->toHtml(), html);  // Back keeps the reading
    QCOMPARE(f.Box("txtName")->text(), QStringLiteral("Ann"));

    f.Get<QPushButton>("cmdCalculate")->click();
    QVERIFY(f.ReadingInFront());
    QCOMPARE(rtb->toHtml(), html);
}

void TestFrmMain::exitClosesTheWindow() {
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.window.findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
    QVERIFY(!f.window.isVisible());
    QVERIFY(f.platform.Messages.Shown.isEmpty());
}

QTEST_MAIN(TestFrmMain)
#include "tst_frm_main.moc"
