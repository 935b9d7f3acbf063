#include "chart/birth_form.h"

#include <gtest/gtest.h>

#include "chart/time_zone_table.h"

namespace tavrinel {
namespace {

BirthForm CompleteForm() {
    BirthForm form;
    form.Name = "Ann";
    form.LatDeg = "28";
    form.LatMin = "36";
    form.LonDeg = "77";
    form.LonMin = "12";
    form.City = "Delhi";
    form.State = "Delhi";
    form.Country = "India";
    return form;
}

std::string_view MessageFor(const BirthForm& form) {
    const auto fault = ValidateBirthForm(form);
    return fault ? fault->Message : std::string_view("passes");
}

TEST(ValidateBirthForm, EmptyBoxesAreReportedInFormOrder) {
    BirthForm form;  // everything empty
    EXPECT_EQ(MessageFor(form), "Please Enter Your Name");

    // Clearing one box at a time from a complete form, in the order the checks
    // run: each message names its box and sends the focus there.
    struct Step {
        std::string BirthForm::*Box;
        const char* Message;
        FormField Field;
    };
    const Step steps[] = {
        {&BirthForm::Name, "Please Enter Your Name", FormField::Name},
        {&BirthForm::LatDeg, "Please Enter Degree of Latitude", FormField::LatDeg},
        {&BirthForm::LatMin, "Please Enter Minutes of Latitude", FormField::LatMin},
        {&BirthForm::LonDeg, "Please Enter Degree of Longitude", FormField::LonDeg},
        {&BirthForm::LonMin, "Please Enter Minute of Longitude", FormField::LonMin},
        {&BirthForm::City, "Please Enter Your City name", FormField::City},
        {&BirthForm::State, "Please Enter Your State name", FormField::State},
        {&BirthForm::Country, "Please Enter Your Country name", FormField::Country},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        // All boxes from this one on are empty: only this one is reported.
        BirthForm partial = CompleteForm();
        for (std::size_t j = i; j < std::size(steps); ++j) {
            partial.*steps[j].Box = "";
        }
        const auto fault = ValidateBirthForm(partial);
        ASSERT_TRUE(fault) << i;
        EXPECT_EQ(fault->Message, steps[i].Message);
        EXPECT_EQ(fault->Field, steps[i].Field);
        EXPECT_EQ(fault->Icon, MessageIcon::Error);
    }
}

TEST(ValidateBirthForm, BlanksCountAsContentAndRangesAreNotChecked) {
    BirthForm form = CompleteForm();
    form.Name = " ";
    form.LatDeg = "999";
    form.LatMin = "999";
    form.HourIndex = 24;
    EXPECT_EQ(MessageFor(form), "passes");
}

TEST(ValidateBirthForm, NonDigitsInANumberBoxAreRefused) {
    // An opened file can put anything into these boxes; the calculation would
    // otherwise silently keep the previous chart's value.
    BirthForm form = CompleteForm();
    form.LonMin = "1x";
    auto fault = ValidateBirthForm(form);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->Message, "Please enter only numbers");
    EXPECT_EQ(fault->Field, FormField::LonMin);

    form = CompleteForm();
    form.LatDeg = " 28";
    fault = ValidateBirthForm(form);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->Field, FormField::LatDeg);
}

// Digits beyond what the box holds are too long, not "not numbers"; anything
// else that is not a digit is still "not numbers".
TEST(ValidateBirthForm, LongNumbersAreTooLongNotLetters) {
    const std::string tooLong = "The value is too long: please enter at most three digits";
    const std::pair<std::string, std::string> cases[] = {
        {"1234", tooLong},           {"0000", tooLong},
        {"99999999999999999999", tooLong},
        {"123", "passes"},           {"12a4", "Please enter only numbers"},
        {"-123", "Please enter only numbers"}, {"1 234", "Please enter only numbers"},
    };
    for (const auto& [text, expected] : cases) {
        BirthForm form = CompleteForm();
        form.LatMin = text;
        EXPECT_EQ(MessageFor(form), expected) << text;
    }
}

TEST(ValidateBirthForm, MissingDirectionsSelectNorthThenEast) {
    BirthForm form = CompleteForm();
    form.Latitude = LatitudeChoice::None;
    form.Longitude = LongitudeChoice::None;
    auto fault = ValidateBirthForm(form);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->Message, "Please Select Direction For The Latitude");
    EXPECT_EQ(fault->Field, FormField::LatitudeNorth);
    form.Latitude = LatitudeChoice::South;
    fault = ValidateBirthForm(form);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->Message, "Please Select Direction For The Longitude");
    EXPECT_EQ(fault->Field, FormField::LongitudeEast);
}

