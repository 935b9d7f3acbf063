#include "chart/time_zone_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace tavrinel {
namespace {

TEST(TimeZoneTable, ValuesUsedByTheCalculation) {
    struct Row {
        int Index;
        const char* Name;
        int Hours;
        int Minutes;
    };
    // Rows whose values are easy to get wrong: half hours, the IST label that
    // does not match its value, the two zero zones, the largest magnitude.
    const Row rows[] = {
        {0, "Alaska/Hawaii Daylight Time,AHDT,-9.0", 9, 0},
        {29, "Greenwich Mean Time,GMT,0.0", 0, 0},
        {31, "Hawaiian Daylight Time,HDT,-9.5", 9, 30},
        {34, "Indian Time, IST, +5.3", -5, -30},
        {46, "New Zealand Std Summer Time,NZST,+13.0", -13, 0},
        {50, "Newfoundland Standard Time,NST,-3.5", 3, 30},
        {61, "Universal Time, UT, 0.0", 0, 0},
        {70, "Yukon War Time,YWT,-8.0", 8, 0},
    };
    ChartState chart;
    LoadTimeZoneTables(chart);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Index);
        EXPECT_EQ(chart.TimeZoneNames[row.Index], row.Name);
        EXPECT_EQ(chart.TimeZoneHours[row.Index], row.Hours);
        EXPECT_EQ(chart.TimeZoneMinutes[row.Index], row.Minutes);
    }
}

TEST(TimeZoneTable, TextsKeepTheirOddBlanksAndDuplicates) {
    // Eight names carry blanks after their commas; they are shown as they are.
    for (int i : {11, 12, 34, 37, 39, 42, 51, 61}) {
        EXPECT_NE(kTimeZoneTable[i].Name.find(", "), std::string_view::npos) << i;
    }
    EXPECT_EQ(kTimeZoneTable[56].Name, "South Australia Daylight Time,SAD,+10.5");
    EXPECT_EQ(kTimeZoneTable[57].Name, "South Australia Daylight Time,SDT,+10.5");
    EXPECT_EQ(kTimeZoneTable[58].Hours, kTimeZoneTable[59].Hours);
    EXPECT_EQ(kTimeZoneTable[58].Minutes, kTimeZoneTable[59].Minutes);
}

TEST(TimeZoneTable, MinutesCarryTheSignOfTheHoursAndStayInRange) {
    for (int i = 0; i < kZoneCount; ++i) {
        const TimeZoneEntry& zone = kTimeZoneTable[i];
        EXPECT_LE(std::abs(zone.Hours), 13) << i;
        EXPECT_TRUE(zone.Minutes == 0 || std::abs(zone.Minutes) == 30) << i;
        if (zone.Minutes != 0) {
            EXPECT_EQ(zone.Minutes < 0, zone.Hours < 0) << i;
        }
    }
}

// Each label states the zone's distance from Universal Time, east positive,
// in hours with one decimal; the values the calculation uses carry the
// opposite sign with the fraction in minutes. IST's "+5.3" is the one label
// that does not say what it means: five and a half hours east.
TEST(TimeZoneTable, EveryRowsValuesAreTheOppositeOfItsLabel) {
    ChartState chart;
    LoadTimeZoneTables(chart);
    for (int i = 0; i < kZoneCount; ++i) {
        const std::string name = chart.TimeZoneNames[i];
        const std::string label = name.substr(name.rfind(',') + 1);
        const int eastMinutes = i == 34 ? 5 * 60 + 30
                                        : static_cast<int>(std::lround(std::stod(label) * 60));
        SCOPED_TRACE(name);
        EXPECT_EQ(chart.TimeZoneHours[i] * 60 + chart.TimeZoneMinutes[i], -eastMinutes);
        EXPECT_EQ(chart.TimeZoneHours[i], -(eastMinutes / 60));
    }
}

// The entry a reading file names for a chart cast at an offset no entry
// has: the nearest, the table's first on a tie (Nepal's UTC+5:45 lies
// between Indian Time and USSR Zone 5, Chatham's UTC+12:45 between the two
// New Zealand summer times, Venezuela's UTC-4:30 between AST and EST).
TEST(TimeZoneTable, NearestEntryToAnOffsetNoEntryHas) {
    const std::pair<int, int> cases[] = {
        {20700, 34}, {45900, 46}, {-16200, 3}, {19800, 34}, {19270, 34}, {1172, 29},
        {50400, 46}, {-43200, 36},
    };
    for (const auto& [seconds, entry] : cases) {
        EXPECT_EQ(NearestZoneEntry(seconds), entry) << seconds;
    }
}

}  // namespace
}  // namespace tavrinel
