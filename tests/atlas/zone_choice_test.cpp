// The zone in force at a birth, from the published history of each zone:
// India Standard Time (UTC+5:30) since October 1945, war time UTC+6:30 from
// September 1942, Madras time UTC+5:21:10 before 1906; US Central time with
// daylight saving from the first Sunday of April to the last Sunday of
// October in 1990 (1 April and 28 October, at 2:00), and from the second
// Sunday of March to the first Sunday of November since 2007; no daylight
// saving in France in 1975, summer time again from 1976; British Standard
// Time (UTC+1 all year) from October 1968 to October 1971; summer time in
// Sydney in January; Nepal at UTC+5:45 since 1986; Newfoundland Daylight
// Time UTC-2:30. Ireland keeps Irish Standard Time (UTC+1) in summer and
// winter time (GMT) since 1971, Namibia kept winter time (UTC+1) against
// standard UTC+2 from 1994 to 2017, and Morocco (standard UTC+1 since 2018)
// goes back to UTC+0 in Ramadan (6 May to 5 June 2019).
#include <gtest/gtest.h>

#include "atlas/zone_choice.h"

namespace tavrinel::atlas {
namespace {

constexpr int kNoEntry = -1;

struct ZoneCase {
    const char* Zone;
    LocalDateTime When;
    ZoneOutcome Outcome;
    int Entry;  // index in the form's list
    bool Tick;  // daylight-saving box
    int OffsetSeconds;  // in force, east positive (the first one where two)
    bool DaylightSaving;
};

void PrintTo(const LocalDateTime& t, std::ostream* os) {
    *os << t.Year << '-' << t.Month << '-' << t.Day << ' ' << t.Hour << ':' << t.Minute;
}
void PrintTo(const ZoneCase& c, std::ostream* os) {
    *os << c.Zone << ' ';
    PrintTo(c.When, os);
}

class DecideZoneTest : public testing::TestWithParam<ZoneCase> {};

TEST_P(DecideZoneTest, ChoosesTheEntryInForce) {
    const ZoneCase& c = GetParam();
    const ZoneDecision d = DecideZone("Here", c.Zone, c.When);
    EXPECT_EQ(d.Outcome, c.Outcome) << d.Line;
    EXPECT_EQ(d.ZoneIndex, c.Entry) << d.Line;
    EXPECT_EQ(d.DaylightSaving, c.Tick) << d.Line;
    if (c.Outcome != ZoneOutcome::UnknownZone) {
        EXPECT_EQ(d.InForce.Offset.TotalSeconds, c.OffsetSeconds) << d.Line;
        EXPECT_EQ(d.InForce.Offset.DaylightSaving, c.DaylightSaving) << d.Line;
    }
}

using O = ZoneOutcome;
INSTANTIATE_TEST_SUITE_P(
    History, DecideZoneTest,
    testing::Values(
        ZoneCase{"Asia/Kolkata", {1990, 7, 15, 12, 0}, O::WholeOffset, 34, false, 19800, false},
        ZoneCase{"Asia/Kolkata", {1943, 7, 15, 12, 0}, O::WholeOffset, 52, false, 23400, true},
        ZoneCase{"Asia/Kolkata", {1903, 7, 15, 12, 0}, O::NoEntry, kNoEntry, false, 19270, false},
        ZoneCase{"America/Chicago", {1990, 7, 4, 12, 0}, O::WholeOffset, 18, false, -18000, true},
        ZoneCase{"America/Chicago", {1990, 1, 4, 12, 0}, O::WholeOffset, 21, false, -21600, false},
        ZoneCase{"America/Chicago", {2040, 7, 4, 12, 0}, O::WholeOffset, 18, false, -18000, true},
        ZoneCase{"America/Chicago", {2050, 12, 24, 12, 0}, O::WholeOffset, 21, false, -21600, false},
        ZoneCase{"Europe/Paris", {1975, 7, 15, 12, 0}, O::WholeOffset, 20, false, 3600, false},
        ZoneCase{"Europe/Paris", {1977, 7, 15, 12, 0}, O::WholeOffset, 19, false, 7200, true},
        ZoneCase{"Europe/London", {1970, 1, 15, 12, 0}, O::WholeOffset, 16, false, 3600, false},
        ZoneCase{"Europe/London", {1970, 7, 15, 12, 0}, O::WholeOffset, 16, false, 3600, false},
        ZoneCase{"Australia/Sydney", {1990, 1, 15, 12, 0}, O::WholeOffset, 7, false, 39600, true},
        ZoneCase{"Asia/Kathmandu", {1990, 7, 15, 12, 0}, O::NoEntry, kNoEntry, false, 20700, false},
        ZoneCase{"America/St_Johns", {1990, 7, 15, 12, 0}, O::StandardAndDst, 50, true, -9000, true},
        ZoneCase{"America/Chicago", {1990, 4, 1, 2, 30}, O::Skipped, kNoEntry, false, -21600, false},
        ZoneCase{"America/Chicago", {1990, 10, 28, 1, 30}, O::Repeated, kNoEntry, false, -18000, true},
        ZoneCase{"America/Chicago", {1990, 3, 31, 24, 0}, O::WholeOffset, 21, false, -21600, false},
        ZoneCase{"Europe/Dublin", {1990, 1, 15, 12, 0}, O::WholeOffset, 29, false, 0, true},
        ZoneCase{"Europe/Dublin", {1990, 7, 15, 12, 0}, O::WholeOffset, 16, false, 3600, false},
        ZoneCase{"Mars/Olympus_Mons", {1990, 7, 15, 12, 0}, O::UnknownZone, kNoEntry, false, 0, false},
        ZoneCase{"../etc/passwd", {1990, 7, 15, 12, 0}, O::UnknownZone, kNoEntry, false, 0, false}));

struct LineCase {
    const char* Zone;
    LocalDateTime When;
    const char* Says;  // part of the line
    const char* NeverSays = nullptr;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.Zone << ": " << c.Says; }

class ZoneLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ZoneLineTest, SaysWhatWasChosenAndWhy) {
    const LineCase& c = GetParam();
    const ZoneDecision d = DecideZone("Pune", c.Zone, c.When);
    EXPECT_NE(d.Line.find(c.Says), std::string::npos) << d.Line;
    if (c.NeverSays) {
        EXPECT_EQ(d.Line.find(c.NeverSays), std::string::npos) << d.Line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ZoneLineTest,
    testing::Values(
        LineCase{"Asia/Kolkata", {1990, 7, 15, 12, 0},
                 "Pune: India Standard Time, UTC+5:30, no daylight saving on 15 July 1990 "
                 "(time-zone database)"},
        LineCase{"America/Chicago", {1990, 7, 4, 12, 0},
                 "Central Daylight Time, UTC\u22125, daylight saving on 4 July 1990"},
        LineCase{"Asia/Kolkata", {1943, 7, 15, 12, 0},
                 "UTC+6:30, daylight saving on 15 July 1943 (time-zone database); no list entry "
                 "is named for this time, so North Sumatra Time, which has the same offset"},
        LineCase{"Asia/Kolkata", {1903, 7, 15, 12, 0}, "UTC+5:21:10"},
        LineCase{"Asia/Kolkata", {1903, 7, 15, 12, 0}, "no list entry has this offset"},
        LineCase{"America/Chicago", {1990, 4, 1, 2, 30},
                 "2:30 on 1 April 1990 did not exist there (clocks went from UTC\u22126 to "
                 "UTC\u22125)"},
        LineCase{"America/Chicago", {1990, 10, 28, 1, 30},
                 "1:30 on 28 October 1990 happened twice there (first UTC\u22125, then UTC\u22126)"},
        LineCase{"America/St_Johns", {1990, 7, 15, 12, 0},
                 "no list entry has UTC\u22122:30, so Newfoundland Standard Time with daylight "
                 "saving ticked"},
        LineCase{"Europe/London", {1970, 1, 15, 12, 0}, "British Standard Time, UTC+1"},
        // Winters the database marks as daylight saving are winter time.
        LineCase{"Europe/Dublin", {1990, 1, 15, 12, 0},
                 "Greenwich Mean Time, UTC+0, winter time on 15 January 1990 (time-zone "
                 "database; standard time there is UTC+1)", "daylight saving"},
        LineCase{"Europe/Dublin", {1990, 7, 15, 12, 0},
                 "Irish Standard Time, UTC+1, no daylight saving on 15 July 1990", "winter"},
        LineCase{"Africa/Windhoek", {2000, 7, 15, 12, 0},
                 "UTC+1, winter time on 15 July 2000 (time-zone database; standard time there "
                 "is UTC+2)", "daylight saving"},
        LineCase{"Africa/Casablanca", {2019, 5, 15, 12, 0},
                 "UTC+0, winter time on 15 May 2019 (time-zone database; standard time there "
                 "is UTC+1)", "daylight saving"}));

// The documented Moon takes the zone's direction from the hemisphere: a
// place west of Greenwich on a zone east of it gets twice the offset wrong.
struct NoteCase {
    int Entry;
    bool Tick;
    FormLongitude Longitude;
    int TrueOffsetSeconds;
    const char* Note;
};

void PrintTo(const NoteCase& c, std::ostream* os) {
    *os << "entry " << c.Entry << (c.Tick ? " ticked" : "") << ' ' << c.Longitude.Degrees
        << (c.Longitude.East ? 'E' : 'W');
}

class DocumentedTimeNoteTest : public testing::TestWithParam<NoteCase> {};

TEST_P(DocumentedTimeNoteTest, SaysHowFarOff) {
    const NoteCase& c = GetParam();
    EXPECT_EQ(DocumentedTimeNote(c.Entry, c.Tick, c.Longitude, c.TrueOffsetSeconds), c.Note);
}

INSTANTIATE_TEST_SUITE_P(
    Hemispheres, DocumentedTimeNoteTest,
    testing::Values(
        NoteCase{34, false, {73, 51, true}, 19800, ""},                  // Pune
        NoteCase{18, false, {87, 39, false}, -18000, ""},                // Chicago in July
        NoteCase{20, false, {3, 42, false}, 3600,                        // Madrid in winter
                 "the documented Moon is computed 2 hours late here"},
        NoteCase{19, false, {3, 42, false}, 7200,                        // Madrid in summer
                 "the documented Moon is computed 4 hours late here"},
        NoteCase{1, false, {173, 11, true}, -36000,                      // Attu, Aleutians
                 "the documented Moon is computed 20 hours early here"},
        NoteCase{50, true, {52, 43, false}, -9000,                       // St. John's in July
                 "the documented planets are computed 1 hour late here"},
        NoteCase{21, false, {87, 39, false}, -18000,                     // CST kept in July
                 "the documented Moon and planets are computed 1 hour late here"}));

constexpr PreciseSkyUse kPrecise{true, "Sky menu"};
constexpr PreciseSkyUse kDocumented{false, "Sky menu"};

TEST(ZoneLineTest, KeepsAHandChoiceAndNotesIt) {
    const ZoneDecision d = DecideZone("Chicago", "America/Chicago", {1990, 7, 4, 12, 0});
    const FormLongitude chicago{87, 39, false};
    EXPECT_EQ(ZoneLine(d, 18, false, false, chicago, kDocumented), d.Line);
    EXPECT_EQ(ZoneLine(d, 21, false, true, chicago, kDocumented),
              d.Line + "; your own choice of zone is kept; the documented Moon and planets are "
                       "computed 1 hour late here");
}

// Where no entry has the offset, the precise sky casts the chart at it
// exactly and the documented one cannot; a zone chosen by hand still wins.
TEST(ZoneLineTest, SaysWhatTheSkyMakesOfAnOffsetNoEntryHas) {
    const ZoneDecision d = DecideZone("Kathmandu", "Asia/Kathmandu", {1990, 7, 15, 12, 0});
    const FormLongitude kathmandu{85, 19, true};
    const std::string opening = "Kathmandu: UTC+5:45, no daylight saving on 15 July 1990 "
                                "(time-zone database); no list entry has this offset; ";
    EXPECT_EQ(ZoneLine(d, 34, false, false, kathmandu, kPrecise),
              opening + "the precise sky casts the chart at exactly UTC+5:45");
    EXPECT_EQ(ZoneLine(d, 34, false, false, kathmandu, kDocumented),
              opening + "only the precise sky (Sky menu) can cast it, or choose the zone yourself");
    EXPECT_EQ(ZoneLine(d, 34, false, true, kathmandu, kPrecise).find("precise sky"),
              std::string::npos);
}

TEST(UtcOffsetTextTest, WritesHoursMinutesAndSeconds) {
    const std::pair<int, const char*> cases[] = {
        {19800, "UTC+5:30"}, {-18000, "UTC\u22125"}, {19270, "UTC+5:21:10"}, {0, "UTC+0"},
        {-9000, "UTC\u22122:30"}};
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(UtcOffsetText(seconds), text);
    }
}

}  // namespace
}  // namespace tavrinel::atlas
