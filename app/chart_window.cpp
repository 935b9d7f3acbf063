#include "app/chart_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/chart_painter.h"
#include "app/dasha/dasha_view.h"
#include "app/strength/strength_page.h"
#include "app/vargas/varga_page.h"
#include "chart_picture/nakshatra.h"
#include "platform/platform.h"

namespace tavrinel {

namespace {

constexpr int kPreferredSide = 560;
constexpr int kWindowWidth = 620;
constexpr int kWindowHeight = 700;
// Of the screen's free area, leaving room for the title bar and the border.
constexpr double kMostOfTheScreen = 0.9;

const QStringList kColumns = {"Graha", "Position", "Sign",    "Nakshatra",
                              "Pada",  "Lord",     "Dignity", "Retrograde"};

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Between the two windows' frames.
constexpr int kGapBeside = 8;

// A plain widget reaches assistive technology as a "filler"; a window of its
// own must be a frame, so that a screen reader announces its opening.
QAccessibleInterface* WindowRole(const QString& className, QObject* object) {
    if (className == QLatin1String(ChartWindow::staticMetaObject.className()) &&
        object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(240, 260);
}

void ChartView::SetPicture(ChartPicture picture) {
    picture_ = std::move(picture);
    update();
}

QSize ChartView::sizeHint() const {
    return {kPreferredSide,
            static_cast<int>(kPreferredSide * (picture_.Height + 2 * picture_.Margin) /
                             (picture_.Width + 2 * picture_.Margin))};
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    PaintChartPicture(painter, picture_, QRectF(rect()).adjusted(4, 4, -4, -4));
}

QPoint PlaceBeside(const QRect& beside, const QSize& size, const QRect& screen) {
    const int right = beside.right() + 1 + kGapBeside;
    const int left = beside.left() - kGapBeside - size.width();
    const int roomRight = screen.right() + 1 - right;
    const int roomLeft = beside.left() - kGapBeside - screen.left();
    int x = right;
    if (roomRight < size.width()) {
        x = roomLeft >= size.width() || roomLeft > roomRight ? left : right;
    }
    // Kept on the screen, its left edge first where it is wider than that.
    x = std::max(screen.left(), std::min(x, screen.right() + 1 - size.width()));
    const int y =
        std::max(screen.top(), std::min(beside.top(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

ChartWindow::ChartWindow(QWidget* parent, Clock* today)
    : QWidget(parent, Qt::Window), today_(today) {
    static const bool roleInstalled = [] {
        QAccessible::installFactory(&WindowRole);
        return true;
    }();
    static_cast<void>(roleInstalled);
    setObjectName(QStringLiteral("frmChart"));
    setWindowTitle(QStringLiteral("Chart"));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabsChart"));
    tabs_->setAccessibleName(QStringLiteral("Chart"));
    tabs_->setAccessibleDescription(
        QStringLiteral("The South Indian and North Indian pictures, the positions table, the "
                       "dasha, the vargas and the strength"));
    tabs_->tabBar()->setAccessibleName(QStringLiteral("Chart pages"));
    tabs_->tabBar()->setAccessibleDescription(
        QStringLiteral("Left and right arrows choose the picture or the table"));
    south_ = new ChartView;
    south_->setObjectName(QStringLiteral("viewSouth"));
    south_->setAccessibleName(QStringLiteral("South Indian chart"));
    north_ = new ChartView;
    north_->setObjectName(QStringLiteral("viewNorth"));
    north_->setAccessibleName(QStringLiteral("North Indian chart"));

    auto* tablePage = new QWidget;
    table_ = new QTableWidget(0, static_cast<int>(kColumns.size()), tablePage);
    table_->setObjectName(QStringLiteral("tablePositions"));
    table_->setAccessibleName(QStringLiteral("Positions"));
    table_->setAccessibleDescription(QStringLiteral(
        "Sign, degrees, nakshatra, pada, lord, dignity and motion of each graha and the Lagna"));
    table_->setHorizontalHeaderLabels(kColumns);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    sources_ = new QLabel(tablePage);
    sources_->setObjectName(QStringLiteral("lblSources"));
    sources_->setWordWrap(true);
    sources_->setTextFormat(Qt::PlainText);
    auto* tableLayout = new QVBoxLayout(tablePage);
    tableLayout->addWidget(table_, 1);
    tableLayout->addWidget(sources_);

    tabs_->addTab(south_, QStringLiteral("&South Indian"));
    tabs_->addTab(north_, QStringLiteral("&North Indian"));
    tabs_->addTab(tablePage, QStringLiteral("&Positions"));
    dasha_ = new DashaView;
    // The page holds two tables; on a short screen it scrolls rather than
    // making the whole window taller than the screen.
    auto* dashaPage = new QScrollArea;
    dashaPage->setObjectName(QStringLiteral("scrollDasha"));
    dashaPage->setWidget(dasha_);
    dashaPage->setWidgetResizable(true);
    dashaPage->setFrameShape(QFrame::NoFrame);
    // The page itself is no stop of its own: Tab goes from the tab straight
    // to the periods table, and the page scrolls to whatever takes the focus.
    dashaPage->setFocusPolicy(Qt::NoFocus);
    tabs_->addTab(dashaPage, QStringLiteral("&Dasha"));
    vargas_ = new VargaPage;
    tabs_->addTab(vargas_, QStringLiteral("&Vargas"));
    strength_ = new StrengthPage;
    // Alt+S is the South Indian picture's.
    tabs_->addTab(strength_, QStringLiteral("S&trength"));
    // A screen reader describes the tab row by its current tab.
    tabs_->setTabToolTip(0, QStringLiteral("The signs in their fixed places, Pisces top left"));
    tabs_->setTabToolTip(1, QStringLiteral("The houses counted from the Lagna's sign"));
    tabs_->setTabToolTip(2, QStringLiteral("Each graha's sign, nakshatra, pada, lord and dignity"));
    tabs_->setTabToolTip(tabs_->indexOf(dashaPage),
                         QStringLiteral("The Vimshottari periods and the sky on a chosen date"));
    tabs_->setTabToolTip(tabs_->indexOf(vargas_),
                         QStringLiteral("Each graha's sign and dignity in the sixteen vargas"));
    tabs_->setTabToolTip(tabs_->indexOf(strength_),
                         QStringLiteral("Shadbala, Ashtakavarga and the companions of dignity"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    // A screen shorter than the window's liking, such as a laptop's at twice
    // the pixels, would hide the table's foot and the legend below its edge;
    // the pictures draw at any size.
    QSize size(kWindowWidth, kWindowHeight);
    if (const QScreen* screen = parent ? parent->screen() : this->screen()) {
        size = size.boundedTo(screen->availableGeometry().size() * kMostOfTheScreen);
    }
    resize(size);
}

void ChartWindow::PlaceBesideParent() {
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = main ? main->screen() : nullptr;
    if (!screen) {
        return;
    }
    // Not yet shown, the window has no frame of its own: the main window's
    // border is the best guess of it.
    const QRect mainFrame = main->frameGeometry();
    const QSize border = mainFrame.size() - main->geometry().size();
    move(PlaceBeside(mainFrame, size() + border, screen->availableGeometry()));
}

void ChartWindow::ShowChart(const ChartState& chart, const ChartAnalysis& analysis,
                            const PreciseSettings& precise) {
    const PositionsTable& table = analysis.Positions;
    south_->SetPicture(LayoutSouthIndian(table));
    north_->SetPicture(LayoutNorthIndian(table));
    setWindowTitle(QStringLiteral("Chart - ") + QString::fromStdString(table.PersonName));
    if (analysis.Vargas) {
        vargas_->ShowVargas(table, *analysis.Vargas, PreciseSkyNote(analysis),
                            PreciseSkyLine(analysis));
    }

    strength_->ShowStrength(analysis);

    table_->setRowCount(0);
    const auto addRow = [this](const PositionRow& row) {
        const int r = table_->rowCount();
        table_->insertRow(r);
        QStringList cells = {Text(row.Name)};
        if (row.Known) {
            cells << Text(row.PositionText) << Text(kSignNames[static_cast<std::size_t>(row.Sign)])
                  << Text(kNakshatraNames[static_cast<std::size_t>(row.Nakshatra)])
                  << QString::number(row.Pada) << Text(GrahaEnglishName(row.Lord))
                  << (row.Dignity ? Text(DignityTerm(*row.Dignity)) : QString())
                  << (row.Retrograde ? QStringLiteral("R") : QString());
        }
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (row.Dignity && (c == 0 || c == 6)) {
                item->setForeground(PictureQColor(DignityColour(*row.Dignity)));
            }
            table_->setItem(r, c, item);
        }
    };
    addRow(table.Lagna);
    for (const PositionRow& row : table.Grahas) {
        addRow(row);
    }
    QStringList notes;
    for (const std::string& source : table.Sources) {
        notes << QString::fromStdString(source);
    }
    sources_->setText(notes.join(QLatin1Char('\n')));
    // A picture says nothing to a screen reader: its description is the
    // table's text, which holds the same facts.
    const QString facts = QString::fromStdString(PositionsTableText(table));
    south_->setAccessibleDescription(facts);
    north_->setAccessibleDescription(facts);
    dasha_->ShowChart(chart, analysis, precise, today_ ? today_->Today() : QDate::currentDate());
}

}  // namespace tavrinel
