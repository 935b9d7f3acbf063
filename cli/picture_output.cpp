#include "cli/picture_output.h"

#include <limits>

#include "chart_picture/chart_layout.h"
#include "chart_picture/nakshatra.h"
#include "chart_picture/svg_picture.h"

namespace tavrinel::cli {

void AppendPictureFields(JsonWriter& json, const ChartState& chart) {
    const PositionsTable table = BuildPositionsTable(chart);
    const PositionRow& lagna = table.Lagna;
    const auto known = [&lagna](std::string_view text) {
        return lagna.Known ? std::optional<std::string_view>(text) : std::nullopt;
    };
    json.FieldOrNull("Lagna", known(lagna.PositionText));
    json.FieldOrNull("LagnaNakshatra",
                     known(kNakshatraNames[static_cast<std::size_t>(lagna.Nakshatra)]));
    const std::string pada = std::to_string(lagna.Pada);
    json.Literal("LagnaPada", lagna.Known ? std::string_view(pada) : "null");
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
    json.BeginArray("NakshatraLords");
    for (const PositionRow& row : table.Grahas) {
        json.Element(row.Known ? GrahaEnglishName(row.Lord) : "");
    }
    json.EndArray();
    json.BeginArray("Retrograde");
    for (const PositionRow& row : table.Grahas) {
        json.RawElement(row.Retrograde ? "true" : "false");
    }
    json.EndArray();
    json.Number("AyanamsaDegrees", table.AyanamsaDegrees);
    json.BeginArray("Longitudes");
    for (const PositionRow& row : table.Grahas) {
        json.NumberElement(row.Known ? row.Longitude : std::numeric_limits<double>::quiet_NaN());
    }
    json.EndArray();
    json.Number("LagnaLongitude",
                lagna.Known ? lagna.Longitude : std::numeric_limits<double>::quiet_NaN());
}

std::string ChartSvg(const ChartState& chart, ChartStyle style) {
    const PositionsTable table = BuildPositionsTable(chart);
    return RenderSvg(style == ChartStyle::South ? LayoutSouthIndian(table)
                                                : LayoutNorthIndian(table));
}

}  // namespace tavrinel::cli
