// The location look-up button, the Help menu, the About window and the
// program's icon, as the user reaches them from the main window.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <QUrlQuery>
#include <memory>

#include "app/frm_main.h"
#include "app/program_style.h"
#include "app/startup.h"
#include "window_fixture.h"
#include "help/deferred_icon.h"
#include "help/program_icon.h"
#include "help/update_reminder.h"
#include "help/web_links.h"

using namespace tavrinel;

namespace {

struct Fixture : testing::WindowFixture {
    void Place(const QString& city, const QString& state, const QString& country) {
        Box("txtCity")->setText(city);
        Box("txtState")->setText(state);
        Box("txtCountry")->setText(country);
    }
};

QString SearchedFor(const QUrl& url) {
    return QUrlQuery(url).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded);
}

}  // namespace

class TestFrmMainCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void locationLookUpWantsThePlace_data() {
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("nothing") << "" << "" << "" << "Please Enter City" << "txtCity";
        QTest::newRow("no state") << "Pune" << "" << "" << "Please Enter State" << "txtState";
        QTest::newRow("no country") << "Pune" << "MH" << "" << "Please Enter Country"
                                    << "txtCountry";
    }

    void locationLookUpWantsThePlace() {
        QFETCH(QString, city);
        QFETCH(QString, state);
        QFETCH(QString, country);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Fixture f;
        f.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.Place(city, state, country);
        f.Box("txtName")->setFocus();

        f.window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();

        QCOMPARE(f.platform.Messages.Texts(), QStringList{message});
        QCOMPARE(f.platform.Messages.Shown[0].Icon, BoxIcon::Error);
        QCOMPARE(f.platform.Messages.Shown[0].Title, QStringLiteral("Tavrinel"));
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(f.platform.Web.Opened.isEmpty());
    }

    void locationLookUpSearchesForThePlaceAsTyped() {
        Fixture f;
        // Blanks are content: a state of blanks is searched for as it is.
        f.Place(QStringLiteral(" Pune"), QStringLiteral("  "), QStringLiteral("India "));
        f.window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();

        QVERIFY(f.platform.Messages.Shown.isEmpty());
        QCOMPARE(f.platform.Web.Opened.size(), 1);
        const QUrl url = f.platform.Web.Opened[0];
        QVERIFY2(url.isValid(), qPrintable(url.toString()));
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QCOMPARE(SearchedFor(url), QStringLiteral(" Pune    India  Latitude Longitude site:") +
                                       QUrl(QString::fromLatin1(kCoordinatesSiteAddress)).host());
        // Nothing of the window or the chart changes.
        QCOMPARE(f.Box("txtState")->text(), QStringLiteral("  "));
        QVERIFY(f.InputInFront());
        QVERIFY(f.chart.CityName.empty());
    }

    void helpEntriesOpenOneAddressEach_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("expected");  // empty: the shipped help page
        QTest::newRow("online help") << "mnuOnline" << QString();
        QTest::newRow("visit") << "mnuVisit" << QString::fromLatin1(kHomePageAddress);
        QTest::newRow("update") << "mnuUpdate" << QString::fromLatin1(kDownloadPageAddress);
    }

    void helpEntriesOpenOneAddressEach() {
        QFETCH(QString, entry);
        QFETCH(QString, expected);
        Fixture f;
        f.Box("txtName")->setText(QStringLiteral("Ann"));

        f.Menu(entry.toLatin1().constData())->trigger();

        QCOMPARE(f.platform.Web.Opened.size(), 1);
        const QUrl url = f.platform.Web.Opened[0];
        if (expected.isEmpty()) {
            // The shipped page where the program finds one (not from the
            // tests' folder), else the online one.
            QVERIFY2(url.isLocalFile() || url == QUrl(QString::fromLatin1(kOnlineHelpAddress)),
                     qPrintable(url.toString()));
            QVERIFY(url.path().endsWith(QLatin1String("/tavrinel-help.html")));
        } else {
            QCOMPARE(url, QUrl(expected));
        }
        QVERIFY(f.platform.Messages.Shown.isEmpty());
        QVERIFY(f.platform.Dialogs.Runs.isEmpty());
        QVERIFY(f.InputInFront());
        QCOMPARE(f.Box("txtName")->text(), QStringLiteral("Ann"));
    }

    void aboutIsShownModallyFromTheMenu() {
        Fixture f;
        // While it is up the user follows its link, then presses OK.
        f.platform.Dialogs.WhileShown = [](QDialog& about) {
            QTest::mouseClick(about.findChild<QAbstractButton*>(QStringLiteral("lblHomePage")),
                              Qt::LeftButton);
            about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        };

        f.Menu("mnuAbout")->trigger();

        QCOMPARE(f.platform.Dialogs.Runs.size(), 1);
        const testing::FakeDialogs::Shown& shown = f.platform.Dialogs.Runs[0];
        QCOMPARE(shown.ObjectName, QStringLiteral("frmAbout"));
        QCOMPARE(shown.Title, QStringLiteral("Tavrinel v1.15"));
        QCOMPARE(shown.Parent, &f.window);
        QVERIFY(shown.Modal);
        QCOMPARE(f.platform.Web.Opened, QList<QUrl>{QUrl(QString::fromLatin1(kHomePageAddress))});
        // Closed and gone; the window is as it was.
        QVERIFY(!f.window.findChild<QDialog*>(QStringLiteral("frmAbout")));
        QVERIFY(f.InputInFront());
    }

    // The window shows the picture files themselves, at the sizes they
    // really have.
    void windowCarriesTheProgramIcon() {
        Fixture f;
        const QIcon icon = f.window.windowIcon();
        // The window sizes, and on a high-density screen the image that
        // draws the largest of them sharp; nothing larger is decoded.
        QList<QSize> sizes = {{16, 16}, {32, 32}, {48, 48}, {64, 64}};
        if (qApp->devicePixelRatio() > 1) {
            sizes.append({128, 128});
        }
        QCOMPARE(icon.availableSizes(), sizes);
        for (const QSize& size : sizes) {
            const QImage file(QStringLiteral(TAVRINEL_ICON_DIR "/tavrinel-%1.png").arg(size.width()));
            QCOMPARE(file.size(), size);
            QCOMPARE(icon.pixmap(size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     file.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        }
    }

    // An icon handed over while a window is built is made on first use, and
    // only once, copies included.
    void deferredIconIsMadeOnceWhenFirstUsed() {
        int made = 0;
        const QIcon icon = DeferredIcon([&made] {
            ++made;
            QPixmap red(8, 8);
            red.fill(Qt::red);
            return QIcon(red);
        });
        const QIcon copy = icon;
        QVERIFY(!icon.isNull());
        QCOMPARE(made, 0);
        QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(8, 8)});
        QCOMPARE(copy.pixmap(QSize(8, 8), 1.0).toImage().pixel(4, 4), QColor(Qt::red).rgb());
        QCOMPARE(made, 1);
    }

    // The program's style hands the menu bar's overflow button the platform
    // style's very pictures, turned for the direction asked, and every other
    // icon as the platform style has it.
    void styleKeepsThePlatformStylesIcons_data() {
        QTest::addColumn<int>("icon");
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::newRow("across") << int(QStyle::SP_ToolBarHorizontalExtensionButton)
                                << Qt::LeftToRight;
        QTest::newRow("across, right to left")
            << int(QStyle::SP_ToolBarHorizontalExtensionButton) << Qt::RightToLeft;
        QTest::newRow("down") << int(QStyle::SP_ToolBarVerticalExtensionButton) << Qt::LeftToRight;
        QTest::newRow("message") << int(QStyle::SP_MessageBoxInformation) << Qt::LeftToRight;
    }

    void styleKeepsThePlatformStylesIcons() {
        QFETCH(int, icon);
        QFETCH(Qt::LayoutDirection, direction);
        const auto which = static_cast<QStyle::StandardPixmap>(icon);
        const QString name = QApplication::style()->name();
        const ProgramStyle ours(QStyleFactory::create(name));
        const std::unique_ptr<QStyle> platform(QStyleFactory::create(name));
        QStyleOption option;
        option.direction = direction;
        const QIcon got = ours.standardIcon(which, &option, nullptr);
        const QIcon expected = platform->standardIcon(which, &option, nullptr);
        QVERIFY(!expected.availableSizes().isEmpty());
        QCOMPARE(got.availableSizes(), expected.availableSizes());
        for (const QSize& size : expected.availableSizes()) {
            QCOMPARE(got.pixmap(size, 1.0).toImage(), expected.pixmap(size, 1.0).toImage());
        }
    }

    // Start-up runs the reminder: silent the first time, asking once the
    // fortnight is over.
    void startupRemindsOfUpdate() {
        testing::FakePlatform platform;
        RunStartup(platform.Services);
        QVERIFY(platform.Messages.Shown.isEmpty());
        QCOMPARE(platform.Settings.SetCount, 1);

        platform.Today.Date = platform.Today.Date.addDays(kReminderQuietDays + 1);
        platform.Messages.Answer = BoxAnswer::Yes;
        RunStartup(platform.Services);
        QCOMPARE(platform.Messages.Shown.size(), 1);
        QCOMPARE(platform.Messages.Shown[0].Buttons, BoxButtons::YesNo);
        QCOMPARE(platform.Web.Opened,
                 QList<QUrl>{QUrl(QString::fromLatin1(kDownloadPageAddress))});
    }
};

QTEST_MAIN(TestFrmMainCommands)
#include "tst_frm_main_commands.moc"
