// The Dasha page of the Chart window for Ann's chart (1990-07-15 12:00 IST,
// New Delhi, documented sky) with today fixed at 2026-12-08. The expected
// periods were worked outside the program: Mercury's mahadasha from
// 1978-04-01 15:24 UTC (20:54 on the zone's clock), Ketu's from 1995-04-02
// 00:00, Venus's from 2002-04-01 19:04, Sun's from 2022-04-01 22:07; on
// 2026-12-08 Sun / Ketu / Venus run. Saturn is in sidereal Pisces then, over
// the natal Moon: Sade Sati at its peak.
#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "app/chart_painter.h"
#include "app/chart_window.h"
#include "app/dasha/day_box.h"
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
    void typedDatesAreTakenAsShownOrRefused_data();
    void typedDatesAreTakenAsShownOrRefused();
    void timelineNamesOfCloseDatesStayApart();
};

void TestDashaView::annsDashaOnTheFixedToday() {
    Fixture f;
    DashaView* view = f.OpenDasha();
    QVERIFY(view);
    QCOMPARE(view->DateBox()->date(), kToday);
    QVERIFY2(view->Running()->text().startsWith(QStringLiteral("Running: Sun / Ketu / Venus")),
             qPrintable(view->Running()->text()));

    QTreeWidget* tree = view->Periods();
    // The nine and Mercury's return as the cycle starts again.
    QCOMPARE(tree->topLevelItemCount(), 10);
    QCOMPARE(tree->topLevelItem(9)->text(0), QStringLiteral("Mercury"));
    const char* lords[] = {"Mercury", "Ketu", "Venus", "Sun"};
    // From the precise Moon at 356.31759 (Swiss Ephemeris, Lahiri), on the
    // birth zone's clock rounded up to the minute: 1978-03-25 19:39:56,
    // 1995-03-26 04:15:42, 2002-03-25 23:19:50 and 2022-03-26 02:23:06 UT.
    const char* starts[] = {"1978-03-26 01:10", "1995-03-26 09:46", "2002-03-26 04:50",
                            "2022-03-26 07:54"};
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
    QCOMPARE(tree->topLevelItem(5)->text(1), QStringLiteral("Own sign"));
    // Its row in its dignity's colour, the lord's name and the word alike.
    const QColor own = PictureQColor(DignityColour(Dignity::Own));
    QCOMPARE(tree->topLevelItem(5)->foreground(0).color(), own);
    QCOMPARE(tree->topLevelItem(5)->foreground(1).color(), own);
    QCOMPARE(tree->topLevelItem(5)->child(0)->foreground(1).color(), own);
    QVERIFY(tree->topLevelItem(0)->foreground(0).color() != own);

    const QString summary = view->findChild<QLabel*>(QStringLiteral("lblDashaSummary"))->text();
    QVERIFY2(summary.startsWith(QStringLiteral(
                 "Vimshottari dasha from the Moon at 26 Pis 19 in Revati (precise sky: Swiss "
                 "Ephemeris, Lahiri, mean node).")),
             qPrintable(summary));
    QVERIFY2(summary.contains(QStringLiteral("Balance at birth: Mercury, 4.69508 years")),
             qPrintable(summary));
    QVERIFY(summary.contains(QStringLiteral("sidereal year of 365.256363 days")));
    QVERIFY(summary.contains(QStringLiteral("UT+05:30, rounded up to the minute.")));
    QVERIFY(summary.contains(QStringLiteral("A lord's dignity is its dignity in the birth chart.")));

    // The time line: ten bars from Mercury's start, birth in the first,
    // today in the fourth, the Sun's; each in its lord's dignity colour.
    const TimelineLayout& line = view->Timeline()->Layout();
    QCOMPARE(line.Bars.size(), std::size_t{10});
    QCOMPARE(line.Ticks.size(), std::size_t{80});
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
    // The Moon at 07 Sco 28 (Swiss Ephemeris), debilitated, in its colour.
    QCOMPARE(transits->item(kMoon, 1)->text(), QStringLiteral("07 Sco 28"));
    QCOMPARE(transits->item(kMoon, 3)->text(), QStringLiteral("Debilitated"));
    const QColor debilitated = PictureQColor(DignityColour(Dignity::Debilitation));
    QCOMPARE(transits->item(kMoon, 0)->foreground().color(), debilitated);
    QCOMPARE(transits->item(kMoon, 3)->foreground().color(), debilitated);
    QVERIFY(transits->item(kSun, 3)->foreground().color() != debilitated);
    const QString notes = view->findChild<QLabel*>(QStringLiteral("lblTransitNotes"))->text();
    // Counted from the natal Moon in Pisces, not from the Lagna in Virgo.
    QVERIFY2(notes.contains(
                 QStringLiteral("Sade Sati: peak (Saturn in sign 1 from the natal Moon).")),
             qPrintable(notes));
    QVERIFY(notes.contains(QStringLiteral("2026-12-07T18:30:00Z")));
    // The mean node always moves backward, the lights never.
    QCOMPARE(transits->item(kRahu, 6)->text(), QStringLiteral("R"));
    QCOMPARE(transits->item(kKetu, 6)->text(), QStringLiteral("R"));
    QCOMPARE(transits->item(kSun, 6)->text(), QString());
    QCOMPARE(transits->item(kMoon, 6)->text(), QString());
    // The Sun's own antardasha, 0.3 of its six years: 2022-03-26 07:54 to
    // 2022-07-13 21:44 on the zone's clock.
    QTreeWidgetItem* sunSun = tree->topLevelItem(3)->child(0);
    QCOMPARE(sunSun->text(0), QStringLiteral("Sun / Sun"));
    QCOMPARE(sunSun->text(2), QStringLiteral("2022-03-26 07:54"));
    QCOMPARE(sunSun->text(3), QStringLiteral("2022-07-13 21:44"));
    QCOMPARE(tree->topLevelItem(3)->text(3), QStringLiteral("2028-03-25 20:49"));
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
                .contains(QStringLiteral("Sade Sati: setting (Saturn in sign 2 from the natal Moon).")));
    // A day picked on the calendar is the box's too.
    emit view->findChild<QCalendarWidget*>(QStringLiteral("calDashaOn"))->clicked(kToday);
    QCOMPARE(view->DateBox()->text(), QStringLiteral("2026-12-08"));
    QVERIFY(view->Running()->text().startsWith(QStringLiteral("Running: Sun / Ketu / Venus")));
    // The cycle starts again: Mercury's second mahadasha from 2098, the last
    // row; past it Ketu's, its Jupiter antardasha 3.967-4.9 years in, named
    // though no row holds its dates.
    view->DateBox()->setDate(QDate(2100, 1, 1));
    QVERIFY2(view->Running()->text().startsWith(QStringLiteral("Running: Mercury / Mercury")),
             qPrintable(view->Running()->text()));
    QCOMPARE(view->Periods()->currentItem()->text(0), QStringLiteral("Mercury / Mercury"));
    QVERIFY(view->Periods()->topLevelItem(9)->font(0).bold());
    view->DateBox()->setDate(QDate(2120, 1, 1));
    QVERIFY2(view->Running()->text().startsWith(QStringLiteral("Running: Ketu / Jupiter")),
             qPrintable(view->Running()->text()));
    for (int m = 0; m < view->Periods()->topLevelItemCount(); ++m) {
        QVERIFY(!view->Periods()->topLevelItem(m)->font(0).bold());
    }
    // Before the first period nothing runs.
    view->DateBox()->setDate(QDate(1978, 1, 1));
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
    // the arrow keys, a day a step.
    view->Periods()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(view->DateBox()));
    QTest::keyClick(view->DateBox(), Qt::Key_Up);
    QCOMPARE(view->DateBox()->date(), QDate(2026, 12, 9));
    QCOMPARE(view->DateBox()->text(), QStringLiteral("2026-12-09"));
    QTest::keyClick(view->DateBox(), Qt::Key_Down);
    QTest::keyClick(view->DateBox(), Qt::Key_Down);
    QCOMPARE(view->DateBox()->date(), QDate(2026, 12, 7));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(view->Transits()));
}

