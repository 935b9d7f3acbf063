#include "app/vargas/varga_page.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/chart_painter.h"
#include "app/chart_window.h"
#include "app/vargas/varga_view_model.h"
#include "chart_picture/chart_layout.h"
#include "chart_picture/varga_picture.h"

namespace tavrinel {

namespace {

enum PictureStyle { kSouthIndian = 0, kNorthIndian = 1 };

// The table keeps a few rows in sight however far the picture is dragged.
constexpr int kSmallestTableHeight = 80;
constexpr int kSmallestPictureSide = 160;
constexpr int kChooserCharacters = 10;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

VargaPage::VargaPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pageVargas"));

    table_ = new QTableWidget(kVargaPoints, kVargaCount);
    table_->setObjectName(QStringLiteral("tableVargas"));
    table_->setAccessibleName(QStringLiteral("Vargas"));
    table_->setAccessibleDescription(QStringLiteral(
        "The sign of each graha and the Lagna in the sixteen divisional charts, with the "
        "dignity there"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setMinimumHeight(kSmallestTableHeight);
    // The arrows walk the 160 cells; Tab goes on to the choosers.
    table_->setTabKeyNavigation(false);
    QStringList rows;
    for (int g = 0; g < kGrahaCount; ++g) {
        rows << Text(GrahaEnglishName(g));
    }
    rows << QStringLiteral("Lagna");
    table_->setVerticalHeaderLabels(rows);
    for (int v = 0; v < kVargaCount; ++v) {
        auto* header = new QTableWidgetItem(Text(VargaKey(v)));
        header->setToolTip(Text(VargaTitle(v)));
        table_->setHorizontalHeaderItem(v, header);
    }
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    legend_ = new QLabel;
    legend_->setObjectName(QStringLiteral("lblVargaLegend"));
    legend_->setTextFormat(Qt::RichText);
    legend_->setWordWrap(true);
    legend_->setText(VargaLegendHtml());

    varga_ = new QComboBox;
    varga_->setObjectName(QStringLiteral("cboVarga"));
    varga_->setAccessibleName(QStringLiteral("Divisional chart"));
    varga_->setAccessibleDescription(QStringLiteral("The varga the picture draws"));
    for (int v = 0; v < kVargaCount; ++v) {
        varga_->addItem(Text(VargaTitle(v)));
    }
    varga_->setCurrentIndex(kNavamsaVarga);
    // Narrow enough for a small screen; the open list shows the whole names.
    varga_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    varga_->setMinimumContentsLength(kChooserCharacters);
    style_ = new QComboBox;
    style_->setObjectName(QStringLiteral("cboVargaStyle"));
    style_->setAccessibleName(QStringLiteral("Picture"));
    style_->setAccessibleDescription(QStringLiteral("South Indian or North Indian"));
    style_->addItems({QStringLiteral("South Indian"), QStringLiteral("North Indian")});
    auto* vargaLabel = new QLabel(QStringLiteral("Dra&w:"));
    vargaLabel->setBuddy(varga_);
    auto* styleLabel = new QLabel(QStringLiteral("St&yle:"));
    styleLabel->setBuddy(style_);

    view_ = new ChartView;
    view_->setObjectName(QStringLiteral("viewVarga"));
    view_->setAccessibleName(QStringLiteral("Divisional chart picture"));
    view_->setMinimumSize(kSmallestPictureSide, kSmallestPictureSide);

    auto* top = new QWidget;
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    sky_ = new QLabel;
    sky_->setObjectName(QStringLiteral("lblVargaSky"));
    sky_->setTextFormat(Qt::PlainText);
    sky_->setWordWrap(true);
    topLayout->addWidget(sky_);
    topLayout->addWidget(table_, 1);
    topLayout->addWidget(legend_);
    auto* choosers = new QHBoxLayout;
    choosers->addWidget(vargaLabel);
    choosers->addWidget(varga_);
    choosers->addWidget(styleLabel);
    choosers->addWidget(style_);
    choosers->addStretch(1);
    topLayout->addLayout(choosers);

    // The user decides how much room the table and the picture each get.
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(top);
    splitter->addWidget(view_);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(varga_, &QComboBox::currentIndexChanged, this, &VargaPage::Redraw);
    connect(style_, &QComboBox::currentIndexChanged, this, &VargaPage::Redraw);
}

void VargaPage::ShowVargas(const PositionsTable& rasi, const VargaTable& vargas,
                           std::string_view skyNote, std::string_view skyLine) {
    sky_->setText(QStringLiteral("Vargas ") + Text(skyNote) + QLatin1Char('.'));
    skyLine_ = skyLine;
    rasi_ = rasi;
    vargas_ = vargas;
    for (int point = 0; point < kVargaPoints; ++point) {
        for (int v = 0; v < kVargaCount; ++v) {
            const VargaCellView cell = VargaCell(vargas, point, v);
            auto* item = new QTableWidgetItem(cell.Text);
            item->setTextAlignment(Qt::AlignCenter);
            item->setForeground(PictureQColor(cell.Colour));
            if (cell.Vargottama) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            item->setToolTip(cell.Description);
            item->setData(Qt::AccessibleTextRole, cell.Description);
            table_->setItem(point, v, item);
        }
    }
    Redraw();
}

void VargaPage::Redraw() {
    const int varga = varga_->currentIndex();
    const PositionsTable table = VargaPositionsTable(rasi_, vargas_, varga, skyLine_);
    view_->SetPicture(style_->currentIndex() == kNorthIndian ? LayoutNorthIndian(table)
                                                             : LayoutSouthIndian(table));
    view_->setAccessibleDescription(VargaFactsText(vargas_, varga));
}

}  // namespace tavrinel
