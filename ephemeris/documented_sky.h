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
    "local sidereal time at the planet engine's Universal Time, mean obliquity, "
    "textbook ascendant formula, the planet engine's ayanamsa";
inline constexpr std::string_view kDocumentedRetrogradeSource =
    "the same Keplerian theory half a day before and after the birth; "
    "the mean nodes always move backward";

// Julian Date (UT) of the birth as the planet engine's ayanamsa counts it.
[[nodiscard]] double DocumentedJulianDate(const ChartState& chart);

// Sidereal Lagna in degrees for the chart's birth data, on the documented
// time base and with the documented ayanamsa. Needs ComputeTimeAndAyanamsa.
[[nodiscard]] double DocumentedLagna(const ChartState& chart);

// True when the Keplerian theory puts body `index` (0 Mercury .. 5 Saturn)
// in backward motion at d days from J2000.0.
[[nodiscard]] bool TheoryRetrograde(int index, double d);

// Sets SkyName, LagnaLongitude and GrahaRetrograde after the engines ran.
void CompleteDocumentedSky(ChartState& chart);

}  // namespace tavrinel
