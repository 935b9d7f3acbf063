// Everything the outputs say about one calculated chart, worked out once:
// the reading's classification, the positions table, and, when asked, the
// vargas, the dasha with its running periods, the sky on a chosen date and
// the grahas' strength.
// The text, JSON, SVG, PDF and window writers format this record and
// compute nothing of their own.
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_state.h"
#include "chart_picture/positions_table.h"
#include "dasha/dasha_time.h"
#include "dasha/transits.h"
#include "dasha/vimshottari.h"
#include "ephemeris/precise_sky.h"
#include "reading/dignity_reading.h"
#include "strength/strength.h"
#include "vargas/vargas.h"

namespace tavrinel {

struct SkyCheck;

struct AnalysisRequest {
    bool Vargas = false;
    bool Dasha = false;
    DashaOptions DashaSettings;
    bool Transits = false;
    // Shadbala, Ashtakavarga and the companions of dignity.
    bool Strength = false;
    // The moment of the running periods and the transits; none: now.
    std::optional<ChosenMoment> On;
    // The precise sky the vargas, the dasha and the transits are built on,
    // whichever sky the reading was cast in.
    PreciseSettings PreciseSky{Ayanamsa::Lahiri, NodeKind::Mean};
    // The birth's precise positions are wanted even without those sections
    // (the JSON's longitudes).
    bool PreciseLongitudes = false;
    // Whether the precise retrograde flags are wanted: no output of a batch
    // shows them, and the sky costs less than half without them.
    bool PreciseMotion = true;
};

// The birth in the precise sky, which the vargas, the dasha and the
// transits are built on: documented positions up to 14 degrees off the
// real Moon would name the wrong dasha lord in about three births of ten.
struct PreciseBirthSky {
    bool Ok = false;
    PreciseSettings Settings;
    PreciseSource Source = PreciseSource::None;
    // "Swiss Ephemeris, Lahiri, mean node"; when not Ok, why there is none.
    std::string Name;
    std::array<double, kGrahaCount> Longitudes{};  // sidereal [0, 360)
    bool Motion = false;                           // whether Retrograde was worked out
    std::array<bool, kGrahaCount> Retrograde{};
    double LagnaLongitude = std::numeric_limits<double>::quiet_NaN();  // NaN: no Lagna
    // By the reading's rules, from these longitudes.
    std::array<Dignity, kGrahaCount> Dignities{};
};

// The birth of a calculated chart in the precise sky of `settings`: the
// chart's own positions when it was cast in that sky, the check's when it
// worked out every position in it, else calculated here.
[[nodiscard]] PreciseBirthSky FindPreciseBirthSky(const ChartState& chart,
                                                  const PreciseSettings& settings,
                                                  const SkyCheck* check, bool motion);

struct ChartAnalysis {
    DignityAnalysis Reading;
    PositionsTable Positions;
    // Whether the reading was cast in a precise sky: then there are no
    // documented positions beside it.
    bool ReadingIsPrecise = false;
    // Worked out when anything below, or the request, needs it.
    std::optional<PreciseBirthSky> Precise;
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
    // When asked for: what the strength was worked out from (the same
    // precise sky as the vargas and the dasha) and its figures; none, with
    // StrengthError saying why, when the precise sky gave no answer. A
    // birth without sunrise or sunset has figures without Shadbala.
    std::optional<StrengthInputs> StrengthFrom;
    std::optional<StrengthAnalysis> Strength;
    std::string StrengthError;
};

// The record of a calculated chart. `check`, the sky check of the same
// chart, spares a second calculation of the precise sky where it has one.
[[nodiscard]] ChartAnalysis AnalyseChart(const ChartState& chart,
                                         const AnalysisRequest& request = {},
                                         const SkyCheck* check = nullptr);

// "(precise sky: Swiss Ephemeris, Lahiri, mean node)": how the vargas, the
// dasha and the transits name the sky they were built on.
[[nodiscard]] std::string PreciseSkyNote(const ChartAnalysis& analysis);

// "Precise sky: Swiss Ephemeris, Lahiri, mean node": the line a varga's
// picture names its sky with.
[[nodiscard]] std::string PreciseSkyLine(const ChartAnalysis& analysis);

}  // namespace tavrinel
