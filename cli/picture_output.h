// What the command line shows of the chart picture: the Lagna, nakshatras,
// padas and motion in the JSON object, and the pictures as SVG.
#pragma once

#include <string>

#include "chart/chart_state.h"
#include "cli/json_writer.h"

namespace tavrinel::cli {

enum class ChartStyle { South, North };

// "Lagna" (short position text, empty when not calculated), "Nakshatras",
// "Padas" and "Retrograde", Sun to Ketu.
void AppendPictureFields(JsonWriter& json, const ChartState& chart);

[[nodiscard]] std::string ChartSvg(const ChartState& chart, ChartStyle style);

}  // namespace tavrinel::cli
