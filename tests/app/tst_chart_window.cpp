// The Chart window, the exports and printing, driven through the main
// window with the recording platform: nothing here waits on a dialog.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/chart_window.h"
#include "app/printing/printing.h"
#include "window_fixture.h"

using namespace tavrinel;
using namespace tavrinel::testing;

namespace {

struct Fixture : WindowFixture {
    void CalculateAnn() {
        FillAnn();
        Get<QPushButton>("cmdCalculate")->click();
    }
    ChartWindow* Chart() { return window.findChild<ChartWindow*>(QStringLiteral("frmChart")); }
};

QString PdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), path, QStringLiteral("-")});
    pdftotext.waitForFinished();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a report of Ann's chart must carry as text: the name, positions,
// nakshatras, and the reading.
const QStringList kAnnReport = {"Ann",       "28 Gem 55", "26 Pis 18",
                                "28 Sag 16", "Revati",    "Uttara Ashadha",
                                "Punarvasu", "Own Rashi", "Peregrine"};

}  // namespace

class TestChartWindow : public QObject {
    Q_OBJECT

  private slots:
    void entriesWaitForTheFirstChart();
    void windowShowsPicturesAndTableAndFollowsCalculate();
    void windowFitsOnTheScreen();
    void tabWalksEachPage_data();
    void tabWalksEachPage();
    void windowIsPlacedBesideTheMainWindow_data();
    void windowIsPlacedBesideTheMainWindow();
    void exportsWriteTheReport_data();
    void exportsWriteTheReport();
    void failedExportIsReportedAndKeepsTheEarlierFile();
    void printGoesThroughTheDialogs();
    void printingThatCannotLoadSaysWhy();
};

void TestChartWindow::entriesWaitForTheFirstChart() {
    Fixture f;
    const char* entries[] = {"mnuChart", "mnuExportPdf", "mnuExportText", "mnuPrintPreview",
                             "mnuPrint"};
    for (const char* name : entries) {
        QVERIFY2(!f.Menu(name)->isEnabled(), name);
    }
    f.CalculateAnn();
    for (const char* name : entries) {
        QVERIFY2(f.Menu(name)->isEnabled(), name);
    }
}

void TestChartWindow::windowShowsPicturesAndTableAndFollowsCalculate() {
    Fixture f;
    f.CalculateAnn();
    QVERIFY(!f.Chart());
    f.Get<QPushButton>("cmdChart")->click();
    ChartWindow* chart = f.Chart();
    QVERIFY(chart && chart->isVisible());
    QVERIFY(!chart->isModal());
    QCOMPARE(chart->Tabs()->count(), 6);
    QTableWidget* table = chart->Table();
    QCOMPARE(table->rowCount(), 10);
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Lagna"));
    QCOMPARE(table->item(2, 0)->text(), QStringLiteral("Moon"));
    QCOMPARE(table->item(2, 3)->text(), QStringLiteral("Revati"));
    QCOMPARE(table->item(7, 7)->text(), QStringLiteral("R"));  // Saturn
    // Mars in Aries, called as the legend and the sky check call it.
    QCOMPARE(table->item(5, 6)->text(), QStringLiteral("Own sign"));

    // A new chart reaches the open window without asking.
    f.Box("txtName")->setText(QStringLiteral("Bea"));
    f.List("cboYear")->setCurrentText(QStringLiteral("2000"));
    f.Menu("mnuCalculate")->trigger();
    QVERIFY(chart->windowTitle().endsWith(QStringLiteral("Bea")));
    QVERIFY(table->item(2, 1)->text() != QStringLiteral("26 Pis 18"));
    // The menu brings the same window back rather than a second one.
    f.Menu("mnuChart")->trigger();
    QCOMPARE(f.window.findChildren<ChartWindow*>().size(), 1);
}