void TestDashaView::typedDatesAreTakenAsShownOrRefused_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<QDate>("taken");  // none: refused, the moment kept
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("running");
    // From the box showing 2030-01-01, when the Moon / Rahu periods run. The
    // Sun's antardashas from 2022-04-01 by the sidereal year: Mercury's from
    // about 2026-01-20, Ketu's from 2026-11-26, Venus's from 2027-04-03.
    QTest::newRow("a whole date") << "2026-12-08" << false << QDate(2026, 12, 8) << QString()
                                  << "Running: Sun / Ketu / Venus";
    QTest::newRow("31 February") << "2026-02-31" << false << QDate() << "February 2026 has 28 days"
                                 << "Running: Moon / Rahu / ";
    QTest::newRow("29 February of a leap year")
        << "2028-02-29" << false << QDate(2028, 2, 29) << QString() << "Running: Sun / Venus / ";
    QTest::newRow("month 13") << "2026-13-01" << false << QDate() << "no month 13"
                              << "Running: Moon / Rahu / ";
    QTest::newRow("short parts, then Enter")
        << "2026-2-8" << true << QDate(2026, 2, 8) << QString() << "Running: Sun / Mercury / ";
    QTest::newRow("part of a date, then Enter")
        << "2026-12" << true << QDate() << "year-month-day" << "Running: Moon / Rahu / ";
}

