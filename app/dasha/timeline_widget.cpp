#include "app/dasha/timeline_widget.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/chart_painter.h"
#include "chart_picture/chart_layout.h"
#include "chart_picture/positions_table.h"
#include "dasha/dasha_time.h"

namespace tavrinel {

namespace {

constexpr int kSidePadding = 12;
constexpr int kMarkTop = 4;
constexpr int kBarTop = 22;
constexpr int kBarHeight = 34;
constexpr int kTickLength = 8;
constexpr int kAxisGap = 16;
constexpr int kPreferredWidth = 600;
constexpr int kPreferredHeight = 96;
const QColor kTodayColour(200, 0, 0);

}  // namespace

DashaTimeline::DashaTimeline(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumHeight(kPreferredHeight);
}

void DashaTimeline::SetLayout(TimelineLayout layout) {
    layout_ = std::move(layout);
    FitHeight();
    update();
}

QSize DashaTimeline::sizeHint() const {
    return {kPreferredWidth, kPreferredHeight + (nameRows_ - 1) * QFontMetrics(font()).height()};
}

std::vector<DashaTimeline::Mark> DashaTimeline::Marks() const {
    std::vector<Mark> marks;
    if (!layout_.Bars.empty()) {
        marks.push_back({layout_.Birth, QStringLiteral("Birth"), palette().text().color()});
    }
    if (layout_.Today) {
        marks.push_back({*layout_.Today, QStringLiteral("Today"), kTodayColour});
    }
    return marks;
}

std::vector<TimelineName> DashaTimeline::Names() const {
    const double width = std::max(1.0, this->width() - 2.0 * kSidePadding);
    const QFontMetrics metrics(font());
    std::vector<double> at;
    std::vector<double> widths;
    for (const Mark& mark : Marks()) {
        at.push_back(mark.At);
        widths.push_back(metrics.horizontalAdvance(mark.Name) / width);
    }
    return PlaceMarkNames(at, widths, metrics.horizontalAdvance(QLatin1Char(' ')) / width);
}

std::vector<QRectF> DashaTimeline::NameBoxes() const {
    const double width = this->width() - 2.0 * kSidePadding;
    const QFontMetrics metrics(font());
    const int below = (nameRows_ - 1) * metrics.height();
    std::vector<QRectF> boxes;
    for (const TimelineName& name : Names()) {
        boxes.emplace_back(kSidePadding + name.Left * width,
                           kMarkTop + below - name.Row * metrics.height(), name.Width * width,
                           metrics.height());
    }
    return boxes;
}

void DashaTimeline::FitHeight() {
    const int rows = MarkNameRows(Names());
    if (rows != nameRows_) {
        nameRows_ = rows;
        setMinimumHeight(sizeHint().height());
        updateGeometry();
    }
}

void DashaTimeline::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitHeight();
}

void DashaTimeline::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const double left = kSidePadding;
    const double width = this->width() - 2.0 * kSidePadding;
    const auto x = [&](double fraction) { return left + fraction * width; };
    const QFontMetrics metrics(font());
    const int below = (nameRows_ - 1) * metrics.height();
    const double barTop = kBarTop + below;
    const double barBottom = barTop + kBarHeight;

    for (const TimelineBar& bar : layout_.Bars) {
        const QRectF box(x(bar.From), barTop, x(bar.To) - x(bar.From), kBarHeight);
        painter.fillRect(box, PictureQColor(bar.Colour));
        painter.setPen(QPen(palette().base().color(), 1));
        painter.drawRect(box);
        const QString name = QString::fromUtf8(GrahaEnglishName(bar.Lord).data());
        const QString abbreviation =
            QString::fromUtf8(kGrahaAbbreviations[static_cast<std::size_t>(bar.Lord)].data());
        const QString label =
            metrics.horizontalAdvance(name) + 4 < box.width() ? name : abbreviation;
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, label);
    }
    painter.setPen(QPen(palette().text().color(), 1));
    for (double tick : layout_.Ticks) {
        painter.drawLine(QPointF(x(tick), barBottom - kTickLength), QPointF(x(tick), barBottom));
    }
    const double axis = barBottom + kAxisGap;
    for (const TimelineYear& year : layout_.Years) {
        painter.drawLine(QPointF(x(year.At), barBottom), QPointF(x(year.At), barBottom + 3));
        const QString text = QString::number(year.Year);
        painter.drawText(QPointF(x(year.At) - metrics.horizontalAdvance(text) / 2.0,
                                 axis + metrics.ascent() / 2.0),
                         text);
    }
    const std::vector<Mark> marks = Marks();
    const std::vector<QRectF> boxes = NameBoxes();
    for (std::size_t i = 0; i < marks.size(); ++i) {
        painter.setPen(QPen(marks[i].Colour, 2));
        painter.drawLine(QPointF(x(marks[i].At), boxes[i].bottom()),
                         QPointF(x(marks[i].At), barBottom + 4));
        painter.drawText(QPointF(boxes[i].left(), boxes[i].top() + metrics.ascent()),
                         marks[i].Name);
    }
}

}  // namespace tavrinel
