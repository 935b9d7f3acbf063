#include "chart/reading_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace tavrinel {
namespace {

// A form that differs from the defaults everywhere, so a rule that wrongly
// resets a field shows.
BirthForm DistinctForm() {
    BirthForm form;
    form.Name = "Before";
    form.LatDeg = "1";
    form.LatMin = "2";
    form.LonDeg = "3";
    form.LonMin = "4";
    form.City = "C";
    form.State = "S";
    form.Country = "K";
    form.DayIndex = 9;
    form.MonthIndex = 4;
    form.YearIndex = 99;
    form.HourIndex = 13;
    form.MinuteIndex = 41;
    form.ZoneIndex = 17;
    form.Latitude = LatitudeChoice::North;
    form.Longitude = LongitudeChoice::West;
    form.DaylightSaving = false;
    return form;
}

// The lines of a complete file for DistinctForm's opposite, to be damaged one
// at a time.
std::vector<std::string> GoodLines() {
    return {"Ann", "7", "15", "1990", "12", "0", "29", "77", "12", "28", "36",
            "True", "False", "False", "Delhi", "Delhi", "India"};
}

// A file made line by line from plain texts, each scrambled, CR LF after each.
std::string MakeFile(const std::vector<std::string>& plainLines) {
    std::string bytes;
    for (const std::string& line : plainLines) {
        bytes += ScrambleText(line);
        bytes += "\r\n";
    }
    return bytes;
}

void ExpectSameForm(const BirthForm& actual, const BirthForm& expected) {
    EXPECT_EQ(actual.Name, expected.Name);
    EXPECT_EQ(actual.LatDeg, expected.LatDeg);
    EXPECT_EQ(actual.LatMin, expected.LatMin);
    EXPECT_EQ(actual.LonDeg, expected.LonDeg);
    EXPECT_EQ(actual.LonMin, expected.LonMin);
    EXPECT_EQ(actual.City, expected.City);
    EXPECT_EQ(actual.State, expected.State);
    EXPECT_EQ(actual.Country, expected.Country);
    EXPECT_EQ(actual.DayIndex, expected.DayIndex);
    EXPECT_EQ(actual.MonthIndex, expected.MonthIndex);
    EXPECT_EQ(actual.YearIndex, expected.YearIndex);
    EXPECT_EQ(actual.HourIndex, expected.HourIndex);
    EXPECT_EQ(actual.MinuteIndex, expected.MinuteIndex);
    EXPECT_EQ(actual.ZoneIndex, expected.ZoneIndex);
    EXPECT_EQ(actual.Latitude, expected.Latitude);
    EXPECT_EQ(actual.Longitude, expected.Longitude);
    EXPECT_EQ(actual.DaylightSaving, expected.DaylightSaving);
}

TEST(ScrambleText, ReversesAndShiftsEachCode) {
    // 'c' 'b' 'a' = 99 98 97, each raised by the shift.
    const std::string expected = {static_cast<char>(99 + ReadingFileShift),
                                  static_cast<char>(98 + ReadingFileShift),
                                  static_cast<char>(97 + ReadingFileShift)};
    EXPECT_EQ(ScrambleText("abc"), expected);
    EXPECT_EQ(UnscrambleText(expected), "abc");
    EXPECT_EQ(ScrambleText(""), "");
}

TEST(ScrambleText, LeavesOutCodesThatWouldLeaveTheByteRange) {
    const char highest = static_cast<char>(255 - ReadingFileShift);
    const char tooHigh = static_cast<char>(256 - ReadingFileShift);
    EXPECT_EQ(ScrambleText(std::string{'a', tooHigh, 'b'}).size(), 2u);
    EXPECT_EQ(UnscrambleText(ScrambleText(std::string{'a', tooHigh, 'b'})), "ab");
    EXPECT_EQ(UnscrambleText(ScrambleText(std::string{highest})), std::string{highest});

    const char tooLow = static_cast<char>(ReadingFileShift - 1);
    EXPECT_EQ(UnscrambleText(std::string{'x', tooLow}), std::string{static_cast<char>('x' - ReadingFileShift)});
}

TEST(ScrambleText, NeverProducesALineEndOrASettingsSeparator) {
    for (int code = 0; code < 256; ++code) {
        const std::string scrambled = ScrambleText(std::string(1, static_cast<char>(code)));
        for (char c : scrambled) {
            EXPECT_NE(c, '\r') << code;
            EXPECT_NE(c, '\n') << code;
        }
    }
    for (char c : ScrambleText("Duration")) {
        EXPECT_NE(c, '/');
        EXPECT_NE(c, '\\');
    }
}

TEST(Latin1Conversion, KeepsLatin1AndMarksEverythingElse) {
    EXPECT_EQ(Utf8ToLatin1("Zo\xC3\xAB"), "Zo\xEB");
    EXPECT_EQ(Latin1ToUtf8("Zo\xEB"), "Zo\xC3\xAB");
    EXPECT_EQ(Utf8ToLatin1("\xD0\x96" "a"), "?a");            // Cyrillic Zhe
    EXPECT_EQ(Utf8ToLatin1("\xF0\x9F\x98\x80"), "?");         // an emoji
    EXPECT_EQ(Utf8ToLatin1("\xC3"), "?");                     // cut short
    EXPECT_EQ(Utf8ToLatin1("\xC3(a"), "?(a");
    EXPECT_EQ(Utf8ToLatin1("\xC0\x80"), "?");                 // overlong NUL
    EXPECT_EQ(Utf8ToLatin1("\xED\xA0\x80"), "?");             // surrogate
    EXPECT_EQ(Utf8ToLatin1("\x80\xFF"), "??");
}

ChartState KnownChart() {
    ChartState chart;
    chart.PersonName = "  Ann ";
    chart.BirthMonth = 7;
    chart.BirthDay = 15;
    chart.BirthYear = 1990;
    chart.BirthHour = 12;
    chart.BirthMinute = 0;
    chart.LonDegrees = 77;
    chart.LonMinutes = 12;
    chart.LatDegrees = 28;
    chart.LatMinutes = 36;
    chart.LonDirection = kTrue;
    chart.LatDirection = kFalse;
    chart.DaylightSaving = kFalse;
    chart.CityName = "Delhi";
    chart.StateName = "Delhi";
    chart.CountryName = "India";
    return chart;
}

TEST(WriteReadingFile, WritesTheKnownBytes) {
    // Worked by hand with the shift of 14: each text reversed, each code + 14.
    const std::string expected =
        "||O\r\n"               // "Ann", blanks trimmed
        "E\r\n"                 // "7"
        "C?\r\n"                // "15"
        ">GG?\r\n"              // "1990"
        "@?\r\n"                // "12"
        ">\r\n"                 // "0"
        "G@\r\n"                // zone index "29"
        "EE\r\n"                // "77"
        "@?\r\n"                // "12"
        "F@\r\n"                // "28"
        "DA\r\n"                // "36"
        "s\x83\x80" "b\r\n"     // "True"
        "s\x81zoT\r\n"          // "False"
        "s\x81zoT\r\n"          // "False"
        "wvzsR\r\n"             // "Delhi"
        "wvzsR\r\n"             // "Delhi"
        "owr|W\r\n";            // "India"
    EXPECT_EQ(WriteReadingFile(KnownChart(), 29), expected);
}

TEST(WriteReadingFile, AnyNonZeroTruthIsTrue) {
    ChartState chart = KnownChart();
    chart.LonDirection = 0;
    chart.LatDirection = 1;
    chart.DaylightSaving = -1;
    const auto lines = SplitReadingFile(WriteReadingFile(chart, 0));
    EXPECT_EQ(UnscrambleText(lines[11]), "False");
    EXPECT_EQ(UnscrambleText(lines[12]), "True");
    EXPECT_EQ(UnscrambleText(lines[13]), "True");
}

TEST(WriteReadingFile, NameLosesCharactersOutsideTheShiftedRange) {
    ChartState chart = KnownChart();
    chart.PersonName = "J\xC3\xBFrg \xD0\x96";  // y with diaeresis (255), then Zhe
    const auto lines = SplitReadingFile(WriteReadingFile(chart, 0));
    EXPECT_EQ(UnscrambleText(lines[0]), "Jrg ?");
}

// Save then Open for random forms: every field, every zone, both directions.
TEST(ReadingFileRoundTrip, RandomFormsComeBackAsSaved) {
    std::mt19937 random(20240501);
    const auto pick = [&random](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    const auto word = [&](int maxLength) {
        static constexpr std::string_view kLetters =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz ";
        std::string text(1, 'A' + static_cast<char>(pick(26)));
        const int length = pick(maxLength);
        for (int i = 0; i < length; ++i) {
            text += kLetters[pick(static_cast<int>(kLetters.size()))];
        }
        return text;
    };
    const auto digits = [&]() { return std::to_string(pick(1000)); };

    for (int round = 0; round < 8; ++round) {
        for (int zone = 0; zone < kZoneCount; ++zone) {
            BirthForm form;
            form.Name = std::string(pick(3), ' ') + word(20) + std::string(pick(3), ' ');
            form.City = "  " + word(15);
            form.State = word(15) + " ";
            form.Country = word(15);
            form.LatDeg = digits();
            form.LatMin = digits();
            form.LonDeg = digits();
            form.LonMin = digits();
            form.DayIndex = pick(kDayCount);
            form.MonthIndex = pick(kMonthCount);
            form.YearIndex = pick(kYearCount);
            form.HourIndex = pick(kHourCount);
            form.MinuteIndex = pick(kMinuteCount);
            form.ZoneIndex = zone;
            form.Latitude = (zone + round) % 2 ? LatitudeChoice::South : LatitudeChoice::North;
            form.Longitude = (zone / 2 + round) % 2 ? LongitudeChoice::West : LongitudeChoice::East;
            form.DaylightSaving = pick(2) == 1;

            ChartState chart;
            CopyFormToChart(form, chart);
            BirthForm opened = DistinctForm();
            ASSERT_EQ(ApplyReadingFile(WriteReadingFile(chart, form.ZoneIndex), opened),
                      std::nullopt);

            BirthForm expected = form;
            expected.Name = std::string(TrimBlanks(form.Name));
            expected.City = std::string(TrimBlanks(form.City));
            expected.State = std::string(TrimBlanks(form.State));
            expected.Country = std::string(TrimBlanks(form.Country));
            SCOPED_TRACE("zone " + std::to_string(zone) + " round " + std::to_string(round));
            ExpectSameForm(opened, expected);
        }
    }
}

TEST(ReadingFileRoundTrip, NumbersComeBackWithoutLeadingZeros) {
    BirthForm form;
    form.Name = "Ann";
    form.LatDeg = "007";
    form.LatMin = "0";
    form.LonDeg = "090";
    form.LonMin = "59";
    form.City = form.State = form.Country = "X";
    ChartState chart;
    CopyFormToChart(form, chart);
    BirthForm opened;
    ASSERT_EQ(ApplyReadingFile(WriteReadingFile(chart, 0), opened), std::nullopt);
    EXPECT_EQ(opened.LatDeg, "7");
    EXPECT_EQ(opened.LatMin, "0");
    EXPECT_EQ(opened.LonDeg, "90");
}

TEST(ReadingFileRoundTrip, Latin1LettersSurvive) {
    ChartState chart = KnownChart();
    chart.PersonName = "Zo\xC3\xAB \xC3\x81lvarez";
    chart.CityName = "M\xC3\xA1laga";
    BirthForm opened;
    ASSERT_EQ(ApplyReadingFile(WriteReadingFile(chart, 3), opened), std::nullopt);
    EXPECT_EQ(opened.Name, chart.PersonName);
    EXPECT_EQ(opened.City, chart.CityName);
}

TEST(ApplyReadingFile, ShortFileEmptiesTheMissingTexts) {
    std::vector<std::string> lines = GoodLines();
    lines.resize(14);
    BirthForm form = DistinctForm();
    ASSERT_EQ(ApplyReadingFile(MakeFile(lines), form), std::nullopt);

    EXPECT_EQ(form.Name, "Ann");
    EXPECT_EQ(form.MonthIndex, 6);
    EXPECT_EQ(form.DayIndex, 14);
    EXPECT_EQ(form.YearIndex, 1990 - kFirstYear);
    EXPECT_EQ(form.HourIndex, 12);
    EXPECT_EQ(form.MinuteIndex, 0);
    EXPECT_EQ(form.ZoneIndex, 29);
    EXPECT_EQ(form.LonDeg, "77");
    EXPECT_EQ(form.LonMin, "12");
    EXPECT_EQ(form.LatDeg, "28");
    EXPECT_EQ(form.LatMin, "36");
    EXPECT_EQ(form.Longitude, LongitudeChoice::East);
    EXPECT_EQ(form.Latitude, LatitudeChoice::North);
    EXPECT_FALSE(form.DaylightSaving);
    EXPECT_EQ(form.City, "");
    EXPECT_EQ(form.State, "");
    EXPECT_EQ(form.Country, "");

    const std::optional<FormFault> fault = ValidateBirthForm(form);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->Message, "Please Enter Your City name");
}

TEST(ApplyReadingFile, EmptyFileKeepsListsAndChoosesFirstOptions) {
    BirthForm form = DistinctForm();
    ASSERT_EQ(ApplyReadingFile("", form), std::nullopt);
    BirthForm expected = DistinctForm();
    expected.Name = expected.LatDeg = expected.LatMin = expected.LonDeg = expected.LonMin = "";
    expected.City = expected.State = expected.Country = "";
    expected.Longitude = LongitudeChoice::East;
    expected.Latitude = LatitudeChoice::South;
    expected.DaylightSaving = true;
    ExpectSameForm(form, expected);
}

TEST(ApplyReadingFile, EmptyDirectionLinesSelectEastSouthAndChecked) {
    std::vector<std::string> lines = GoodLines();
    lines[11] = lines[12] = lines[13] = "";
    BirthForm form = DistinctForm();
    ASSERT_EQ(ApplyReadingFile(MakeFile(lines), form), std::nullopt);
    EXPECT_EQ(form.Longitude, LongitudeChoice::East);
    EXPECT_EQ(form.Latitude, LatitudeChoice::South);
    EXPECT_TRUE(form.DaylightSaving);
}

TEST(ApplyReadingFile, TruthLinesAreReadExactly) {
    struct Case {
        std::string Line;
        bool ReadsFalse;
    };
    for (const Case& c : {Case{"True", false}, Case{"False", true}, Case{"false", false},
                          Case{"FALSE", false}, Case{" False", false}, Case{"0", false},
                          Case{"-1", false}}) {
        std::vector<std::string> lines = GoodLines();
        lines[11] = lines[12] = lines[13] = c.Line;
        BirthForm form = DistinctForm();
        ASSERT_EQ(ApplyReadingFile(MakeFile(lines), form), std::nullopt);
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(form.Longitude, c.ReadsFalse ? LongitudeChoice::West : LongitudeChoice::East);
        EXPECT_EQ(form.Latitude, c.ReadsFalse ? LatitudeChoice::North : LatitudeChoice::South);
        EXPECT_EQ(form.DaylightSaving, !c.ReadsFalse);
    }
}

// Each damaged list line must leave exactly its own selection alone.
TEST(ApplyReadingFile, DamagedListLinesKeepTheirSelection) {
    struct Case {
        int Line;
        std::string Text;
    };
    const Case cases[] = {
        {1, ""},     {1, "abc"},  {1, "0"},    {1, "13"},   {1, "-3"},  {1, "1e1"},
        {1, "0x3"},  {1, "3 x"},  {1, "."},    {1, "99999999999999999999999"},
        {2, ""},     {2, "05"},   {2, "0"},    {2, "32"},   {2, "+5"},  {2, " 5"},
        {2, "5.0"},  {3, "1900"}, {3, "2051"}, {3, "01990"}, {3, "x"},
        {4, "25"},   {4, "-1"},   {4, "012"},  {5, "60"},   {5, "00"},  {5, "a"},
        {6, ""},     {6, "71"},   {6, "-1"},   {6, "70.6"}, {6, "x29"}, {6, "1e1"},
        {6, "99999999999999999999999"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = GoodLines();
        lines[c.Line] = c.Text;
        BirthForm form = DistinctForm();
        ASSERT_EQ(ApplyReadingFile(MakeFile(lines), form), std::nullopt);
        SCOPED_TRACE("line " + std::to_string(c.Line + 1) + " = \"" + c.Text + "\"");
        const BirthForm before = DistinctForm();
        EXPECT_EQ(form.MonthIndex, c.Line == 1 ? before.MonthIndex : 6);
        EXPECT_EQ(form.DayIndex, c.Line == 2 ? before.DayIndex : 14);
        EXPECT_EQ(form.YearIndex, c.Line == 3 ? before.YearIndex : 1990 - kFirstYear);
        EXPECT_EQ(form.HourIndex, c.Line == 4 ? before.HourIndex : 12);
        EXPECT_EQ(form.MinuteIndex, c.Line == 5 ? before.MinuteIndex : 0);
        EXPECT_EQ(form.ZoneIndex, c.Line == 6 ? before.ZoneIndex : 29);
        EXPECT_EQ(form.Name, "Ann");
        EXPECT_EQ(form.Country, "India");
    }
}

TEST(ApplyReadingFile, ListEdgesAreAccepted) {
    struct Case {
        int Line;
        std::string Text;
        int BirthForm::*Index;
        int Expected;
    };
    const Case cases[] = {
        {1, "1", &BirthForm::MonthIndex, 0},
        {1, "12", &BirthForm::MonthIndex, 11},
        {1, " 3 ", &BirthForm::MonthIndex, 2},
        {1, "03", &BirthForm::MonthIndex, 2},  // read as a number, not matched as text
        {1, "2.5", &BirthForm::MonthIndex, 2},  // 1.5 rounds to the even 2
        {1, "3.5", &BirthForm::MonthIndex, 2},  // 2.5 rounds to the even 2
        {1, "3.6", &BirthForm::MonthIndex, 3},
        {1, "12.4", &BirthForm::MonthIndex, 11},
        {1, "1.4", &BirthForm::MonthIndex, 0},
        {2, "31", &BirthForm::DayIndex, 30},
        {3, "1901", &BirthForm::YearIndex, 0},
        {3, "2050", &BirthForm::YearIndex, kYearCount - 1},
        {4, "24", &BirthForm::HourIndex, 24},
        {5, "59", &BirthForm::MinuteIndex, 59},
        {6, "0", &BirthForm::ZoneIndex, 0},
        {6, "70", &BirthForm::ZoneIndex, 70},
        {6, "07", &BirthForm::ZoneIndex, 7},
        // The zone line is read as the month line is: halves to the even one.
        {6, "29.5", &BirthForm::ZoneIndex, 30},
        {6, "30.5", &BirthForm::ZoneIndex, 30},
        {6, " 34.4 ", &BirthForm::ZoneIndex, 34},
        {6, "70.5", &BirthForm::ZoneIndex, 70},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = GoodLines();
        lines[c.Line] = c.Text;
        BirthForm form = DistinctForm();
        ASSERT_EQ(ApplyReadingFile(MakeFile(lines), form), std::nullopt);
        SCOPED_TRACE("line " + std::to_string(c.Line + 1) + " = \"" + c.Text + "\"");
        EXPECT_EQ(form.*c.Index, c.Expected);
    }
}

TEST(ApplyReadingFile, TextLinesReplaceTheBoxesUnchanged) {
    std::vector<std::string> lines = GoodLines();
    lines[0] = "  Ann Lee ";
    lines[7] = "";
    lines[8] = "1234";
    lines[14] = " New  York";
    BirthForm form = DistinctForm();
    ASSERT_EQ(ApplyReadingFile(MakeFile(lines), form), std::nullopt);
    EXPECT_EQ(form.Name, "  Ann Lee ");
    EXPECT_EQ(form.LonDeg, "");
    EXPECT_EQ(form.LonMin, "1234");
    EXPECT_EQ(form.City, " New  York");

    // Too long for the box: refused at Calculate rather than shortened, and
    // the message says so rather than asking for numbers it already has.
    form.LonDeg = "77";
    const std::optional<FormFault> fault = ValidateBirthForm(form);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->Message, "The value is too long: please enter at most three digits");
    EXPECT_EQ(fault->Field, FormField::LonMin);
}

TEST(SplitReadingFile, AcceptsEveryLineEndAndIgnoresExtraLines) {
    const std::string crlf = MakeFile(GoodLines());
    std::string lf;
    std::string cr;
    for (char c : crlf) {
        if (c != '\r') lf += c;
        if (c != '\n') cr += c;
    }
    std::string noFinalEnd = crlf.substr(0, crlf.size() - 2);
    std::string extra = crlf + ScrambleText("spare") + "\r\n" + ScrambleText("more");

    const auto expected = SplitReadingFile(crlf);
    EXPECT_EQ(UnscrambleText(expected[16]), "India");
    EXPECT_EQ(SplitReadingFile(lf), expected);
    EXPECT_EQ(SplitReadingFile(cr), expected);
    EXPECT_EQ(SplitReadingFile(noFinalEnd), expected);
    EXPECT_EQ(SplitReadingFile(extra), expected);

    // CR LF is one line end, but CR CR is two.
    const auto blank = SplitReadingFile("a\r\rb\r\n\nc");
    EXPECT_EQ(blank[0], "a");
    EXPECT_EQ(blank[1], "");
    EXPECT_EQ(blank[2], "b");
    EXPECT_EQ(blank[3], "");
    EXPECT_EQ(blank[4], "c");
}

// A chart cast at an offset no zone entry has (Nepal, Venezuela 2007-2016,
// Madras time, the Line Islands, GMT) keeps the seventeen documented lines
// byte for byte and adds the offset after them: a reader of seventeen lines
// sees the file it always saw, and this one reads the offset back.
TEST(ReadingFileExactOffset, FollowsTheSeventeenLinesAndComesBack) {
    const std::string documented = WriteReadingFile(KnownChart(), 34);
    for (const int seconds : {20700, -16200, 19270, 50400, 0}) {
        SCOPED_TRACE(seconds);
        ChartState chart = KnownChart();
        chart.ExactUtcOffsetSeconds = seconds;
        const std::string bytes = WriteReadingFile(chart, 34);
        EXPECT_EQ(bytes.substr(0, documented.size()), documented);
        EXPECT_EQ(bytes.substr(documented.size()),
                  ScrambleText("UtcOffsetSeconds=" + std::to_string(seconds)) + "\r\n");
        EXPECT_EQ(SplitReadingFile(bytes), SplitReadingFile(documented));

        BirthForm form = DistinctForm();
        ASSERT_EQ(ApplyReadingFile(bytes, form), std::nullopt);
        EXPECT_EQ(form.UtcOffsetSeconds, seconds);
        BirthForm seventeen = DistinctForm();
        ASSERT_EQ(ApplyReadingFile(documented, seventeen), std::nullopt);
        EXPECT_EQ(seventeen.UtcOffsetSeconds, std::nullopt);
        ExpectSameForm(form, seventeen);
    }
}

// The line is written by this program alone, so whatever else stands there is
// a damaged file: the form stays as it was and the answer says why, rather
// than the zone entry's offset casting another sky without a word. An empty
// line is no line at all.
TEST(ReadingFileExactOffset, TheLineAfterTheSeventeenIsAnOffsetOrDamage) {
    constexpr const char* kRange = "out of range";
    constexpr const char* kNumber = "whole number of seconds";
    constexpr const char* kKey = "is not \"UtcOffsetSeconds=\"";
    const struct {
        const char* Line;
        std::optional<int> Offset;
        const char* Why;  // nullptr: the file opens
    } rows[] = {
        {"UtcOffsetSeconds=54000", 54000, nullptr},
        {"UtcOffsetSeconds=-54000", -54000, nullptr},
        {"UtcOffsetSeconds=19270", 19270, nullptr},
        {"", std::nullopt, nullptr},
        {"UtcOffsetSeconds=54001", std::nullopt, kRange},
        {"UtcOffsetSeconds=-54001", std::nullopt, kRange},
        {"UtcOffsetSeconds=999999", std::nullopt, kRange},
        {"UtcOffsetSeconds=99999999999", std::nullopt, kRange},
        {"UtcOffsetSeconds=NaN", std::nullopt, kNumber},
        {"UtcOffsetSeconds=+20700", std::nullopt, kNumber},
        {"UtcOffsetSeconds=", std::nullopt, kNumber},
        {"UtcOffsetSeconds= 20700", std::nullopt, kNumber},
        {"UtcOffsetSeconds=20700 ", std::nullopt, kNumber},
        {"   ", std::nullopt, kKey},
        {"UtcOffsetSeconds=20700.5", std::nullopt, kNumber},
        {"UtcOffsetSeconds=20700.0", std::nullopt, kNumber},
        {"UtcOffsetSeconds=020700", std::nullopt, kNumber},
        {"UtcOffsetSeconds=-0", std::nullopt, kNumber},
        {"UtcOffsetSeconds=2e4", std::nullopt, kNumber},
        {"UtcOffsetSeconds=20700x", std::nullopt, kNumber},
        {"UtcOffsetSecondz=20700", std::nullopt, kKey},
        {"utcoffsetseconds=20700", std::nullopt, kKey},
        {"20700", std::nullopt, kKey},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Line);
        std::vector<std::string> plain = GoodLines();
        plain.emplace_back(row.Line);
        BirthForm form = DistinctForm();
        form.UtcOffsetSeconds = 1;  // what the form held before
        const std::optional<std::string> damage = ApplyReadingFile(MakeFile(plain), form);
        if (!row.Why) {
            EXPECT_EQ(damage, std::nullopt);
            EXPECT_EQ(form.UtcOffsetSeconds, row.Offset);
            continue;
        }
        ASSERT_TRUE(damage);
        EXPECT_NE(damage->find(row.Why), std::string::npos) << *damage;
        EXPECT_NE(damage->find(std::string("\"") + row.Line + "\""), std::string::npos)
            << *damage;
        EXPECT_EQ(form.UtcOffsetSeconds, 1);
        ExpectSameForm(form, DistinctForm());
    }
}

