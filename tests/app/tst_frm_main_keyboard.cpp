// The window as a keyboard user meets it: where Tab lands in the option
// pairs, Return on a focused button, the focus frame of the painted buttons,
// text committed by an input method, and what the lists and the reading box
// show.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTextEdit>
#include <map>

#include "app/colour_button.h"
#include "window_fixture.h"

using namespace tavrinel;

namespace {

struct Fixture : tavrinel::testing::WindowFixture {
    void ShowActive() {
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    QString Focused() const {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
};

// Pixels of the rectangle that differ from its most common colour by more
// than `levels` summed over the three channels.
int ContrastingPixels(const QImage& image, QRect rect, int levels) {
    std::map<QRgb, int> counts;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    QRgb face = 0;
    int most = 0;
    for (const auto& [colour, count] : counts) {
        if (count > most) {
            most = count;
            face = colour;
        }
    }
    int contrasting = 0;
    for (const auto& [colour, count] : counts) {
        const int distance = std::abs(qRed(colour) - qRed(face)) +
                             std::abs(qGreen(colour) - qGreen(face)) +
                             std::abs(qBlue(colour) - qBlue(face));
        if (distance > levels) {
            contrasting += count;
        }
    }
    return contrasting;
}

}  // namespace

class TestFrmMainKeyboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // From the check box, Tab visits each pair once, on its selected button,
    // so that Space there changes nothing; Shift+Tab comes back the same way.
    void tabEntersEachPairOnItsSelectedButton_data() {
        QTest::addColumn<bool>("west");
        QTest::addColumn<bool>("south");
        QTest::addColumn<QStringList>("forward");
        QTest::newRow("East and North, as at start") << false << false
            << QStringList{"optLong0", "optLat0", "Command1"};
        QTest::newRow("West and South") << true << true
            << QStringList{"optLong1", "optLat1", "Command1"};
        QTest::newRow("West and North") << true << false
            << QStringList{"optLong1", "optLat0", "Command1"};
    }
    void tabEntersEachPairOnItsSelectedButton() {
        QFETCH(bool, west);
        QFETCH(bool, south);
        QFETCH(QStringList, forward);
        Fixture f;
        f.ShowActive();
        f.Get<QRadioButton>(west ? "optLong1" : "optLong0")->setChecked(true);
        f.Get<QRadioButton>(south ? "optLat1" : "optLat0")->setChecked(true);
        f.Get<QCheckBox>("chkDST")->setFocus();
        for (const QString& expected : forward) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(f.Focused(), expected);
        }
        for (int i = forward.size() - 2; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(f.Focused(), forward[i]);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(f.Focused(), QStringLiteral("chkDST"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(f.window.ReadForm().Longitude,
                 west ? LongitudeChoice::West : LongitudeChoice::East);
    }

    // What each button does, reached by Return and by the keypad's Enter.
    void returnPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        for (const int key : {int(Qt::Key_Return), int(Qt::Key_Enter)}) {
            const char* name = key == Qt::Key_Return ? "Return" : "Enter";
            for (const char* button : {"cmdCalculate", "cmdOpen", "Command1", "cmdSave", "cmdBack",
                                       "cmdChart", "cmdCompare"}) {
                QTest::addRow("%s on %s", name, button) << button << key;
            }
        }
    }
    void returnPressesTheFocusedButton() {
        QFETCH(QString, button);
        QFETCH(int, key);
        Fixture f;
        f.ShowActive();
        f.FillAnn();
        if (button == QLatin1String("cmdCompare")) {
            // The Sun on 1977-09-16 parts the two skies, which shows Compare.
            testing::Select(f.window, "cboDate", "16");
            testing::Select(f.window, "cboMonth", "September");
            testing::Select(f.window, "cboYear", "1977");
        }
        const bool onReading = button != QLatin1String("cmdCalculate") &&
                               button != QLatin1String("cmdOpen") && button != QLatin1String("Command1");
        if (onReading) {
            f.window.Calculate();
            QVERIFY(f.ReadingInFront());
        }
        auto* target = f.Get<QPushButton>(button.toLatin1().constData());
        target->setFocus();
        const Qt::KeyboardModifiers modifiers =
            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(target, Qt::Key(key), modifiers);
        if (button == QLatin1String("cmdCalculate")) {
            QVERIFY(f.ReadingInFront());
        } else if (button == QLatin1String("cmdOpen")) {
            QCOMPARE(f.platform.Files.OpenRequests.size(), 1);
        } else if (button == QLatin1String("Command1")) {
            QCOMPARE(f.platform.Web.Opened.size(), 1);
        } else if (button == QLatin1String("cmdSave")) {
            QCOMPARE(f.platform.Files.SaveRequests.size(), 1);
        } else if (button == QLatin1String("cmdChart") || button == QLatin1String("cmdCompare")) {
            const char* opened = button == QLatin1String("cmdChart") ? "frmChart" : "frmSkyCompare";
            auto* window = f.window.findChild<QWidget*>(QLatin1String(opened));
            QVERIFY2(window && window->isVisible(), opened);
        } else {
            QVERIFY(f.InputInFront());
        }
    }

    // The focus frame of the two painted buttons: a line round the caption
    // that stands out from the face, not a shade of it.
    void paintedButtonsShowAClearFocusFrame_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("location button") << "Command1";
        QTest::newRow("calculate button") << "cmdCalculate";
    }
    void paintedButtonsShowAClearFocusFrame() {
        QFETCH(QString, button);
        Fixture f;
        f.ShowActive();
        auto* target = f.Get<ColourButton>(button.toLatin1().constData());
        f.Box("txtName")->setFocus();
        const QImage without = target->grab().toImage();
        target->setFocus();
        const QImage with = target->grab().toImage();
        QCOMPARE(with.size(), without.size());
        int changed = 0;
        for (int y = 0; y < with.height(); ++y) {
            for (int x = 0; x < with.width(); ++x) {
                const QRgb a = with.pixel(x, y);
                const QRgb b = without.pixel(x, y);
                const int distance = std::abs(qRed(a) - qRed(b)) +
                                     std::abs(qGreen(a) - qGreen(b)) +
                                     std::abs(qBlue(a) - qBlue(b));
                changed += distance > 150 ? 1 : 0;
            }
        }
        // At least a line along two whole sides.
        QVERIFY2(changed >= with.width() + with.height() - 16, qPrintable(QString::number(changed)));
    }

