// Everything the outputs say about one calculated chart, worked out once:
// the reading's classification, the positions table, and, when asked, the
// vargas, the dasha with its running periods and the sky on a chosen date.
// The text, JSON, SVG, PDF and window writers format this record and
// compute nothing of their own.
#pragma once

#include <limits>
#include <optional>
#include <vector>

#include "chart/chart_state.h"
#include "chart_picture/positions_table.h"
#include "dasha/dasha_time.h"
#include "dasha/transits.h"
#include "dasha/vimshottari.h"
#include "ephemeris/precise_sky.h"
#include "reading/dignity_reading.h"
#include "vargas/vargas.h"

namespace tavrinel {

struct AnalysisRequest {
    bool Vargas = false;
    bool Dasha = false;
    DashaOptions DashaSettings;
    bool Transits = false;
    // The moment of the running periods and the transits; none: now.
    std::optional<ChosenMoment> On;
    // The precise sky the transits are taken in.
    PreciseSettings TransitSky{Ayanamsa::Lahiri, NodeKind::Mean};
};

struct ChartAnalysis {
    DignityAnalysis Reading;
    PositionsTable Positions;
    std::optional<VargaTable> Vargas;
    bool DashaAsked = false;
    // None when not asked for, or when the chart has no Moon to count from.
    std::optional<VimshottariDasha> Dasha;
    // The moment of Running and Transits, when either was asked for.
    double OnUt = std::numeric_limits<double>::quiet_NaN();
    // Index of the running period in each level of the dasha, outermost
    // first; empty outside its 120 years.
    std::vector<std::size_t> Running;
    std::optional<TransitTable> Transits;
};

// The record of a calculated chart.
[[nodiscard]] ChartAnalysis AnalyseChart(const ChartState& chart,
                                         const AnalysisRequest& request = {});

}  // namespace tavrinel
