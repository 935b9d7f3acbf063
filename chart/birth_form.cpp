#include "chart/birth_form.h"

#include <cstdlib>

#include "chart/utf8.h"

namespace tavrinel {

namespace {

struct EmptinessCheck {
    std::string BirthForm::*Text;
    std::string_view Message;
    FormField Field;
};

// The order matters: the first empty box is the one the user hears about.
constexpr std::array<EmptinessCheck, 8> kEmptinessChecks = {{
    {&BirthForm::Name, "Please Enter Your Name", FormField::Name},
    {&BirthForm::LatDeg, "Please Enter Degree of Latitude", FormField::LatDeg},
    {&BirthForm::LatMin, "Please Enter Minutes of Latitude", FormField::LatMin},
    {&BirthForm::LonDeg, "Please Enter Degree of Longitude", FormField::LonDeg},
    {&BirthForm::LonMin, "Please Enter Minute of Longitude", FormField::LonMin},
    {&BirthForm::City, "Please Enter Your City name", FormField::City},
    {&BirthForm::State, "Please Enter Your State name", FormField::State},
    {&BirthForm::Country, "Please Enter Your Country name", FormField::Country},
}};

struct NumberBox {
    std::string BirthForm::*Text;
    FormField Field;
};

constexpr std::array<NumberBox, 4> kNumberBoxes = {{
    {&BirthForm::LatDeg, FormField::LatDeg},
    {&BirthForm::LatMin, FormField::LatMin},
    {&BirthForm::LonDeg, FormField::LonDeg},
    {&BirthForm::LonMin, FormField::LonMin},
}};

constexpr int kFebruaryIndex = 1;
constexpr std::array<int, 4> kThirtyDayMonthIndices = {3, 5, 8, 10};  // Apr, Jun, Sep, Nov
constexpr int kDay30Index = 29;
constexpr int kDay29Index = 28;
constexpr int kDay31Index = 30;

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<int> ParseUnsignedDigits(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<std::int16_t> ParseDigits(std::string_view text) {
    // Three digits is all a box holds, so anything longer did not come from
    // the form and is refused like any other non-number.
    if (const auto value = ParseUnsignedDigits(text, kMaxDigits)) {
        return static_cast<std::int16_t>(*value);
    }
    return std::nullopt;
}

std::optional<FormFault> ValidateBirthForm(const BirthForm& form, PlaceRule place) {
    for (const EmptinessCheck& check : kEmptinessChecks) {
        const bool isPlace = check.Field == FormField::City || check.Field == FormField::State ||
                             check.Field == FormField::Country;
        if (isPlace && place == PlaceRule::Optional) {
            continue;
        }
        if ((form.*check.Text).empty()) {
            return FormFault{check.Message, MessageIcon::Error, check.Field};
        }
    }
    // A degree or minute box can still hold something other than digits when
    // a file put it there; calculating would silently reuse the previous
    // chart's value, so it is refused like a typed letter.
    for (const NumberBox& box : kNumberBoxes) {
        const std::string& text = form.*box.Text;
        if (!ParseDigits(text)) {
            const bool digitsOnly = text.find_first_not_of("0123456789") == std::string::npos;
            return FormFault{digitsOnly ? kTooLongMessage : kNumbersMessage, MessageIcon::Error,
                             box.Field};
        }
    }
    if (form.Latitude == LatitudeChoice::None) {
        return FormFault{"Please Select Direction For The Latitude", MessageIcon::Error,
                         FormField::LatitudeNorth};
    }
    if (form.Longitude == LongitudeChoice::None) {
        return FormFault{"Please Select Direction For The Longitude", MessageIcon::Error,
                         FormField::LongitudeEast};
    }
    if (form.MonthIndex == kFebruaryIndex) {
        const int year = kFirstYear + form.YearIndex;
        const int firstMissingDay = IsListLeapYear(year) ? kDay30Index : kDay29Index;
        if (form.DayIndex >= firstMissingDay) {
            return FormFault{"Please Enter Correct Date Or Month!", MessageIcon::Information,
                             FormField::None};
        }
    }
    for (int month : kThirtyDayMonthIndices) {
        if (form.MonthIndex == month && form.DayIndex == kDay31Index) {
            return FormFault{"Please Enter Correct Date Or Month !", MessageIcon::Information,
                             FormField::None};
        }
    }
    return std::nullopt;
}

std::optional<char32_t> FirstRefusedCharacter(FilterFamily family, std::string_view utf8) {
    constexpr char32_t kBackspace = 8;
    constexpr char32_t kDelete = 127;
    constexpr char32_t kReplacement = 0xFFFD;
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Sequence sequence = DecodeUtf8(utf8, i);
        if (!sequence.Valid) {
            return kReplacement;
        }
        if (sequence.Code == kBackspace || sequence.Code == kDelete ||
            !FilterAccepts(family, sequence.Code)) {
            return sequence.Code;
        }
        i += sequence.Length;
    }
    return std::nullopt;
}

void CopyFormToChart(const BirthForm& form, ChartState& chart) {
    chart.PersonName = form.Name;
    chart.BirthMonth = static_cast<std::int16_t>(form.MonthIndex + 1);
    chart.BirthDay = static_cast<std::int16_t>(form.DayIndex + 1);
    chart.BirthYear = static_cast<std::int16_t>(kFirstYear + form.YearIndex);
    chart.BirthHour = static_cast<std::int16_t>(form.HourIndex);
    chart.BirthMinute = static_cast<std::int16_t>(form.MinuteIndex);

    const int zone = form.ZoneIndex;
    if (zone >= 0 && zone < kZoneCount) {
        chart.ZoneHours = static_cast<std::int16_t>(std::abs(chart.TimeZoneHours[zone]));
        chart.ZoneMinutes = static_cast<std::int16_t>(std::abs(chart.TimeZoneMinutes[zone]));
        chart.ZoneShiftHours = chart.TimeZoneHours[zone];
        chart.ZoneShiftMinutes = chart.TimeZoneMinutes[zone];
    }

    // A box that does not hold a number leaves its field as it was; the
    // validation refuses such a form before it gets here.
    if (auto v = ParseDigits(form.LonDeg)) chart.LonDegrees = *v;
    if (auto v = ParseDigits(form.LonMin)) chart.LonMinutes = *v;
    if (auto v = ParseDigits(form.LatDeg)) chart.LatDegrees = *v;
    if (auto v = ParseDigits(form.LatMin)) chart.LatMinutes = *v;

    chart.LonDirection = form.Longitude == LongitudeChoice::East ? kTrue : kFalse;
    chart.LatDirection = form.Latitude == LatitudeChoice::South ? kTrue : kFalse;
    chart.DaylightSaving = form.DaylightSaving ? kTrue : kFalse;
    chart.CityName = std::string(TrimBlanks(form.City));
    chart.StateName = std::string(TrimBlanks(form.State));
    chart.CountryName = std::string(TrimBlanks(form.Country));
    chart.ExactUtcOffsetSeconds = form.UtcOffsetSeconds;
}

}  // namespace tavrinel
