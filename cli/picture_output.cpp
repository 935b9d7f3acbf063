#include "cli/picture_output.h"

#include <limits>

#include "chart_picture/chart_layout.h"
#include "chart_picture/nakshatra.h"
#include "chart_picture/svg_picture.h"
#include "chart_picture/varga_picture.h"
#include "dasha/dasha_timeline.h"

namespace tavrinel::cli {

void AppendPictureFields(JsonWriter& json, const PositionsTable& table) {
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

std::string ChartSvg(const ChartAnalysis& analysis, ChartStyle style, int varga) {
    const PositionsTable table = varga == kRasiVarga
                                     ? analysis.Positions
                                     : VargaPositionsTable(analysis.Positions, *analysis.Vargas, varga);
    return RenderSvg(style == ChartStyle::South ? LayoutSouthIndian(table)
                                                : LayoutNorthIndian(table));
}

std::string DashaSvg(const ChartAnalysis& analysis, const ChartState& chart,
                     std::string_view momentName) {
    const VimshottariDasha& dasha = *analysis.Dasha;
    const std::string title = "Vimshottari dasha of " + chart.PersonName + ", " +
                              std::string(DashaYearOf(dasha.Year).Name);
    return RenderSvg(DashaTimelinePicture(
                         LayoutDashaTimeline(dasha, ZoneShiftHoursOf(chart), analysis.OnUt), title,
                         momentName),
                     800);
}

}  // namespace tavrinel::cli
