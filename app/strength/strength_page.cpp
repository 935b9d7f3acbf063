#include "app/strength/strength_page.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/chart_painter.h"
#include "app/chart_window.h"
#include "app/strength/strength_painter.h"

namespace tavrinel {

namespace {

// A bar's row is this many lines of text high.
constexpr double kBarRowLines = 1.35;
// Room past the longest bar or mark, so the ratio never runs off the end.
constexpr double kScaleHeadroom = 1.05;
constexpr int kSmallestBarWidth = 80;
constexpr int kSmallestSquareSide = 260;
constexpr int kLargestSquareSide = 260;

enum ShadbalaColumn { kSthanaColumn = 1, kKalaColumn = 3 };

// A bar reaches assistive technology as a picture, the bars together as a
// chart; as plain widgets they would be nameless "fillers".
QAccessibleInterface* BarRole(const QString& className, QObject* object) {
    if (!object->isWidgetType()) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String(StrengthBar::staticMetaObject.className())) {
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    }
    if (widget->objectName() == QLatin1String("viewStrengthBars")) {
        return new QAccessibleWidget(widget, QAccessible::Chart);
    }
    return nullptr;
}

QLabel* Heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel* Paragraph(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

}  // namespace

StrengthBar::StrengthBar(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void StrengthBar::SetBar(StrengthBarView bar, double scaleRupas, int nameWidth, int ratioWidth) {
    bar_ = std::move(bar);
    scale_ = scaleRupas;
    nameWidth_ = nameWidth;
    ratioWidth_ = ratioWidth;
    setObjectName(QStringLiteral("barStrength") + bar_.Graha);
    setAccessibleName(bar_.AccessibleName);
    setToolTip(bar_.AccessibleName);
    updateGeometry();
    update();
}

QSize StrengthBar::sizeHint() const {
    return {nameWidth_ + ratioWidth_ + 4 * kSmallestBarWidth,
            static_cast<int>(std::ceil(fontMetrics().height() * kBarRowLines))};
}

QSize StrengthBar::minimumSizeHint() const {
    return {nameWidth_ + ratioWidth_ + kSmallestBarWidth, sizeHint().height()};
}

void StrengthBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintStrengthBar(painter, bar_,
                     LayoutStrengthBar(bar_, scale_, QRectF(rect()), nameWidth_, ratioWidth_));
}

StrengthPage::StrengthPage(QWidget* parent) : QWidget(parent) {
    static const bool roleInstalled = [] {
        QAccessible::installFactory(&BarRole);
        return true;
    }();
    static_cast<void>(roleInstalled);
    setObjectName(QStringLiteral("pageStrength"));

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("viewStrength"));
    sky_ = Paragraph("lblStrengthSky", content);

    shadbala_ = new QWidget(content);
    barChart_ = new QWidget(shadbala_);
    barChart_->setObjectName(QStringLiteral("viewStrengthBars"));
    barChart_->setAccessibleName(QStringLiteral("Shadbala in rupas"));
    barChart_->setAccessibleDescription(QStringLiteral(
        "Each graha's strength in rupas against its minimum, with the ratio of the two"));
    auto* barsLayout = new QVBoxLayout(barChart_);
    barsLayout->setContentsMargins(0, 0, 0, 0);
    barsLayout->setSpacing(0);
    for (int g = 0; g < kStrengthGrahaCount; ++g) {
        auto* bar = new StrengthBar(barChart_);
        bars_.push_back(bar);
        barsLayout->addWidget(bar);
    }
    auto* legend = new QLabel(StrengthLegendHtml(), shadbala_);
    legend->setObjectName(QStringLiteral("lblStrengthLegend"));
    legend->setTextFormat(Qt::RichText);
    legend->setWordWrap(true);
    legend->setToolTip(QStringLiteral(
        "Each bar in the colour of the graha's dignity in the rasi chart; the mark across it at "
        "the graha's minimum; the number, its rupas over that minimum (1 or more: strong enough)"));
    table_ = new QTableWidget(0, static_cast<int>(ShadbalaColumns().size()), shadbala_);
    table_->setObjectName(QStringLiteral("tableShadbala"));
    table_->setAccessibleName(QStringLiteral("Shadbala"));
    table_->setAccessibleDescription(QStringLiteral(
        "The six sources of each graha's strength in virupas, the total in virupas and rupas, "
        "the minimum and the ratio"));
    table_->setHorizontalHeaderLabels(ShadbalaColumns());
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The arrows walk the cells; Tab goes on to the chooser.
    table_->setTabKeyNavigation(false);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lords_ = Paragraph("lblStrengthLords", shadbala_);
    auto* shadbalaLayout = new QVBoxLayout(shadbala_);
    shadbalaLayout->setContentsMargins(0, 0, 0, 0);
    shadbalaLayout->addWidget(barChart_);
    shadbalaLayout->addWidget(legend);
    shadbalaLayout->addWidget(table_);
    shadbalaLayout->addWidget(lords_);
    noShadbala_ = Paragraph("lblNoShadbala", content);

