// What the command line shows of the chart picture: the Lagna, nakshatras,
// padas and motion in the JSON object, and the pictures as SVG.
#pragma once

#include <string>

#include "analysis/chart_analysis.h"
#include "cli/json_writer.h"

namespace tavrinel::cli {

enum class ChartStyle { South, North };

// "Lagna" (short position text), "LagnaNakshatra" and "LagnaPada" (null
// without a Lagna), "Nakshatras", "Padas", "NakshatraLords" and "Retrograde",
// Sun to Ketu, "AyanamsaDegrees", the precise sky's "Longitudes" (sidereal
// degrees, Sun to Ketu) and "LagnaLongitude", and the numbers a documented
// reading was made of, "DocumentedLongitudes" (null for a precise reading).
void AppendPictureFields(JsonWriter& json, const ChartAnalysis& analysis);

// The South or North Indian picture of a varga (kRasiVarga: the chart as
// calculated); the analysis must hold the vargas for any other.
[[nodiscard]] std::string ChartSvg(const ChartAnalysis& analysis, ChartStyle style,
                                   int varga = kRasiVarga);

// The dasha's time line, the moment marked as `momentName`; the analysis
// must hold the dasha.
[[nodiscard]] std::string DashaSvg(const ChartAnalysis& analysis, const ChartState& chart,
                                   std::string_view momentName);

}  // namespace tavrinel::cli
