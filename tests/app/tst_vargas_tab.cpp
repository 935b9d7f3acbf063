// The Chart window's Vargas tab on the README's chart (1990-07-15 12:00 IST,
// New Delhi): the table's cells and the picture the chooser draws.
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "app/chart_window.h"
#include "app/vargas/varga_page.h"
#include "window_fixture.h"

using namespace tavrinel;
using namespace tavrinel::testing;

namespace {

constexpr int kSunRow = 0;
constexpr int kMercuryRow = 2;
constexpr int kLagnaRow = 9;

// Columns of the vargas, D1 first.
int Column(int divisions) {
    const int columns[] = {1, 2, 3, 4, 7, 9, 10, 12, 16, 20, 24, 27, 30, 40, 45, 60};
    return static_cast<int>(std::find(std::begin(columns), std::end(columns), divisions) -
                            std::begin(columns));
}

// The sign cell holding a graha's label in the drawn picture.
int SignOfLabel(const ChartPicture& picture, int graha) {
    for (const PictureLabel& label : picture.Labels) {
        if (label.Role == LabelRole::Graha && label.Graha == graha) {
            return picture.Cells[static_cast<std::size_t>(label.Cell)].Sign;
        }
    }
    return -1;
}

bool HasLabel(const ChartPicture& picture, const std::string& text) {
    return std::any_of(picture.Labels.begin(), picture.Labels.end(),
                       [&](const PictureLabel& label) { return label.Text == text; });
}

}  // namespace

class TestVargasTab : public QObject {
    Q_OBJECT

  private slots:
    void tableShowsEachSignInItsDignityColour();
    void chooserRedrawsTheVarga();
    void theSkyMenusZodiacShapesTheVargasOfADocumentedReading();
};

void TestVargasTab::tableShowsEachSignInItsDignityColour() {
    WindowFixture f;
    f.FillAnn();
    f.Get<QPushButton>("cmdCalculate")->click();
    f.Get<QPushButton>("cmdChart")->click();
    auto* chart = f.window.findChild<ChartWindow*>(QStringLiteral("frmChart"));
    QVERIFY(chart);
    QCOMPARE(chart->Tabs()->tabText(chart->Tabs()->indexOf(chart->Vargas())),
             QStringLiteral("&Vargas"));
    QCOMPARE(chart->Vargas()->findChild<QLabel*>(QStringLiteral("lblVargaSky"))->text(),
             QStringLiteral("Vargas (precise sky: Swiss Ephemeris, Lahiri, mean node)."));
    QTableWidget* table = chart->Vargas()->Table();
    QCOMPARE(table->rowCount(), 10);
    QCOMPARE(table->columnCount(), 16);
    QCOMPARE(table->verticalHeaderItem(kLagnaRow)->text(), QStringLiteral("Lagna"));
    QCOMPARE(table->horizontalHeaderItem(Column(60))->text(), QStringLiteral("D60"));

    // The signs from the worked values; for a planet in no dignity the mark
    // of its compound relationship to the sign's lord, natural plus temporal
    // from the rasi signs (Sun Gem, Moon Pis, Mercury Can, Venus Gem, Jupiter
    // Gem, Saturn Sag): to the Sun, Mercury (neutral, 2nd) a friend +, the
    // Moon (friend, 10th) a great friend ++, Saturn (enemy, 7th) and Venus
    // (enemy, 1st) great enemies --; to Mercury the Moon (enemy, 9th) a great
    // enemy; * for vargottama; the colours the reading's for the dignity.
    const QColor debilitated(128, 0, 0);
    const QColor peregrine(128, 128, 0);
    struct Cell {
        int Row;
        int Divisions;
        const char* Text;
        QColor Colour;
    };
    const Cell cells[] = {
        {kSunRow, 1, "Gem+*", peregrine},     {kSunRow, 9, "Gem+*", peregrine},
        {kSunRow, 2, "Can++", peregrine},     {kSunRow, 3, "Aqu--", peregrine},
        {kSunRow, 12, "Tau--", peregrine},    {kSunRow, 30, "Lib", debilitated},
        {kMercuryRow, 7, "Pis", debilitated}, {kMercuryRow, 10, "Can--", peregrine},
    };
    for (const Cell& c : cells) {
        const QTableWidgetItem* item = table->item(c.Row, Column(c.Divisions));
        QCOMPARE(item->text(), QString::fromLatin1(c.Text));
        QCOMPARE(item->foreground().color(), c.Colour);
    }
    // A screen reader hears the whole cell, the marks spelled out.
    QCOMPARE(table->item(kSunRow, Column(9))->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("Sun in D9 Navamsa: Gemini, Peregrine, sign of Mercury, friend, "
                            "vargottama"));
    QCOMPARE(table->item(kSunRow, Column(2))->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("Sun in D2 Hora: Cancer, Peregrine, sign of Moon, great friend"));
    // The legend names each dignity as the positions table and the picture
    // legend do.
    const QString legend =
        chart->Vargas()->findChild<QLabel*>(QStringLiteral("lblVargaLegend"))->text();
    for (const char* word : {"Exalted", "Own sign", "Moolatrikona", "Debilitated", "Peregrine",
                             "great friend's sign ++", "a friend's +",
                             "a neutral's =", "an enemy's -,", "a great enemy's --"}) {
        QVERIFY2(legend.contains(QLatin1String(word)), word);
    }
    // The Lagna's rasi sign is the positions table's.
    const QString lagnaSign = chart->Table()->item(0, 2)->text();
    QVERIFY(table->item(kLagnaRow, 0)
                ->data(Qt::AccessibleTextRole)
                .toString()
                .startsWith(QStringLiteral("Lagna in D1 Rasi: ") + lagnaSign));
}