TEST(ValidateBirthForm, DatesOnListPositionsWithoutTheCenturyRule) {
    struct Case {
        int Day, Month, Year;
        const char* Expected;
    };
    const char* february = "Please Enter Correct Date Or Month!";
    const char* thirty = "Please Enter Correct Date Or Month !";
    const Case cases[] = {
        {29, 2, 2000, "passes"},  {29, 2, 2048, "passes"},  {29, 2, 1901, february},
        {30, 2, 2000, february},  {31, 2, 1904, february},  {28, 2, 1901, "passes"},
        {31, 4, 1990, thirty},    {31, 6, 1990, thirty},    {31, 9, 1990, thirty},
        {31, 11, 1990, thirty},   {31, 5, 1990, "passes"},  {30, 4, 1990, "passes"},
        {31, 12, 2050, "passes"},
    };
    for (const Case& c : cases) {
        BirthForm form = CompleteForm();
        form.DayIndex = c.Day - 1;
        form.MonthIndex = c.Month - 1;
        form.YearIndex = c.Year - kFirstYear;
        const auto fault = ValidateBirthForm(form);
        EXPECT_EQ(fault ? fault->Message : "passes", c.Expected)
            << c.Day << '/' << c.Month << '/' << c.Year;
        if (fault) {
            EXPECT_EQ(fault->Icon, MessageIcon::Information);
        }
    }
}

TEST(ValidateBirthForm, PlaceMayBeOptional) {
    BirthForm form = CompleteForm();
    form.City = form.State = form.Country = "";
    EXPECT_TRUE(ValidateBirthForm(form));
    EXPECT_FALSE(ValidateBirthForm(form, PlaceRule::Optional));
}

TEST(CopyFormToChart, IndianTimeEastNorth) {
    ChartState chart;
    LoadTimeZoneTables(chart);
    BirthForm form = CompleteForm();
    form.Name = "  Ann  ";
    form.City = "  New Delhi ";
    form.ZoneIndex = 34;
    form.DayIndex = 14;
    form.MonthIndex = 6;
    form.YearIndex = 1990 - kFirstYear;
    form.HourIndex = 12;
    form.DaylightSaving = true;
    CopyFormToChart(form, chart);
    EXPECT_EQ(chart.PersonName, "  Ann  ");  // the name keeps its blanks
    EXPECT_EQ(chart.CityName, "New Delhi");
    EXPECT_EQ(chart.BirthDay, 15);
    EXPECT_EQ(chart.BirthMonth, 7);
    EXPECT_EQ(chart.BirthYear, 1990);
    EXPECT_EQ(chart.BirthHour, 12);
    EXPECT_EQ(chart.ZoneHours, 5);
    EXPECT_EQ(chart.ZoneMinutes, 30);
    EXPECT_EQ(chart.ZoneShiftHours, -5);
    EXPECT_EQ(chart.ZoneShiftMinutes, -30);
    EXPECT_EQ(chart.LatDegrees, 28);
    EXPECT_EQ(chart.LonMinutes, 12);
    EXPECT_EQ(chart.LonDirection, kTrue);
    EXPECT_EQ(chart.LatDirection, kFalse);
    EXPECT_EQ(chart.DaylightSaving, kTrue);

    form.Latitude = LatitudeChoice::South;
    form.Longitude = LongitudeChoice::West;
    CopyFormToChart(form, chart);
    EXPECT_EQ(chart.LonDirection, kFalse);
    EXPECT_EQ(chart.LatDirection, kTrue);
}

TEST(KeyFilters, FamiliesAcceptTheirCodesOnly) {
    for (char32_t c : {U'A', U'Z', U'a', U'z', U' ', char32_t{8}, char32_t{127}}) {
        EXPECT_TRUE(FilterAccepts(FilterFamily::Letters, c)) << int(c);
    }
    for (char32_t c : {U'7', U'\'', U'-', U'.', U'\u00e9', char32_t{22}, char32_t{13}}) {
        EXPECT_FALSE(FilterAccepts(FilterFamily::Letters, c)) << int(c);
    }
    for (char32_t c : {U'0', U'9', char32_t{8}, char32_t{127}}) {
        EXPECT_TRUE(FilterAccepts(FilterFamily::Numbers, c)) << int(c);
    }
    for (char32_t c : {U'-', U'.', U' ', U'a', char32_t{22}}) {
        EXPECT_FALSE(FilterAccepts(FilterFamily::Numbers, c)) << int(c);
    }
}

TEST(KeyFilters, FirstRefusedCharacterOfAText) {
    const std::pair<std::string, std::optional<char32_t>> letters[] = {
        {"Ann Lee", std::nullopt}, {"", std::nullopt},
        {"Jos\xC3\xA9", U'\u00e9'}, {"O'Brien", U'\''},
        {"Ann\x7F", char32_t{127}}, {"A\bB", char32_t{8}},
        {"Ann\xFF", char32_t{0xFFFD}},
    };
    for (const auto& [text, expected] : letters) {
        EXPECT_EQ(FirstRefusedCharacter(FilterFamily::Letters, text), expected) << text;
    }
    EXPECT_EQ(FirstRefusedCharacter(FilterFamily::Numbers, "12"), std::nullopt);
    EXPECT_EQ(FirstRefusedCharacter(FilterFamily::Numbers, "1.5"), U'.');
}

}  // namespace
}  // namespace tavrinel
