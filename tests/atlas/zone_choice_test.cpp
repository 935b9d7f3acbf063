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

#include <sstream>

#include "atlas/zone_choice.h"
#include "chart/time_zone_table.h"

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

// Each way of naming a time, met at one place and date where the zone
// database gives that name (its published histories: US war time from
// 9 February 1942, peace time from 14 August 1945 to 30 September 1945;
// Alaska-Hawaii time in Anchorage until 1983, Yukon time in Yakutat; Bering
// time in Adak 1967-1983; Hawaii at UTC-10:30 until 1947; British Double
// Summer Time in 1944; Perth's summer time 2006-2009; Darwin's in 1943; New
// Zealand's mean time UTC+11:30 before 1946). The list entry by its name,
// and the time's full name in the line.
TEST(ZoneNameTest, EachNameOfATimeFindsItsEntry) {
    const struct {
        const char* Zone;
        LocalDateTime When;
        const char* Entry;  // the start of the list entry's text
        const char* Named;  // in the line, or "" where the database's name is a bare offset
    } cases[] = {
        {"America/Los_Angeles", {1990, 7, 15, 12, 0}, "Pacific Daylight Time,", "Pacific Daylight Time"},
        {"America/Los_Angeles", {1990, 1, 15, 12, 0}, "Pacific Standard Time,", "Pacific Standard Time"},
        {"America/Los_Angeles", {1943, 7, 15, 12, 0}, "Pacific War Time,", "Pacific War Time"},
        {"America/Los_Angeles", {1945, 9, 15, 12, 0}, "Pacific War Time,", "Pacific Peace Time"},
        {"America/Denver", {1990, 7, 15, 12, 0}, "Mountain Daylight Time,", "Mountain Daylight Time"},
        {"America/Denver", {1990, 1, 15, 12, 0}, "Mountain Standard Time,", "Mountain Standard Time"},
        {"America/Denver", {1943, 7, 15, 12, 0}, "Mountain War Time,", "Mountain War Time"},
        {"America/Denver", {1945, 9, 15, 12, 0}, "Mountain War Time,", "Mountain Peace Time"},
        {"America/Chicago", {1990, 7, 15, 12, 0}, "Central Daylight Time,", "Central Daylight Time"},
        {"America/Chicago", {1990, 1, 15, 12, 0}, "Central Standard Time,", "Central Standard Time"},
        {"America/Chicago", {1943, 7, 15, 12, 0}, "Central War Time,", "Central War Time"},
        {"America/Chicago", {1945, 9, 15, 12, 0}, "Central War Time,", "Central Peace Time"},
        {"America/New_York", {1990, 7, 15, 12, 0}, "Eastern Daylight Time,", "Eastern Daylight Time"},
        {"America/New_York", {1990, 1, 15, 12, 0}, "Eastern Standard Time,", "Eastern Standard Time"},
        {"America/New_York", {1943, 7, 15, 12, 0}, "Eastern War Time,", "Eastern War Time"},
        {"America/New_York", {1945, 9, 15, 12, 0}, "Eastern War Time,", "Eastern Peace Time"},
        {"America/Halifax", {1990, 1, 15, 12, 0}, "Atlantic Standard Time,", "Atlantic Standard Time"},
        {"America/Halifax", {1990, 7, 15, 12, 0}, "Atlantic War Time,", "Atlantic Daylight Time"},
        {"America/Halifax", {1943, 7, 15, 12, 0}, "Atlantic War Time,", "Atlantic War Time"},
        {"America/Halifax", {1945, 9, 15, 12, 0}, "Atlantic War Time,", "Atlantic Peace Time"},
        {"America/St_Johns", {1990, 1, 15, 12, 0}, "Newfoundland Standard Time,", "Newfoundland Standard Time"},
        {"America/St_Johns", {1990, 7, 15, 12, 0}, "Newfoundland Standard Time,", "Newfoundland Daylight Time"},
        {"Pacific/Honolulu", {1990, 7, 15, 12, 0}, "Alaska/Hawaii Standard Time,", "Hawaii Standard Time"},
        {"Pacific/Honolulu", {1935, 7, 15, 12, 0}, "Hawaiian Standard Time,", "Hawaii Standard Time"},
        {"Pacific/Honolulu", {1933, 5, 10, 12, 0}, "Hawaiian Daylight Time,", "Hawaii Daylight Time"},
        {"Pacific/Honolulu", {1943, 7, 15, 12, 0}, "Hawaiian War Time,", "Hawaii War Time"},
        {"Pacific/Honolulu", {1945, 9, 15, 12, 0}, "Hawaiian War Time,", "Hawaii Peace Time"},
        {"America/Anchorage", {1990, 1, 15, 12, 0}, "Yukon Standard Time,", "Alaska Standard Time"},
        {"America/Anchorage", {1990, 7, 15, 12, 0}, "Yukon Daylight Time,", "Alaska Daylight Time"},
        {"America/Anchorage", {1975, 1, 15, 12, 0}, "Alaska/Hawaii Standard Time,", "Alaska-Hawaii Standard Time"},
        {"America/Anchorage", {1975, 7, 15, 12, 0}, "Alaska/Hawaii Daylight Time,", "Alaska-Hawaii Daylight Time"},
        {"America/Yakutat", {1975, 1, 15, 12, 0}, "Yukon Standard Time,", "Yukon Standard Time"},
        {"America/Yakutat", {1975, 7, 15, 12, 0}, "Yukon Daylight Time,", "Yukon Daylight Time"},
        {"America/Yakutat", {1943, 7, 15, 12, 0}, "Yukon War Time,", "Yukon War Time"},
        {"America/Yakutat", {1945, 9, 15, 12, 0}, "Yukon War Time,", "Yukon Peace Time"},
        {"America/Adak", {1975, 1, 15, 12, 0}, "Bering Standard Time,", "Bering Standard Time"},
        {"America/Nome", {1950, 1, 15, 12, 0}, "Nome Time,", ""},
        {"Europe/London", {1990, 1, 15, 12, 0}, "Greenwich Mean Time,", "Greenwich Mean Time"},
        {"Etc/UTC", {1990, 1, 15, 12, 0}, "Universal Time,", "Coordinated Universal Time"},
        {"Europe/Lisbon", {1990, 1, 15, 12, 0}, "Greenwich Mean Time,", "Western European Time"},
        {"Europe/Lisbon", {1990, 7, 15, 12, 0}, "British Summer Time,", "Western European Summer Time"},
        {"Europe/London", {1970, 1, 15, 12, 0}, "British Summer Time,", "British Standard Time"},
        {"Europe/London", {1990, 7, 15, 12, 0}, "British Summer Time,", "British Summer Time"},
        {"Europe/London", {1944, 7, 15, 12, 0}, "British Double Summer Time,", "British Double Summer Time"},
        {"Europe/Dublin", {1990, 7, 15, 12, 0}, "British Summer Time,", "Irish Standard Time"},
        {"Europe/Dublin", {1990, 1, 15, 12, 0}, "Greenwich Mean Time,", "Greenwich Mean Time"},
        {"Asia/Kolkata", {1990, 7, 15, 12, 0}, "Indian Time,", "India Standard Time"},
        {"Asia/Jerusalem", {1990, 1, 15, 12, 0}, "Eastern European Time,", "Israel Standard Time"},
        {"Asia/Jerusalem", {1990, 7, 15, 12, 0}, "Eastern European Daylight Time,", "Israel Daylight Time"},
        {"Europe/Paris", {1990, 1, 15, 12, 0}, "Central European Time,", "Central European Time"},
        {"Europe/Paris", {1990, 7, 15, 12, 0}, "Central European Daylight,", "Central European Summer Time"},
        {"MET", {1990, 1, 15, 12, 0}, "Middle European Time,", "Middle European Time"},
        {"MET", {1990, 7, 15, 12, 0}, "Middle European Daylight Time,", "Middle European Summer Time"},
        {"Europe/Athens", {1990, 1, 15, 12, 0}, "Eastern European Time,", "Eastern European Time"},
        {"Europe/Athens", {1990, 7, 15, 12, 0}, "Eastern European Daylight Time,", "Eastern European Summer Time"},
        {"Europe/Moscow", {2015, 1, 15, 12, 0}, "Baghdad Time,", "Moscow Time"},
        {"Asia/Tokyo", {1990, 1, 15, 12, 0}, "Japan Standard Time,", "Japan Standard Time"},
        {"Asia/Seoul", {1990, 1, 15, 12, 0}, "Japan Standard Time,", "Korea Standard Time"},
        {"Asia/Hong_Kong", {1990, 1, 15, 12, 0}, "China Coast Time,", "Hong Kong Time"},
        {"Asia/Shanghai", {1990, 1, 15, 12, 0}, "China Coast Time,", "China Standard Time"},
        {"Asia/Karachi", {1990, 1, 15, 12, 0}, "USSR Zone 4,", "Pakistan Standard Time"},
        {"Asia/Jakarta", {1990, 1, 15, 12, 0}, "South Sumatra Time,", "Western Indonesia Time"},
        {"Australia/Perth", {1990, 7, 15, 12, 0}, "Australian Western Standard Time,", "Australian Western Standard Time"},
        {"Australia/Perth", {2008, 1, 15, 12, 0}, "Australian Western Daylight Time,", "Australian Western Daylight Time"},
        {"Australia/Darwin", {1990, 7, 15, 12, 0}, "Australian Central Standard Time,", "Australian Central Standard Time"},
        {"Australia/Darwin", {1943, 1, 15, 12, 0}, "Australian Central Daylight Time,", "Australian Central Daylight Time"},
        {"Australia/Adelaide", {1990, 7, 15, 12, 0}, "South Australia Standard Time,SAST", "Australian Central Standard Time"},
        {"Australia/Adelaide", {1990, 1, 15, 12, 0}, "South Australia Daylight Time,SAD,", "Australian Central Daylight Time"},
        {"Australia/Broken_Hill", {1990, 7, 15, 12, 0}, "South Australia Standard Time,SAST", "Australian Central Standard Time"},
        {"Australia/Broken_Hill", {1990, 1, 15, 12, 0}, "South Australia Daylight Time,SAD,", "Australian Central Daylight Time"},
        {"Australia/Sydney", {1990, 7, 15, 12, 0}, "Australian Eastern Standard Time,", "Australian Eastern Standard Time"},
        {"Australia/Sydney", {1990, 1, 15, 12, 0}, "Australian Eastern Daylight Time,", "Australian Eastern Daylight Time"},
        {"Pacific/Guam", {2010, 1, 15, 12, 0}, "Guam Standard Time,", "Chamorro Standard Time"},
        {"Pacific/Saipan", {2010, 1, 15, 12, 0}, "Guam Standard Time,", "Chamorro Standard Time"},
        {"Pacific/Auckland", {1935, 7, 15, 12, 0}, "New Zealand Time,", "New Zealand Mean Time"},
        {"Pacific/Auckland", {1990, 7, 15, 12, 0}, "New Zealand Std Time,", "New Zealand Standard Time"},
        {"Pacific/Auckland", {1990, 1, 15, 12, 0}, "New Zealand Std Summer Time,", "New Zealand Daylight Time"},
        {"Asia/Magadan", {2020, 1, 15, 12, 0}, "USSR Zone 10,", ""},
        {"America/Sao_Paulo", {1990, 7, 15, 12, 0}, "Brazil Zone 2,", ""},
        {"Africa/Lagos", {1990, 7, 15, 12, 0}, "Central European Time,", ""},
        {"Africa/Johannesburg", {1990, 7, 15, 12, 0}, "Eastern European Time,", ""},
        {"Asia/Singapore", {1990, 7, 15, 12, 0}, "China Coast Time,", ""},
        {"Asia/Jayapura", {1990, 7, 15, 12, 0}, "Japan Standard Time,", ""},
        {"America/Bogota", {1990, 7, 15, 12, 0}, "Eastern Standard Time,", ""},
        {"Pacific/Gambier", {1990, 7, 15, 12, 0}, "Yukon Standard Time,", ""},
    };
    for (const auto& c : cases) {
        const ZoneDecision d = DecideZone("Here", c.Zone, c.When);
        std::ostringstream where;
        PrintTo(c.When, &where);
        SCOPED_TRACE(std::string(c.Zone) + " " + where.str() + ": " + d.Line);
        ASSERT_GE(d.ZoneIndex, 0);
        EXPECT_EQ(std::string_view(kTimeZoneTable[static_cast<std::size_t>(d.ZoneIndex)].Name)
                      .rfind(c.Entry, 0),
                  0u);
        EXPECT_NE(d.Line.find(std::string("Here: ") + c.Named), std::string::npos);
    }
}

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
