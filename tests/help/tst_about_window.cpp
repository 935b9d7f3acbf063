#include <QAbstractButton>
#include <QApplication>
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
        auto* home = about.findChild<QAbstractButton*>(QStringLiteral("lblHomePage"));
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
        auto* home = about.findChild<QAbstractButton*>(QStringLiteral("lblHomePage"));
        QTest::mouseClick(home, Qt::LeftButton);
        QCOMPARE(web.Opened, QList<QUrl>{QUrl(QString::fromLatin1(kHomePageAddress))});

        // A right click is not an invitation accepted.
        QTest::mouseClick(home, Qt::RightButton);
        QCOMPARE(web.Opened.size(), 1);
        QVERIFY(about.isVisible());
    }

    // Tab reaches the link from OK, Space and Return press it (Return not
    // OK), and while it has the focus a frame is drawn round it.
    void homePageLinkWorksFromTheKeyboard() {
        testing::FakeWeb web;
        frmAbout about(web);
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        auto* home = about.findChild<QAbstractButton*>(QStringLiteral("lblHomePage"));
        const QImage without = home->grab().toImage();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), home);
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(home, key);
        }
        QCOMPARE(web.Opened.size(), 3);
        QVERIFY(about.isVisible());

        const QImage with = home->grab().toImage();
        QCOMPARE(with.size(), without.size());
        // A line of changed pixels down both sides, beside the text.
        for (const int x : {0, with.width() - 1}) {
            int changed = 0;
            for (int y = 0; y < with.height(); ++y) {
                changed += with.pixel(x, y) != without.pixel(x, y) ? 1 : 0;
            }
            QVERIFY2(changed == with.height(), qPrintable(QString::number(changed)));
        }
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