void TestDashaView::typedDatesAreTakenAsShownOrRefused() {
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    QFETCH(QDate, taken);
    QFETCH(QString, word);
    QFETCH(QString, running);
    Fixture f;
    DashaView* view = f.OpenDasha(QDate(2030, 1, 1));
    QVERIFY(view);
    view->window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    view->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view->window()));
    view->Periods()->setFocus();
    // As a user comes: Alt+O, then the date one key at a time.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(view->DateBox()));
    QTest::keyClicks(QApplication::focusWidget(), typed);
    if (enter) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(view->DateBox()->text(), typed);
    QCOMPARE(view->DateBox()->date(), taken.isValid() ? taken : QDate(2030, 1, 1));
    QVERIFY2(view->Running()->text().startsWith(running), qPrintable(view->Running()->text()));
    QLabel* problem = view->DateProblem();
    if (word.isEmpty()) {
        QVERIFY2(problem->isHidden(), qPrintable(problem->text()));
    } else {
        QVERIFY2(problem->isVisible() && problem->text().contains(word), qPrintable(problem->text()));
        QVERIFY(view->DateBox()->accessibleDescription().contains(word));
    }
}

// Birth 1990-07-15 and today a month later: the two names at Ann's birth
// stand apart on the window's own time line too, at the width a small
// window gives it and at a wide one.
void TestDashaView::timelineNamesOfCloseDatesStayApart() {
    Fixture f;
    DashaView* view = f.OpenDasha(QDate(1990, 8, 15));
    QVERIFY(view);
    for (const int width : {420, 1200}) {
        view->Timeline()->resize(width, view->Timeline()->sizeHint().height());
        const std::vector<QRectF> names = view->Timeline()->NameBoxes();
        QCOMPARE(names.size(), std::size_t{2});
        QVERIFY2(!names[0].intersects(names[1]), qPrintable(QString::number(width)));
        for (const QRectF& name : names) {
            QVERIFY(name.left() >= 0 && name.right() <= width);
            QVERIFY(name.bottom() <= view->Timeline()->sizeHint().height());
        }
    }
}

QTEST_MAIN(TestDashaView)
#include "tst_dasha_view.moc"