void TestVargasTab::chooserRedrawsTheVarga() {
    WindowFixture f;
    f.FillAnn();
    f.Get<QPushButton>("cmdCalculate")->click();
    f.Get<QPushButton>("cmdChart")->click();
    VargaPage* page = f.window.findChild<ChartWindow*>(QStringLiteral("frmChart"))->Vargas();
    QComboBox* varga = page->VargaChooser();
    QComboBox* style = page->StyleChooser();
    QVERIFY(!varga->accessibleName().isEmpty() && !style->accessibleName().isEmpty());

    // The navamsa first: the Sun in Gemini, labelled without degrees.
    QCOMPARE(varga->currentText(), QStringLiteral("D9 Navamsa"));
    QVERIFY(HasLabel(page->View()->Picture(), "D9 Navamsa"));
    QVERIFY(HasLabel(page->View()->Picture(), "Su"));
    QCOMPARE(SignOfLabel(page->View()->Picture(), kSun), 2);

    // Chosen from the keyboard as a user would: the trimsamsa puts the Sun
    // and Mercury in Libra and Pisces.
    varga->setFocus();
    for (int i = varga->currentIndex(); i < Column(30); ++i) {
        QTest::keyClick(varga, Qt::Key_Down);
    }
    QCOMPARE(varga->currentText(), QStringLiteral("D30 Trimsamsa"));
    QCOMPARE(SignOfLabel(page->View()->Picture(), kSun), 6);
    QCOMPARE(SignOfLabel(page->View()->Picture(), kMercury), 11);
    QVERIFY(page->View()->accessibleDescription().contains(
        QStringLiteral("Sun in D30 Trimsamsa: Libra, Debilitated")));

    // North Indian: house 1 is the Lagna's sign in that varga.
    style->setCurrentIndex(1);
    const ChartPicture& north = page->View()->Picture();
    QCOMPARE(north.Cells.front().House, 1);
    const QString lagnaCode = page->Table()->item(kLagnaRow, Column(30))->text().left(3);
    QCOMPARE(QString::fromLatin1(kSignAbbreviations + 3 * north.Cells.front().Sign, 3), lagnaCode);
    QCOMPARE(SignOfLabel(north, kSun), 6);
}

// The vargas are the precise sky's of the Sky menu's zodiac while the
// reading stays documented. Ann's Moon by the Swiss Ephemeris: 356.3176 with
// Lahiri's ayanamsa, 1.4463 degrees more with Raman's, 357.7639: 26 Pis 19 in
// Pisces' eighth navamsa (Aquarius, counted from Cancer), 27 Pis 46 in its
// ninth (Pisces, vargottama). Saturn, Aquarius' lord, and Jupiter, Pisces',
// are the Moon's natural neutrals. Saturn in Sagittarius, the 10th from the
// Moon, is a temporal friend: a friend. Jupiter, 88.7691 with Lahiri's, is in
// Gemini, the 4th, a friend; with Raman's, 90.2154, in Cancer, the 5th: a
// temporal enemy, so an enemy.
void TestVargasTab::theSkyMenusZodiacShapesTheVargasOfADocumentedReading() {
    constexpr int kMoonRow = 1;
    for (const bool raman : {false, true}) {
        WindowFixture f;
        f.FillAnn();
        if (raman) {
            f.Menu("mnuAyanamsaRaman")->trigger();
        }
        f.Get<QPushButton>("cmdCalculate")->click();
        f.Get<QPushButton>("cmdChart")->click();
        VargaPage* page = f.window.findChild<ChartWindow*>(QStringLiteral("frmChart"))->Vargas();
        QCOMPARE(page->findChild<QLabel*>(QStringLiteral("lblVargaSky"))->text(),
                 raman
                     ? QStringLiteral("Vargas (precise sky: Swiss Ephemeris, Raman, mean node).")
                     : QStringLiteral("Vargas (precise sky: Swiss Ephemeris, Lahiri, mean node)."));
        QCOMPARE(page->Table()->item(kMoonRow, Column(9))->text(),
                 raman ? QStringLiteral("Pis-*") : QStringLiteral("Aqu+"));
        QCOMPARE(f.chart.SkyName, std::string("As documented (v1.15)"));
    }
}

QTEST_MAIN(TestVargasTab)
#include "tst_vargas_tab.moc"
