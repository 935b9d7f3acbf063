// The window as it is seen: every caption fully visible in the font that was
// picked (Verdana or its fallback), no control over another, the designed
// colours on screen and the designed tab order.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTextEdit>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/colour_button.h"
#include "app/frm_main.h"
#include "app/twips.h"
#include "app/window_font.h"
#include "help/program_icon.h"
#include "window_fixture.h"

using namespace tavrinel;
using tavrinel::testing::FakePlatform;

namespace {

using Fixture = tavrinel::testing::WindowFixture;

QString Describe(const QWidget* w) {
    return QStringLiteral("%1 %2x%3+%4+%5")
        .arg(w->objectName())
        .arg(w->width())
        .arg(w->height())
        .arg(w->x())
        .arg(w->y());
}

// The controls the window design places: everything with an object name
// except the style's own helpers (scroll bars, viewports, popups).
QList<QWidget*> DesignedChildren(QWidget* parent) {
    QList<QWidget*> children;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->objectName().isEmpty() && !child->isWindow() &&
            !child->objectName().startsWith(QLatin1String("qt_"))) {
            children << child;
        }
    }
    return children;
}

QRgb PixelAt(const QImage& image, const QWidget* window, const QWidget* widget, QPoint inside) {
    // On a high-density screen the grab has more pixels than the window has points.
    return image.pixel(widget->mapTo(window, inside) * image.devicePixelRatio());
}

}  // namespace

class TestFrmMainLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void windowHasTheDesignedFixedSize();
    void captionsFitTheirRectangles();
    void listEntriesFitTheirLists();
    void fallbackCaptionSizesAreTheLargestThatFit();
    void noControlCoversAnother();
    void designedColoursAreOnScreen();
    void tabOrderFollowsTheDesign();
    void panelSwitchChangesOnlyWhatIsInFront();
    void iconIsDrawnFromImagesLargeEnoughForTheScreen();
};

void TestFrmMainLayout::windowHasTheDesignedFixedSize() {
    Fixture f;
    QCOMPARE(f.window.centralWidget()->size(), QSize(604, 397));  // 9060 x 5955 twips
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    QCOMPARE(f.window.height(), 397 + f.window.menuBar()->sizeHint().height());
    QCOMPARE(f.Get<QGroupBox>("Frame1")->geometry(), TwipsRect(23, 1725, 9015, 3615));
    QCOMPARE(f.Get<QGroupBox>("Frame2")->geometry(), f.Get<QGroupBox>("Frame1")->geometry());
}

void TestFrmMainLayout::captionsFitTheirRectangles() {
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    const QString family = PickWindowFontFamily();
    int checked = 0;

    for (QWidget* widget : f.window.centralWidget()->findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))) {
            continue;
        }
        // The font really is the picked one, not a substitute.
        QCOMPARE(QFontInfo(widget->font()).family(), family);
        const QFontMetrics metrics = widget->fontMetrics();
        const QStyle* style = widget->style();

        if (auto* label = qobject_cast<QLabel*>(widget)) {
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect needed = metrics.boundingRect(label->contentsRect(), flags, label->text());
            QVERIFY2(label->contentsRect().contains(needed), qPrintable(Describe(label)));
            ++checked;
        } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            const int width = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                              style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) +
                              metrics.horizontalAdvance(radio->text());
            QVERIFY2(width <= radio->width() && metrics.height() <= radio->height(),
                     qPrintable(Describe(radio)));
            ++checked;
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            const int width = style->pixelMetric(QStyle::PM_IndicatorWidth) +
                              style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) +
                              metrics.horizontalAdvance(check->text());
            QVERIFY2(width <= check->width() && metrics.height() <= check->height(),
                     qPrintable(Describe(check)));
            ++checked;
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            // Inside the border, wrapped where it must.
            const auto* coloured = qobject_cast<ColourButton*>(button);
            const QRect room = coloured ? coloured->TextRoom() : button->rect().adjusted(2, 2, -2, -2);
            const QRect needed = metrics.boundingRect(
                room, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, button->text());
            QVERIFY2(room.contains(needed), qPrintable(Describe(button)));
            if (button->objectName() != QLatin1String("Command1")) {
                QVERIFY2(needed.height() < 2 * metrics.lineSpacing(),
                         qPrintable(Describe(button) + QStringLiteral(" wraps")));
            }
            ++checked;
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            QVERIFY(metrics.horizontalAdvance(frame->title()) < frame->width());
        }
    }
    // labels, Label16, options, check box, the five buttons and Chart; then the
    // sky lines and Compare
    QCOMPARE(checked, 13 + 1 + 4 + 1 + 5 + 1 + 3);
}

