// The reading as a document to keep or share: the birth data, the positions
// table with the sky that made it and what the sky check found, both
// pictures and the coloured reading, then what the chart's analysis holds
// of the vargas (the table and the navamsa picture) and the dasha (the
// balance, the mahadashas with their antardashas and the running periods),
// on paged devices (PDF, printer) or as plain text. `check` is the sky check
// of the chart's calculation, or null.
#pragma once

#include <QByteArray>
#include <string>

#include "analysis/chart_analysis.h"
#include "calculation/sky_check.h"
#include "chart/chart_state.h"

class QPagedPaintDevice;

namespace tavrinel {

// Paints every page onto a PDF writer or a printer, starting on its current
// page.
void PaintReport(QPagedPaintDevice& device, const ChartState& chart, const ChartAnalysis& analysis,
                 const SkyCheck* check);

// The report as the bytes of a PDF file (A4).
[[nodiscard]] QByteArray ReportPdf(const ChartState& chart, const ChartAnalysis& analysis,
                                   const SkyCheck* check);

// The report as plain text, lines ending in "\n" (UTF-8).
[[nodiscard]] std::string ReportText(const ChartState& chart, const ChartAnalysis& analysis,
                                     const SkyCheck* check);

}  // namespace tavrinel
