// The Vimshottari dasha against its rules as the tradition states them (the
// nine lords and their 120 years, nakshatras of 13°20' from 0° Aries), hand
// arithmetic on those rules, and a worked chart whose figures were computed
// outside the program: Ann's documented chart (1990-07-15 12:00 IST, New
// Delhi), Moon 356.30294° in Revati.
#include <gtest/gtest.h>

#include "tests/dasha/anns_chart.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "calculation/calculation.h"
#include "dasha/dasha_time.h"
#include "dasha/dasha_timeline.h"
#include "dasha/typed_day.h"
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
    std::size_t expected = 10;  // the nine and the birth lord's return
    for (int level = 0; level < kDashaLevels; ++level) {
        ASSERT_EQ(dasha.Levels[static_cast<std::size_t>(level)].size(), expected);
        expected *= 9;
    }
    EXPECT_EQ(dasha.Levels[4].size(), 65610u);
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
    // The nine mahadashas from Vishakha's lord, Jupiter, fill the 120 years;
    // Jupiter's sixteen follow whole.
    EXPECT_EQ(dasha.BirthLord, kJupiter);
    EXPECT_NEAR(dasha.Levels[0][8].EndUt - dasha.Levels[0].front().StartUt, 120 * 365.256363,
                kSecondDays);
    EXPECT_EQ(dasha.Levels[0][9].Lord, kJupiter);
    EXPECT_NEAR(dasha.Levels[0][9].EndUt - dasha.Levels[0].front().StartUt, 136 * 365.256363,
                kSecondDays);
}

