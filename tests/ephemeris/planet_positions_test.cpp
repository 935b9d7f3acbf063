#include "ephemeris/planet_positions.h"

#include <cmath>

#include <gtest/gtest.h>

#include "ephemeris/moon_position.h"
#include "tests/ephemeris/chart_builder.h"

namespace tavrinel {
namespace {

// Reference values are quoted to a fixed number of decimals; allow half a unit
// of the last one. EXPECT_NEAR fails on NaN, since NaN never compares <=.
constexpr double kEightDecimals = 5e-9;
constexpr double kSevenDecimals = 5e-8;
constexpr double kSixDecimals = 5e-7;
// Library trigonometry against the program's 15-digit pi.
constexpr double kRounding = 1e-12;
constexpr double kPi = 3.14159265358979;
constexpr double kTurn = 6.28318530717958;

// The Moon's entry is the short form of the Moon engine's long text
// (DD° MM' SS" Sgn): degrees, sign, minutes.
std::string MoonShortText(const std::string& longText) {
    const std::size_t degreeSign = longText.find("\xC2\xB0");
    const std::size_t minuteSign = longText.find('\'');
    if (degreeSign == std::string::npos || minuteSign == std::string::npos || longText.size() < 3) {
        return "unreadable: " + longText;
    }
    std::string degrees = longText.substr(0, degreeSign);
    std::string minutes = longText.substr(degreeSign + 3, minuteSign - degreeSign - 3);
    const auto twoDigits = [](std::string text) { return text.size() < 2 ? "0" + text : text; };
    return twoDigits(degrees) + " " + longText.substr(longText.size() - 3) + " " +
           twoDigits(minutes);
}

TEST(DayNumbers, DateToDayNumber) {
    EXPECT_EQ(DateToDayNumber(1, 1, 2000), 2451545);
    EXPECT_EQ(DateToDayNumber(7, 15, 1990), 2448088);
    EXPECT_EQ(DateToDayNumber(2, 29, 2000), 2451604);
    EXPECT_EQ(DateToDayNumber(3, 1, 1900), DateToDayNumber(2, 28, 1900) + 1);
    EXPECT_EQ(DateToDayNumber(10, 15, 1582), 2299171);  // kept in the Julian count
    EXPECT_EQ(DateToDayNumber(10, 16, 1582), 2299162);
}

TEST(DayNumbers, DaysFromJ2000MatchesJulianDatesInsideItsSpan) {
    // Julian Date minus 2451545.0, computed independently from the civil dates.
    EXPECT_EQ(DaysFromJ2000(2000, 1, 1, 12, 0), 0);
    EXPECT_EQ(DaysFromJ2000(1900, 3, 1, 0, 0), -36465.5);
    EXPECT_EQ(DaysFromJ2000(2100, 2, 28, 0, 0), 36582.5);
    EXPECT_EQ(DaysFromJ2000(2000, 2, 29, 0, 0), 58.5);
    EXPECT_NEAR(DaysFromJ2000(1990, 7, 15, 6, 30), -3457.2291667, kSevenDecimals);
}

TEST(TimeBase, PlanetAyanamsa) {
    EXPECT_NEAR(ComputeAyanamsaCorrection1900(0), -22.46628210, kEightDecimals);
    EXPECT_NEAR(ComputeAyanamsaCorrection1900(0.5), -23.15866381, kEightDecimals);
    ChartState chart = Birth(2000, 1, 1, 12, 0);
    ComputeTimeAndAyanamsa(chart);
    EXPECT_EQ(chart.PlanetDayNumber, 2451545);
    EXPECT_EQ(chart.PlanetUniversalHours, 12);
    EXPECT_EQ(chart.PlanetCenturies1900, 1);
    EXPECT_NEAR(chart.PlanetAyanamsaCorrection, -23.85399089, kEightDecimals);
}

// The ayanamsa and the Moon share this rule: the site's hemisphere (longitude
// 0 counts as West, whatever the option) decides the zone's direction,
// daylight saving widens an eastern zone and narrows a western one, and hours
// outside 0..24 stay on the civil date.
TEST(TimeBase, BothEnginesFollowTheHemisphere) {
    struct Case {
        int hour, minute, zoneHours, zoneMinutes, lonDegrees;
        bool east, dst;
        double universalHours;
        double julianDate;  // of the instant: 2000-01-01 0h UT is JD 2451544.5
    };
    const Case cases[] = {
        {12, 0, 5, 30, 77, true, false, 6.5, 2451544.7708333},
        {12, 0, 5, 30, 77, false, false, 17.5, 2451545.2291667},
        {12, 0, 5, 30, 77, true, true, 5.5, 2451544.7291667},
        {22, 0, 5, 0, 75, false, true, 26, 2451545.5833333},
        {12, 0, 1, 0, 3, false, false, 13, 2451545.0416667},
        {12, 0, 5, 30, 0, true, false, 17.5, 2451545.2291667},
        {12, 0, 0, 0, 0, false, true, 11, 2451544.9583333},
        {0, 30, 5, 0, 77, true, false, -4.5, 2451544.3125},
    };
    for (const Case& c : cases) {
        ChartState chart = Birth(2000, 1, 1, c.hour, c.minute);
        SetPlace(chart, c.zoneHours, c.zoneMinutes, c.lonDegrees, c.east, c.dst);
        ComputeTimeAndAyanamsa(chart);
        CalculateMoon(chart);
        EXPECT_EQ(chart.PlanetUniversalHours, c.universalHours) << c.hour << " " << c.lonDegrees;
        EXPECT_EQ(chart.UniversalHours, c.universalHours) << c.hour << " " << c.lonDegrees;
        EXPECT_EQ(chart.BirthDayNumber, 2451545);
        // Julian centuries from J2000.0 (JD 2451545.0) of 36525 days.
        EXPECT_NEAR(chart.JulianCenturies * 36525 + 2451545, c.julianDate, kSevenDecimals);
    }
}

TEST(KeplerTheory, GeocentricLongitudesAtJ2000) {
    const double expected[kTheoryBodyCount] = {271.9060244, 241.5780684, 280.3796320,
                                               327.9828017, 25.3611344,  40.2146616};
    ChartState chart;
    for (int body = 0; body < kTheoryBodyCount; ++body) {
        GeocentricLongitude(chart, body, 0);
        EXPECT_NEAR(chart.PlanetLongitude, expected[body], kSevenDecimals) << body;
    }
}

TEST(KeplerTheory, AngleHelpers) {
    EXPECT_EQ(ReduceRadians(-kTurn * 3), 0);
    EXPECT_NEAR(ReduceRadians(-kPi / 2), 3 * kPi / 2, kRounding);
    EXPECT_EQ(ReduceRadians(0), 0);
    EXPECT_EQ(ReduceRadians(kTurn), 0);
    EXPECT_NEAR(ReduceRadians(7 * kTurn + 1), 1, kRounding);

    EXPECT_EQ(ArcTan2(0, -1), 0);
    EXPECT_EQ(ArcTan2(0, 0), 0);
    EXPECT_EQ(ArcTan2(1, 0), kPi / 2);
    EXPECT_EQ(ArcTan2(-1, 0), -kPi / 2);
    EXPECT_NEAR(ArcTan2(1, -1), 3 * kPi / 4, kRounding);
    EXPECT_NEAR(ArcTan2(-1, -1), -3 * kPi / 4, kRounding);
    EXPECT_NEAR(ArcTan2(-1, 1), -kPi / 4, kRounding);
}

TEST(KeplerTheory, TrueAnomalySolvesKeplersEquation) {
    for (double e : {0.00677323, 0.01671022, 0.09341233, 0.20563069}) {
        EXPECT_EQ(TrueAnomaly(0, e), 0);
        EXPECT_NEAR(TrueAnomaly(kPi, e), kPi, kRounding);
        for (double M = 0.05; M < kTurn; M += 0.25) {
            const double nu = TrueAnomaly(M, e);
            ASSERT_TRUE(nu >= 0 && nu < kTurn) << nu;
            // Back from the true to the eccentric anomaly, then Kepler's residual.
            const double E = 2 * std::atan(std::sqrt((1 - e) / (1 + e)) * std::tan(nu / 2));
            const double residual = std::remainder(E - e * std::sin(E) - M, kTurn);
            EXPECT_NEAR(residual, 0, kRounding) << "e " << e << " M " << M;
        }
    }
}

TEST(PlanetPositions, J2000Chart) {
    ChartState chart = Birth(2000, 1, 1, 12, 0);
    ComputeTimeAndAyanamsa(chart);
    CalculateMoon(chart);
    ComputePlanetPositions(chart);
    const std::array<std::string, kGrahaCount> expected = {
        "16 Sag 31", MoonShortText(chart.MoonPositionText),
        "08 Sag 03", "07 Sco 43",
        "04 Aqu 07", "01 Ari 30",
        "16 Ari 21", "10 Can 16",
        "10 Cap 16"};
    EXPECT_EQ(chart.PlanetPositionTexts, expected);
    EXPECT_EQ(chart.GrahaNames[kMoon], "Chandra");
    EXPECT_EQ(chart.GrahaNames[kKetu], "Ketu");
    EXPECT_NEAR(chart.PlanetLongitude, 16.360671, kSixDecimals);  // Saturn, the last body
}

TEST(PlanetPositions, IndianTimeChart) {
    // The reference ayanamsa -23.72960803 is that of an East site (here 77 E):
    // U = 12 - 5.5. A West site would give U = 17.5 and -23.72963066.
    ChartState chart = Birth(1990, 7, 15, 12, 0);
    SetPlace(chart, -5, -30, 77, true);
    ComputeTimeAndAyanamsa(chart);
    EXPECT_NEAR(chart.PlanetAyanamsaCorrection, -23.72960803, kEightDecimals);
    CalculateMoon(chart);
    ComputePlanetPositions(chart);
    const std::array<std::string, kGrahaCount> expected = {
        "28 Gem 55", MoonShortText(chart.MoonPositionText),
        "12 Can 45", "00 Gem 32",
        "08 Ari 11", "28 Gem 56",
        "28 Sag 16", "13 Cap 27",
        "13 Can 27"};
    EXPECT_EQ(chart.PlanetPositionTexts, expected);
}

// The calendar shift is seen through the texts: a shifted chart must equal
// the chart typed directly at the resulting Universal Time (the long texts
// carry seconds, and the Sun alone moves 2.5" a minute).
TEST(PlanetPositions, ZoneShiftMovesTheCivilDate) {
    struct Case {
        int local[5];
        int shiftHours, shiftMinutes;
        int universal[5];
    };
    const Case cases[] = {
        {{1999, 12, 31, 23, 30}, 5, 0, {2000, 1, 1, 4, 30}},   // into the next year
        {{2000, 1, 1, 2, 0}, -5, 0, {1999, 12, 31, 21, 0}},    // back to the last year
        {{2000, 3, 1, 1, 0}, -5, 0, {2000, 2, 29, 20, 0}},     // back onto the leap day
        {{1990, 3, 1, 5, 0}, -5, -30, {1990, 2, 28, 23, 30}},  // minutes cross midnight
        {{2000, 2, 28, 22, 0}, 5, 0, {2000, 2, 29, 3, 0}},     // leap day
        {{1900, 2, 28, 22, 0}, 5, 0, {1900, 3, 1, 3, 0}},      // no leap day in 1900
        {{2000, 3, 31, 24, 0}, 0, 0, {2000, 4, 1, 0, 0}},      // hour 24 rolls over
        {{2050, 12, 31, 24, 0}, 13, 0, {2051, 1, 1, 13, 0}},
    };
    for (const Case& c : cases) {
        ChartState shifted = Birth(c.local[0], c.local[1], c.local[2], c.local[3], c.local[4]);
        shifted.ZoneShiftHours = static_cast<std::int16_t>(c.shiftHours);
        shifted.ZoneShiftMinutes = static_cast<std::int16_t>(c.shiftMinutes);
        ChartState direct =
            Birth(c.universal[0], c.universal[1], c.universal[2], c.universal[3], c.universal[4]);
        shifted.PlanetAyanamsaCorrection = direct.PlanetAyanamsaCorrection = -23.85;
        ComputePlanetPositions(shifted);
        ComputePlanetPositions(direct);
        EXPECT_EQ(shifted.TheoryPositionTexts, direct.TheoryPositionTexts) << c.local[0];
        EXPECT_EQ(shifted.RahuText, direct.RahuText) << c.local[0];
    }
}

// 02:00 at UT+5:30 on the 1st of a month is 20:30 UT on the last day of the
// month before. The month lengths are the Gregorian calendar's, written out
// here rather than taken from the engine.
TEST(PlanetPositions, ZoneShiftBackOverTheFirstOfEveryMonth) {
    struct Case {
        int Year, Month;
        int PreviousYear, PreviousMonth, LastDay;
    };
    const Case cases[] = {
        {1990, 1, 1989, 12, 31}, {1990, 2, 1990, 1, 31},  {1990, 3, 1990, 2, 28},
        {1990, 4, 1990, 3, 31},  {1990, 5, 1990, 4, 30},  {1990, 6, 1990, 5, 31},
        {1990, 7, 1990, 6, 30},  {1990, 8, 1990, 7, 31},  {1990, 9, 1990, 8, 31},
        {1990, 10, 1990, 9, 30}, {1990, 11, 1990, 10, 31}, {1990, 12, 1990, 11, 30},
        {2000, 3, 2000, 2, 29},  {1900, 3, 1900, 2, 28},  {2048, 3, 2048, 2, 29},
    };
    for (const Case& c : cases) {
        ChartState shifted = Birth(c.Year, c.Month, 1, 2, 0);
        SetPlace(shifted, -5, -30, 77, true);
        ChartState direct = Birth(c.PreviousYear, c.PreviousMonth, c.LastDay, 20, 30);
        shifted.PlanetAyanamsaCorrection = direct.PlanetAyanamsaCorrection = -23.73;
        ComputePlanetPositions(shifted);
        ComputePlanetPositions(direct);
        EXPECT_EQ(shifted.TheoryPositionTexts, direct.TheoryPositionTexts) << c.Year << '-' << c.Month;
        EXPECT_EQ(shifted.RahuText, direct.RahuText) << c.Year << '-' << c.Month;
    }
}

// The whole chart of 1990-09-01 02:00 IST at 77 E. The Sun cross-checked by
// the low-precision solar formula of the Astronomical Almanac (L = 280.460 +
// 0.9856474 n, g = 357.528 + 0.9856003 n, lambda = L + 1.915 sin g + 0.020
// sin 2g): 158.164 degrees of date at 1990-08-31 20:30 UT, plus 0.130 of
// precession back to the J2000 equinox, less the ayanamsa of 23.730, is
// 134.56 = 14 Leo 34. A day early (August 30) it would be 13 Leo 36.
TEST(PlanetPositions, SunAfterTheShiftBackIntoAugust) {
    ChartState chart = Birth(1990, 9, 1, 2, 0);
    SetPlace(chart, -5, -30, 77, true);
    ComputeTimeAndAyanamsa(chart);
    CalculateMoon(chart);
    ComputePlanetPositions(chart);
    EXPECT_EQ(chart.PlanetPositionTexts[kSun], "14 Leo 34");
}

TEST(PlanetPositions, UnreadableMoonTextStopsAtTheMoon) {
    ChartState chart = Birth(2000, 1, 1, 12, 0);
    ComputeTimeAndAyanamsa(chart);
    chart.MoonPositionText = "19 Lib 27";
    chart.PlanetPositionTexts.fill("previous");
    ComputePlanetPositions(chart);
    EXPECT_EQ(chart.PlanetPositionTexts[kSun], "16 Sag 31");
    for (int g = kMoon; g < kGrahaCount; ++g) {
        EXPECT_EQ(chart.PlanetPositionTexts[g], "previous") << g;
    }
}

}  // namespace
}  // namespace tavrinel
