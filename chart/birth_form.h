// The birth data as the input panel holds it: texts of the boxes, positions
// in the lists, the option pairs and the check box. The window maps its
// widgets onto this; the command line and the reading file build one too, so
// the rules that check a form and copy it into a chart exist only once.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "chart/chart_state.h"

namespace tavrinel {

inline constexpr int kFirstYear = 1901;
inline constexpr int kLastYear = 2050;
inline constexpr int kDayCount = 31;
inline constexpr int kMonthCount = 12;
inline constexpr int kYearCount = kLastYear - kFirstYear + 1;
inline constexpr int kHourCount = 25;  // "0" to "24": the list offers 24
inline constexpr int kMinuteCount = 60;
inline constexpr std::size_t kMaxDigits = 3;  // degree and minute boxes

inline constexpr std::array<std::string_view, kMonthCount> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

enum class LatitudeChoice { None, North, South };
enum class LongitudeChoice { None, East, West };

struct BirthForm {
    std::string Name;  // UTF-8
    std::string LatDeg;
    std::string LatMin;
    std::string LonDeg;
    std::string LonMin;
    std::string City;
    std::string State;
    std::string Country;
    int DayIndex = 0;  // 0 = day 1
    int MonthIndex = 0;  // 0 = January
    int YearIndex = 0;  // 0 = 1901
    int HourIndex = 0;
    int MinuteIndex = 0;
    int ZoneIndex = 0;  // index into the time-zone table
    LatitudeChoice Latitude = LatitudeChoice::North;
    LongitudeChoice Longitude = LongitudeChoice::East;
    bool DaylightSaving = false;
    // Beyond the documented form: an offset from Universal Time that no
    // entry of the list has (seconds, east positive, daylight saving
    // included), from the atlas, the command line or a reading file. Only
    // the precise sky can cast it; the zone index then only names the
    // nearest entry for the file's zone line.
    std::optional<int> UtcOffsetSeconds;
};

// The widest offset a clock has kept in the years the form offers (the
// Line Islands' UTC+14, local mean times of the Pacific), with room to spare.
inline constexpr int kMostUtcOffsetSeconds = 15 * 3600;

// Which control a refusal sends the user to.
enum class FormField {
    None,
    Name,
    LatDeg,
    LatMin,
    LonDeg,
    LonMin,
    City,
    State,
    Country,
    LatitudeNorth,  // the option is selected rather than focused
    LongitudeEast,
};

enum class MessageIcon { Error, Information };

struct FormFault {
    std::string_view Message;
    MessageIcon Icon;
    FormField Field;
};

// Which checks apply: the window insists on the place of birth; the command
// line lets it be left out, as the place takes no part in the calculation.
enum class PlaceRule { Required, Optional };

// The whole-form check of the Calculate command: the first fault, or nothing
// when the form may be calculated.
[[nodiscard]] std::optional<FormFault> ValidateBirthForm(const BirthForm& form,
                                                         PlaceRule place = PlaceRule::Required);

// Leap years of the date check: every fourth year, no century rule (the list
// ends in 2050, and 2000 is a leap year either way).
[[nodiscard]] constexpr bool IsListLeapYear(int year) { return year % 4 == 0; }

// Copies a validated form into the chart's input fields in the documented
// order. The time-zone table of the chart must already be loaded.
void CopyFormToChart(const BirthForm& form, ChartState& chart);

// A text of one to maxDigits decimal digits and nothing else, as a number.
[[nodiscard]] std::optional<int> ParseUnsignedDigits(std::string_view text,
                                                     std::size_t maxDigits);

// Reads a box's text as the chart's 16-bit integer: digits only (the form's
// boxes hold at most three), nothing else.
[[nodiscard]] std::optional<std::int16_t> ParseDigits(std::string_view text);

// Removes leading and trailing blanks (code 32 only, as the form trims).
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);

// --- Key filters ------------------------------------------------------------

enum class FilterFamily { Letters, Numbers };

inline constexpr std::string_view kLettersMessage = "Please enter only letters";
inline constexpr std::string_view kNumbersMessage = "Please enter only numbers";
// A box of digits that a file filled past what the box holds: the digits are
// fine, the length is not, and the user must hear that.
inline constexpr std::string_view kTooLongMessage =
    "The value is too long: please enter at most three digits";

[[nodiscard]] constexpr bool FilterAccepts(FilterFamily family, char32_t code) {
    if (code == 8 || code == 127) {
        return true;
    }
    if (family == FilterFamily::Numbers) {
        return code >= U'0' && code <= U'9';
    }
    return (code >= U'A' && code <= U'Z') || (code >= U'a' && code <= U'z') || code == U' ';
}

[[nodiscard]] constexpr std::string_view FilterMessage(FilterFamily family) {
    return family == FilterFamily::Letters ? kLettersMessage : kNumbersMessage;
}

// The first character of a text that the box's filter would not let in, or
// nothing. Backspace and code 127 are keys, not content, so they count as
// refused here; bytes that are not UTF-8 give U+FFFD.
[[nodiscard]] std::optional<char32_t> FirstRefusedCharacter(FilterFamily family,
                                                            std::string_view utf8);

}  // namespace tavrinel
