#include "ephemeris/moon_position.h"

#include <array>
#include <cmath>

#include "ephemeris/planet_positions.h"
#include "ephemeris/hemisphere_time.h"
#include "ephemeris/position_text.h"

namespace tavrinel {

namespace {

constexpr double kHoursPerDay = 24;
constexpr double kDaysPerCentury = 36525;
constexpr double kJ2000DayNumber = 2451545;  // JD 2451545.0 = 2000 January 1, 12:00
// The day number counts from the noon that starts the civil date; half a day
// back reaches its midnight.
constexpr double kNoonToMidnightDays = 0.5;
constexpr double kFullCircle = 360;  // degrees
constexpr double kSecondsPerDegree = 3600;

// A polynomial in T (Julian centuries from J2000.0), degrees.
struct Polynomial {
    double c0, c1, c2;
    [[nodiscard]] constexpr double At(double T) const { return c0 + c1 * T + c2 * T * T; }
};

// Fundamental arguments of the classical analytical lunar theory (Meeus),
// degrees: the Moon's mean longitude L', mean elongation D, the Sun's mean
// anomaly M, the Moon's mean anomaly M' and its argument of latitude F.
constexpr Polynomial kMeanLongitude = {218.3164591, 481267.88134236, 0};
constexpr Polynomial kElongation = {297.8502042, 445267.1115168, 0};
constexpr Polynomial kSunAnomaly = {357.5291092, 35999.0502909, 0};
constexpr Polynomial kMoonAnomaly = {134.9634114, 477198.8676313, 0};
constexpr Polynomial kLatitudeArgument = {93.2720993, 483202.0175273, 0};
// Decrease of the Earth's orbital eccentricity, applied to terms with M.
constexpr Polynomial kEccentricityFactor = {1, -0.002516, -0.0000074};

struct LunarTerm {
    double coefficient;   // degrees
    int d, m, mPrime, f;  // multipliers of D, M, M', F
    bool timesE;
};

// The first 25 longitude terms of the classical truncated lunar series.
constexpr std::array<LunarTerm, 25> kLongitudeTerms = {{
    {6.288774, 0, 0, 1, 0, false},   {1.274027, 2, 0, -1, 0, false}, {0.658314, 2, 0, 0, 0, false},
    {0.213618, 0, 0, 2, 0, false},   {-0.185116, 0, 1, 0, 0, true},  {-0.114332, 0, 0, 0, 2, false},
    {0.058793, 2, 0, -2, 0, false},  {0.057066, 2, -1, -1, 0, true}, {0.053322, 2, 0, 1, 0, false},
    {0.045758, 2, -1, 0, 0, true},   {-0.040923, 0, 1, -1, 0, true}, {-0.034720, 1, 0, 0, 0, false},
    {-0.030383, 0, 1, 1, 0, true},   {0.015327, 2, 0, 0, -2, false}, {-0.012528, 0, 0, 1, 2, false},
    {0.010980, 0, 0, 1, -2, false},  {0.010675, 4, 0, -1, 0, false}, {0.010034, 0, 0, 3, 0, false},
    {0.008548, 4, 0, -2, 0, false},  {-0.007888, 2, 1, -1, 0, true}, {-0.006766, 2, 1, 0, 0, true},
    {-0.005163, 1, 0, -1, 0, false}, {0.004987, 1, 1, 0, 0, true},   {0.004036, 2, -1, 1, 0, true},
    {0.003994, 2, 0, 2, 0, false},
}};

}  // namespace

void CalculateMoon(ChartState& chart) {
    chart.SignAbbreviations = kSignAbbreviations;
    chart.DegToRad = kDegToRad;

    const HemisphereTime time = HemisphereTimeOf(chart);
    chart.LocalClockHours = time.LocalHours;
    chart.ZoneOffsetHours = time.ZoneHours;
    chart.SiteLongitude = time.WestLongitude;
    chart.UniversalHours = time.UniversalHours;
    chart.BirthDayNumber = DateToDayNumber(chart.BirthMonth, chart.BirthDay, chart.BirthYear);
    const double T = ((chart.BirthDayNumber - kJ2000DayNumber) +
                      chart.UniversalHours / kHoursPerDay - kNoonToMidnightDays) /
                     kDaysPerCentury;
    chart.JulianCenturies = T;
    chart.AyanamsaCorrection = ComputeAyanamsaCorrection(T);

    chart.MoonLongitude = kMeanLongitude.At(T);
    chart.MoonElongation = kElongation.At(T) * kDegToRad;
    chart.SunAnomaly = kSunAnomaly.At(T) * kDegToRad;
    chart.MoonAnomaly = kMoonAnomaly.At(T) * kDegToRad;
    const double F = kLatitudeArgument.At(T) * kDegToRad;
    chart.EccentricityFactor = kEccentricityFactor.At(T);

    double sum = 0;
    for (const LunarTerm& term : kLongitudeTerms) {
        const double argument = chart.MoonElongation * term.d + chart.SunAnomaly * term.m +
                                chart.MoonAnomaly * term.mPrime + F * term.f;
        double value = term.coefficient * std::sin(argument);
        if (term.timesE) {
            value *= chart.EccentricityFactor;
        }
        sum += value;
    }

    // Exactly 360 is kept as it is; the ayanamsa below brings it under 360.
    double longitude = chart.MoonLongitude + sum;
    while (longitude < 0) {
        longitude += kFullCircle;
    }
    while (longitude > kFullCircle) {
        longitude -= kFullCircle;
    }
    chart.MoonLongitude = longitude + chart.AyanamsaCorrection;
    if (chart.MoonLongitude < 0) {
        chart.MoonLongitude += kFullCircle;
    }
    chart.MoonPositionText = FormatSignPosition(chart.MoonLongitude);
    chart.GrahaLongitudes[kMoon] = chart.MoonLongitude;
}

double ComputeAyanamsaCorrection(double T) {
    // Ayanamsa from J2000.0: 85886.27" base, general precession 5025.64" +
    // 1.11"T per century, and the two largest nutation terms in longitude. The
    // second term takes the Sun's mean longitude itself, not twice it.
    constexpr Polynomial kNode = {125.044555, -1934.1361849, 0.0020762};
    constexpr Polynomial kSunLongitude = {280.466449, 36000.7698231, 0.0003106};
    constexpr double kBaseArcsec = 85886.27;
    constexpr double kPrecessionArcsec = 5025.64;
    constexpr double kPrecessionQuadArcsec = 1.11;
    const double nutation = 17.23 * std::sin(kNode.At(T) * kDegToRad) +
                            1.27 * std::sin(kSunLongitude.At(T) * kDegToRad);
    return (nutation - (kPrecessionArcsec * T + kPrecessionQuadArcsec * T * T) - kBaseArcsec) /
           kSecondsPerDegree;
}

}  // namespace tavrinel
