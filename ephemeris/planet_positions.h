// The planet engine: its own time base and ayanamsa, the Keplerian theory of
// the Sun and the five planets, and the mean lunar nodes.
#pragma once

#include "chart/chart_state.h"

namespace tavrinel {

// Universal Time, day number and centuries from 1900 January 0.5 of the birth
// data, and from them PlanetAyanamsaCorrection. Reads and writes the chart.
void ComputeTimeAndAyanamsa(ChartState& chart);

// Julian Day Number of a calendar date (the day that begins at noon of it).
[[nodiscard]] double DateToDayNumber(int month, int day, int year);

// Minus the ayanamsa in degrees, for T in Julian centuries from JD 2415020.0.
[[nodiscard]] double ComputeAyanamsaCorrection1900(double T);

// Mean elements of body `index` (0 Mercury, 1 Venus, 2 Earth, 3 Mars,
// 4 Jupiter, 5 Saturn) at d days from J2000.0, into the chart's Orbit* fields.
void LoadOrbitElements(ChartState& chart, int index, double d);

// Geocentric ecliptic longitude (degrees, J2000 frame) of body `index` at d
// days from J2000.0, into chart.PlanetLongitude. Index 2 gives the Sun.
void GeocentricLongitude(ChartState& chart, int index, double d);

// True anomaly in [0, 2pi) for mean anomaly M (radians) and eccentricity e.
[[nodiscard]] double TrueAnomaly(double M, double e);

// x reduced into [0, 2pi).
[[nodiscard]] double ReduceRadians(double x);

// Quadrant-correct arc tangent of y/x; 0 for (0, 0) and for y = 0, x < 0.
[[nodiscard]] double ArcTan2(double y, double x);

// Days from 2000 January 1, 12:00 UT (no century leap rule; exact 1900-2100).
[[nodiscard]] double DaysFromJ2000(int year, int month, int day, int hour, int minute);

// Days from J2000.0 of the birth as the planets take it: the zone's signed
// shift applied to the civil date and time.
[[nodiscard]] double PlanetEngineDays(const ChartState& chart);

// The nine short position texts and graha names of the chart. Needs
// ComputeTimeAndAyanamsa and CalculateMoon to have run.
void ComputePlanetPositions(ChartState& chart);

}  // namespace tavrinel
