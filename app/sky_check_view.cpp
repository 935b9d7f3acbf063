#include "app/sky_check_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "app/focus_keys.h"
#include "app/window_font.h"
#include "chart_picture/positions_table.h"
#include "reading/dignity_reading.h"

namespace tavrinel {

namespace {

constexpr int kLinePixelSize = 10;  // smaller than the window's 11: a note, not a control
constexpr int kLineHeight = 14;
constexpr int kButtonWidth = 84;
constexpr int kGap = 4;
constexpr double kArcminutesPerDegree = 60;

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr double kFullCircleMinutes = 360 * kArcminutesPerDegree;

// Shortest signed arc from a to b, in the unit of both.
double ArcDifference(double a, double b) {
    double d = std::fmod(b - a, kFullCircleMinutes);
    if (d > kFullCircleMinutes / 2) d -= kFullCircleMinutes;
    if (d < -kFullCircleMinutes / 2) d += kFullCircleMinutes;
    return d;
}

// Minutes of arc from Aries 0 of a short text such as "16 Sag 30"; NaN for
// anything else.
double ArcminutesOf(std::string_view text) {
    constexpr std::string_view kSigns = kSignAbbreviations;
    const auto digit = [&text](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    if (text.size() != 9 || !digit(0) || !digit(1) || !digit(7) || !digit(8)) {
        return NAN;
    }
    const std::size_t sign = kSigns.find(text.substr(3, 3));
    if (sign == std::string_view::npos || sign % 3 != 0) {
        return NAN;
    }
    const int degrees = (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[7] - '0') * 10 + (text[8] - '0');
    return (static_cast<double>(sign / 3) * 30 + degrees) * kArcminutesPerDegree + minutes;
}

}  // namespace

SkyCompareWindow::SkyCompareWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSkyCompare"));
    setWindowTitle(QStringLiteral("Positions side by side"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    heading_ = new QLabel(this);
    heading_->setWordWrap(true);
    // The grahas in their order, the Lagna below them.
    table_ = new QTableWidget(kGrahaCount + 1, 4, this);
    table_->setObjectName(QStringLiteral("tblPositions"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Graha"), QStringLiteral("As documented"),
                                       QStringLiteral("Precise"), QStringLiteral("Difference")});
    table_->verticalHeader()->hide();
    table_->setAccessibleName(QStringLiteral("Positions side by side"));
    table_->setAccessibleDescription(QStringLiteral(
        "The documented and precise position of each graha and of the Lagna, and the "
        "difference in minutes of arc"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    sentences_ = new QLabel(this);
    sentences_->setObjectName(QStringLiteral("lblSkyCheckAll"));
    sentences_->setWordWrap(true);
    sentences_->setTextFormat(Qt::PlainText);
    layout->addWidget(heading_);
    layout->addWidget(table_);
    layout->addWidget(sentences_);
    resize(520, 400);
}

void SkyCompareWindow::ShowPositions(const ChartState& chart, const SkyCheck& check) {
    heading_->setText(QStringLiteral("As documented (v1.15) beside %1.").arg(FromStd(check.PreciseSkyName)));
    const auto showRow = [this](int row, const QString& name, const std::string& before,
                                const std::string& after, bool retrograde, bool parts) {
        // The documented texts carry whole minutes only; the difference is
        // taken from the texts so that it matches what both columns show.
        QString difference;
        const double from = ArcminutesOf(before);
        const double to = ArcminutesOf(after);
        if (std::isfinite(from) && std::isfinite(to)) {
            const long d = std::lround(ArcDifference(from, to));
            difference = QStringLiteral("%1%2'").arg(d > 0 ? QStringLiteral("+") : QString()).arg(d);
        }
        const QString cells[] = {name, FromStd(before),
                                 FromStd(after) + (retrograde ? QStringLiteral(" R") : QString()),
                                 difference};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (parts) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table_->setItem(row, c, item);
        }
    };
    for (int g = 0; g < kGrahaCount; ++g) {
        bool parts = false;
        for (const SkyDifference& d : check.Differences) {
            parts = parts || d.Graha == g;
        }
        // Rahu and Ketu are called the same in both tongues: named once.
        const QString name = FromStd(chart.GrahaNames[g]);
        const QString english = FromStd(GrahaEnglishName(g));
        showRow(g, name == english ? name : name + QStringLiteral(" (") + english + QLatin1Char(')'),
                chart.PlanetPositionTexts[g], check.PrecisePositionTexts[g],
                check.PreciseRetrograde[g], parts);
    }
    const PositionRow before = MakePositionRow(kLagnaAbbreviation, "Lagna", chart.LagnaLongitude);
    const PositionRow after = MakePositionRow(kLagnaAbbreviation, "Lagna", check.PreciseLagna);
    showRow(kGrahaCount, QStringLiteral("Lagna"), before.PositionText, after.PositionText, false,
            before.Known && after.Known && before.Sign != after.Sign);
    QStringList lines;
    for (const std::string& sentence : check.Sentences) {
        lines << FromStd(sentence);
    }
    sentences_->setText(lines.isEmpty() ? QStringLiteral("The two skies agree on every sign and "
                                                         "dignity and on the Moon's nakshatra.")
                                        : lines.join(QLatin1Char('\n')));
}

SkyPanel::SkyPanel(QWidget* readingPanel, const QRect& strip, const QRect& buttonRow,
                   const QString& family)
    : QWidget(readingPanel) {
    setObjectName(QStringLiteral("SkyPanel"));
    setGeometry(strip);
    const QFont font = WindowFont(family, kLinePixelSize, false);
    lblSky_ = new QLabel(this);
    lblSky_->setObjectName(QStringLiteral("lblSky"));
    // Described, not named: a label's accessible name is all a screen
    // reader says of it, and these lines are read for their text.
    lblSky_->setAccessibleDescription(QStringLiteral("Calculation of the reading"));
    lblSky_->setGeometry(0, 0, strip.width(), kLineHeight);
    lblSky_->setWordWrap(true);
    lblSkyCheck_ = new QLabel(this);
    lblSkyCheck_->setObjectName(QStringLiteral("lblSkyCheck"));
    lblSkyCheck_->setAccessibleDescription(QStringLiteral("Sky check"));
    lblSkyCheck_->setGeometry(0, kLineHeight, strip.width() - kButtonWidth - kGap,
                              strip.height() - kLineHeight);
    lblSkyCheck_->setWordWrap(true);
    cmdCompare_ = new QPushButton(QStringLiteral("&Compare..."), this);
    cmdCompare_->setObjectName(QStringLiteral("cmdCompare"));
    cmdCompare_->setAutoDefault(false);
    PressOnReturn(*cmdCompare_);
    cmdCompare_->setAccessibleName(QStringLiteral("Compare positions"));
    cmdCompare_->setAccessibleDescription(
        QStringLiteral("Shows the documented and the precise positions side by side"));
    cmdCompare_->setGeometry(strip.width() - kButtonWidth, buttonRow.top() - strip.top(),
                             kButtonWidth, buttonRow.height());
    for (QWidget* w : {static_cast<QWidget*>(lblSky_), static_cast<QWidget*>(lblSkyCheck_),
                       static_cast<QWidget*>(cmdCompare_)}) {
        w->setFont(font);
    }
    for (QLabel* label : {lblSky_, lblSkyCheck_}) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(224, 224, 224));
        label->setPalette(palette);
    }
    lblSkyCheck_->hide();
    cmdCompare_->hide();
    connect(cmdCompare_, &QPushButton::clicked, this, &SkyPanel::OpenComparison);
}

void SkyPanel::ShowCalculation(const ChartState& chart, const SkyChoice& choice,
                               const SkyCheck& check) {
    static_cast<void>(choice);
    const std::string_view name =
        chart.SkyName.empty() ? kDocumentedSkyName : std::string_view(chart.SkyName);
    lblSky_->setText(QStringLiteral("Positions: ") + FromStd(name));
    shown_.GrahaNames = chart.GrahaNames;
    shown_.PlanetPositionTexts = chart.PlanetPositionTexts;
    shown_.LagnaLongitude = chart.LagnaLongitude;
    check_ = check;
    const bool differs = check.Ran && !check.Sentences.empty();
    if (differs) {
        QString line = FromStd(check.Sentences.front());
        if (check.Sentences.size() > 1) {
            // One sentence: the count joins the first finding before its stop.
            if (line.endsWith(QLatin1Char('.'))) {
                line.chop(1);
            }
            line += QStringLiteral(", and %1 more.").arg(check.Sentences.size() - 1);
        }
        lblSkyCheck_->setText(line);
    }
    lblSkyCheck_->setVisible(differs);
    cmdCompare_->setVisible(differs);
    // The button rises above the check line into the first line's height;
    // only the documented sky's short name shares the row with it. Without
    // the check the whole strip is free, and a long precise name (the
    // analytical theory's) takes the second line rather than losing its end.
    lblSky_->resize(differs ? lblSkyCheck_->width() : width(),
                    differs ? kLineHeight : height());
    if (compare_ && compare_->isVisible()) {
        if (differs) {
            compare_->ShowPositions(shown_, check_);
        } else {
            compare_->hide();
        }
    }
}

void SkyPanel::OpenComparison() {
    if (!compare_) {
        compare_ = new SkyCompareWindow(window());
    }
    compare_->ShowPositions(shown_, check_);
    compare_->show();
    compare_->raise();
}

}  // namespace tavrinel