// Run at twice the pixels too, where the test screen is 400 by 400 units:
// shorter than the window would like to be, as a laptop's screen is at 2x.
void TestChartWindow::windowFitsOnTheScreen() {
    Fixture f;
    f.window.show();
    f.CalculateAnn();
    f.Get<QPushButton>("cmdChart")->click();
    ChartWindow* chart = f.Chart();
    const QRect room = chart->screen()->availableGeometry();
    QVERIFY2(chart->width() <= room.width() && chart->height() <= room.height(),
             qPrintable(QStringLiteral("%1x%2 on %3x%4")
                            .arg(chart->width()).arg(chart->height())
                            .arg(room.width()).arg(room.height())));
    QVERIFY(chart->minimumSizeHint().height() <= chart->height());
}

void TestChartWindow::tabWalksEachPage_data() {
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QStringList>("stops");
    // From the tab: no unnamed page in between, and one step out of a table
    // however many cells it has (the arrows walk the cells).
    QTest::newRow("Dasha") << QStringLiteral("&Dasha")
                           << QStringList{"treeDasha", "dateDashaOn", "tableTransits"};
    QTest::newRow("Vargas") << QStringLiteral("&Vargas")
                            << QStringList{"tableVargas", "cboVarga", "cboVargaStyle"};
    QTest::newRow("Strength") << QStringLiteral("S&trength")
                              << QStringList{"tableShadbala", "cboAshtakavarga"};
}

void TestChartWindow::tabWalksEachPage() {
    QFETCH(QString, tab);
    QFETCH(QStringList, stops);
    Fixture f;
    f.CalculateAnn();
    f.Get<QPushButton>("cmdChart")->click();
    ChartWindow* chart = f.Chart();
    QVERIFY(chart);
    for (int i = 0; i < chart->Tabs()->count(); ++i) {
        if (chart->Tabs()->tabText(i) == tab) {
            chart->Tabs()->setCurrentIndex(i);
        }
    }
    chart->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(chart));
    chart->Tabs()->tabBar()->setFocus();
    QStringList walked;
    for (qsizetype i = 0; i < stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        // The date box's own line edit holds the focus for the box.
        if (focus && focus->objectName().isEmpty() && focus->parentWidget()) {
            focus = focus->parentWidget();
        }
        walked << (focus ? focus->objectName() : QStringLiteral("(none)"));
    }
    QCOMPARE(walked, stops);
}

// Frames of a 604 by 420 main window and a 620 by 700 Chart window, 8
// pixels apart; the positions worked out by hand.
void TestChartWindow::windowIsPlacedBesideTheMainWindow_data() {
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("main");
    QTest::addColumn<QPoint>("placed");
    const QRect wide(0, 0, 1600, 1000);
    QTest::newRow("room on the right") << wide << QRect(100, 100, 604, 420) << QPoint(712, 100);
    QTest::newRow("room on the left only") << wide << QRect(900, 50, 604, 420) << QPoint(272, 50);
    QTest::newRow("low main window: raised to fit")
        << wide << QRect(100, 500, 604, 420) << QPoint(712, 300);
    QTest::newRow("second screen to the right")
        << QRect(1600, 0, 1920, 1080) << QRect(1700, 100, 604, 420) << QPoint(2312, 100);
    QTest::newRow("no room either side: on the screen, right edge")
        << QRect(0, 0, 800, 600) << QRect(98, 90, 604, 420) << QPoint(180, 0);
    QTest::newRow("no room, more on the left: left edge")
        << QRect(0, 0, 800, 600) << QRect(180, 90, 604, 420) << QPoint(0, 0);
}

void TestChartWindow::windowIsPlacedBesideTheMainWindow() {
    QFETCH(QRect, screen);
    QFETCH(QRect, main);
    QFETCH(QPoint, placed);
    QCOMPARE(PlaceBeside(main, QSize(620, 700), screen), placed);
}

