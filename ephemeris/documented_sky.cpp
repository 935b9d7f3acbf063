#include "ephemeris/documented_sky.h"

#include <cmath>

#include "ephemeris/ascendant.h"
#include "ephemeris/planet_positions.h"

namespace tavrinel {

namespace {

constexpr double kHoursPerDay = 24;
constexpr double kNoonToMidnightDays = 0.5;
// Half the interval over which the motion is judged: short against the
// weeks a station lasts, long against the theory's rounding.
constexpr double kHalfStepDays = 0.5;

// Theory body index of each planet among the grahas.
constexpr std::array<std::pair<Graha, int>, 5> kPlanetBodies = {
    {{kMercury, 0}, {kVenus, 1}, {kMars, 3}, {kJupiter, 4}, {kSaturn, 5}}};

}  // namespace

double DocumentedJulianDate(const ChartState& chart) {
    return chart.PlanetDayNumber - kNoonToMidnightDays + chart.PlanetUniversalHours / kHoursPerDay;
}

double DocumentedLagna(const ChartState& chart) {
    const double jd = DocumentedJulianDate(chart);
    // The engine keeps longitudes West positive.
    const double local = GreenwichSiderealDegrees(jd) - chart.PlanetWestLongitude;
    double latitude = chart.LatDegrees + chart.LatMinutes / 60.0;
    if (chart.LatDirection != kFalse) {
        latitude = -latitude;
    }
    const double tropical = TropicalAscendant(local, latitude, MeanObliquityDegrees(jd));
    double sidereal = std::fmod(tropical - std::fabs(chart.PlanetAyanamsaCorrection), 360.0);
    if (sidereal < 0) {
        sidereal += 360;
    }
    return sidereal;
}

bool TheoryRetrograde(int index, double d) {
    ChartState scratch;
    GeocentricLongitude(scratch, index, d - kHalfStepDays);
    const double before = scratch.PlanetLongitude;
    GeocentricLongitude(scratch, index, d + kHalfStepDays);
    double motion = scratch.PlanetLongitude - before;
    if (motion > 180) {
        motion -= 360;
    } else if (motion < -180) {
        motion += 360;
    }
    return motion < 0;
}

void CompleteDocumentedSky(ChartState& chart) {
    chart.SkyName = kDocumentedSkyName;
    chart.LagnaLongitude = DocumentedLagna(chart);
    const double d = PlanetEngineDays(chart);
    chart.GrahaRetrograde.fill(false);
    for (const auto& [graha, body] : kPlanetBodies) {
        chart.GrahaRetrograde[graha] = TheoryRetrograde(body, d);
    }
    // The mean node formula has a negative rate: both nodes always recede.
    chart.GrahaRetrograde[kRahu] = true;
    chart.GrahaRetrograde[kKetu] = true;
}

}  // namespace tavrinel
