#include "ephemeris/documented_sky.h"

#include <cmath>
#include <limits>
#include <tuple>

#include "ephemeris/angles.h"
#include "ephemeris/ascendant.h"
#include "ephemeris/hemisphere_time.h"
#include "ephemeris/planet_positions.h"
#include "ephemeris/precise_sky.h"

namespace tavrinel {

namespace {

constexpr double kJd1900 = 2415020;  // JD of 1900 January 0.5, the ayanamsa epoch
constexpr double kDaysPerCentury = 36525;
// Half the interval over which the motion is judged: short against the
// weeks a station lasts, long against the theory's rounding.
constexpr double kHalfStepDays = 0.5;

// Theory body index of each planet among the grahas.
constexpr std::array<Graha, 5> kPlanetGrahas = {kMercury, kVenus, kMars, kJupiter, kSaturn};
constexpr std::array<int, 5> kPlanetBodies = {0, 1, 3, 4, 5};

}  // namespace

double DocumentedAyanamsa(const ChartState& chart) {
    return std::fabs(
        ComputeAyanamsaCorrection1900((PreciseJulianDayUt(chart) - kJd1900) / kDaysPerCentury));
}

DocumentedInstants DocumentedInstantsOf(const ChartState& chart) {
    constexpr double kJ2000 = 2451545;
    constexpr double kHoursPerDay = 24;
    constexpr double kNoonToMidnightDays = 0.5;
    DocumentedInstants instants;
    instants.Planets = kJ2000 + PlanetEngineDays(chart);
    instants.Moon = DateToDayNumber(chart.BirthMonth, chart.BirthDay, chart.BirthYear) -
                    kNoonToMidnightDays + HemisphereTimeOf(chart).UniversalHours / kHoursPerDay;
    return instants;
}

double DocumentedLagna(const ChartState& chart) {
    // The form takes any three digits; a place off the globe has no horizon,
    // and at a pole every point of the ecliptic is on it, so none rises.
    const double latitudeSize = chart.LatDegrees + chart.LatMinutes / 60.0;
    const double longitudeSize = chart.LonDegrees + chart.LonMinutes / 60.0;
    if (latitudeSize >= 90 || longitudeSize > 180) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    // Version 1.15 had no Lagna, so none of its time bases binds this one:
    // it is taken at the instant the clock showed, not on the Moon's
    // hemisphere time base, which is hours off west of Greenwich on a zone
    // ahead of UT.
    const double jd = PreciseJulianDayUt(chart);
    const double east = chart.LonDirection != kFalse ? longitudeSize : -longitudeSize;
    const double local = GreenwichSiderealDegrees(jd) + east;
    const double latitude = chart.LatDirection != kFalse ? -latitudeSize : latitudeSize;
    const double tropical = TropicalAscendant(local, latitude, MeanObliquityDegrees(jd));
    return ReduceDegrees(tropical - DocumentedAyanamsa(chart));
}

namespace {

// Whether each planet moves backward: the theory half a day before and after,
// run in the chart's own scratch fields (a whole second chart record costs
// more to build than the theory does), which the caller restores.
void TheoryRetrograde(ChartState& chart, double d) {
    std::array<double, kPlanetBodies.size()> before{}, after{};
    GeocentricLongitudes(chart, d - kHalfStepDays, kPlanetBodies, before);
    GeocentricLongitudes(chart, d + kHalfStepDays, kPlanetBodies, after);
    for (std::size_t k = 0; k < kPlanetBodies.size(); ++k) {
        double motion = after[k] - before[k];
        if (motion > 180) {
            motion -= 360;
        } else if (motion < -180) {
            motion += 360;
        }
        chart.GrahaRetrograde[kPlanetGrahas[k]] = motion < 0;
    }
}

}  // namespace

void CompleteDocumentedSky(ChartState& chart) {
    chart.SkyName = kDocumentedSkyName;
    chart.AyanamsaDegrees = DocumentedAyanamsa(chart);
    chart.LagnaLongitude = DocumentedLagna(chart);
    const double d = PlanetEngineDays(chart);
    chart.GrahaRetrograde.fill(false);
    const auto scratch = std::tuple(chart.OrbitSemiMajorAxis, chart.OrbitEccentricity,
                                    chart.OrbitInclination, chart.OrbitNodeLongitude,
                                    chart.OrbitPerihelionLongitude, chart.OrbitMeanLongitude,
                                    chart.PlanetLongitude);
    TheoryRetrograde(chart, d);
    // The engine's last values stay as it left them.
    std::tie(chart.OrbitSemiMajorAxis, chart.OrbitEccentricity, chart.OrbitInclination,
             chart.OrbitNodeLongitude, chart.OrbitPerihelionLongitude, chart.OrbitMeanLongitude,
             chart.PlanetLongitude) = scratch;
    // The mean node formula has a negative rate: both nodes always recede.
    chart.GrahaRetrograde[kRahu] = true;
    chart.GrahaRetrograde[kKetu] = true;
}

}  // namespace tavrinel
