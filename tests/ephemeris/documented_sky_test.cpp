// The Lagna, the motion and the longitudes that the documented calculation
// leaves for the chart pictures, against published figures.
#include "ephemeris/documented_sky.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calculation/calculation.h"
#include "chart_builder.h"
#include "ephemeris/ascendant.h"

namespace tavrinel {
namespace {

// Angles are compared across 0/360.
double Apart(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360 - d);
}

TEST(Ascendant, TextbookValues) {
    // Meeus, Astronomical Algorithms, examples 12.a and 22.a (1987 April 10,
    // 0h UT, JD 2446895.5): mean sidereal time 13h10m46.3668s, mean
    // obliquity 23°26'27.407".
    EXPECT_NEAR(GreenwichSiderealDegrees(2446895.5), (13 + 10 / 60.0 + 46.3668 / 3600) * 15, 1e-6);
    EXPECT_NEAR(MeanObliquityDegrees(2446895.5), 23 + 26 / 60.0 + 27.407 / 3600, 1e-6);

    // On the equator the ascendant stands 90° east of the meridian's
    // ecliptic point: with the equinox on the meridian it is 0° Cancer, a
    // quarter day later 0° Libra, and so on round the sky.
    const struct {
        double Sidereal, Latitude, Expected;
    } cases[] = {{0, 0, 90},
                 {90, 0, 180},
                 {180, 0, 270},
                 {270, 0, 0},
                 // At the equinox on the meridian the ascendant is where the
                 // horizon meets the ecliptic: tan(Asc) = -1 / (tan φ sin ε).
                 {0, 45, 180 - std::atan(1 / std::sin(23.44 * M_PI / 180)) * 180 / M_PI}};
    for (const auto& c : cases) {
        EXPECT_LT(Apart(TropicalAscendant(c.Sidereal, c.Latitude, 23.44), c.Expected), 1e-9)
            << c.Sidereal << " " << c.Latitude;
    }
}

TEST(Ascendant, IsTheEclipticPointRisingInTheEast) {
    // The Lagna is where the ecliptic meets the horizon and is rising: its
    // altitude, from its own right ascension and declination, is zero and its
    // hour angle lies east of the meridian. Inside the polar circles the
    // other meeting point, setting in the west, is the one to avoid.
    constexpr double kEpsilon = 23.44;
    const double e = kEpsilon * M_PI / 180;
    const double latitudes[] = {0, 28.6, 60, 66, 66.6, 67, 70, 80, 89.9, -45, -66.6, -70, -89.9};
    for (const double latitude : latitudes) {
        for (int sidereal = 0; sidereal < 360; sidereal += 15) {
            const double lagna = TropicalAscendant(sidereal, latitude, kEpsilon) * M_PI / 180;
            const double rightAscension = std::atan2(std::sin(lagna) * std::cos(e), std::cos(lagna));
            const double declination = std::asin(std::sin(lagna) * std::sin(e));
            const double hourAngle = sidereal * M_PI / 180 - rightAscension;
            const double phi = latitude * M_PI / 180;
            const double altitude =
                std::asin(std::sin(phi) * std::sin(declination) +
                          std::cos(phi) * std::cos(declination) * std::cos(hourAngle));
            EXPECT_NEAR(altitude, 0, 1e-9) << sidereal << " " << latitude;
            EXPECT_LT(std::sin(hourAngle), 0) << sidereal << " " << latitude;
        }
    }
}

TEST(DocumentedSky, LagnaAtNewDelhiOn1950January1) {
    // New Delhi 28°36'N 77°12'E, 1950 January 1 0h UT: the sidereal Lagna is
    // Scorpio 22°13' with the Lahiri ayanamsa. The documented ayanamsa is
    // within a few arc minutes of Lahiri, and so is this Lagna. Both a clock
    // at Greenwich time and one at Indian time reach 0h UT.
    constexpr double kPublished = 210 + 22 + 13 / 60.0;
    constexpr double kToleranceDegrees = 5 / 60.0;
    const struct {
        int Hour, Minute, ZoneHours, ZoneMinutes;
    } clocks[] = {{0, 0, 0, 0}, {5, 30, -5, -30}};
    for (const auto& c : clocks) {
        ChartState chart = Birth(1950, 1, 1, c.Hour, c.Minute);
        SetPlace(chart, c.ZoneHours, c.ZoneMinutes, 77, true);
        chart.LonMinutes = 12;
        chart.LatDegrees = 28;
        chart.LatMinutes = 36;
        RunEngines(chart);
        EXPECT_LT(Apart(chart.LagnaLongitude, kPublished), kToleranceDegrees)
            << chart.LagnaLongitude;
        EXPECT_EQ(chart.SkyName, kDocumentedSkyName);
    }
}

// The Lagna is taken at the instant the clock showed, the zone's offset and
// any daylight-saving hour taken off, wherever the place lies; the grahas
// keep their documented time base. Expected: the sidereal ascendant of the
// Swiss Ephemeris (swe_houses_ex, Lahiri) called directly at that UT.
struct TrueInstantCase {
    const char* Name;
    int Year, Month, Day, Hour, Minute;
    int ZoneHours, ZoneMinutes;  // the table's signed offset, positive west
    bool Dst;
    int LatDegrees, LatMinutes, LonDegrees, LonMinutes;
    bool East;
    double Expected;  // sidereal degrees
    bool South = false;
};

const TrueInstantCase kTrueInstants[] = {
    {"London, GMT with daylight saving (11:00 UT)", 1990, 7, 15, 12, 0, 0, 0, true, 51, 30, 0,
     8, false, 150 + 11 + 50.8 / 60},
    {"London on British Summer Time (11:00 UT)", 1990, 7, 15, 12, 0, -1, 0, false, 51, 30, 0, 8,
     false, 150 + 11 + 50.8 / 60},
    {"Madrid on Central European Time (11:00 UT)", 1990, 1, 15, 12, 0, -1, 0, false, 40, 25, 3,
     42, false, 330 + 16 + 29.9 / 60},
    {"Chicago, CST with daylight saving (14:30 UT)", 1990, 7, 4, 9, 30, 6, 0, true, 41, 51, 87,
     39, false, 120 + 6 + 43.1 / 60},
    {"New Delhi on IST (6:30 UT)", 1977, 9, 16, 12, 0, -5, -30, false, 28, 36, 77, 12, true,
     210 + 15 + 22.2 / 60},
    // South of the equator: the same places mirrored north would rise 7
    // degrees on, at 22 Pis 11 and 14 Vir 31.
    {"Sydney, AEST with daylight saving (01:00 UT)", 1990, 1, 15, 12, 0, -10, 0, true, 33, 52,
     151, 12, true, 330 + 15 + 4.6 / 60, true},
    {"Buenos Aires on Argentina Time (15:00 UT)", 1990, 7, 15, 12, 0, 3, 0, false, 34, 36, 58,
     22, false, 150 + 21 + 27.4 / 60, true},
};

TEST(DocumentedSky, LagnaAtTheBirthsTrueInstant) {
    // The documented ayanamsa, obliquity and sidereal time stay within this
    // of the library's.
    constexpr double kToleranceDegrees = 3 / 60.0;
    for (const TrueInstantCase& c : kTrueInstants) {
        ChartState chart = Birth(c.Year, c.Month, c.Day, c.Hour, c.Minute);
        SetPlace(chart, c.ZoneHours, c.ZoneMinutes, c.LonDegrees, c.East, c.Dst);
        chart.LonMinutes = static_cast<std::int16_t>(c.LonMinutes);
        chart.LatDegrees = static_cast<std::int16_t>(c.LatDegrees);
        chart.LatMinutes = static_cast<std::int16_t>(c.LatMinutes);
        chart.LatDirection = c.South ? kTrue : kFalse;
        RunEngines(chart);
        ASSERT_TRUE(std::isfinite(chart.LagnaLongitude)) << c.Name;
        EXPECT_LT(Apart(chart.LagnaLongitude, c.Expected), kToleranceDegrees)
            << c.Name << ": " << chart.LagnaLongitude;
    }
}

TEST(DocumentedSky, AyanamsaIsThePlanetEnginesAtTheBirth) {
    // The planet engine's formula (80861.27" at 1900 January 0.5, 5025.64"
    // + 1.11"T a century, its two nutation terms) worked in Python at each
    // birth's UT: 1990-07-15 11:00, 1950-01-01 0:00 and 2000-01-01 12:00.
    // Only the instant matters, not the place.
    const struct {
        int Year, Month, Day, Hour, Minute, ZoneHours, ZoneMinutes;
        bool Dst;
        double Expected;
    } cases[] = {{1990, 7, 15, 12, 0, 0, 0, true, 23.729617292720242},
                 {1950, 1, 1, 5, 30, -5, -30, false, 23.158663813113122},
                 {2000, 1, 1, 12, 0, 0, 0, false, 23.85399089280802}};
    for (const auto& c : cases) {
        ChartState chart = Birth(c.Year, c.Month, c.Day, c.Hour, c.Minute);
        SetPlace(chart, c.ZoneHours, c.ZoneMinutes, 0, false, c.Dst);
        RunEngines(chart);
        EXPECT_NEAR(chart.AyanamsaDegrees, c.Expected, 1e-9) << c.Year;
    }
}

TEST(DocumentedSky, NoLagnaOffTheGlobeNorAtAPole) {
    // The boxes take three digits each; only places on the Earth have a
    // horizon, up to the date line itself. At a pole the whole ecliptic
    // lies on the horizon, and nothing rises.
    const struct {
        int LatDegrees, LatMinutes, LonDegrees, LonMinutes;
        bool South, HasLagna;
    } cases[] = {{28, 36, 77, 12, false, true},   {89, 59, 180, 0, false, true},
                 {89, 59, 0, 0, true, true},      {90, 0, 180, 0, false, false},
                 {90, 0, 77, 12, true, false},    {89, 60, 179, 60, false, false},
                 {90, 1, 77, 12, false, false},   {91, 0, 0, 0, false, false},
                 {28, 36, 180, 1, false, false},  {0, 0, 181, 0, false, false},
                 {999, 999, 999, 999, false, false}};
    for (const auto& c : cases) {
        ChartState chart = Birth(1950, 1, 1, 0, 0);
        SetPlace(chart, 0, 0, c.LonDegrees, true);
        chart.LonMinutes = static_cast<std::int16_t>(c.LonMinutes);
        chart.LatDegrees = static_cast<std::int16_t>(c.LatDegrees);
        chart.LatMinutes = static_cast<std::int16_t>(c.LatMinutes);
        chart.LatDirection = c.South ? kTrue : kFalse;
        RunEngines(chart);
        EXPECT_EQ(std::isfinite(chart.LagnaLongitude), c.HasLagna)
            << c.LatDegrees << ":" << c.LatMinutes << " " << c.LonDegrees << ":" << c.LonMinutes;
    }
}

TEST(DocumentedSky, LongitudesAreTheEnginesOwn) {
    // 2000 January 1, 12:00 at Greenwich: the engine's published sidereal
    // longitudes of the Sun to Saturn and the nodes.
    ChartState chart = Birth(2000, 1, 1, 12, 0);
    SetPlace(chart, 0, 0, 0, false);
    RunEngines(chart);
    const struct {
        Graha G;
        double Longitude;
    } cases[] = {{kSun, 256.525641},  {kMercury, 248.052033}, {kVenus, 217.724078},
                 {kMars, 304.128811}, {kJupiter, 1.507144},   {kSaturn, 16.360671},
                 {kRahu, 100.268517}, {kKetu, 280.268517}};
    for (const auto& c : cases) {
        EXPECT_NEAR(chart.GrahaLongitudes[c.G], c.Longitude, 1e-6) << c.G;
    }
    // The Moon's position text is made from the same number.
    EXPECT_EQ(static_cast<int>(chart.GrahaLongitudes[kMoon]) % 30,
              std::stoi(chart.PlanetPositionTexts[kMoon].substr(0, 2)));
}

TEST(DocumentedSky, RetrogradeAsTheAlmanacsHaveIt) {
    // 1990 July 15: Saturn retrograde (April to September 1990), the other
    // planets direct. 2000 January 1: Saturn retrograde until January 12,
    // Jupiter direct since its December 1999 station. Sun and Moon never,
    // the mean nodes always.
    const struct {
        int Year, Month, Day;
        std::array<bool, kGrahaCount> Retrograde;
    } cases[] = {
        {1990, 7, 15, {false, false, false, false, false, false, true, true, true}},
        {2000, 1, 1, {false, false, false, false, false, false, true, true, true}},
        // 1990 December 20: Mercury retrograde (mid December to early
        // January), Mars (late October to January 1), Jupiter (from its
        // station a month before the 1991 January opposition).
        {1990, 12, 20, {false, false, true, false, true, true, false, true, true}},
    };
    for (const auto& c : cases) {
        ChartState chart = Birth(c.Year, c.Month, c.Day, 12, 0);
        SetPlace(chart, 0, 0, 0, false);
        RunEngines(chart);
        for (int g = 0; g < kGrahaCount; ++g) {
            EXPECT_EQ(chart.GrahaRetrograde[static_cast<std::size_t>(g)],
                      c.Retrograde[static_cast<std::size_t>(g)])
                << c.Year << "-" << c.Month << "-" << c.Day << " graha " << g;
        }
    }
}

}  // namespace
}  // namespace tavrinel
