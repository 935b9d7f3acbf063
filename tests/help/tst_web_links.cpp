#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>

#include "fake_platform.h"
#include "help/web_links.h"
#include "help/web_search.h"

namespace tavrinel {

class TestWebLinks : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void eachCommandOpensExactlyOnePage_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("expectedPrefix");
        // The help page is either the shipped file or the online one.
        QTest::newRow("online help") << 0 << QString();
        QTest::newRow("home page") << 1 << QString::fromLatin1(kHomePageAddress);
        QTest::newRow("download page") << 2 << QString::fromLatin1(kDownloadPageAddress);
    }

    void eachCommandOpensExactlyOnePage() {
        QFETCH(int, command);
        QFETCH(QString, expectedPrefix);
        testing::FakeWeb web;
        switch (command) {
            case 0: OpenOnlineHelp(web); break;
            case 1: OpenHomePage(web); break;
            default: OpenDownloadPage(web); break;
        }
        QCOMPARE(web.Opened.size(), 1);
        const QUrl url = web.Opened.constFirst();
        QVERIFY2(url.isValid(), qPrintable(url.toString()));
        if (expectedPrefix.isEmpty()) {
            QVERIFY(url.toString().endsWith(QLatin1String("tavrinel-help.html")));
        } else {
            QCOMPARE(url.toString(), expectedPrefix);
        }
    }

    void theThreeAddressesDiffer() {
        const QStringList addresses = {QString::fromLatin1(kHomePageAddress),
                                       QString::fromLatin1(kDownloadPageAddress),
                                       QString::fromLatin1(kOnlineHelpAddress),
                                       QString::fromLatin1(kWebSearchAddress),
                                       QString::fromLatin1(kCoordinatesSiteAddress)};
        QCOMPARE(QSet<QString>(addresses.begin(), addresses.end()).size(), 5);
        for (const QString& address : addresses) {
            QVERIFY(QUrl(address, QUrl::StrictMode).isValid());
            QCOMPARE(QUrl(address).scheme(), QStringLiteral("https"));
        }
    }

    void helpPageIsLookedForBesideTheProgramFirst() {
        const QStringList dirs = HelpPageSearchDirs(QStringLiteral("/opt/tavrinel/bin"));
        QCOMPARE(dirs.size(), 3);
        QCOMPARE(dirs[0], QStringLiteral("/opt/tavrinel/bin"));
        QCOMPARE(dirs[1], QStringLiteral("/opt/tavrinel/share/tavrinel"));
        QVERIFY(dirs[2].endsWith(QLatin1String("/share/tavrinel")));
    }

    void firstShippedHelpPageWins() {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString empty = root.filePath(QStringLiteral("bin"));
        const QString share = root.filePath(QStringLiteral("share/tavrinel"));
        const QString later = root.filePath(QStringLiteral("other"));
        QVERIFY(QDir().mkpath(empty));
        QVERIFY(QDir().mkpath(share));
        QVERIFY(QDir().mkpath(later));
        for (const QString& dir : {share, later}) {
            QFile page(QDir(dir).filePath(QString::fromLatin1(kHelpPageFileName)));
            QVERIFY(page.open(QIODevice::WriteOnly));
            page.write("<html></html>");
        }
        const QUrl url = OnlineHelpUrl({empty, share, later});
        QVERIFY(url.isLocalFile());
        QCOMPARE(url.toLocalFile(), QDir(share).filePath(QString::fromLatin1(kHelpPageFileName)));
    }

    // The text reaches the search engine as typed, whatever it holds; a '+'
    // left unencoded would arrive as a blank.
    void webSearchOpensTheResultsForTheTextOnTheSite_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("place") << QStringLiteral("Pune MH India Latitude Longitude");
        QTest::newRow("blanks kept") << QStringLiteral(" Pune    India  Latitude Longitude");
        QTest::newRow("delimiters") << QStringLiteral("A+B & C=D #1 50% ?/");
        QTest::newRow("accents") << QStringLiteral("Z\u00fcrich S\u00e3o");
    }

    void webSearchOpensTheResultsForTheTextOnTheSite() {
        QFETCH(QString, text);
        testing::FakeWeb web;
        WebSearch search(web);
        QVERIFY(search.Search(text, QStringLiteral("https://places.example.net/where/")));
        QCOMPARE(web.Opened.size(), 1);
        const QUrl url = web.Opened[0];
        QVERIFY2(url.isValid(), qPrintable(url.errorString()));
        QCOMPARE(url.host(), QUrl(QString::fromLatin1(kWebSearchAddress)).host());
        QCOMPARE(QUrlQuery(url).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded),
                 text + QStringLiteral(" site:places.example.net"));
        QVERIFY(!url.hasFragment());
    }

    void webSearchWithoutTextOrSiteOpensNothing() {
        testing::FakeWeb web;
        WebSearch search(web);
        QVERIFY(!search.Search(QString(), QString::fromLatin1(kCoordinatesSiteAddress)));
        QVERIFY(!search.Search(QStringLiteral("Pune"), QStringLiteral("not an address")));
        QVERIFY(web.Opened.isEmpty());
        QVERIFY(!QUrl(QString::fromLatin1(kCoordinatesSiteAddress)).host().isEmpty());
    }

    void withoutAShippedPageTheOnlinePageOpens() {
        QTemporaryDir root;
        QCOMPARE(OnlineHelpUrl({root.path()}), QUrl(QString::fromLatin1(kOnlineHelpAddress)));
        QCOMPARE(OnlineHelpUrl({}), QUrl(QString::fromLatin1(kOnlineHelpAddress)));
    }
};

}  // namespace tavrinel

QTEST_GUILESS_MAIN(tavrinel::TestWebLinks)
#include "tst_web_links.moc"