// The first size tried for each family is where its captions fit and one
// pixel more would cut one, measured on this machine's copy of each family
// that is installed.
void TestFrmMainLayout::fallbackCaptionSizesAreTheLargestThatFit() {
    Fixture f;
    std::vector<const QWidget*> captioned;
    for (QWidget* widget : f.window.centralWidget()->findChildren<QWidget*>()) {
        // The design's own captions (those only a screen reader reads are unnamed).
        if (widget->objectName().isEmpty()) {
            continue;
        }
        if (qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
            qobject_cast<QGroupBox*>(widget)) {
            captioned.push_back(widget);
        }
    }
    const QStringList installed = QFontDatabase::families();
    int tried = 0;
    for (const char* name : {"Verdana", "DejaVu Sans Condensed", "DejaVu Sans"}) {
        const QString family = QLatin1String(name);
        if (!installed.contains(family)) {
            continue;
        }
        ++tried;
        const int size = MeasuredCaptionPixelSize(family).value_or(kDesignPixelSize);
        auto allFit = [&](int pixels) {
            const QFont font = WindowFont(family, pixels, true);
            return std::all_of(captioned.begin(), captioned.end(),
                               [&](const QWidget* w) { return CaptionFits(*w, font); });
        };
        QVERIFY2(allFit(size), name);
        if (size < kDesignPixelSize) {
            QVERIFY2(!allFit(size + 1), name);
        }
    }
    if (tried == 0) {
        QSKIP("none of the window's font families is installed");
    }
}

void TestFrmMainLayout::listEntriesFitTheirLists() {
    Fixture f;
    for (QComboBox* list : f.window.findChildren<QComboBox*>()) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, list);
        for (int i = 0; i < list->count(); ++i) {
            QVERIFY2(list->fontMetrics().horizontalAdvance(list->itemText(i)) <= field.width(),
                     qPrintable(list->objectName() + QLatin1Char(' ') + list->itemText(i)));
        }
    }
}

void TestFrmMainLayout::noControlCoversAnother() {
    Fixture f;
    QList<QWidget*> parents = {f.window.centralWidget()};
    for (const char* frame : {"Frame1", "Frame2", "Frame3", "Frame4"}) {
        parents << f.Get<QWidget>(frame);
    }
    for (QWidget* parent : parents) {
        const QList<QWidget*> children = DesignedChildren(parent);
        QVERIFY(!children.isEmpty());
        for (int i = 0; i < children.size(); ++i) {
            QVERIFY2(parent->rect().contains(children[i]->geometry()),
                     qPrintable(Describe(children[i])));
            for (int j = i + 1; j < children.size(); ++j) {
                const QString a = children[i]->objectName();
                const QString b = children[j]->objectName();
                if (a.startsWith(QLatin1String("Frame")) && b.startsWith(QLatin1String("Frame")) &&
                    parent == f.window.centralWidget()) {
                    continue;  // the two panels share one place by design
                }
                QVERIFY2(!children[i]->geometry().intersects(children[j]->geometry()),
                         qPrintable(Describe(children[i]) + QStringLiteral(" covers ") +
                                    Describe(children[j])));
            }
        }
    }
}