// After Mercury, the ninth, the cycle starts again from the birth lord with
// whole periods: a period runs at every instant from birth on.
TEST(Vimshottari, TheCycleStartsAgainAfterItsEnd) {
    struct Row {
        double Moon;
        double Age;  // sidereal years after birth
        std::vector<Graha> Running;
        bool Listed;
    };
    // Moon at 0°: Ketu 0-7, Venus 7-27, ..., Mercury 103-120 (its last
    // antardasha, Saturn's, from 117.307), Ketu 120-127, Venus 127-147. Ketu's
    // antardashas (7 x lord / 120 years) end at 0.408, 1.575 (Venus), 1.925,
    // 2.508, 2.917, 3.967, 4.9, 6.008 (Saturn), 7.
    // Moon at 356.30294°: Mercury's 17 years began 12.28624 before birth;
    // Saturn's run 88.71376-107.71376 (its Moon antardasha 9.975-12.508 years
    // in), Mercury's again to 124.71376, its own antardasha the first
    // 17 x 17 / 120 = 2.40833 years.
    const Row rows[] = {
        {0, 119.99, {kMercury, kSaturn}, true},
        {0, 121, {kKetu, kVenus}, true},
        {0, 126.99, {kKetu, kMercury}, true},
        {0, 127.5, {kVenus, kVenus}, false},
        {0, 245, {kKetu, kSaturn}, false},
        {0, 1205, {kKetu, kSaturn}, false},
        {356.30294, 100, {kSaturn, kMoon}, true},
        {356.30294, 110, {kMercury, kMercury}, true},
        {356.30294, 125, {kKetu, kKetu}, false},
    };
    const std::array<Graha, 9> order = {kKetu, kVenus, kSun, kMoon, kMars,
                                        kRahu, kJupiter, kSaturn, kMercury};
    for (const Row& row : rows) {
        const VimshottariDasha dasha = Dasha(row.Moon, 2);
        const double at = dasha.BirthUt + row.Age * 365.256363;
        std::vector<Graha> lords;
        const std::vector<std::size_t> running = dasha.Running(at);
        for (std::size_t level = 0; level < running.size(); ++level) {
            lords.push_back(dasha.Levels[level][running[level]].Lord);
        }
        EXPECT_EQ(lords, row.Running) << row.Moon << " at " << row.Age;
        EXPECT_EQ(dasha.Lists(at), row.Listed) << row.Moon << " at " << row.Age;
        // Listed for at least 120 years, the return's antardashas in order.
        EXPECT_GE(dasha.Levels[0].back().EndUt, dasha.BirthUt + 120 * 365.256363);
        const auto back = dasha.SubPeriods(0, 9);
        ASSERT_EQ(back.size(), 9u);
        EXPECT_EQ(back.front().Lord, dasha.BirthLord);
        EXPECT_EQ(back[1].Lord, order[(std::find(order.begin(), order.end(), dasha.BirthLord) -
                                       order.begin() + 1) % 9]);
    }
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
        // Moon halfway through Ashwini: Ketu's first 3.5 years passed before
        // birth, in the same years.
        const VimshottariDasha half = Dasha(kNakshatra / 2, 1, row.Year);
        EXPECT_NEAR(half.BirthUt - half.Levels[0][0].StartUt, 3.5 * row.Days, kSecondDays);
        EXPECT_NEAR(half.Levels[0][0].EndUt - half.BirthUt, 3.5 * row.Days, kSecondDays);
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
        {maha[8].EndUt, {9, 81, 729}},
        {maha[9].EndUt - kSecondDays, {9, 89, 809}},
        // Past the list: the same periods a cycle earlier.
        {maha[9].EndUt + kSecondDays, {1, 9, 81}},
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
        // Shown times are rounded up to the minute, across a leap day's end.
        {2451603.5 + 23.0 / 24 + 59.0 / 1440 + 59.4 / 86400, 0, "2000-03-01 00:00",
         "2000-02-29T23:59:59Z"},
        {2451544.5 + 7.0 / 24 + 53.0 / 1440 + 6.0 / 86400, 0, "2000-01-01 07:54",
         "2000-01-01T07:53:06Z"},
        {2451544.5 - 30.0 / 86400, -5.5, "2000-01-01 05:30", "1999-12-31T23:59:30Z"},
        {2451544.5 - 30.0 / 86400, 0, "2000-01-01 00:00", "1999-12-31T23:59:30Z"},
        {2451603.5 + 23.0 / 24 + 59.0 / 1440 + 59.6 / 86400, 0, "2000-03-01 00:00",
         "2000-03-01T00:00:00Z"},
        {2448087.5 + 6.5 / 24, -5.5, "1990-07-15 12:00", "1990-07-15T06:30:00Z"},
    };
    for (const Row& row : rows) {
        const CivilTime civil = CivilFromJulianDay(row.JulianDay, row.ZoneShift);
        EXPECT_EQ(CivilText(civil), row.Civil) << row.Iso;
        EXPECT_EQ(CivilText(row.JulianDay, row.ZoneShift), row.Civil) << row.Iso;
        EXPECT_EQ(IsoUtc(row.JulianDay), row.Iso);
        EXPECT_NEAR(JulianDayFromCivil(civil, row.ZoneShift), row.JulianDay, kSecondDays);
    }
    EXPECT_EQ(CivilText(NAN, 0), "");
}

