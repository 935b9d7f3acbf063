// The Vimshottari dasha against its rules as the tradition states them (the
// nine lords and their 120 years, nakshatras of 13°20' from 0° Aries), hand
// arithmetic on those rules, and a worked chart whose figures were computed
// outside the program: Ann's documented chart (1990-07-15 12:00 IST, New
// Delhi), Moon 356.30294° in Revati.
#include <gtest/gtest.h>

#include "tests/dasha/anns_chart.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "calculation/calculation.h"
#include "dasha/dasha_time.h"
#include "dasha/vimshottari.h"

namespace tavrinel {
namespace {

constexpr double kSecondDays = 1.0 / 86400;
constexpr double kMinuteDays = 60 * kSecondDays;
// Balances are given to five decimals of a year.
constexpr double kFiveDecimals = 5e-6;
constexpr double kLastSecondOfRevati = 360 - 1.0 / 3600;
constexpr double kNakshatra = 40.0 / 3;  // 13°20'

std::array<Dignity, kGrahaCount> AllPeregrine() {
    std::array<Dignity, kGrahaCount> d{};
    d.fill(Dignity::Peregrine);
    return d;
}

VimshottariDasha Dasha(double moon, int levels, DashaYear year = DashaYear::Sidereal,
                       double birth = 2448087.770833333) {
    const auto dasha = ComputeVimshottari(birth, moon, AllPeregrine(), {year, levels});
    EXPECT_TRUE(dasha.has_value());
    return dasha.value_or(VimshottariDasha{});
}

TEST(Vimshottari, LordAndBalanceAtNakshatraEdges) {
    struct Row {
        double Moon;
        Graha Lord;
        double Balance;  // years, by hand: (1 - part crossed) x lord's years
    };
    const Row rows[] = {
        {0, kKetu, 7},
        {13 + 20.0 / 60, kVenus, 20},  // written in minutes, as users type it
        {kNakshatra, kVenus, 20},
        {kNakshatra - 1e-9, kVenus, 20},  // within the mansions' own slack
        {26 + 40.0 / 60, kSun, 6},
        {120, kKetu, 7},  // Magha: the order starts again
        {240, kKetu, 7},  // Mula
        {kLastSecondOfRevati, kMercury, 17 * (1.0 / 3600) / kNakshatra},
        {360, kKetu, 7},
        {-0.5, kMercury, 17 * 0.5 / kNakshatra},
        {356.30294, kMercury, 17 * (360 - 356.30294) / kNakshatra},
    };
    for (const Row& row : rows) {
        const VimshottariDasha dasha = Dasha(row.Moon, 1);
        EXPECT_EQ(dasha.BirthLord, row.Lord) << row.Moon;
        EXPECT_NEAR(dasha.BalanceYears, row.Balance, kFiveDecimals) << row.Moon;
        EXPECT_EQ(dasha.Levels[0].front().Lord, row.Lord) << row.Moon;
        EXPECT_NEAR(dasha.Levels[0].front().EndUt - dasha.BirthUt, row.Balance * dasha.YearDays,
                    kSecondDays)
            << row.Moon;
    }
    EXPECT_FALSE(ComputeVimshottari(2448087.5, NAN, AllPeregrine(), {}).has_value());
    EXPECT_FALSE(ComputeVimshottari(NAN, 10, AllPeregrine(), {}).has_value());
}

TEST(Vimshottari, SubPeriodsFillTheirParentToTheSecondAtEveryLevel) {
    const VimshottariDasha dasha = Dasha(200.123, kDashaLevels);
    ASSERT_EQ(dasha.LevelCount(), kDashaLevels);
    std::size_t expected = 9;
    for (int level = 0; level < kDashaLevels; ++level) {
        ASSERT_EQ(dasha.Levels[static_cast<std::size_t>(level)].size(), expected);
        expected *= 9;
    }
    EXPECT_EQ(dasha.Levels[4].size(), 59049u);
    // Ketu 7, Venus 20, Sun 6, Moon 10, Mars 7, Rahu 18, Jupiter 16, Saturn 19, Mercury 17.
    const std::array<Graha, 9> order = {kKetu, kVenus, kSun, kMoon, kMars,
                                        kRahu, kJupiter, kSaturn, kMercury};
    const std::array<int, 9> years = {7, 20, 6, 10, 7, 18, 16, 19, 17};
    const auto place = [&](Graha g) {
        return static_cast<std::size_t>(std::find(order.begin(), order.end(), g) - order.begin());
    };
    for (int level = 0; level + 1 < kDashaLevels; ++level) {
        const auto& parents = dasha.Levels[static_cast<std::size_t>(level)];
        for (std::size_t i = 0; i < parents.size(); ++i) {
            const DashaPeriod& parent = parents[i];
            const auto subs = dasha.SubPeriods(level, i);
            ASSERT_EQ(subs.size(), 9u);
            const double length = parent.EndUt - parent.StartUt;
            ASSERT_NEAR(subs.front().StartUt, parent.StartUt, kSecondDays);
            ASSERT_NEAR(subs.back().EndUt, parent.EndUt, kSecondDays);
            for (std::size_t k = 0; k < 9; ++k) {
                const std::size_t p = (place(parent.Lord) + k) % 9;
                ASSERT_EQ(subs[k].Lord, order[p]) << level << " " << i << " " << k;
                ASSERT_NEAR(subs[k].EndUt - subs[k].StartUt, length * years[p] / 120, kSecondDays);
                if (k > 0) {
                    ASSERT_NEAR(subs[k].StartUt, subs[k - 1].EndUt, kSecondDays);
                }
            }
        }
    }
    EXPECT_TRUE(dasha.SubPeriods(kDashaLevels - 1, 0).empty());
    // The nine mahadashas from Vishakha's lord, Jupiter, fill the 120 years.
    EXPECT_EQ(dasha.BirthLord, kJupiter);
    EXPECT_NEAR(dasha.Levels[0].back().EndUt - dasha.Levels[0].front().StartUt,
                120 * 365.256363, kSecondDays);
}

TEST(Vimshottari, TheFourYearLengthsAreNamedAndCounted) {
    struct Row {
        DashaYear Year;
        const char* Key;
        double Days;
        const char* Name;
    };
    const Row rows[] = {{DashaYear::Sidereal, "sidereal", 365.256363, "sidereal year of 365.256363 days"},
                        {DashaYear::Julian, "julian", 365.25, "Julian year of 365.25 days"},
                        {DashaYear::Gregorian, "gregorian", 365.2425, "Gregorian year of 365.2425 days"},
                        {DashaYear::Savana, "savana", 360, "savana year of 360 days"}};
    for (const Row& row : rows) {
        const VimshottariDasha dasha = Dasha(0, 2, row.Year);
        EXPECT_EQ(dasha.YearDays, row.Days);
        EXPECT_EQ(dasha.Year, row.Year);
        EXPECT_EQ(ParseDashaYear(row.Key), row.Year);
        EXPECT_EQ(DashaYearOf(row.Year).Name, row.Name);
        // Moon at 0°: Ketu's seven years begin at birth, Venus's twenty follow.
        EXPECT_NEAR(dasha.Levels[0][0].StartUt, dasha.BirthUt, kSecondDays);
        EXPECT_NEAR(dasha.Levels[0][1].StartUt - dasha.BirthUt, 7 * row.Days, kSecondDays);
        EXPECT_NEAR(dasha.Levels[0][8].EndUt - dasha.BirthUt, 120 * row.Days, kSecondDays);
    }
    EXPECT_FALSE(ParseDashaYear("tropical").has_value());
    EXPECT_EQ(DashaYearOf(DashaYear::Sidereal).Days, 365.256363);
}

TEST(Vimshottari, RunningPeriodsOnTheirEdgesAreTheLaterOnes) {
    const VimshottariDasha dasha = Dasha(100, 3);
    const auto& maha = dasha.Levels[0];
    const auto& antar = dasha.Levels[1];
    const auto& pratyantar = dasha.Levels[2];
    struct Row {
        double Instant;
        std::vector<std::size_t> Running;
    };
    const Row rows[] = {
        {maha[0].StartUt, {0, 0, 0}},
        {maha[0].StartUt - kSecondDays, {}},
        {maha[1].StartUt, {1, 9, 81}},
        {maha[1].StartUt - kSecondDays, {0, 8, 80}},
        {antar[13].StartUt, {1, 13, 117}},
        {pratyantar[200].StartUt, {2, 22, 200}},
        {pratyantar[200].EndUt - kSecondDays, {2, 22, 200}},
        {maha[8].EndUt - kSecondDays, {8, 80, 728}},
        {maha[8].EndUt, {}},
        {NAN, {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(dasha.Running(row.Instant), row.Running) << std::fixed << row.Instant;
    }
}

// Hand arithmetic on the Gregorian calendar: J2000.0 is 2000-01-01 12:00 UT,
// the reform's first day 1582-10-15 began at JD 2299160.5.
TEST(DashaTime, CivilTimesAndIsoInstants) {
    struct Row {
        double JulianDay;
        double ZoneShift;  // hours, added to the clock to reach UT
        const char* Civil;
        const char* Iso;
    };
    const Row rows[] = {
        {2451545.0, 0, "2000-01-01 12:00", "2000-01-01T12:00:00Z"},
        {2299160.5, 0, "1582-10-15 00:00", "1582-10-15T00:00:00Z"},
        {2451545.0, -5.5, "2000-01-01 17:30", "2000-01-01T12:00:00Z"},
        {2451544.5 + 20.0 / 24, -5.5, "2000-01-02 01:30", "2000-01-01T20:00:00Z"},
        {2451544.5 + 2.0 / 24, 8, "1999-12-31 18:00", "2000-01-01T02:00:00Z"},
        {2451603.5 + 23.0 / 24 + 59.0 / 1440 + 59.4 / 86400, 0, "2000-02-29 23:59",
         "2000-02-29T23:59:59Z"},
        {2451603.5 + 23.0 / 24 + 59.0 / 1440 + 59.6 / 86400, 0, "2000-03-01 00:00",
         "2000-03-01T00:00:00Z"},
        {2448087.5 + 6.5 / 24, -5.5, "1990-07-15 12:00", "1990-07-15T06:30:00Z"},
    };
    for (const Row& row : rows) {
        const CivilTime civil = CivilFromJulianDay(row.JulianDay, row.ZoneShift);
        EXPECT_EQ(CivilText(civil), row.Civil) << row.Iso;
        EXPECT_EQ(IsoUtc(row.JulianDay), row.Iso);
        EXPECT_NEAR(JulianDayFromCivil(civil, row.ZoneShift), row.JulianDay, kSecondDays);
    }
}

// The clock the dates are read on and --on without Z is given on: the zone
// entry's standard clock, or a chart's exact offset where it has one (Nepal's
// +5:45, Venezuela's -4:30, Madras time +5:21:10, the Line Islands' +14),
// never the nearest entry that the file's zone line names. Midnight of
// 2026-12-08 on each clock, worked by hand into UT.
TEST(DashaTime, TheBirthsClockIsItsExactOffsetWhereItHasOne) {
    const struct {
        int ShiftHours, ShiftMinutes;  // the zone entry's, added to the clock to reach UT
        bool Dst;
        std::optional<int> Exact;  // seconds east
        double Shift;
        const char* Offset;
        const char* MidnightUt;
    } rows[] = {
        {-5, -30, false, std::nullopt, -5.5, "+05:30", "2026-12-07T18:30:00Z"},
        {-5, -30, true, std::nullopt, -5.5, "+05:30", "2026-12-07T18:30:00Z"},
        {3, 30, false, std::nullopt, 3.5, "-03:30", "2026-12-08T03:30:00Z"},
        {-5, -30, false, 20700, -5.75, "+05:45", "2026-12-07T18:15:00Z"},
        {4, 0, false, -16200, 4.5, "-04:30", "2026-12-08T04:30:00Z"},
        {-5, -30, false, 19270, -19270.0 / 3600, "+05:21:10", "2026-12-07T18:38:50Z"},
        {-13, 0, false, 50400, -14, "+14:00", "2026-12-07T10:00:00Z"},
        {-1, 0, true, 0, 0, "+00:00", "2026-12-08T00:00:00Z"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Offset);
        ChartState chart;
        chart.ZoneShiftHours = static_cast<std::int16_t>(row.ShiftHours);
        chart.ZoneShiftMinutes = static_cast<std::int16_t>(row.ShiftMinutes);
        chart.DaylightSaving = row.Dst ? kTrue : kFalse;
        chart.ExactUtcOffsetSeconds = row.Exact;
        EXPECT_NEAR(ZoneShiftHoursOf(chart), row.Shift, 1e-12);
        EXPECT_EQ(ZoneOffsetText(ZoneShiftHoursOf(chart)), row.Offset);
        const double midnight = MomentUt({{2026, 12, 8, 0, 0, 0}, false}, chart);
        EXPECT_EQ(IsoUtc(midnight), row.MidnightUt);
        EXPECT_EQ(CivilText(CivilFromJulianDay(midnight, ZoneShiftHoursOf(chart))),
                  "2026-12-08 00:00");
    }
}

TEST(Vimshottari, AnnsChartFromTheDocumentedMoon) {
    const ChartState chart = testing::AnnsChart();
    ASSERT_NEAR(chart.GrahaLongitudes[kMoon], 356.30294, kFiveDecimals);

    const auto dasha = ComputeVimshottari(chart, {DashaYear::Sidereal, 3});
    ASSERT_TRUE(dasha.has_value());
    EXPECT_EQ(IsoUtc(dasha->BirthUt), "1990-07-15T06:30:00Z");
    EXPECT_EQ(dasha->BirthLord, kMercury);
    EXPECT_NEAR(dasha->BalanceYears, 4.71376, kFiveDecimals);
    // Given to the minute.
    struct Edge {
        Graha Lord;
        CivilTime End;
    };
    const Edge edges[] = {{kMercury, {1995, 4, 2, 0, 0, 0}},
                          {kKetu, {2002, 4, 1, 19, 4, 0}},
                          {kVenus, {2022, 4, 1, 22, 7, 0}}};
    EXPECT_NEAR(dasha->Levels[0][0].StartUt, JulianDayFromCivil({1978, 4, 1, 15, 24, 0}),
                kMinuteDays);
    for (std::size_t i = 0; i < std::size(edges); ++i) {
        EXPECT_EQ(dasha->Levels[0][i].Lord, edges[i].Lord);
        EXPECT_NEAR(dasha->Levels[0][i].EndUt, JulianDayFromCivil(edges[i].End), kMinuteDays)
            << IsoUtc(dasha->Levels[0][i].EndUt);
    }
    // Each period carries its lord's dignity in the chart's own reading.
    const DignityAnalysis reading = ClassifyGrahas(chart);
    for (const auto& level : dasha->Levels) {
        for (const DashaPeriod& period : level) {
            ASSERT_EQ(period.LordDignity, reading.Dignities[period.Lord]);
        }
    }
    // 2026-12-08 on the zone's clock.
    const double on = JulianDayFromCivil({2026, 12, 8, 0, 0, 0}, ZoneShiftHoursOf(chart));
    std::vector<Graha> lords;
    const std::vector<std::size_t> running = dasha->Running(on);
    for (std::size_t level = 0; level < running.size(); ++level) {
        lords.push_back(dasha->Levels[level][running[level]].Lord);
    }
    EXPECT_EQ(lords, (std::vector<Graha>{kSun, kKetu, kVenus}));
}

}  // namespace
}  // namespace tavrinel
