// --place, --atlas and a batch line's "Place": the atlas fills what the
// coordinates and the zone would, and what the user gives beside it wins.
// Pune's coordinates are GeoNames' 18.51957 N, 73.85535 E rounded to the
// minute; Chicago is on Central Daylight Time (UTC-5) on 4 July 1990.
// Kathmandu (27:42N 85:19E) keeps Nepal's UTC+5:45, Caracas (10:29N 66:53W)
// kept Venezuela's UTC-4:30 from December 2007 to May 2016: offsets no
// entry has, which the precise sky casts exactly.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "atlas/atlas.h"
#include "cli/place_option.h"
#include "cli/terminal_text.h"
#include "tests/cli/cli_runner.h"

namespace tavrinel::cli {
namespace {

using Args = std::vector<std::string>;
const Args kAnnPune = {"--name", "Ann", "--date", "1990-07-15", "--time", "12:00"};

Args With(Args base, const Args& more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

struct SameChartCase {
    Args ByPlace;
    Args ByHand;
};

void PrintTo(const Args& args, std::ostream* os) {
    for (const std::string& a : args) *os << a << ' ';
}
void PrintTo(const SameChartCase& c, std::ostream* os) { PrintTo(c.ByPlace, os); }

class PlaceChartTest : public testing::TestWithParam<SameChartCase> {};

TEST_P(PlaceChartTest, EqualsTheChartGivenByHand) {
    const Result place = RunTool(GetParam().ByPlace);
    const Result hand = RunTool(GetParam().ByHand);
    EXPECT_EQ(place.Status, 0) << place.Err;
    EXPECT_EQ(hand.Status, 0) << hand.Err;
    EXPECT_FALSE(place.Out.empty());
    EXPECT_EQ(place.Out, hand.Out);
}

// A place's words given beside --place win over the atlas's, one by one.
TEST(PlaceWords, GivenBesideThePlaceWin) {
    const struct {
        Args Given;
        const char* Line;
    } kCases[] = {
        {{}, ">Pune, Maharashtra, India  18°31&apos;N 73°51&apos;E<"},
        {{"--city", "Poona"}, ">Poona, Maharashtra, India  "},
        {{"--state", "Deccan"}, ">Pune, Deccan, India  "},
        {{"--country", "Bharat"}, ">Pune, Maharashtra, Bharat  "},
    };
    for (const auto& c : kCases) {
        const Result r =
            RunTool(With(With(kAnnPune, {"--place", "Pune", "--format", "svg"}), c.Given));
        EXPECT_NE(r.Out.find(c.Line), std::string::npos) << c.Line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Places, PlaceChartTest,
    testing::Values(
        SameChartCase{With(kAnnPune, {"--place", "Pune"}),
                      With(kAnnPune, {"--lat", "18:31N", "--lon", "73:51E", "--zone", "34"})},
        SameChartCase{With(kAnnPune, {"--place", "Pune, India", "--lon", "1:00W", "--dst"}),
                      With(kAnnPune, {"--lat", "18:31N", "--lon", "1:00W", "--zone", "34", "--dst"})},
        SameChartCase{{"--name", "Al", "--date", "1990-07-04", "--time", "9:30", "--place", "Chicago"},
                      {"--name", "Al", "--date", "1990-07-04", "--time", "9:30", "--lat", "41:51N",
                       "--lon", "87:39W", "--zone", "CDT"}},
        // Noon at UTC+5:45 is 6:15 UT, cast with Greenwich Mean Time's entry.
        SameChartCase{With(kAnnPune, {"--place", "Kathmandu", "--sky", "precise"}),
                      {"--name", "Ann", "--date", "1990-07-15", "--time", "6:15", "--lat", "27:42N",
                       "--lon", "85:19E", "--zone", "GMT", "--sky", "precise"}},
        SameChartCase{With(kAnnPune, {"--utc-offset", "+5:45", "--lat", "27:42N", "--lon",
                                      "85:19E", "--sky", "precise"}),
                      {"--name", "Ann", "--date", "1990-07-15", "--time", "6:15", "--lat", "27:42N",
                       "--lon", "85:19E", "--zone", "GMT", "--sky", "precise"}},
        SameChartCase{{"--name", "Al", "--date", "2010-03-01", "--time", "21:00", "--place",
                       "Caracas", "--sky", "precise"},
                      {"--name", "Al", "--date", "2010-03-02", "--time", "1:30", "--lat", "10:29N",
                       "--lon", "66:53W", "--zone", "GMT", "--sky", "precise"}},
        // The Line Islands' UTC+14 takes noon on New Year's Day back a day.
        SameChartCase{{"--name", "Kiri", "--date", "2000-01-01", "--time", "12:00", "--lat",
                       "1:52N", "--lon", "157:24W", "--utc-offset", "+14:00", "--sky", "precise"},
                      {"--name", "Kiri", "--date", "1999-12-31", "--time", "22:00", "--lat",
                       "1:52N", "--lon", "157:24W", "--zone", "UT", "--sky", "precise"}}));

struct RefusalCase {
    Args Extra;
    std::vector<std::string> Says;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { PrintTo(c.Extra, os); }

class PlaceRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(PlaceRefusalTest, RefusesAndSaysWhy) {
    const Result r = RunTool(With(kAnnPune, GetParam().Extra));
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err.find("tavrinel-cli: --place: "), 0u) << r.Err;
    for (const std::string& part : GetParam().Says) {
        EXPECT_NE(r.Err.find(part), std::string::npos) << r.Err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Places, PlaceRefusalTest,
    testing::Values(
        RefusalCase{{"--place", "Springfield"}, {"Illinois", "Missouri", "Oregon"}},
        RefusalCase{{"--place", "Qwertyville"}, {"no place called Qwertyville"}},
        RefusalCase{{"--place", "Kathmandu"},
                    {"UTC+5:45", "only the precise sky (--sky precise) can cast it",
                     "give --zone"}},
        // Two Bahawalpurs in Punjab, Pakistan: only coordinates tell them apart.
        RefusalCase{{"--place", "Bahawalpur, Punjab, Pakistan"},
                    {"give the --lat, --lon and --zone of the one meant", "(29:24N 71:41E"}}));

// A place the atlas cannot name is refused on one line, whatever the text
// holds: control characters come back escaped, a blank name is asked for.
TEST(PlaceRefusalTest, OneLineWithTheTextEscaped) {
    const struct {
        const char* Place;
        const char* Says;
    } cases[] = {
        {"Pu\nne\x1b[31m", "no place called Pu\\x0Ane\\x1B[31m ("},
        // Bidirectional overrides and isolates would reorder the line.
        {"Pu\xE2\x80\xAEne", "no place called Pu\\xE2\\x80\\xAEne ("},
        {"Pu\xE2\x81\xA6ne\xE2\x81\xA9", "no place called Pu\\xE2\\x81\\xA6ne\\xE2\\x81\\xA9 ("},
        {"Pu\xE2\x80\xAAne\xE2\x80\xACx", "Pu\\xE2\\x80\\xAAne\\xE2\\x80\\xACx ("},
        {"Qwerty\rville", "no place called Qwerty\\x0Dville ("},
        {"", "accepts the name of a place"},
        {" \t ", "accepts the name of a place"},
        {", India", "accepts the name of a place"},
        {" , Chicago", "accepts the name of a place"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Place);
        const Result r = RunTool(With(kAnnPune, {"--place", c.Place}));
        ExpectRefused(r, "--place");
        EXPECT_NE(r.Err.find(c.Says), std::string::npos) << r.Err;
        EXPECT_EQ(r.Err.find('\x1b'), std::string::npos);
    }
}

// A refusal repeats at most about 80 characters of what was typed, cut
// between characters and never inside an escape, with an ellipsis.
TEST(PlaceRefusalTest, LongTextsAreShortenedOnCharacterBoundaries) {
    const std::string e = "\xC3\xA9";  // é
    const struct {
        std::string Text;
        std::size_t Most;
        std::string Shown;
    } cases[] = {
        {"abcdef", 4, "abcd\u2026"},
        {"abcd", 4, "abcd"},
        {e + e + e + e + e, 3, e + e + e + "\u2026"},
        {"a\x1B" "bc", 4, "a\u2026"},
        {"ab\x1B", 6, "ab\\x1B"},
        {"\xE2\x80\xAE" "x", 12, "\\xE2\\x80\\xAE\u2026"},
        {"\xE2\x80\xAE" "x", 11, "\u2026"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapedForMessage(c.Text, c.Most), c.Shown) << c.Text;
    }
    const std::string huge(100000, 'x');
    for (const Args& args : {With(kAnnPune, {"--place", huge}), Args{"--atlas", "Qq" + huge},
                             Args{"a.tvl", huge}}) {
        const Result r = RunTool(args);
        EXPECT_EQ(r.Status, 2);
        EXPECT_LT(r.Err.size(), 300u) << r.Err.substr(0, 300);
        EXPECT_NE(r.Err.find(std::string(60, 'x') + "\u2026"), std::string::npos) << r.Err.substr(0, 300);
    }
}

// Without its library the atlas has no places; saying "no place called
// Pune" would blame the name.
TEST(PlaceRefusalTest, AnAtlasWithoutPlacesSaysSo) {
    const atlas::Atlas none({});
    BirthForm form;
    const auto applied = ApplyPlace("Pune", form, {}, false, none);
    ASSERT_TRUE(std::holds_alternative<std::string>(applied));
    EXPECT_EQ(std::get<std::string>(applied).find("the atlas is not available"), 0u)
        << std::get<std::string>(applied);
    std::ostringstream listed;
    for (const bool json : {false, true}) {
        const auto refused = PrintAtlasMatches(listed, "Pune", json, none);
        ASSERT_TRUE(refused.has_value());
        EXPECT_EQ(refused->find("the atlas is not available"), 0u) << *refused;
    }
    EXPECT_EQ(listed.str(), "");
}

TEST(AtlasListTest, NoMatchIsRefusedNotAnsweredWithNothing) {
    for (const char* query : {"Qwertyville", "Pune, Qwertystan"}) {
        for (const char* format : {"text", "json"}) {
            SCOPED_TRACE(std::string(query) + " " + format);
            const Result r = RunTool({"--atlas", query, "--format", format});
            ExpectRefused(r, "--atlas");
            EXPECT_NE(r.Err.find("no place called " + std::string(query)), std::string::npos)
                << r.Err;
        }
    }
}

// Every text the program offers for a place (the --atlas listing, its JSON
// "Place", and each line of a refusal's candidates) selects that place when
// given back, for names many places share, with and without accents.
TEST(AtlasListTest, EveryCandidateTextSelectsItsPlace) {
    const auto onlyPlace = [](const std::string& text) {
        const Result r = RunTool({"--atlas", text, "--format", "json"});
        const auto found = nlohmann::json::parse(r.Out.empty() ? "[]" : r.Out);
        return found.size() == 1 ? found[0] : nlohmann::json();
    };
    for (const char* name : {"San José", "San Jose", "Gwangju", "Kirov", "Springfield",
                             "Bahawalpur", "Chandur", "Rajgarh", "Awasa", "Burgdorf"}) {
        SCOPED_TRACE(name);
        const auto listed = nlohmann::json::parse(RunTool({"--atlas", name, "--format", "json"}).Out);
        ASSERT_FALSE(listed.empty());
        const Result text = RunTool({"--atlas", name});
        std::istringstream lines(text.Out);
        std::size_t row = 0;
        for (std::string line; std::getline(lines, line); ++row) {
            const std::string offered = line.substr(0, line.find("  "));
            ASSERT_LT(row, listed.size());
            EXPECT_EQ(offered, listed[row]["Place"]);
            const auto found = onlyPlace(offered);
            EXPECT_EQ(found.value("Coordinates", ""), listed[row]["Coordinates"]) << offered;
            EXPECT_EQ(found.value("Name", ""), listed[row]["Name"]) << offered;
            const Result chart = RunTool(With(kAnnPune, {"--place", offered, "--format", "json"}));
            EXPECT_EQ(chart.Status, 0) << chart.Err;
        }
        EXPECT_EQ(row, listed.size());
        // The refusal's candidates, each line as it stands.
        const Result refused = RunTool(With(kAnnPune, {"--place", name}));
        std::istringstream candidates(refused.Err);
        for (std::string line; std::getline(candidates, line);) {
            if (line.rfind("  ", 0) != 0) continue;
            const std::string offered = line.substr(2);
            const auto found = onlyPlace(offered);
            ASSERT_FALSE(found.is_null()) << offered;
            EXPECT_NE(offered.find("(" + found["Coordinates"].get<std::string>() + ", " +
                                   found["TimeZone"].get<std::string>() + ")"),
                      std::string::npos)
                << offered;
        }
    }
}

TEST(PlaceJsonTest, ReportsTheZoneDecision) {
    const Args chicago = {"--name", "Al", "--date", "1990-07-04", "--time", "12:00",
                          "--place", "Chicago", "--format", "json"};
    const auto json = [](const Result& r) { return nlohmann::json::parse(r.Out); };
    const auto atlas = json(RunTool(chicago));
    EXPECT_EQ(atlas["ZoneSource"], "atlas");
    EXPECT_EQ(atlas["TimeZone"], 18);
    EXPECT_EQ(atlas["DaylightSaving"], false);
    EXPECT_EQ(atlas["UtcOffsetSeconds"], -18000);
    EXPECT_EQ(atlas["Place"], "Chicago, Illinois, United States of America");
    // A zone given by hand brings its own daylight saving, ticked or not,
    // where the atlas would tick it (St. John's in July) and where not.
    const Args stJohns = {"--name", "Al", "--date", "1990-07-04", "--time", "12:00",
                          "--place", "St. John's, Canada", "--format", "json"};
    const struct {
        Args Run;
        int Zone;
        bool Dst;
        int Offset;  // seconds east: the entry's, an hour more with --dst
        bool Kept;   // the line notes a choice other than the atlas's
    } rows[] = {
        {With(chicago, {"--zone", "21", "--dst"}), 21, true, -18000, true},
        {With(chicago, {"--zone", "21"}), 21, false, -21600, true},
        {With(chicago, {"--zone", "18"}), 18, false, -18000, false},
        {With(stJohns, {"--zone", "50"}), 50, false, -12600, true},
        {With(stJohns, {"--zone", "50", "--dst"}), 50, true, -9000, false},
    };
    const auto newfoundland = json(RunTool(stJohns));
    EXPECT_EQ(newfoundland["DaylightSaving"], true);
    EXPECT_EQ(newfoundland["UtcOffsetSeconds"], -9000);
    for (const auto& row : rows) {
        const Result run = RunTool(row.Run);
        ASSERT_EQ(run.Status, 0) << run.Err;
        const auto given = json(run);
        EXPECT_EQ(given["ZoneSource"], "given") << run.Out;
        EXPECT_EQ(given["TimeZone"], row.Zone) << run.Out;
        EXPECT_EQ(given["DaylightSaving"], row.Dst) << run.Out;
        EXPECT_EQ(given["UtcOffsetSeconds"], row.Offset) << run.Out;
        EXPECT_EQ(given["ZoneLine"].get<std::string>().find("your own choice of zone is kept") !=
                      std::string::npos,
                  row.Kept)
            << run.Out;
    }
}

// A bare name shared by places of which one is at least ten times as
// populous as the next is taken for it, and the zone line says so.
TEST(PlaceSharedNameTest, TakesTheFarLargerPlaceAndSaysWhatElseTheNameMeans) {
    const std::pair<const char*, const char*> cases[] = {
        {"London", "; London was taken for London, England, United Kingdom, at least 10 times as "
                   "populous as any other place of that name; it also names London, Ontario, "
                   "Canada\n"},
        {"Sydney", "; Sydney was taken for Sydney, New South Wales, Australia"},
        {"Dhaka", "; Dhaka was taken for Dhaka, Bangladesh, at least 10 times as populous as any "
                  "other place of that name; it also names Dhāka, Bihar, India\n"},
    };
    for (const auto& [place, says] : cases) {
        const Result r = RunTool(With(kAnnPune, {"--place", place}));
        EXPECT_EQ(r.Status, 0) << r.Err;
        EXPECT_NE(r.Err.find(says), std::string::npos) << r.Err;
    }
}

// The JSON of a chart cast at an exact offset: no list entry, the offset
// itself, and where it came from.
TEST(PlaceJsonTest, ReportsAnExactOffset) {
    const auto json = [](const Args& args) {
        const Result r = RunTool(With(args, {"--sky", "precise", "--format", "json"}));
        EXPECT_EQ(r.Status, 0) << r.Err;
        return nlohmann::json::parse(r.Out);
    };
    const auto atlas = json(With(kAnnPune, {"--place", "Kathmandu"}));
    EXPECT_EQ(atlas["Place"], "Kathmandu, Bagmati Province, Nepal");
    EXPECT_EQ(atlas["ZoneSource"], "atlas");
    EXPECT_TRUE(atlas["TimeZone"].is_null());
    EXPECT_EQ(atlas["DaylightSaving"], false);
    EXPECT_EQ(atlas["UtcOffsetSeconds"], 20700);
    EXPECT_NE(atlas["ZoneLine"].get<std::string>().find(
                  "no list entry has this offset; the precise sky casts the chart at exactly "
                  "UTC+5:45"),
              std::string::npos);
    const auto given = json(With(kAnnPune, {"--utc-offset", "-4:30", "--lat", "10:29N", "--lon",
                                            "66:53W"}));
    EXPECT_TRUE(given["Place"].is_null());
    EXPECT_EQ(given["ZoneSource"], "given");
    EXPECT_TRUE(given["TimeZone"].is_null());
    EXPECT_EQ(given["UtcOffsetSeconds"], -16200);
    EXPECT_EQ(given["ZoneLine"], "UTC\u22124:30 given (--utc-offset); the precise sky casts the "
                                 "chart at exactly that offset");
}

// --utc-offset takes the place of --zone and --dst, and only the precise sky
// can use it.
TEST(UtcOffsetOptionTest, RefusesWhatItCannotUseOrRead) {
    const Args kathmandu = With(kAnnPune, {"--lat", "27:42N", "--lon", "85:19E"});
    const struct {
        Args Extra;
        const char* Says;
    } cases[] = {
        {{"--utc-offset", "+5:45"}, "only the precise sky (--sky precise) can cast"},
        {{"--utc-offset", "+5:31"}, "only the precise sky (--sky precise) can cast"},
        {{"--utc-offset", "+5:45", "--sky", "documented"}, "only the precise sky"},
        {{"--utc-offset", "+5:45", "--sky", "precise", "--zone", "34"}, "without --zone or --dst"},
        {{"--utc-offset", "+5:45", "--sky", "precise", "--dst"}, "without --zone or --dst"},
        {{"--utc-offset", "5:45", "--sky", "precise"}, "accepts an offset from UTC"},
        {{"--utc-offset", "+5", "--sky", "precise"}, "accepts an offset from UTC"},
        {{"--utc-offset", "+5:7", "--sky", "precise"}, "accepts an offset from UTC"},
        {{"--utc-offset", "+5:60", "--sky", "precise"}, "accepts an offset from UTC"},
        {{"--utc-offset", "+15:01", "--sky", "precise"}, "accepts an offset from UTC"},
        {{"--utc-offset", "+5:45:60", "--sky", "precise"}, "accepts an offset from UTC"},
        {{"--utc-offset", "+5:45:", "--sky", "precise"}, "accepts an offset from UTC"},
        {{"--utc-offset", "+-5:45", "--sky", "precise"}, "accepts an offset from UTC"},
        {{"--utc-offset", "", "--sky", "precise"}, "accepts an offset from UTC"},
        {{"--utc-offset", "\u22125:45", "--sky", "precise"},
         "begins with the Unicode minus sign (U+2212), not the hyphen-minus: type the sign as -"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Extra[1]);
        const Result r = RunTool(With(kathmandu, c.Extra));
        ExpectRefused(r, "--utc-offset");
        EXPECT_NE(r.Err.find(c.Says), std::string::npos) << r.Err;
    }
    for (const char* edge : {"+15:00", "-15:00", "+5:21:10", "-0:00"}) {
        const Result r = RunTool(With(kathmandu, {"--utc-offset", edge, "--sky", "precise"}));
        EXPECT_EQ(r.Status, 0) << edge << r.Err;
    }
    ExpectRefused(RunTool({"--batch", "-", "--utc-offset", "+5:45", "--sky", "precise"}),
                  "--utc-offset");
}

// An offset that a zone of the list has is that zone, which the documented
// sky casts: Indian Time's +5:30 is the list's entry 34, Nepal's +5:45 no
// entry's, and -5:00 Eastern Time's.
TEST(UtcOffsetOptionTest, AnOffsetTheListHasIsItsZone) {
    const Args delhi = With(kAnnPune, {"--lat", "28:36N", "--lon", "77:12E"});
    const struct {
        const char* Offset;
        const char* Zone;
    } cases[] = {{"+5:30", "34"}, {"-5:00", "EST"}, {"+0:00", "GMT"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Offset);
        const Result offset = RunTool(With(delhi, {"--utc-offset", c.Offset}));
        const Result zone = RunTool(With(delhi, {"--zone", c.Zone}));
        EXPECT_EQ(offset.Status, 0) << offset.Err;
        EXPECT_EQ(offset.Out, zone.Out);
    }
}

// The batch's "UtcOffset" is --utc-offset's: the whole offset, instead of
// "TimeZone" and "DaylightSaving", of its own only in the precise sky.
TEST(PlaceBatchTest, AnOffsetKeyIsTheOptionsOffset) {
    const std::string kathmandu =
        R"({"PersonName":"Ann","BirthDay":15,"BirthMonth":7,"BirthYear":1990,"BirthHour":12,)"
        R"("BirthMinute":0,"LatDegrees":27,"LatMinutes":42,"LatDirection":"N","LonDegrees":85,)"
        R"("LonMinutes":19,"LonDirection":"E","CityName":"K","StateName":"B","CountryName":"N",)";
    const struct {
        const char* Keys;
        int Seconds;  // 0: an error line saying Says
        const char* Says;
    } cases[] = {
        {R"("UtcOffset":"+5:45","Sky":"precise")", 20700, ""},
        {R"("UtcOffset":"-4:30","Sky":"precise")", -16200, ""},
        {R"("UtcOffset":"+5:30")", 19800, ""},
        {R"("UtcOffset":"+5:45")", 0, "UtcOffset: only the precise sky"},
        {R"("UtcOffset":"+5:45","Sky":"precise","TimeZone":34)", 0, "without \"TimeZone\""},
        {R"("UtcOffset":"+5:45","Sky":"precise","DaylightSaving":true)", 0, "\"DaylightSaving\""},
        {R"("UtcOffset":545,"Sky":"precise")", 0, "UtcOffset: accepts an offset from UTC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Keys);
        const Result r = RunTool({"--batch", "-"}, kathmandu + c.Keys + "}\n");
        const auto line = nlohmann::json::parse(r.Out);
        if (c.Seconds != 0) {
            EXPECT_EQ(r.Status, 0) << r.Out;
            EXPECT_EQ(line["UtcOffsetSeconds"], c.Seconds) << r.Out;
        } else {
            EXPECT_NE(line["error"].get<std::string>().find(c.Says), std::string::npos) << r.Out;
        }
    }
    // The same chart as --utc-offset gives.
    const Result option = RunTool({"--name", "Ann", "--date", "1990-07-15", "--time", "12:00",
                                   "--utc-offset", "+5:45", "--lat", "27:42N", "--lon", "85:19E",
                                   "--sky", "precise", "--format", "json"});
    const Result batch =
        RunTool({"--batch", "-"}, kathmandu + R"("UtcOffset":"+5:45","Sky":"precise"})" + "\n");
    for (const char* key : {"PlanetPositionTexts", "Lagna", "UtcOffsetSeconds"}) {
        EXPECT_EQ(nlohmann::json::parse(option.Out)[key], nlohmann::json::parse(batch.Out)[key])
            << key;
    }
}

TEST(PlaceBatchTest, APlaceLineEqualsTheLineWithCoordinates) {
    const std::string date =
        R"("PersonName":"Ann","BirthDay":15,"BirthMonth":7,"BirthYear":1990,"BirthHour":12,"BirthMinute":0)";
    const std::string byHand =
        "{" + date + R"(,"TimeZone":34,"LatDegrees":18,"LatMinutes":31,"LatDirection":"N",)"
        R"("LonDegrees":73,"LonMinutes":51,"LonDirection":"E","DaylightSaving":false,)"
        R"("CityName":"Pune","StateName":"Maharashtra","CountryName":"India"})";
    const Result r = RunTool({"--batch", "-"}, "{" + date + R"(,"Place":"Pune"})" + "\n" + byHand +
                                               "\n{" + date + R"(,"Place":"Springfield"})" +
                                               "\n{" + date +
                                               R"(,"Place":"Kathmandu","Sky":"precise"})" + "\n{" +
                                               date + R"(,"Place":"Kathmandu"})" + "\n");
    EXPECT_EQ(r.Status, 1);
    std::istringstream lines(r.Out);
    std::string first, second, third, fourth, fifth;
    std::getline(lines, first), std::getline(lines, second), std::getline(lines, third);
    std::getline(lines, fourth), std::getline(lines, fifth);
    // A batch takes no options: its way out is a key of the line.
    EXPECT_NE(nlohmann::json::parse(fifth)["error"].get<std::string>().find(
                  R"(no list entry has this offset; only the precise sky ("Sky": "precise"; a )"
                  R"(line without "Place" gives the offset as "UtcOffset" beside it) can cast it, )"
                  R"(or give "TimeZone" (and "DaylightSaving" if it applies))"),
              std::string::npos)
        << fifth;
    const auto exact = nlohmann::json::parse(fourth);
    EXPECT_TRUE(exact["TimeZone"].is_null()) << fourth;
    EXPECT_EQ(exact["UtcOffsetSeconds"], 20700);
    auto place = nlohmann::json::parse(first);
    auto hand = nlohmann::json::parse(second);
    EXPECT_EQ(place["ZoneSource"], "atlas");
    for (const char* key : {"PlanetPositionTexts", "MoonPositionText", "Reading"}) {
        EXPECT_EQ(place[key], hand[key]) << key;
    }
    EXPECT_NE(nlohmann::json::parse(third)["error"].get<std::string>().find("Place: Springfield"),
              std::string::npos);
}

TEST(AtlasListTest, ABlankNameIsRefusedNotAnsweredWithNothing) {
    for (const char* query : {"", "  ", ", India", " , Chicago"}) {
        SCOPED_TRACE(query);
        for (const char* format : {"text", "json"}) {
            ExpectRefused(RunTool({"--atlas", query, "--format", format}), "--atlas");
        }
    }
}

TEST(AtlasListTest, ListsMatchesLargerFirst) {
    const Result text = RunTool({"--atlas", "Pun"});
    EXPECT_EQ(text.Status, 0);
    EXPECT_EQ(text.Out.substr(0, text.Out.find('\n')),
              "Pune, Maharashtra, India  18:31N 73:51E  Asia/Kolkata");
    const auto json = nlohmann::json::parse(RunTool({"--atlas", "Springfield, Illinois",
                                                 "--format", "json"}).Out);
    ASSERT_EQ(json.size(), 1u);
    EXPECT_EQ(json[0]["TimeZone"], "America/Chicago");
    EXPECT_EQ(json[0]["Coordinates"], "39:48N 89:39W");
    const auto byCoordinates = nlohmann::json::parse(
        RunTool({"--atlas", "Springfield (39:48N 89:39W)", "--format", "json"}).Out);
    ASSERT_EQ(byCoordinates.size(), 1u);
    EXPECT_EQ(byCoordinates[0]["State"], "Illinois");
}

}  // namespace
}  // namespace tavrinel::cli