    ashtakavarga_ = new QWidget(content);
    chooser_ = new QComboBox(ashtakavarga_);
    chooser_->setObjectName(QStringLiteral("cboAshtakavarga"));
    chooser_->setAccessibleName(QStringLiteral("Ashtakavarga"));
    chooser_->setAccessibleDescription(
        QStringLiteral("The Sarvashtakavarga, or the bindus of one graha or the Lagna"));
    for (int choice = 0; choice < kAshtakavargaChoices; ++choice) {
        chooser_->addItem(AshtakavargaChoiceName(choice));
    }
    auto* chooserLabel = new QLabel(QStringLiteral("&Ashtakavarga:"), ashtakavarga_);
    chooserLabel->setBuddy(chooser_);
    square_ = new ChartView(ashtakavarga_);
    square_->setObjectName(QStringLiteral("viewAshtakavarga"));
    square_->setAccessibleName(QStringLiteral("Ashtakavarga square"));
    square_->setMinimumSize(kSmallestSquareSide, kSmallestSquareSide);
    square_->setMaximumSize(kLargestSquareSide, kLargestSquareSide);
    auto* chooserRow = new QHBoxLayout;
    chooserRow->addWidget(chooserLabel);
    chooserRow->addWidget(chooser_);
    chooserRow->addStretch(1);
    auto* ashtakavargaLayout = new QVBoxLayout(ashtakavarga_);
    ashtakavargaLayout->setContentsMargins(0, 0, 0, 0);
    ashtakavargaLayout->addLayout(chooserRow);
    ashtakavargaLayout->addWidget(square_);
    ashtakavargaLayout->addStretch(1);

    companionsPart_ = new QWidget(content);
    companions_ = Paragraph("lblStrengthCompanions", companionsPart_);
    auto* companionsLayout = new QVBoxLayout(companionsPart_);
    companionsLayout->setContentsMargins(0, 0, 0, 0);
    companionsLayout->addWidget(Heading(QStringLiteral("Companions of dignity"), companionsPart_));
    companionsLayout->addWidget(companions_);
    companionsLayout->addStretch(1);

    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->addWidget(sky_);
    // Over the bars, or over the sentence that says why there are none.
    shadbalaHeading_ = Heading(QStringLiteral("Shadbala"), content);
    contentLayout->addWidget(shadbalaHeading_);
    contentLayout->addWidget(shadbala_);
    contentLayout->addWidget(noShadbala_);
    // The square and the sentences side by side, so that the whole page
    // fits a window of the usual height.
    auto* lower = new QHBoxLayout;
    lower->addWidget(ashtakavarga_, 1);
    lower->addWidget(companionsPart_, 1);
    contentLayout->addLayout(lower);
    contentLayout->addStretch(1);

