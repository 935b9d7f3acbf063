// What the command line shows of the chart picture: the Lagna, nakshatras,
// padas and motion in the JSON object, and the pictures as SVG.
#pragma once

#include <string>

#include "chart/chart_state.h"
#include "cli/json_writer.h"

namespace tavrinel::cli {

enum class ChartStyle { South, North };

// "Lagna" (short position text), "LagnaNakshatra" and "LagnaPada" (null
// without a Lagna), "Nakshatras", "Padas", "NakshatraLords" and "Retrograde",
// Sun to Ketu, "AyanamsaDegrees", and the numbers the reading was made of:
// "Longitudes" (sidereal degrees, Sun to Ketu) and "LagnaLongitude".
void AppendPictureFields(JsonWriter& json, const ChartState& chart);

[[nodiscard]] std::string ChartSvg(const ChartState& chart, ChartStyle style);

}  // namespace tavrinel::cli
