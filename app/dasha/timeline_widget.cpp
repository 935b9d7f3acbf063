#include "app/dasha/timeline_widget.h"

#include <QPainter>
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
    update();
}

QSize DashaTimeline::sizeHint() const { return {kPreferredWidth, kPreferredHeight}; }

void DashaTimeline::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const double left = kSidePadding;
    const double width = this->width() - 2.0 * kSidePadding;
    const auto x = [&](double fraction) { return left + fraction * width; };
    const QFontMetrics metrics(font());

    for (const TimelineBar& bar : layout_.Bars) {
        const QRectF box(x(bar.From), kBarTop, x(bar.To) - x(bar.From), kBarHeight);
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
        painter.drawLine(QPointF(x(tick), kBarTop + kBarHeight - kTickLength),
                         QPointF(x(tick), kBarTop + kBarHeight));
    }
    const double axis = kBarTop + kBarHeight + kAxisGap;
    for (const TimelineYear& year : layout_.Years) {
        painter.drawLine(QPointF(x(year.At), kBarTop + kBarHeight),
                         QPointF(x(year.At), kBarTop + kBarHeight + 3));
        const QString text = QString::number(year.Year);
        painter.drawText(QPointF(x(year.At) - metrics.horizontalAdvance(text) / 2.0,
                                 axis + metrics.ascent() / 2.0),
                         text);
    }
    const auto mark = [&](double at, const QColor& colour, const QString& text) {
        painter.setPen(QPen(colour, 2));
        painter.drawLine(QPointF(x(at), kMarkTop + metrics.height()),
                         QPointF(x(at), kBarTop + kBarHeight + 4));
        const double textX = std::min(x(at) - metrics.horizontalAdvance(text) / 2.0,
                                      this->width() - 1.0 - metrics.horizontalAdvance(text));
        painter.drawText(QPointF(std::max(1.0, textX), kMarkTop + metrics.ascent()), text);
    };
    if (!layout_.Bars.empty()) {
        mark(layout_.Birth, palette().text().color(), QStringLiteral("Birth"));
    }
    if (layout_.Today) {
        mark(*layout_.Today, kTodayColour, QStringLiteral("Today"));
    }
}

}  // namespace tavrinel