    // The parts are taller than the window: the page scrolls, but is no
    // stop of its own, so Tab goes from the tab straight to the table.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrollStrength"));
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    connect(chooser_, &QComboBox::currentIndexChanged, this, &StrengthPage::Redraw);
}

void StrengthPage::ShowStrength(const ChartAnalysis& analysis) {
    const bool known = analysis.Strength && analysis.StrengthFrom;
    const bool shadbala = known && analysis.Strength->Shadbala;
    shadbalaHeading_->setVisible(known);
    shadbala_->setVisible(shadbala);
    noShadbala_->setVisible(known && !shadbala);
    ashtakavarga_->setVisible(known);
    companionsPart_->setVisible(known);
    if (!known) {
        sky_->setText(QStringLiteral("No strength for this chart: ") +
                      QString::fromStdString(analysis.StrengthError) + QLatin1Char('.'));
        return;
    }
    sky_->setText(QStringLiteral("Strength ") + QString::fromStdString(PreciseSkyNote(analysis)) +
                  QLatin1Char('.'));
    noShadbala_->setText(QString::fromStdString(analysis.Strength->NoShadbalaReason));

    if (shadbala) {
        const std::vector<StrengthBarView> views = StrengthBars(analysis);
        double scale = 0;
        for (const StrengthBarView& view : views) {
            scale = std::max({scale, view.Rupas, view.RequiredRupas});
        }
        QFont bold = font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        int nameWidth = 0;
        for (const StrengthBarView& view : views) {
            nameWidth = std::max(nameWidth, metrics.horizontalAdvance(view.Graha));
        }
        const int ratioWidth = metrics.horizontalAdvance(QStringLiteral("00.00"));
        for (std::size_t g = 0; g < views.size(); ++g) {
            bars_[g]->SetBar(views[g], scale * kScaleHeadroom, nameWidth, ratioWidth);
        }

        const auto& figures = *analysis.Strength->Shadbala;
        table_->setRowCount(0);
        for (int g = 0; g < kStrengthGrahaCount; ++g) {
            const GrahaShadbala& s = figures[static_cast<std::size_t>(g)];
            const QStringList cells = ShadbalaRow(s, static_cast<Graha>(g));
            table_->insertRow(g);
            for (int c = 0; c < cells.size(); ++c) {
                auto* item = new QTableWidgetItem(cells[c]);
                item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                              : Qt::AlignRight | Qt::AlignVCenter);
                if (views[static_cast<std::size_t>(g)].Strongest) {
                    QFont font = item->font();
                    font.setBold(true);
                    item->setFont(font);
                }
                if (c == kSthanaColumn) {
                    item->setToolTip(SthanaParts(s.Sthana));
                } else if (c == kKalaColumn) {
                    item->setToolTip(KalaParts(s.Kala));
                }
                table_->setItem(g, c, item);
            }
        }
        // All seven rows in sight: the page scrolls, not the table.
        table_->resizeRowsToContents();
        table_->setFixedHeight(table_->horizontalHeader()->height() +
                               table_->verticalHeader()->length() + 2 * table_->frameWidth());
        lords_->setText(analysis.Strength->Lords ? LordsText(*analysis.Strength->Lords)
                                                 : QString());
    }

    ashtakavargaTable_ = analysis.Strength->Ashtakavarga;
    lagnaSign_ = static_cast<int>(std::floor(analysis.StrengthFrom->Lagna / 30)) % kSignCount;
    companions_->setText(CompanionSentences(analysis).join(QLatin1Char('\n')));
    Redraw();
}

void StrengthPage::Redraw() {
    const int choice = std::max(0, chooser_->currentIndex());
    square_->SetPicture(AshtakavargaPicture(ashtakavargaTable_, choice, lagnaSign_));
    square_->setAccessibleDescription(
        AshtakavargaFactsText(ashtakavargaTable_, choice, lagnaSign_));
}

}  // namespace tavrinel
