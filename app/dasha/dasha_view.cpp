#include "app/dasha/dasha_view.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWidgetAction>

#include "analysis/analysis_text.h"
#include "app/chart_painter.h"
#include "app/dasha/day_box.h"
#include "app/dasha/timeline_widget.h"
#include "chart_picture/chart_layout.h"
#include "chart_picture/positions_table.h"
#include "dasha/dasha_time.h"
#include "dasha/transits.h"

namespace tavrinel {

namespace {


const QStringList kPeriodColumns = {"Period", "Dignity", "Start", "End"};
const QStringList kTransitColumns = {"Graha",      "Position",  "Sign",      "Dignity",
                                     "From Lagna", "From Moon", "Retrograde"};

// The reading's dark red, that of a debilitated graha.
const QColor kProblemColour(128, 0, 0);

const QString kDateDescription = QStringLiteral(
    "The day whose running periods and transits are shown, on the birth zone's clock, typed as "
    "year-month-day; up and down arrows step a day");

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString LordName(Graha lord) { return Text(GrahaEnglishName(lord)); }

}  // namespace

DashaView::DashaView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("viewDasha"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lblDashaSummary"));
    summary_->setWordWrap(true);
    summary_->setTextFormat(Qt::PlainText);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    timeline_ = new DashaTimeline(this);
    timeline_->setObjectName(QStringLiteral("viewDashaTimeline"));
    timeline_->setAccessibleName(QStringLiteral("Dasha time line"));

    periods_ = new QTreeWidget(this);
    periods_->setObjectName(QStringLiteral("treeDasha"));
    periods_->setAccessibleName(QStringLiteral("Mahadashas and antardashas"));
    periods_->setAccessibleDescription(QStringLiteral(
        "Each mahadasha with its antardashas, the lord's dignity and the start and end dates; "
        "right arrow opens a mahadasha"));
    periods_->setHeaderLabels(kPeriodColumns);
    periods_->setRootIsDecorated(true);
    periods_->setUniformRowHeights(true);
    periods_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    date_ = new DayBox(this);
    date_->setObjectName(QStringLiteral("dateDashaOn"));
    date_->setAccessibleName(QStringLiteral("Date"));
    date_->setAccessibleDescription(kDateDescription);
    date_->setMaximumWidth(date_->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-000")) +
                           2 * date_->fontMetrics().averageCharWidth());
    // A calendar for the mouse; the keyboard types the day.
    auto* calendar = new QCalendarWidget;
    calendar->setObjectName(QStringLiteral("calDashaOn"));
    calendar->setAccessibleName(QStringLiteral("Calendar"));
    // The calendar's own days and year box are named for a screen reader too.
    for (auto* part : calendar->findChildren<QWidget*>()) {
        if ((part->focusPolicy() & Qt::TabFocus) && part->accessibleName().isEmpty()) {
            part->setAccessibleName(qobject_cast<QAbstractItemView*>(part)
                                        ? QStringLiteral("Days of the month")
                                        : QStringLiteral("Year"));
        }
    }
    auto* calendarMenu = new QMenu(this);
    auto* calendarAction = new QWidgetAction(calendarMenu);
    calendarAction->setDefaultWidget(calendar);
    calendarMenu->addAction(calendarAction);
    auto* calendarButton = new QToolButton(this);
    calendarButton->setObjectName(QStringLiteral("cmdDashaCalendar"));
    calendarButton->setText(QStringLiteral("Calendar"));
    calendarButton->setAccessibleName(QStringLiteral("Calendar"));
    calendarButton->setToolTip(QStringLiteral("Choose the day on a calendar"));
    calendarButton->setFocusPolicy(Qt::NoFocus);
    calendarButton->setPopupMode(QToolButton::InstantPopup);
    calendarButton->setMenu(calendarMenu);
    connect(calendarMenu, &QMenu::aboutToShow, calendar,
            [this, calendar] { calendar->setSelectedDate(date_->date()); });
    const auto pick = [this, calendarMenu](QDate day) {
        calendarMenu->close();
        date_->setDate(day);
    };
    connect(calendar, &QCalendarWidget::clicked, this, pick);
    connect(calendar, &QCalendarWidget::activated, this, pick);
    dateProblem_ = new QLabel(this);
    dateProblem_->setObjectName(QStringLiteral("lblDashaDateProblem"));
    dateProblem_->setTextFormat(Qt::PlainText);
    dateProblem_->setWordWrap(true);
    QPalette problemPalette = dateProblem_->palette();
    problemPalette.setColor(QPalette::WindowText, kProblemColour);
    dateProblem_->setPalette(problemPalette);
    dateProblem_->hide();
    connect(date_, &DayBox::problemChanged, this, &DashaView::ShowDateProblem);
    auto* dateLabel = new QLabel(QStringLiteral("&On:"), this);
    dateLabel->setBuddy(date_);
    running_ = new QLabel(this);
    running_->setObjectName(QStringLiteral("lblDashaRunning"));
    running_->setTextFormat(Qt::PlainText);
    running_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(dateLabel);
    dateRow->addWidget(date_);
    dateRow->addWidget(calendarButton);
    dateRow->addWidget(running_, 1);

    transits_ = new QTableWidget(0, static_cast<int>(kTransitColumns.size()), this);
    transits_->setObjectName(QStringLiteral("tableTransits"));
    transits_->setAccessibleName(QStringLiteral("Transits"));
    transits_->setAccessibleDescription(QStringLiteral(
        "Each graha on the chosen date: position, sign, dignity and the sign counted from the "
        "natal Lagna and Moon"));
    transits_->setHorizontalHeaderLabels(kTransitColumns);
    transits_->verticalHeader()->hide();
    transits_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    transits_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    transits_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    transits_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    transits_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    // The focus goes on to the date box and the table instead of wandering
    // through every cell.
    transits_->setTabKeyNavigation(false);
    transitNotes_ = new QLabel(this);
    transitNotes_->setObjectName(QStringLiteral("lblTransitNotes"));
    transitNotes_->setWordWrap(true);
    transitNotes_->setTextFormat(Qt::PlainText);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(timeline_);
    layout->addWidget(periods_, 1);
    layout->addLayout(dateRow);
    layout->addWidget(dateProblem_);
    // The nine rows whole; the periods table takes what room is left.
    layout->addWidget(transits_);
    layout->addWidget(transitNotes_);
    setTabOrder(periods_, date_);
    setTabOrder(date_, transits_);

    connect(date_, &DayBox::dateChanged, this, [this] { ShowMoment(); });
}

double DashaView::MomentOf(QDate date) const {
    return JulianDayFromCivil({date.year(), date.month(), date.day(), 0, 0, 0},
                              ZoneShiftHoursOf(chart_));
}

void DashaView::ShowChart(const ChartState& chart, const ChartAnalysis& analysis,
                          const PreciseSettings& precise, QDate today) {
    chart_ = chart;
    precise_ = precise;
    dasha_ = analysis.Dasha;
    const bool natal = analysis.Precise && analysis.Precise->Ok;
    natalMoon_ =
        natal ? analysis.Precise->Longitudes[kMoon] : std::numeric_limits<double>::quiet_NaN();
    natalLagna_ =
        natal ? analysis.Precise->LagnaLongitude : std::numeric_limits<double>::quiet_NaN();
    skyNote_ = PreciseSkyNote(analysis);
    periods_->clear();
    {
        const QSignalBlocker quiet(date_);
        date_->setDate(today);
    }
    ShowDateProblem(date_->Problem());
    if (!dasha_) {
        summary_->setText(analysis.Precise && !natal
                              ? QStringLiteral("No dasha ") + QString::fromStdString(skyNote_) +
                                    QLatin1Char('.')
                              : QStringLiteral("No dasha: the chart has no Moon to count from."));
        timeline_->SetLayout({});
        ShowMoment();
        return;
    }
    const double shift = ZoneShiftHoursOf(chart_);
    summary_->setText(QString::fromStdString(DashaSummaryText(*dasha_, chart_, skyNote_))
                          .replace(QLatin1Char('\n'), QLatin1Char(' ')));

    const auto civil = [shift](double ut) {
        return QString::fromStdString(CivilText(ut, shift));
    };
    const auto fill = [&](QTreeWidgetItem* item, const DashaPeriod& period, const QString& name) {
        item->setText(0, name);
        item->setText(1, Text(DignityTerm(period.LordDignity)));
        item->setText(2, civil(period.StartUt));
        item->setText(3, civil(period.EndUt));
        const QColor colour = PictureQColor(DignityColour(period.LordDignity));
        item->setForeground(0, colour);
        item->setForeground(1, colour);
    };
    for (std::size_t m = 0; m < dasha_->Levels[0].size(); ++m) {
        const DashaPeriod& maha = dasha_->Levels[0][m];
        auto* mahaItem = new QTreeWidgetItem(periods_);
        fill(mahaItem, maha, LordName(maha.Lord));
        for (const DashaPeriod& antar : dasha_->SubPeriods(0, m)) {
            fill(new QTreeWidgetItem(mahaItem), antar,
                 LordName(maha.Lord) + QStringLiteral(" / ") + LordName(antar.Lord));
        }
    }
    QString description;
    for (const DashaPeriod& maha : dasha_->Levels[0]) {
        description += QStringLiteral("%1 %2 from %3; ")
                           .arg(LordName(maha.Lord), Text(DignityTerm(maha.LordDignity)),
                                civil(maha.StartUt));
    }
    timeline_->setAccessibleDescription(description);
    timeline_->SetLayout(LayoutDashaTimeline(*dasha_, shift, MomentOf(today)));

    ShowMoment();
}

void DashaView::ShowDateProblem(const QString& problem) {
    dateProblem_->setText(problem);
    dateProblem_->setAccessibleName(problem);
    dateProblem_->setVisible(!problem.isEmpty());
    // A screen reader hears the word with the box it is about.
    date_->setAccessibleDescription(problem.isEmpty() ? kDateDescription
                                                      : problem + QLatin1Char(' ') + kDateDescription);
}

void DashaView::ShowMoment() {
    const double on = MomentOf(date_->date());
    std::vector<std::size_t> running;
    if (dasha_) {
        running = dasha_->Running(on);
    }
    // Past the listed periods the cycle's lords are named, but no row of the
    // table has the date.
    const bool listed = dasha_ && dasha_->Lists(on);
    // The running mahadasha and antardasha stand out in the table.
    for (int m = 0; m < periods_->topLevelItemCount(); ++m) {
        QTreeWidgetItem* maha = periods_->topLevelItem(m);
        for (int a = -1; a < maha->childCount(); ++a) {
            QTreeWidgetItem* item = a < 0 ? maha : maha->child(a);
            const bool isRunning =
                listed && running.size() >= 2 && (a < 0 ? running[0] == static_cast<std::size_t>(m)
                                              : running[1] == static_cast<std::size_t>(m * 9 + a));
            for (int c = 0; c < periods_->columnCount(); ++c) {
                QFont font = item->font(c);
                font.setBold(isRunning);
                item->setFont(c, font);
                item->setBackground(c, isRunning ? QBrush(PictureQColor(kLagnaFillColour)) : QBrush());
            }
            if (isRunning && a >= 0) {
                maha->setExpanded(true);
                periods_->setCurrentItem(item);
                periods_->scrollToItem(item);
            }
        }
    }
    if (running.empty()) {
        running_->setText(QStringLiteral("No period runs on this date."));
    } else {
        running_->setText(QStringLiteral("Running: ") +
                          QString::fromStdString(RunningLordsText(*dasha_, running)) +
                          QStringLiteral(" (maha / antar / pratyantar)"));
    }
    running_->setAccessibleName(running_->text());

    transits_->setRowCount(0);
    const TransitTable table = ComputeTransits(chart_, natalMoon_, natalLagna_, on, precise_);
    if (!table.Ok) {
        transitNotes_->setText(QStringLiteral("No transits: ") + Text(table.SkyName));
        return;
    }
    for (int g = 0; g < kGrahaCount; ++g) {
        const auto i = static_cast<std::size_t>(g);
        transits_->insertRow(g);
        const QStringList cells = {
            LordName(static_cast<Graha>(g)),
            Text(table.PositionTexts[i]),
            Text(kSignNames[static_cast<std::size_t>(table.Signs[i])]),
            Text(DignityTerm(table.Dignities[i])),
            table.SignFromLagna[i] > 0 ? QString::number(table.SignFromLagna[i]) : QString(),
            QString::number(table.SignFromMoon[i]),
            table.Retrograde[i] ? QStringLiteral("R") : QString()};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 0 || c == 3) {
                item->setForeground(PictureQColor(DignityColour(table.Dignities[i])));
            }
            transits_->setItem(g, c, item);
        }
    }
    const QString sadeSati = QStringLiteral("Sade Sati: %1 (Saturn in sign %2 from the natal Moon).")
                                 .arg(Text(SadeSatiName(table.SadeSatiPhase)))
                                 .arg(table.SignFromMoon[kSaturn]);
    transitNotes_->setText(
        sadeSati + QStringLiteral(" Transits at %1 %2.")
                       .arg(QString::fromStdString(IsoUtc(on)), QString::fromStdString(skyNote_)));
}

}  // namespace tavrinel
