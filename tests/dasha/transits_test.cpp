// The sky on a date over Ann's chart (documented sky, Moon 356.3° in sidereal
// Pisces). Expected signs are published Lahiri ingresses: Saturn in Capricorn
// from 2020-01-24, Aquarius 2023-01-17 to 2025-03-29, Pisces to 2027-06-03
// (and again 2027-10-20 to 2028-02-23), Aries to 2029-08-08; the Sun enters
// sidereal Sagittarius about 16 December, Scorpio about 16 November.
#include <gtest/gtest.h>

#include "tests/dasha/anns_chart.h"

#include <cmath>

#include "calculation/calculation.h"
#include "dasha/dasha_time.h"
#include "dasha/transits.h"

namespace tavrinel {
namespace {

constexpr int kAri = 0, kSco = 7, kCap = 9, kAqu = 10, kPis = 11;

using testing::AnnsChart;

TEST(SadeSati, PhasesBySaturnsSignFromTheMoon) {
    struct Row {
        int Saturn;
        int Moon;
        SadeSati Phase;
        int Counted;
    };
    const Row rows[] = {
        {kAqu, kPis, SadeSati::Rising, 12}, {kPis, kPis, SadeSati::Peak, 1},
        {kAri, kPis, SadeSati::Setting, 2}, {1, kPis, SadeSati::None, 3},
        {kCap, kPis, SadeSati::None, 11},   {kPis, kAri, SadeSati::Rising, 12},
        {kAri, kAri, SadeSati::Peak, 1},    {kSco, kAri, SadeSati::None, 8},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SadeSatiPhase(row.Saturn, row.Moon), row.Phase) << row.Saturn << " " << row.Moon;
        EXPECT_EQ(SignCountedFrom(row.Moon, row.Saturn), row.Counted);
    }
    EXPECT_EQ(SadeSatiName(SadeSati::None), "none");
    EXPECT_EQ(SadeSatiName(SadeSati::Rising), "rising");
    EXPECT_EQ(SadeSatiName(SadeSati::Peak), "peak");
    EXPECT_EQ(SadeSatiName(SadeSati::Setting), "setting");
}

TEST(Transits, SaturnOverAnnsMoonThroughTheYears) {
    const ChartState chart = AnnsChart();
    ASSERT_EQ(static_cast<int>(chart.GrahaLongitudes[kMoon] / 30), kPis);
    ASSERT_TRUE(std::isfinite(chart.LagnaLongitude));
    const int lagnaSign = static_cast<int>(chart.LagnaLongitude / 30);
    struct Row {
        CivilTime On;  // on the zone's clock
        int Saturn;
        SadeSati Phase;
        int SaturnFromMoon;
    };
    const Row rows[] = {
        {{2021, 6, 1, 0, 0, 0}, kCap, SadeSati::None, 11},
        {{2024, 6, 1, 0, 0, 0}, kAqu, SadeSati::Rising, 12},
        {{2026, 12, 8, 0, 0, 0}, kPis, SadeSati::Peak, 1},
        {{2028, 6, 1, 0, 0, 0}, kAri, SadeSati::Setting, 2},
    };
    for (const Row& row : rows) {
        const TransitTable t =
            ComputeTransits(chart, JulianDayFromCivil(row.On, ZoneShiftHoursOf(chart)), {});
        ASSERT_TRUE(t.Ok) << t.SkyName;
        EXPECT_NE(t.SkyName.find("Lahiri"), std::string::npos);
        EXPECT_EQ(t.Signs[kSaturn], row.Saturn) << row.On.Year;
        EXPECT_EQ(t.SadeSatiPhase, row.Phase) << row.On.Year;
        EXPECT_EQ(t.SignFromMoon[kSaturn], row.SaturnFromMoon) << row.On.Year;
        EXPECT_EQ(t.SignFromLagna[kSaturn], (row.Saturn - lagnaSign + 12) % 12 + 1);
        EXPECT_EQ(t.Signs[kKetu], (t.Signs[kRahu] + 6) % 12);
    }
}

TEST(Transits, TheSunOnTheWorkedDateWithItsDignity) {
    const ChartState chart = AnnsChart();
    const double on = JulianDayFromCivil({2026, 12, 8, 0, 0, 0}, ZoneShiftHoursOf(chart));
    const TransitTable t = ComputeTransits(chart, on, {});
    ASSERT_TRUE(t.Ok);
    EXPECT_EQ(t.Signs[kSun], kSco);
    EXPECT_EQ(t.PositionTexts[kSun].substr(3, 3), "Sco");
    EXPECT_EQ(t.SignFromMoon[kSun], 9);  // Scorpio from Pisces
    EXPECT_EQ(t.Dignities[kSun], Dignity::Peregrine);
    // Saturn in Pisces is in no row of the table; Mercury there is debilitated.
    EXPECT_EQ(t.Dignities[kSaturn], Dignity::Peregrine);

    // The Sun in Leo up to its 20th degree is in Moolatrikona, past it in its
    // own sign: the degrees matter. 20 August and 14 September 2026, by the
    // ingress on about 17 August and the next on about 17 September.
    const TransitTable early = ComputeTransits(chart, JulianDayFromCivil({2026, 8, 20, 0, 0, 0}, -5.5), {});
    const TransitTable late = ComputeTransits(chart, JulianDayFromCivil({2026, 9, 14, 0, 0, 0}, -5.5), {});
    ASSERT_TRUE(early.Ok && late.Ok);
    EXPECT_EQ(early.Dignities[kSun], Dignity::Moolatrikona) << early.PositionTexts[kSun];
    EXPECT_EQ(late.Dignities[kSun], Dignity::Own) << late.PositionTexts[kSun];

    ChartState noLagna = chart;
    noLagna.LagnaLongitude = NAN;
    EXPECT_EQ(ComputeTransits(noLagna, on, {}).SignFromLagna[kSun], 0);
    ChartState noMoon = chart;
    noMoon.GrahaLongitudes[kMoon] = NAN;
    EXPECT_FALSE(ComputeTransits(noMoon, on, {}).Ok);
}

}  // namespace
}  // namespace tavrinel
