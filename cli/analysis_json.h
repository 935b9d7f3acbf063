// The JSON fields of a chart's vargas, dasha, transits and strength. The
// names are for machines and are kept as they are: "Vargas", "Vargottama",
// "Dasha", "Transits", "Strength".
#pragma once

#include "analysis/chart_analysis.h"
#include "cli/json_writer.h"

namespace tavrinel::cli {

// The fields the analysis holds, in the order vargas, dasha, transits,
// strength.
void AppendAnalysisJson(JsonWriter& json, const ChartAnalysis& analysis);

}  // namespace tavrinel::cli