// A period shown as starting at a minute runs at that minute typed on the
// same clock, and not a minute before, whether its start has seconds or is
// a whole minute (here to within the Julian Day's own rounding).
TEST(DashaTime, AShownStartIsAMomentThePeriodRuns) {
    struct Row {
        CivilTime VenusStarts;  // UT
        double ZoneShift;
        CivilTime Shown;  // on the zone's clock
    };
    const Row rows[] = {
        {{2007, 1, 1, 7, 53, 6}, 0, {2007, 1, 1, 7, 54, 0}},
        {{2007, 1, 1, 7, 53, 6}, -5.5, {2007, 1, 1, 13, 24, 0}},
        {{2007, 12, 31, 23, 59, 1}, 0, {2008, 1, 1, 0, 0, 0}},
        {{2007, 1, 1, 7, 53, 0}, 0, {2007, 1, 1, 7, 53, 0}},
    };
    for (const Row& row : rows) {
        // Moon at 0°: Venus follows Ketu's seven years from birth.
        const double venus = JulianDayFromCivil(row.VenusStarts);
        const VimshottariDasha dasha = Dasha(0, 1, DashaYear::Sidereal, venus - 7 * 365.256363);
        ASSERT_EQ(dasha.Levels[0][1].Lord, kVenus);
        const double shown = JulianDayFromCivil(row.Shown, row.ZoneShift);
        const double minuteBefore = shown - kMinuteDays;
        EXPECT_EQ(CivilText(dasha.Levels[0][1].StartUt, row.ZoneShift), CivilText(row.Shown));
        EXPECT_EQ(dasha.Running(shown), std::vector<std::size_t>{1}) << CivilText(row.Shown);
        EXPECT_EQ(dasha.Running(minuteBefore), std::vector<std::size_t>{0}) << CivilText(row.Shown);
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

// A lord's dignity is its own in the birth chart, whatever the period's
// place in the order: a chart with seven dignified grahas (Sun exalted in
// Aries, Moon in its own Cancer, Mercury debilitated in Pisces, Venus in
// its moolatrikona Libra, Mars in its own Scorpio, Jupiter exalted in
// Cancer, Saturn debilitated in Aries), so that hardly any lord shares its
// dignity with the graha whose number is its place in the order.
TEST(Vimshottari, EveryPeriodCarriesItsOwnLordsDignity) {
    std::array<Dignity, kGrahaCount> dignities = AllPeregrine();
    dignities[kSun] = Dignity::Exaltation;
    dignities[kMoon] = Dignity::Own;
    dignities[kMercury] = Dignity::Debilitation;
    dignities[kVenus] = Dignity::Moolatrikona;
    dignities[kMars] = Dignity::Own;
    dignities[kJupiter] = Dignity::Exaltation;
    dignities[kSaturn] = Dignity::Debilitation;
    const struct {
        Graha Lord;
        Dignity Carried;
    } kLords[] = {{kKetu, Dignity::Peregrine},     {kVenus, Dignity::Moolatrikona},
                  {kSun, Dignity::Exaltation},     {kMoon, Dignity::Own},
                  {kMars, Dignity::Own},           {kRahu, Dignity::Peregrine},
                  {kJupiter, Dignity::Exaltation}, {kSaturn, Dignity::Debilitation},
                  {kMercury, Dignity::Debilitation}};
    // From a Moon in each of the nine first mansions, down three levels.
    for (int mansion = 0; mansion < 9; ++mansion) {
        const auto dasha = ComputeVimshottari(2448087.77, mansion * kNakshatra + 1, dignities,
                                              {DashaYear::Sidereal, 3});
        ASSERT_TRUE(dasha.has_value());
        for (const auto& level : dasha->Levels) {
            for (const DashaPeriod& period : level) {
                const auto row = std::find_if(std::begin(kLords), std::end(kLords),
                                              [&](const auto& r) { return r.Lord == period.Lord; });
                ASSERT_NE(row, std::end(kLords));
                ASSERT_EQ(period.LordDignity, row->Carried) << mansion << " " << period.Lord;
            }
        }
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

// A typed day is taken as written or refused with a word, never rolled into
// the next month (the Gregorian calendar: 2028 and 2000 are leap years, 2100
// is not).
TEST(TypedDay, TakenAsWrittenOrRefused) {
    struct Case {
        const char* Text;
        CivilTime Day;  // Year 0: refused
        const char* Problem;
    };
    const Case cases[] = {
        {"2026-12-08", {2026, 12, 8}, ""},
        {"2026-2-8", {2026, 2, 8}, ""},
        {"2028-02-29", {2028, 2, 29}, ""},
        {"2000-02-29", {2000, 2, 29}, ""},
        {"2026-02-31", {}, "February 2026 has 28 days."},
        {"2100-02-29", {}, "February 2100 has 28 days."},
        {"2026-04-31", {}, "April 2026 has 30 days."},
        {"2026-12-00", {}, "December 2026 has 31 days."},
        {"2026-13-01", {}, "There is no month 13: months run from 1 to 12."},
        {"1799-12-31", {}, "The year 1799 is out of reach: years run from 1800 to 2399."},
        {"2026-12", {}, "Type the date as year-month-day, such as 2026-12-08."},
        {"2026-12-08-", {}, "Type the date as year-month-day, such as 2026-12-08."},
        {"26-12-08", {}, "Type the date as year-month-day, such as 2026-12-08."},
        {"", {}, "Type the date as year-month-day, such as 2026-12-08."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        const TypedDay typed = ParseTypedDay(c.Text);
        EXPECT_EQ(typed.Problem, c.Problem);
        ASSERT_EQ(typed.Day.has_value(), c.Day.Year != 0);
        if (typed.Day) {
            EXPECT_EQ(TypedDayText(*typed.Day), TypedDayText(c.Day));
            EXPECT_EQ(typed.Day->Month, c.Day.Month);
            EXPECT_EQ(typed.Day->Day, c.Day.Day);
        }
    }
}

// The time line's names never sit on each other, whatever the two dates. The
// Moon at 26° Aries leaves 5% of Venus's 20 years, so the periods start 19
// years before the birth; at 0°00'36" Aries nearly all of Ketu's 7 are left,
// and the birth stands at the line's very start.
TEST(DashaTimeline, NamesOfCloseMarksStayApart) {
    struct Case {
        const char* What;
        double Moon;
        CivilTime Birth;
        CivilTime Today;
    };
    const Case cases[] = {
        {"a birth in 2031 seen from 2026", 26, {2031, 6, 1, 0, 0, 0}, {2026, 12, 8, 0, 0, 0}},
        {"today on the birth's day", 26, {2031, 6, 1, 0, 0, 0}, {2031, 6, 1, 0, 0, 0}},
        {"today a month after", 26, {2031, 6, 1, 0, 0, 0}, {2031, 7, 1, 0, 0, 0}},
        {"a birth at the line's start", 0.01, {2031, 6, 1, 0, 0, 0}, {2032, 1, 1, 0, 0, 0}},
        {"the same day at the start", 0.01, {2031, 6, 1, 0, 0, 0}, {2031, 6, 1, 0, 0, 0}},
        {"far apart", 26, {1990, 7, 15, 0, 0, 0}, {2026, 12, 8, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const VimshottariDasha dasha = Dasha(c.Moon, 2, DashaYear::Sidereal, JulianDayFromCivil(c.Birth));
        const TimelineLayout layout = LayoutDashaTimeline(dasha, 0, JulianDayFromCivil(c.Today));
        ASSERT_TRUE(layout.Today.has_value());
        const ChartPicture picture = DashaTimelinePicture(layout, "Vimshottari dasha", "Today");
        for (std::size_t i = 0; i < picture.Labels.size(); ++i) {
            for (std::size_t j = i + 1; j < picture.Labels.size(); ++j) {
                EXPECT_FALSE(picture.Labels[i].Box.Overlaps(picture.Labels[j].Box))
                    << picture.Labels[i].Text << " on " << picture.Labels[j].Text;
            }
        }
        // Each name stands at its own line, inside the picture.
        for (const auto& [name, at] : {std::pair{"Birth", layout.Birth}, {"Today", *layout.Today}}) {
            const auto label = std::find_if(picture.Labels.begin(), picture.Labels.end(),
                                            [&](const PictureLabel& l) { return l.Text == name; });
            ASSERT_NE(label, picture.Labels.end()) << name;
            const double reach = label->Size;
            EXPECT_GE(at, label->Box.X - reach) << name;
            EXPECT_LE(at, label->Box.X + label->Box.Width + reach) << name;
            EXPECT_GE(label->Box.X, 0) << name;
            EXPECT_LE(label->Box.X + label->Box.Width, picture.Width) << name;
        }
    }
}

}  // namespace
}  // namespace tavrinel
