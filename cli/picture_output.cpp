#include "cli/picture_output.h"

#include "chart_picture/chart_layout.h"
#include "chart_picture/nakshatra.h"
#include "chart_picture/svg_picture.h"

namespace tavrinel::cli {

void AppendPictureFields(JsonWriter& json, const ChartState& chart) {
    const PositionsTable table = BuildPositionsTable(chart);
    json.Field("Lagna", table.Lagna.PositionText);
    json.BeginArray("Nakshatras");
    for (const PositionRow& row : table.Grahas) {
        json.Element(row.Known ? kNakshatraNames[static_cast<std::size_t>(row.Nakshatra)] : "");
    }
    json.EndArray();
    json.BeginArray("Padas");
    for (const PositionRow& row : table.Grahas) {
        json.RawElement(std::to_string(row.Pada));
    }
    json.EndArray();
    json.BeginArray("Retrograde");
    for (const PositionRow& row : table.Grahas) {
        json.RawElement(row.Retrograde ? "true" : "false");
    }
    json.EndArray();
}

std::string ChartSvg(const ChartState& chart, ChartStyle style) {
    const PositionsTable table = BuildPositionsTable(chart);
    return RenderSvg(style == ChartStyle::South ? LayoutSouthIndian(table)
                                                : LayoutNorthIndian(table));
}

}  // namespace tavrinel::cli