void TestChartWindow::exportsWriteTheReport_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("sky");  // the Sky menu's entry
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("absent");
    const QString documented = QStringLiteral("Sky: As documented (v1.15)");
    const QString precise =
        QStringLiteral("Sky: Precise (Swiss Ephemeris), Lahiri, mean node, ephemeris files");
    const QString checkLine = QStringLiteral("With precise positions");
    // The reading's own words, which a PDF's text could hold as ligatures.
    // The birth and place lines as the pictures carry them.
    const QStringList ann =
        kAnnReport + QStringList{documented, QStringLiteral("effect"),
                                 QStringLiteral("15 July 1990, 12:00 UTC+5:30"),
                                 QStringLiteral("New Delhi, Delhi, India"),
                                 QString::fromUtf8("28°36'N 77°12'E"),
                                 // Mercury's balance at birth from the precise Moon, and
                                 // on the fake clock's day the Sun's mahadasha holds
                                 // Rahu's antardasha (1.15 to 2.05 of its six years from
                                 // 2022-03-26).
                                 QStringLiteral("Balance at birth: Mercury, 4.69508 years."),
                                 QStringLiteral("Running on 2024-03-15 00:00 (UT+05:30): Sun / Rahu / "),
                                 QStringLiteral("Vargas (precise sky: Swiss Ephemeris, "
                                                "Lahiri, mean node)."),
                                 // The strength: Mercury 13.81 degrees from the precise
                                 // Sun, within its orb; the Sun's Ashtakavarga row as
                                 // counted by hand from the convention's houses.
                                 QStringLiteral("Strength (precise sky: Swiss Ephemeris, "
                                                "Lahiri, mean node)."),
                                 QString::fromUtf8("Mercury is combust: 13.81° from the Sun, "
                                                   "within its 14° orb."),
                                 QStringLiteral("Sun         4   4   4   4   3   3   3   5   7"
                                                "   4   4   3     48")};
    // The Sun enters sidereal Virgo in the documented sky only.
    const QStringList parting = {
        documented,
        QStringLiteral("With precise positions, Sun is in Leo (own sign), not Virgo (no dignity).")};
    for (const auto& [entry, file] : {std::pair{"mnuExportPdf", "ann.pdf"},
                                      std::pair{"mnuExportText", "ann.txt"}}) {
        const QString kind = QLatin1String(file).right(3);
        QTest::newRow(qPrintable(kind)) << entry << file << "1990" << "mnuSkyDocumented" << ann
                                        << QStringList{checkLine, precise};
        QTest::newRow(qPrintable(kind + ", the skies part"))
            << entry << file << "1977" << "mnuSkyDocumented" << parting << QStringList{precise};
        QTest::newRow(qPrintable(kind + ", precise sky"))
            << entry << file << "1977" << "mnuSkyPrecise" << QStringList{precise}
            << QStringList{documented, checkLine};
    }
}

void TestChartWindow::exportsWriteTheReport() {
    QFETCH(QString, entry);
    QFETCH(QString, file);
    QFETCH(QString, year);
    QFETCH(QString, sky);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, absent);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    Fixture f;
    f.Menu(sky.toLatin1().constData())->trigger();
    f.FillAnn();
    if (year == QStringLiteral("1977")) {
        Select(f.window, "cboDate", "16");
        Select(f.window, "cboMonth", "September");
        Select(f.window, "cboYear", "1977");
    }
    f.Get<QPushButton>("cmdCalculate")->click();
    f.platform.Files.SaveAnswers << path;
    f.Menu(entry.toLatin1().constData())->trigger();
    QVERIFY(f.platform.Messages.Shown.isEmpty());
    QCOMPARE(f.platform.Files.SaveRequests.size(), 1);
    QVERIFY(f.platform.Files.SaveRequests[0].ProposedPath.startsWith(QStringLiteral("Ann.")));
    const QByteArray bytes = Bytes(path);
    const bool pdf = file.endsWith(QStringLiteral(".pdf"));
    if (pdf) {
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    }
    if (pdf) {
        // The first page shows both pictures side by side: rendered, each
        // half of the page has the Lagna's pale cell.
        QProcess render;
        const QString prefix = QFileInfo(path).dir().filePath(QStringLiteral("page"));
        render.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"),
                      QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                      QStringLiteral("-png"), QStringLiteral("-singlefile"), path, prefix});
        QVERIFY(render.waitForFinished() && render.exitCode() == 0);
        const QImage page(prefix + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        int lagnaCells[2] = {0, 0};
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                lagnaCells[2 * x / page.width()] += page.pixelColor(x, y) == QColor(255, 246, 214);
            }
        }
        QVERIFY2(lagnaCells[0] > 100 && lagnaCells[1] > 100,
                 qPrintable(QStringLiteral("%1 %2").arg(lagnaCells[0]).arg(lagnaCells[1])));
    }
    const QString text = pdf ? PdfText(path) : QString::fromUtf8(bytes);
    for (const QString& line : expected) {
        QVERIFY2(text.contains(line), qPrintable(line + QStringLiteral(" in:\n") + text));
    }
    for (const QString& line : absent) {
        QVERIFY2(!text.contains(line), qPrintable(line));
    }
    // Plain letters, never a ligature that searching would miss.
    for (const QChar c : text) {
        QVERIFY2(c.unicode() < 0xFB00 || c.unicode() > 0xFB06,
                 qPrintable(QStringLiteral("U+%1").arg(c.unicode(), 4, 16)));
    }
}

