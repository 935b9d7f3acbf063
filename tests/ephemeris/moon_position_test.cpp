#include "ephemeris/moon_position.h"

#include <gtest/gtest.h>

#include "ephemeris/planet_positions.h"
#include "tests/ephemeris/chart_builder.h"

namespace tavrinel {
namespace {

// Reference values are quoted to four decimals (half a unit of slack); the
// centuries to all their digits. EXPECT_NEAR fails on NaN.
constexpr double kFourDecimals = 5e-5;
constexpr double kFullDigits = 1e-16;

TEST(Moon, ReferenceChart) {
    ChartState chart = Birth(1992, 4, 12, 0, 0);
    CalculateMoon(chart);
    EXPECT_EQ(chart.BirthDayNumber, 2448725);
    EXPECT_NEAR(chart.JulianCenturies, -0.0772210814510609, kFullDigits);
    EXPECT_NEAR(chart.AyanamsaCorrection, -23.7541, kFourDecimals);
    EXPECT_NEAR(chart.MoonLongitude, 109.4039, kFourDecimals);
    EXPECT_NEAR(chart.MoonLongitude - chart.AyanamsaCorrection, 133.1581, kFourDecimals);
    EXPECT_EQ(chart.MoonPositionText, "19\u00B0 24' 14\" Can");

    ComputeTimeAndAyanamsa(chart);
    ComputePlanetPositions(chart);
    EXPECT_EQ(chart.PlanetPositionTexts[kMoon], "19 Can 24");
}

TEST(Moon, J2000Epoch) {
    EXPECT_NEAR(ComputeAyanamsaCorrection(0), -23.8537, kFourDecimals);
    ChartState chart = Birth(2000, 1, 1, 12, 0);
    CalculateMoon(chart);
    EXPECT_EQ(chart.BirthDayNumber, 2451545);
    EXPECT_EQ(chart.UniversalHours, 12);
    EXPECT_EQ(chart.JulianCenturies, 0);
}

}  // namespace
}  // namespace tavrinel
