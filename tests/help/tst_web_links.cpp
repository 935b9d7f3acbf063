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

    // The addresses written out here, not taken from the program: a changed
    // constant must show. The home page is the site's root; the help and
    // download pages are named after the program on the same host.
    void eachCommandOpensExactlyOnePage_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("expected");
        // The help page is either the shipped file or the online one.
        QTest::newRow("online help") << 0 << QString();
        QTest::newRow("home page") << 1 << "https://tavrinel.example.org/";
        QTest::newRow("download page") << 2
                                       << "https://tavrinel.example.org/download-tavrinel.html";
    }

    void eachCommandOpensExactlyOnePage() {
        QFETCH(int, command);
        QFETCH(QString, expected);
        testing::FakeWeb web;
        switch (command) {
            case 0: OpenOnlineHelp(web); break;
            case 1: OpenHomePage(web); break;
            default: OpenDownloadPage(web); break;
        }
        QCOMPARE(web.Opened.size(), 1);
        const QUrl url = web.Opened.constFirst();
        QVERIFY2(url.isValid(), qPrintable(url.toString()));
        if (expected.isEmpty()) {
            QVERIFY(url.toString().endsWith(QLatin1String("tavrinel-help.html")));
        } else {
            QCOMPARE(url, QUrl(expected));
        }
    }

    void addressesAreTheDocumentedOnes_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("expected");
        QTest::newRow("online help") << QString::fromLatin1(kOnlineHelpAddress)
                                     << "https://tavrinel.example.org/tavrinel-help.html";
        QTest::newRow("web search") << QString::fromLatin1(kWebSearchAddress)
                                    << "https://duckduckgo.com/";
        QTest::newRow("coordinates site") << QString::fromLatin1(kCoordinatesSiteAddress)
                                          << "https://www.latlong.net/";
    }

    void addressesAreTheDocumentedOnes() {
        QFETCH(QString, address);
        QFETCH(QString, expected);
        QVERIFY(QUrl(address, QUrl::StrictMode).isValid());
        QCOMPARE(address, expected);
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