// An offset that the zone line's entry, with the daylight-saving line's
// hour, already gives is the zone's own: Save writes no line for it, and a
// file that has one anyway opens as the zone (which the documented sky can
// cast). Offsets from the table: Indian Time +5:30, GMT, Newfoundland -3:30.
TEST(ReadingFileExactOffset, AnOffsetTheZoneGivesIsTheZones) {
    const struct {
        int Zone;
        bool Dst;
        int Seconds;
        bool ZoneGivesIt;
    } rows[] = {
        {34, false, 19800, true},  {34, true, 23400, true},  {34, true, 19800, false},
        {34, false, 20700, false}, {29, false, 0, true},     {29, true, 0, false},
        {50, true, -9000, true},   {50, false, -9000, false}, {61, false, 3600, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.Zone) + (row.Dst ? " DST " : " ") +
                     std::to_string(row.Seconds));
        ChartState chart = KnownChart();
        chart.DaylightSaving = row.Dst ? kTrue : kFalse;
        const std::string zoneOnly = WriteReadingFile(chart, row.Zone);
        chart.ExactUtcOffsetSeconds = row.Seconds;
        EXPECT_EQ(WriteReadingFile(chart, row.Zone) == zoneOnly, row.ZoneGivesIt);

        std::vector<std::string> plain = GoodLines();
        plain[6] = std::to_string(row.Zone);
        plain[13] = row.Dst ? "True" : "False";
        plain.push_back("UtcOffsetSeconds=" + std::to_string(row.Seconds));
        BirthForm form = DistinctForm();
        ASSERT_EQ(ApplyReadingFile(MakeFile(plain), form), std::nullopt);
        EXPECT_EQ(form.UtcOffsetSeconds,
                  row.ZoneGivesIt ? std::nullopt : std::optional<int>(row.Seconds));
    }
}

