// The Dasha page of the Chart window for Ann's chart (1990-07-15 12:00 IST,
// New Delhi, documented sky) with today fixed at 2026-12-08. The expected
// periods were worked outside the program: Mercury's mahadasha from
// 1978-04-01 15:24 UTC (20:54 on the zone's clock), Ketu's from 1995-04-02
// 00:00, Venus's from 2002-04-01 19:04, Sun's from 2022-04-01 22:07; on
// 2026-12-08 Sun / Ketu / Venus run. Saturn is in sidereal Pisces then, over
// the natal Moon: Sade Sati at its peak.
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "app/chart_window.h"
#include "app/dasha/timeline_widget.h"
#include "app/dasha/dasha_view.h"
#include "window_fixture.h"

using namespace tavrinel;
using namespace tavrinel::testing;

namespace {

const QDate kToday(2026, 12, 8);

struct Fixture : WindowFixture {
    DashaView* OpenDasha(QDate today = kToday) {
        platform.Today.Date = today;
        FillAnn();
        Get<QPushButton>("cmdChart")->setFocus();
        Get<QPushButton>("cmdCalculate")->click();
        Get<QPushButton>("cmdChart")->click();
        auto* chart = window.findChild<ChartWindow*>(QStringLiteral("frmChart"));
        if (!chart) {
            return nullptr;
        }
        auto* view = chart->findChild<DashaView*>(QStringLiteral("viewDasha"));
        for (int i = 0; i < chart->Tabs()->count(); ++i) {
            if (chart->Tabs()->tabText(i) == QStringLiteral("&Dasha")) {
                chart->Tabs()->setCurrentIndex(i);
            }
        }
        return view;
    }
};

}  // namespace

class TestDashaView : public QObject {
    Q_OBJECT

  private slots:
    void annsDashaOnTheFixedToday();
    void theDateBoxMovesTheRunningPeriodsAndTransits();
    void keyboardAndNames();
};

void TestDashaView::annsDashaOnTheFixedToday() {
    Fixture f;
    DashaView* view = f.OpenDasha();
    QVERIFY(view);
    QCOMPARE(view->DateBox()->date(), kToday);
    QVERIFY2(view->Running()->text().startsWith(QStringLiteral("Running: Sun / Ketu / Venus")),
             qPrintable(view->Running()->text()));

    QTreeWidget* tree = view->Periods();
    QCOMPARE(tree->topLevelItemCount(), 9);
    const char* lords[] = {"Mercury", "Ketu", "Venus", "Sun"};
    // From the precise Moon at 356.31759 (Swiss Ephemeris, Lahiri), on the
    // birth zone's clock.
    const char* starts[] = {"1978-03-26 01:09", "1995-03-26 09:45", "2002-03-26 04:49",
                            "2022-03-26 07:53"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(tree->topLevelItem(i)->text(0), QLatin1String(lords[i]));
        QVERIFY2(tree->topLevelItem(i)->text(2).startsWith(QLatin1String(starts[i])),
                 qPrintable(tree->topLevelItem(i)->text(2)));
    }
    // The running antardasha is the current row, in bold, its mahadasha open.
    QTreeWidgetItem* current = tree->currentItem();
    QVERIFY(current);
    QCOMPARE(current->text(0), QStringLiteral("Sun / Ketu"));
    QVERIFY(current->font(0).bold());
    QVERIFY(current->parent()->isExpanded());
    QVERIFY(current->parent()->font(0).bold());
    QVERIFY(!tree->topLevelItem(0)->font(0).bold());
    // Ann's reading: Mercury at 12 Can 45 peregrine, Mars at 08 Ari in its own sign.
    QCOMPARE(tree->topLevelItem(0)->text(1), QStringLiteral("Peregrine"));
    QCOMPARE(tree->topLevelItem(5)->text(0), QStringLiteral("Mars"));
    QCOMPARE(tree->topLevelItem(5)->text(1), QStringLiteral("Own"));

    const QString summary = view->findChild<QLabel*>(QStringLiteral("lblDashaSummary"))->text();
    QVERIFY2(summary.startsWith(QStringLiteral(
                 "Vimshottari dasha from the Moon at 26 Pis 19 in Revati (precise sky: Swiss "
                 "Ephemeris, Lahiri, mean node).")),
             qPrintable(summary));
    QVERIFY2(summary.contains(QStringLiteral("Balance at birth: Mercury, 4.69508 years")),
             qPrintable(summary));
    QVERIFY(summary.contains(QStringLiteral("sidereal year of 365.256363 days")));
    QVERIFY(summary.contains(QStringLiteral("UT+05:30")));

    // The time line: nine bars from Mercury's start, birth in the first,
    // today in the fourth, the Sun's; each in its lord's dignity colour.
    const TimelineLayout& line = view->Timeline()->Layout();
    QCOMPARE(line.Bars.size(), std::size_t{9});
    QCOMPARE(line.Ticks.size(), std::size_t{72});
    QCOMPARE(line.Bars[0].Colour, DignityColour(Dignity::Peregrine));
    QCOMPARE(line.Bars[5].Colour, DignityColour(Dignity::Own));
    QVERIFY(line.Birth > line.Bars[0].From && line.Birth < line.Bars[0].To);
    QVERIFY(line.Today && *line.Today > line.Bars[3].From && *line.Today < line.Bars[3].To);
    QCOMPARE(line.Years.front().Year, 1980);

    QTableWidget* transits = view->Transits();
    QCOMPARE(transits->rowCount(), 9);
    QCOMPARE(transits->item(kSaturn, 0)->text(), QStringLiteral("Saturn"));
    QCOMPARE(transits->item(kSaturn, 2)->text(), QStringLiteral("Pisces"));
    QCOMPARE(transits->item(kSaturn, 5)->text(), QStringLiteral("1"));
    QCOMPARE(transits->item(kSaturn, 4)->text(), QStringLiteral("7"));  // Lagna 21 Vir 42
    QCOMPARE(transits->item(kSun, 2)->text(), QStringLiteral("Scorpio"));
    const QString notes = view->findChild<QLabel*>(QStringLiteral("lblTransitNotes"))->text();
    QVERIFY2(notes.contains(QStringLiteral("Sade Sati: peak")), qPrintable(notes));
    QVERIFY(notes.contains(QStringLiteral("2026-12-07T18:30:00Z")));
}

