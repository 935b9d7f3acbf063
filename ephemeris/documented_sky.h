// What the chart pictures need of the documented calculation beyond its
// position texts: the name of the sky, the Lagna and which grahas move
// backward. Runs after ComputePlanetPositions, which leaves the longitudes.
#pragma once

#include <string_view>

#include "chart/chart_state.h"

namespace tavrinel {

inline constexpr std::string_view kDocumentedSkyName = "As documented (v1.15)";

// How the documented sky's values beyond the position texts are made, for
// the notes under a positions table.
inline constexpr std::string_view kDocumentedLagnaSource =
    "local sidereal time at the birth's Universal Time (clock time less the zone's offset "
    "and any daylight-saving hour), mean obliquity, textbook ascendant formula, "
    "the planet engine's ayanamsa at that instant";
inline constexpr std::string_view kDocumentedRetrogradeSource =
    "the same Keplerian theory half a day before and after the birth; "
    "the mean nodes always move backward";

// The planet engine's ayanamsa in degrees at the birth's true instant (as
// the precise sky takes it), whatever time base the engines used.
[[nodiscard]] double DocumentedAyanamsa(const ChartState& chart);

// Sidereal Lagna in degrees for the chart's birth data at the birth's true
// instant, with the planet engine's ayanamsa; NaN where there is no horizon
// to rise over (off the globe, or at a pole).
[[nodiscard]] double DocumentedLagna(const ChartState& chart);

// The instants (Julian Day, UT) the documented engines computed the grahas
// at: the planets and nodes at the clock time less the zone's signed offset,
// daylight saving left out, and the Moon on the site hemisphere's time base.
// Either may miss the birth's true instant, by up to a day.
struct DocumentedInstants {
    double Planets = 0;
    double Moon = 0;
};
[[nodiscard]] DocumentedInstants DocumentedInstantsOf(const ChartState& chart);

// Sets SkyName, AyanamsaDegrees, LagnaLongitude and GrahaRetrograde after
// the engines ran.
void CompleteDocumentedSky(ChartState& chart);

}  // namespace tavrinel