void TestFrmMainLayout::designedColoursAreOnScreen() {
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    const QImage shot = f.window.grab().toImage();
    const QRgb magenta = qRgb(192, 31, 120);

    QCOMPARE(PixelAt(shot, &f.window, f.window.centralWidget(), {1, 1}), magenta);
    QCOMPARE(PixelAt(shot, &f.window, f.Get<QWidget>("Frame1"), {300, 230}), magenta);
    QCOMPARE(PixelAt(shot, &f.window, f.Get<QWidget>("Command1"), {6, 6}), magenta);
    QCOMPARE(PixelAt(shot, &f.window, f.Get<QWidget>("cmdCalculate"), {6, 6}), qRgb(255, 199, 6));

    // The etched outline of a panel: a grey line on the rectangle's edge and
    // a white one a pixel inside and below it, the panel's colour around.
    const QWidget* frame3 = f.Get<QWidget>("Frame3");
    const int right = frame3->width() - 1;
    const int bottom = frame3->height() - 1;
    const QRgb shadow = qRgb(128, 128, 128);
    const QRgb white = qRgb(255, 255, 255);
    const std::pair<QPoint, QRgb> outline[] = {
        {{0, 0}, shadow},       {{right - 1, 0}, shadow}, {{0, bottom - 1}, shadow},
        {{right - 1, bottom - 1}, shadow}, {{1, 1}, white}, {{right, 1}, white},
        {{1, bottom}, white},   {{right, bottom}, white}, {{right, 0}, magenta},
        {{0, bottom}, magenta},
    };
    for (const auto& [point, colour] : outline) {
        QCOMPARE(PixelAt(shot, &f.window, frame3, point), colour);
    }

    const QColor grey(224, 224, 224);
    for (const char* name : {"lblLabel3", "lblLabel11", "Label16", "optLat0", "optLong1",
                             "chkDST"}) {
        QCOMPARE(f.Get<QWidget>(name)->palette().color(QPalette::WindowText), grey);
    }
    QCOMPARE(f.Get<QWidget>("Frame1")->palette().color(QPalette::WindowText), QColor(Qt::white));

    f.window.BringReadingPanelToFront();
    const QImage reading = f.window.grab().toImage();
    QCOMPARE(PixelAt(reading, &f.window, f.Get<QWidget>("Frame2"), {4, 235}), magenta);
}

void TestFrmMainLayout::tabOrderFollowsTheDesign() {
    Fixture f;
    const QStringList designed = {
        "txtName",   "cboDate",   "cboMonth",  "cboYear",     "cboHour",  "cboMinute",
        "cboTimeZone", "txtLatDeg", "txtLatMin", "txtLonDeg", "txtLonMin", "txtCity",
        "txtState",  "txtCountry", "cmdCalculate", "cmdOpen", "chkDST",   "optLong1",
        "optLong0",  "optLat1",   "optLat0",   "Command1",    "cmdChart", "cmdCompare",
        "cmdSave",   "cmdBack",   "RTB"};
    QStringList chain;
    QWidget* widget = f.Get<QWidget>("txtName");
    do {
        if (designed.contains(widget->objectName()) && !chain.contains(widget->objectName())) {
            chain << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget->objectName() != QLatin1String("txtName"));
    QCOMPARE(chain, designed);
}

void TestFrmMainLayout::panelSwitchChangesOnlyWhatIsInFront() {
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    auto* name = f.Get<QLineEdit>("txtName");
    name->setText(QStringLiteral("Ann"));
    f.Get<QComboBox>("cboMonth")->setCurrentIndex(4);
    f.Get<QRadioButton>("optLong1")->setChecked(true);

    f.window.BringReadingPanelToFront();
    QVERIFY(f.Get<QWidget>("Frame2")->isVisible());
    QVERIFY(!f.Get<QWidget>("Frame1")->isVisible());
    f.window.BringInputPanelToFront();
    QVERIFY(f.Get<QWidget>("Frame1")->isVisible());
    QVERIFY(!f.Get<QWidget>("Frame2")->isVisible());

    QCOMPARE(name->text(), QStringLiteral("Ann"));
    QCOMPARE(f.Get<QComboBox>("cboMonth")->currentIndex(), 4);
    QVERIFY(f.Get<QRadioButton>("optLong1")->isChecked());
    QVERIFY(f.platform.Messages.Shown.isEmpty());
}

QTEST_MAIN(TestFrmMainLayout)
void TestFrmMainLayout::iconIsDrawnFromImagesLargeEnoughForTheScreen() {
    // Title bar, task switcher and About window sizes, in points; on a
    // high-density screen each needs an image with that many more pixels, or
    // it is blown up and blurred.
    const qreal ratio = qApp->devicePixelRatio();
    const QList<QSize> images = ProgramIcon().availableSizes();
    for (int points : {16, 32, 48, 64}) {
        const int needed = qCeil(points * ratio);
        const bool sharp = std::any_of(images.begin(), images.end(),
                                       [&](QSize image) { return image.width() >= needed; });
        QVERIFY2(sharp, qPrintable(QStringLiteral("no image of %1 pixels").arg(needed)));
    }
}

#include "tst_frm_main_layout.moc"