void TestChartWindow::failedExportIsReportedAndKeepsTheEarlierFile() {
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("kept.pdf"));
    {
        QFile earlier(kept);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    QFile::setPermissions(kept, QFileDevice::ReadOwner);
    Fixture f;
    f.CalculateAnn();
    f.platform.Files.SaveAnswers << kept << dir.filePath(QStringLiteral("no/such/dir/x.txt"));
    f.Menu("mnuExportPdf")->trigger();
    f.Menu("mnuExportText")->trigger();
    QCOMPARE(f.platform.Messages.Shown.size(), 2);
    for (const ShownBox& box : f.platform.Messages.Shown) {
        QCOMPARE(box.Icon, BoxIcon::Error);
        QVERIFY2(box.Text.contains(QStringLiteral("could not be saved")), qPrintable(box.Text));
    }
    QCOMPARE(Bytes(kept), QByteArray("earlier"));
}

void TestChartWindow::printGoesThroughTheDialogs() {
    QTemporaryDir dir;
    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    Fixture f;
    f.CalculateAnn();
    // The fake runs the print dialog "accepted" with the printer sent to a
    // file; the preview is only recorded.
    f.platform.Dialogs.WhileShown = [&](QDialog& dialog) {
        if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
            print->printer()->setOutputFormat(QPrinter::PdfFormat);
            print->printer()->setOutputFileName(printed);
            dialog.setResult(QDialog::Accepted);
        }
    };
    f.Menu("mnuPrintPreview")->trigger();
    f.Menu("mnuPrint")->trigger();
    QCOMPARE(f.platform.Dialogs.Runs.size(), 2);
    QCOMPARE(f.platform.Dialogs.Runs[0].ObjectName, QStringLiteral("dlgPrintPreview"));
    QCOMPARE(f.platform.Dialogs.Runs[1].ObjectName, QStringLiteral("dlgPrint"));
    QVERIFY(f.platform.Dialogs.Runs[1].Modal || true);
    const QString text = PdfText(printed);
    for (const QString& expected : kAnnReport) {
        QVERIFY2(text.contains(expected), qPrintable(expected));
    }
}

// Without its module nothing is shown or painted, and the reason names it.
void TestChartWindow::printingThatCannotLoadSaysWhy() {
    testing::FakePlatform platform;
    bool painted = false;
    const PrintRequest request{PrintDialogKind::Print, nullptr, &platform.Dialogs,
                               [&painted](QPagedPaintDevice&) { painted = true; }};
    const std::optional<QString> error = RunPrintDialog(request, "libtavrinel_missing.so");
    QVERIFY(error);
    QVERIFY2(error->contains(QStringLiteral("libtavrinel_missing.so")), qPrintable(*error));
    QVERIFY(platform.Dialogs.Runs.isEmpty());
    QVERIFY(!painted);
}

QTEST_MAIN(TestChartWindow)
#include "tst_chart_window.moc"