TEST(HasReadingFileExtension, ComparesTheLastThreeCharactersExactly) {
    EXPECT_TRUE(HasReadingFileExtension("/home/ann/chart.tvl"));
    EXPECT_TRUE(HasReadingFileExtension("tvl"));
    EXPECT_TRUE(HasReadingFileExtension("charttvl"));
    EXPECT_FALSE(HasReadingFileExtension("/home/ann/chart.TVL"));
    EXPECT_FALSE(HasReadingFileExtension("/home/ann/chart.Tvl"));
    EXPECT_FALSE(HasReadingFileExtension("chart.tvl "));
    EXPECT_FALSE(HasReadingFileExtension("vl"));
    EXPECT_FALSE(HasReadingFileExtension(""));
}

class ReadingFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tavrinel_reading_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(dir_, ignored);
    }
    static std::string Contents(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        std::stringstream buffer;
        buffer << file.rdbuf();
        return buffer.str();
    }
    std::filesystem::path dir_;
};

TEST_F(ReadingFileOnDisk, SavedFileOpensIntoTheForm) {
    const std::filesystem::path path = dir_ / "ann.tvl";
    const std::string bytes = WriteReadingFile(KnownChart(), 29);
    ASSERT_FALSE(SaveReadingFile(path, bytes));
    EXPECT_EQ(Contents(path), bytes);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "ann.tvl.saving"));

    BirthForm form = DistinctForm();
    ASSERT_FALSE(OpenReadingFile(path, form));
    EXPECT_EQ(form.Name, "Ann");
    EXPECT_EQ(form.ZoneIndex, 29);
    EXPECT_EQ(form.Country, "India");
}

