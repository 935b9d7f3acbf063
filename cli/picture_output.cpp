#include "cli/picture_output.h"

#include <limits>

#include "chart_picture/chart_layout.h"
#include "chart_picture/nakshatra.h"
#include "chart_picture/svg_picture.h"
#include "chart_picture/varga_picture.h"
#include "dasha/dasha_timeline.h"

namespace tavrinel::cli {

void AppendPictureFields(JsonWriter& json, const ChartAnalysis& analysis) {
    const PositionsTable& table = analysis.Positions;
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
    // The numbers a reader checks against another program are the real
    // sky's; the documented engines' stay beside them.
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    const PreciseBirthSky* precise =
        analysis.Precise && analysis.Precise->Ok ? &*analysis.Precise : nullptr;
    json.BeginArray("Longitudes");
    for (std::size_t g = 0; g < kGrahaCount; ++g) {
        json.NumberElement(precise ? precise->Longitudes[g] : kNone);
    }
    json.EndArray();
    json.Number("LagnaLongitude", precise ? precise->LagnaLongitude : kNone);
    if (analysis.ReadingIsPrecise) {
        json.Literal("DocumentedLongitudes", "null");
        return;
    }
    json.BeginArray("DocumentedLongitudes");
    for (const PositionRow& row : table.Grahas) {
        json.NumberElement(row.Known ? row.Longitude : kNone);
    }
    json.EndArray();
}

std::string ChartSvg(const ChartAnalysis& analysis, ChartStyle style, int varga) {
    PositionsTable table = analysis.Positions;
    if (varga != kRasiVarga) {
        table = VargaPositionsTable(analysis.Positions, *analysis.Vargas, varga,
                                    PreciseSkyLine(analysis));
    }
    return RenderSvg(style == ChartStyle::South ? LayoutSouthIndian(table)
                                                : LayoutNorthIndian(table));
}

std::string DashaSvg(const ChartAnalysis& analysis, const ChartState& chart,
                     std::string_view momentName) {
    const VimshottariDasha& dasha = *analysis.Dasha;
    const std::string title = "Vimshottari dasha of " + chart.PersonName + ", " +
                              std::string(DashaYearOf(dasha.Year).Name) + " " +
                              PreciseSkyNote(analysis);
    return RenderSvg(DashaTimelinePicture(
                         LayoutDashaTimeline(dasha, ZoneShiftHoursOf(chart), analysis.OnUt), title,
                         momentName),
                     800);
}

}  // namespace tavrinel::cli