void TestDashaView::theDateBoxMovesTheRunningPeriodsAndTransits() {
    // Today comes from the platform, not the system's clock.
    Fixture f;
    DashaView* view = f.OpenDasha(QDate(2030, 1, 1));
    QVERIFY(view);
    QCOMPARE(view->DateBox()->date(), QDate(2030, 1, 1));
    // The Moon's mahadasha from 2028-04-01; its Rahu antardasha from about
    // 2029-11 to 2031-05.
    QVERIFY2(view->Running()->text().startsWith(QStringLiteral("Running: Moon / Rahu / ")),
             qPrintable(view->Running()->text()));
    QCOMPARE(view->Periods()->currentItem()->text(0), QStringLiteral("Moon / Rahu"));
    QVERIFY(!view->Periods()->topLevelItem(3)->font(0).bold());
    // Saturn then in sidereal Aries, the second sign from the natal Moon.
    QCOMPARE(view->Transits()->item(kSaturn, 2)->text(), QStringLiteral("Aries"));
    QVERIFY(view->findChild<QLabel*>(QStringLiteral("lblTransitNotes"))
                ->text()
                .contains(QStringLiteral("Sade Sati: setting")));
    view->DateBox()->setDate(kToday);
    QVERIFY(view->Running()->text().startsWith(QStringLiteral("Running: Sun / Ketu / Venus")));
    // Beyond the 120 years nothing runs.
    view->DateBox()->setDate(QDate(2100, 1, 1));
    QCOMPARE(view->Running()->text(), QStringLiteral("No period runs on this date."));
}

void TestDashaView::keyboardAndNames() {
    Fixture f;
    DashaView* view = f.OpenDasha();
    QVERIFY(view);
    view->window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    view->window()->activateWindow();
    for (QWidget* widget : view->findChildren<QWidget*>()) {
        // The date box's own line edit included: it is what takes the focus.
        if (widget->focusPolicy() & Qt::TabFocus) {
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        }
    }
    QVERIFY(!view->Timeline()->accessibleName().isEmpty());
    QVERIFY(view->Timeline()->accessibleDescription().contains(
        QStringLiteral("Mercury Peregrine from 1978-03-26")));

    // Tab walks the table, the date box and the transits; the date box takes
    // the arrow keys.
    view->Periods()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(view->DateBox()->hasFocus() ||
            view->DateBox()->isAncestorOf(QApplication::focusWidget()));
    view->DateBox()->setCurrentSection(QDateTimeEdit::YearSection);
    QTest::keyClick(view->DateBox(), Qt::Key_Up);
    QCOMPARE(view->DateBox()->date(), QDate(2027, 12, 8));
    QVERIFY(view->Running()->text().startsWith(QStringLiteral("Running: Sun / Venus")));
    // Tab steps through the box's year, month and day before leaving it.
    view->DateBox()->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(view->Transits()));
}

QTEST_MAIN(TestDashaView)
#include "tst_dasha_view.moc"