TEST_F(ReadingFileOnDisk, SavingAgainReplacesTheFile) {
    const std::filesystem::path path = dir_ / "ann.tvl";
    ASSERT_FALSE(SaveReadingFile(path, "a much longer earlier content\r\n"));
    ASSERT_FALSE(SaveReadingFile(path, "new\r\n"));
    EXPECT_EQ(Contents(path), "new\r\n");
}

TEST_F(ReadingFileOnDisk, OpenRefusesWrongExtensionAndUnreadableFiles) {
    const std::filesystem::path upper = dir_ / "ann.TVL";
    ASSERT_FALSE(SaveReadingFile(upper, WriteReadingFile(KnownChart(), 29)));
    // A pipe nobody writes to would hold the program until someone does.
    ASSERT_EQ(::mkfifo((dir_ / "pipe.tvl").c_str(), 0644), 0);
    std::filesystem::create_directory(dir_ / "folder.tvl");
    std::filesystem::create_symlink("/dev/zero", dir_ / "device.tvl");
    std::vector<std::string> damaged = GoodLines();
    damaged.emplace_back("UtcOffsetSecondz=20700");
    ASSERT_FALSE(SaveReadingFile(dir_ / "damaged.tvl", MakeFile(damaged)));
    const struct {
        std::filesystem::path Path;
        ReadingFileProblem Problem;
    } rows[] = {
        {upper, ReadingFileProblem::WrongExtension},
        {dir_, ReadingFileProblem::WrongExtension},
        {dir_ / "missing.tvl", ReadingFileProblem::Missing},
        {dir_ / "missing" / "ann.tvl", ReadingFileProblem::Missing},
        {dir_ / "pipe.tvl", ReadingFileProblem::NotRegularFile},
        {dir_ / "folder.tvl", ReadingFileProblem::NotRegularFile},
        {dir_ / "device.tvl", ReadingFileProblem::NotRegularFile},
        {dir_ / "damaged.tvl", ReadingFileProblem::DamagedOffset},
    };
    // Should the open wait on the pipe after all, the test ends, not hangs.
    constexpr unsigned kPatienceSeconds = 30;
    ::alarm(kPatienceSeconds);
    for (const auto& row : rows) {
        BirthForm form = DistinctForm();
        const std::optional<ReadingFileError> error = OpenReadingFile(row.Path, form);
        ASSERT_TRUE(error) << row.Path;
        EXPECT_EQ(error->Message, kCheckFileMessage);
        EXPECT_EQ(error->Problem, row.Problem) << row.Path;
        EXPECT_EQ(error->Detail.find("UtcOffsetSecondz=20700") != std::string::npos,
                  row.Problem == ReadingFileProblem::DamagedOffset)
            << error->Detail;
        ExpectSameForm(form, DistinctForm());
    }
    ::alarm(0);
}

