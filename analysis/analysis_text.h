// The vargas, the dasha, the transits and the strength of a chart's
// analysis as plain text: the command line's text output and the exports print the same
// lines. Every section ends with a blank line.
#pragma once

#include <string>

#include "analysis/chart_analysis.h"

namespace tavrinel {

// "Vimshottari dasha from the Moon at 26 Pis 19 in Revati (precise sky:
// Swiss Ephemeris, Lahiri, mean node).", with `skyNote` as PreciseSkyNote
// gives it, "Balance at birth: Mercury, 4.69508 years.", "Years: sidereal
// year of 365.256363 days.", "Dates on the birth zone's clock, UT+05:30,
// rounded up to the minute." and "A lord's dignity is its dignity in the
// birth chart.", one line each, without a final line break.
[[nodiscard]] std::string DashaSummaryText(const VimshottariDasha& dasha, const ChartState& chart,
                                           std::string_view skyNote);

// The lords of the running periods, "Sun / Ketu / Venus"; empty when none.
[[nodiscard]] std::string RunningLordsText(const VimshottariDasha& dasha,
                                           const std::vector<std::size_t>& running);

// "Vargas (precise sky: …).", then the sixteen vargas in two blocks of
// eight columns, with their key.
[[nodiscard]] std::string VargaTableText(const VargaTable& table, std::string_view skyNote);

// The summary, the mahadashas with their antardashas, and the periods
// running at the analysis's moment.
[[nodiscard]] std::string DashaText(const ChartAnalysis& analysis, const ChartState& chart);

// The sky at the analysis's moment, graha by graha, and Sade Sati.
[[nodiscard]] std::string TransitsText(const ChartAnalysis& analysis, const ChartState& chart);

// A strength figure as every output gives it: two decimals, halves away
// from zero.
[[nodiscard]] double StrengthFigure(double value);

// "Strength (precise sky: …).", then Shadbala (the six sources, the total
// in rupas, the rupas required and their ratio, the strongest by ratio
// marked) and the lords of the birth's time, the Ashtakavarga's eight rows
// and their Sarva, Aries to Pisces, and the companions of dignity as
// sentences. Without a sunrise or a sunset, a sentence says why in place of
// Shadbala.
[[nodiscard]] std::string StrengthText(const ChartAnalysis& analysis);

// Every section the analysis holds, in the order vargas, dasha, transits,
// strength, without the blank line after the last; empty when it holds none.
[[nodiscard]] std::string AnalysisSectionsText(const ChartAnalysis& analysis,
                                               const ChartState& chart);

}  // namespace tavrinel
