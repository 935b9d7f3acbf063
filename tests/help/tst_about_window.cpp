#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include "fake_platform.h"
#include "help/about_window.h"
#include "help/web_links.h"

namespace tavrinel {

class TestAboutWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void showsTheDocumentedContents() {
        testing::FakeWeb web;
        frmAbout about(web);
        QCOMPARE(about.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(about.windowTitle(), QStringLiteral("Tavrinel v1.15"));
        QVERIFY(about.isModal());

        auto* icon = about.findChild<QLabel*>(QStringLiteral("picIcon"));
        QVERIFY(icon);
        QVERIFY(!icon->pixmap().isNull());
        auto* title = about.findChild<QLabel*>(QStringLiteral("Label2"));
        QVERIFY(title);
        QCOMPARE(title->text(), QStringLiteral("Tavrinel v1.15"));
        auto* text = about.findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(text);
        QCOMPARE(text->text(),
                 QStringLiteral("Tavrinel shows the rulership of the planets in the signs they are "
                                "present in based on Vedic Astrology. Each planet may or may not be "
                                "compatible with the sign it is present in. The placements effects "
                                "the expression of the characteristics reflected by the planet."));
        auto* home = about.findChild<QLabel*>(QStringLiteral("lblHomePage"));
        QVERIFY(home);
        QVERIFY(home->text().contains(QString::fromLatin1(kHomePageAddress)));
        QVERIFY(about.findChild<QFrame*>(QStringLiteral("Line1")));
        QVERIFY(about.findChild<QFrame*>(QStringLiteral("Line2")));
        auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(web.Opened.isEmpty());
    }

    void clickingTheHomePageLabelOpensTheHomePageOnce() {
        testing::FakeWeb web;
        frmAbout about(web);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto* home = about.findChild<QLabel*>(QStringLiteral("lblHomePage"));
        QTest::mouseClick(home, Qt::LeftButton);
        QCOMPARE(web.Opened, QList<QUrl>{QUrl(QString::fromLatin1(kHomePageAddress))});

        // A right click is not an invitation accepted.
        QTest::mouseClick(home, Qt::RightButton);
        QCOMPARE(web.Opened.size(), 1);
        QVERIFY(about.isVisible());
    }

    void homePageLabelWorksFromTheKeyboard() {
        testing::FakeWeb web;
        frmAbout about(web);
        auto* home = about.findChild<QLabel*>(QStringLiteral("lblHomePage"));
        QTest::keyClick(home, Qt::Key_Space);
        QCOMPARE(web.Opened.size(), 1);
    }

    void okClosesTheWindow() {
        testing::FakeWeb web;
        frmAbout about(web);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
        QVERIFY(web.Opened.isEmpty());
    }
};

}  // namespace tavrinel

QTEST_MAIN(tavrinel::TestAboutWindow)
#include "tst_about_window.moc"