TEST_F(ReadingFileOnDisk, FailedSaveNamesTheFileAndKeepsTheEarlierOne) {
    const std::filesystem::path missingDir = dir_ / "no such folder" / "ann.tvl";
    const std::optional<ReadingFileError> error = SaveReadingFile(missingDir, "x");
    ASSERT_TRUE(error);
    EXPECT_NE(error->Message.find(missingDir.string()), std::string::npos);

    const std::filesystem::path protectedFile = dir_ / "kept.tvl";
    ASSERT_FALSE(SaveReadingFile(protectedFile, "earlier"));
    std::filesystem::permissions(protectedFile, std::filesystem::perms::owner_read |
                                                    std::filesystem::perms::group_read);
    EXPECT_TRUE(SaveReadingFile(protectedFile, "later"));
    EXPECT_EQ(Contents(protectedFile), "earlier");
}

// A write that fails half-way (a full disk, a quota) must not cost the reading
// saved before. A file-size limit makes the kernel refuse the write for real,
// and it binds root too, who may write into read-only folders.
TEST_F(ReadingFileOnDisk, WriteFailingHalfWayKeepsTheEarlierFile) {
    const std::filesystem::path file = dir_ / "ann.tvl";
    ASSERT_FALSE(SaveReadingFile(file, "earlier reading"));

    struct rlimit previous {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = previous;
    small.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::optional<ReadingFileError> error = SaveReadingFile(file, "a much longer reading");
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_TRUE(error);
    EXPECT_NE(error->Message.find(file.string()), std::string::npos);
    EXPECT_EQ(Contents(file), "earlier reading");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "ann.tvl.saving"));
}

}  // namespace
}  // namespace tavrinel
