// The JSON fields of a chart's vargas, dasha and transits. The names are
// for machines and are kept as they are: "Vargas", "Vargottama", "Dasha",
// "Transits".
#pragma once

#include "analysis/chart_analysis.h"
#include "cli/json_writer.h"

namespace tavrinel::cli {

// The fields the analysis holds, in the order vargas, dasha, transits.
void AppendAnalysisJson(JsonWriter& json, const ChartAnalysis& analysis);

}  // namespace tavrinel::cli
