// Turning the command line's texts into a birth form. Each parser returns the
// value or a one-line message saying what the option accepts.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "chart/birth_form.h"
#include "dasha/dasha_time.h"
#include "dasha/vimshottari.h"

namespace tavrinel::cli {

template <typename T>
using Parsed = std::variant<T, std::string>;  // the value, or what went wrong

struct Angle {
    std::string Degrees;  // digits as given, up to three
    std::string Minutes;
    bool Positive;  // North or East
};

struct CalendarDate {
    int Year, Month, Day;
};

struct ClockTime {
    int Hour, Minute;
};

// "28:36N" for a latitude (N/S), "77:12E" for a longitude (E/W).
Parsed<Angle> ParseLatitude(std::string_view text);
Parsed<Angle> ParseLongitude(std::string_view text);

// Keys typed as option values or batch values ("precise", "julian") are
// read without regard to case: the text in lower case.
std::string LowerCase(std::string_view text);

// "1990-07-15", years 1901-2050. Whether the day exists is the form's check.
Parsed<CalendarDate> ParseDate(std::string_view text);

// "2026-12-08", "2026-12-08T14:30" on the birth zone's standard clock, or
// either followed by Z for UTC; years 1800-2399, the precise sky's range. A
// day past its month's end is refused with the month's length.
Parsed<ChosenMoment> ParseMoment(std::string_view text);

// Levels of dasha periods, "1" to "5".
Parsed<int> ParseDashaLevels(std::string_view text);

// "sidereal", "julian", "gregorian" or "savana", in any case.
Parsed<DashaYear> ParseDashaYearOption(std::string_view text);

// A varga by its number of divisions, "9", "D9" or "d9" for the navamsa: the
// index among the sixteen.
Parsed<int> ParseVarga(std::string_view text);

// "12:00", hours 0-24, minutes 0-59.
Parsed<ClockTime> ParseTime(std::string_view text);

// A table index 0-70 or a zone abbreviation such as IST (any letter case).
Parsed<int> ParseZone(std::string_view text);

// "+5:45", "-4:30", "+5:21:10": a sign, hours and minutes (and seconds, for
// a local mean time), at most fifteen hours; seconds east of Greenwich. A
// Unicode minus sign is refused by name, since it looks like the sign.
Parsed<int> ParseUtcOffset(std::string_view text);

// The abbreviation of a zone: the second comma-separated field of its name.
std::string_view ZoneAbbreviation(std::string_view zoneName);

// Fills the list positions of a form from a date and a time in range.
void SetDateAndTime(BirthForm& form, const CalendarDate& date, const ClockTime& time);
void SetLatitude(BirthForm& form, const Angle& angle);
void SetLongitude(BirthForm& form, const Angle& angle);

}  // namespace tavrinel::cli