    // Text an input method commits passes the same filter as typed text.
    void committedTextIsFiltered_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("commit");
        QTest::addColumn<QString>("message");  // empty when taken
        QTest::newRow("digit into the name") << "txtName" << "7" << "Please enter only letters";
        QTest::newRow("accented letter into the name") << "txtName" << QStringLiteral("\u00e9")
                                                       << "Please enter only letters";
        QTest::newRow("letter into the name") << "txtName" << "B" << QString();
        QTest::newRow("letter into degrees") << "txtLatDeg" << "a" << "Please enter only numbers";
        QTest::newRow("digit into degrees") << "txtLatDeg" << "7" << QString();
    }
    void committedTextIsFiltered() {
        QFETCH(QString, box);
        QFETCH(QString, commit);
        QFETCH(QString, message);
        Fixture f;
        f.ShowActive();
        QLineEdit* target = f.Box(box.toLatin1().constData());
        target->setFocus();
        QInputMethodEvent event;
        event.setCommitString(commit);
        QCoreApplication::sendEvent(target, &event);
        QCOMPARE(target->text(), message.isEmpty() ? commit : QString());
        QCOMPARE(f.platform.Messages.Texts(),
                 message.isEmpty() ? QStringList() : QStringList{message});
    }

    // Opened, the zone list shows a screenful of rows that the eye can take
    // in, not all 71.
    void timeZoneListOpensToAComfortableHeight() {
        Fixture f;
        f.ShowActive();
        QComboBox* zones = f.List("cboTimeZone");
        zones->showPopup();
        QAbstractItemView* view = zones->view();
        QTRY_VERIFY(view->isVisible());
        const int rows = view->viewport()->height() / view->sizeHintForRow(0);
        zones->hidePopup();
        QVERIFY2(rows >= 10 && rows <= 20, qPrintable(QString::number(rows)));
    }

    // The scroll bar's arrow buttons of the reading box show their arrows.
    void readingScrollArrowsStandOut() {
        Fixture f;
        f.ShowActive();
        f.FillAnn();
        f.window.Calculate();
        QScrollBar* bar = f.Get<QTextEdit>("RTB")->verticalScrollBar();
        QTRY_VERIFY(bar->isVisible());
        const QImage image = bar->grab().toImage();
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.pageStep = bar->pageStep();
        option.singleStep = bar->singleStep();
        for (const QStyle::SubControl arrow : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine}) {
            const QRect rect =
                bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, arrow, bar);
            QVERIFY(!rect.isEmpty());
            QVERIFY2(ContrastingPixels(image, rect.adjusted(2, 2, -2, -2), 150) >= 4,
                     qPrintable(QString::number(arrow)));
        }
    }
};

QTEST_MAIN(TestFrmMainKeyboard)
#include "tst_frm_main_keyboard.moc"
