#include "cli/cli_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <vector>

#include "chart/time_zone_table.h"
#include "dasha/typed_day.h"
#include "vargas/vargas.h"

namespace tavrinel::cli {

namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A whole number made of 1..maxDigits digits, or -1.
int SmallNumber(std::string_view text, std::size_t maxDigits) {
    if (!AllDigits(text) || text.size() > maxDigits) {
        return -1;
    }
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

Parsed<Angle> ParseAngle(std::string_view text, char positive, char negative,
                         std::string_view what) {
    const std::string accepts = std::string("accepts ") + std::string(what) +
                                " as DEG:MIN followed by " + positive + " or " + negative +
                                ", up to three digits each (e.g. 28:36" + positive + ")";
    if (text.size() < 4) {
        return accepts;
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
    if (letter != positive && letter != negative) {
        return accepts;
    }
    const std::string_view numbers = text.substr(0, text.size() - 1);
    const std::size_t colon = numbers.find(':');
    if (colon == std::string_view::npos) {
        return accepts;
    }
    const std::string_view degrees = numbers.substr(0, colon);
    const std::string_view minutes = numbers.substr(colon + 1);
    if (SmallNumber(degrees, kMaxDigits) < 0 || SmallNumber(minutes, kMaxDigits) < 0) {
        return accepts;
    }
    return Angle{std::string(degrees), std::string(minutes), letter == positive};
}

std::string Upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return result;
}

// The minus sign that word processors and web pages put where a hyphen-minus
// was typed: it looks the same, so the refusal names it.
constexpr std::string_view kUnicodeMinus = "\u2212";

}  // namespace

std::string LowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return result;
}

Parsed<Angle> ParseLatitude(std::string_view text) {
    return ParseAngle(text, 'N', 'S', "a latitude");
}

Parsed<Angle> ParseLongitude(std::string_view text) {
    return ParseAngle(text, 'E', 'W', "a longitude");
}

Parsed<CalendarDate> ParseDate(std::string_view text) {
    const std::string accepts =
        "accepts a date YYYY-MM-DD with a year from " + std::to_string(kFirstYear) + " to " +
        std::to_string(kLastYear);
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return accepts;
    }
    const int year = SmallNumber(text.substr(0, 4), 4);
    const int month = SmallNumber(text.substr(5, 2), 2);
    const int day = SmallNumber(text.substr(8, 2), 2);
    if (year < kFirstYear || year > kLastYear || month < 1 || month > kMonthCount || day < 1 ||
        day > kDayCount) {
        return accepts;
    }
    return CalendarDate{year, month, day};
}

Parsed<ChosenMoment> ParseMoment(std::string_view text) {
    constexpr int kHoursPerDay = 24;
    constexpr int kMinutesPerHour = 60;
    const std::string accepts =
        "accepts a date YYYY-MM-DD, a time THH:MM may follow, and Z for UTC (without it, the "
        "birth zone's standard clock); years " +
        std::to_string(kFirstTypedYear) + " to " + std::to_string(kLastTypedYear) +
        ", e.g. 2026-12-08 or 2026-12-08T14:30Z";
    ChosenMoment moment;
    if (!text.empty() && (text.back() == 'Z' || text.back() == 'z')) {
        moment.Utc = true;
        text.remove_suffix(1);
    }
    if ((text.size() != 10 && text.size() != 16) || text[4] != '-' || text[7] != '-' ||
        (text.size() == 16 && ((text[10] != 'T' && text[10] != 't') || text[13] != ':'))) {
        return accepts;
    }
    CivilTime& civil = moment.Civil;
    civil.Year = SmallNumber(text.substr(0, 4), 4);
    civil.Month = SmallNumber(text.substr(5, 2), 2);
    civil.Day = SmallNumber(text.substr(8, 2), 2);
    if (text.size() == 16) {
        civil.Hour = SmallNumber(text.substr(11, 2), 2);
        civil.Minute = SmallNumber(text.substr(14, 2), 2);
    }
    if (civil.Year < kFirstTypedYear || civil.Year > kLastTypedYear || civil.Month < 1 ||
        civil.Month > kMonthCount || civil.Day < 1 || civil.Hour < 0 ||
        civil.Hour >= kHoursPerDay || civil.Minute < 0 || civil.Minute >= kMinutesPerHour) {
        return accepts;
    }
    const int days = DaysInMonth(civil.Year, civil.Month);
    if (civil.Day > days) {
        return "day " + std::to_string(civil.Day) + " is past the month's end: " +
               std::string(kMonthNames[static_cast<std::size_t>(civil.Month - 1)]) + " " +
               std::to_string(civil.Year) + " has " + std::to_string(days) + " days";
    }
    return moment;
}

Parsed<int> ParseDashaLevels(std::string_view text) {
    const int levels = SmallNumber(text, 1);
    if (levels < 1 || levels > kDashaLevels) {
        return std::string("accepts a whole number from 1 (mahadashas) to 5 (prana dashas)");
    }
    return levels;
}

Parsed<DashaYear> ParseDashaYearOption(std::string_view text) {
    if (const auto year = ParseDashaYear(LowerCase(text))) {
        return *year;
    }
    return std::string("accepts sidereal (365.256363 days), julian, gregorian or savana (360 days)");
}

Parsed<int> ParseVarga(std::string_view text) {
    // The window and the tables name a varga D9; the number alone says the same.
    if (!text.empty() && (text.front() == 'D' || text.front() == 'd')) {
        text.remove_prefix(1);
    }
    const int varga = VargaOfDivisions(SmallNumber(text, 2));
    if (varga < 0) {
        std::string accepts = "accepts the number of a divisional chart:";
        for (int v = 0; v < kVargaCount; ++v) {
            accepts += (v == 0 ? " " : v + 1 == kVargaCount ? " or " : ", ") +
                       std::to_string(VargaDivisions(v));
        }
        return accepts + ", with or without a D before it (9 or D9 the navamsa)";
    }
    return varga;
}

Parsed<ClockTime> ParseTime(std::string_view text) {
    const std::string accepts = "accepts a clock time H:MM with hours 0-24 and minutes 0-59";
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return accepts;
    }
    const int hour = SmallNumber(text.substr(0, colon), 2);
    const std::string_view minuteText = text.substr(colon + 1);
    const int minute = minuteText.size() == 2 ? SmallNumber(minuteText, 2) : -1;
    if (hour < 0 || hour >= kHourCount || minute < 0 || minute >= kMinuteCount) {
        return accepts;
    }
    return ClockTime{hour, minute};
}

Parsed<int> ParseUtcOffset(std::string_view text) {
    const std::string accepts =
        "accepts an offset from UTC as +H:MM or -H:MM (seconds may follow, as in +5:21:10), "
        "at most 15 hours, e.g. +5:45";
    if (text.starts_with(kUnicodeMinus)) {
        return "begins with the Unicode minus sign (U+2212), not the hyphen-minus: type the "
               "sign as - (or +), e.g. -4:30";
    }
    if (text.empty() || (text.front() != '+' && text.front() != '-')) {
        return accepts;
    }
    const bool west = text.front() == '-';
    std::vector<int> parts;
    for (std::string_view rest = text.substr(1);;) {
        const std::size_t colon = rest.find(':');
        const std::string_view part = rest.substr(0, colon);
        // Hours may take one digit; minutes and seconds always take two.
        parts.push_back(parts.empty() || part.size() == 2 ? SmallNumber(part, 2) : -1);
        if (colon == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(colon + 1);
    }
    constexpr int kMinutesPerHour = 60;
    const bool shaped = (parts.size() == 2 || parts.size() == 3) &&
                        std::all_of(parts.begin(), parts.end(), [](int p) { return p >= 0; }) &&
                        parts[1] < kMinutesPerHour &&
                        (parts.size() == 2 || parts[2] < kMinutesPerHour);
    if (!shaped) {
        return accepts;
    }
    const int seconds = (parts[0] * kMinutesPerHour + parts[1]) * kMinutesPerHour +
                        (parts.size() == 3 ? parts[2] : 0);
    if (seconds > kMostUtcOffsetSeconds) {
        return accepts;
    }
    return west ? -seconds : seconds;
}

std::string_view ZoneAbbreviation(std::string_view zoneName) {
    const std::size_t first = zoneName.find(',');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t second = zoneName.find(',', first + 1);
    return TrimBlanks(zoneName.substr(first + 1, second == std::string_view::npos
                                                     ? std::string_view::npos
                                                     : second - first - 1));
}

Parsed<int> ParseZone(std::string_view text) {
    const std::string accepts =
        "accepts a time-zone index from 0 to 70 or an abbreviation such as IST (see --zones)";
    if (AllDigits(text)) {
        const int index = SmallNumber(text, 2);
        if (index < 0 || index >= kZoneCount) {
            return accepts;
        }
        return index;
    }
    const std::string wanted = Upper(text);
    std::vector<int> matches;
    for (int i = 0; i < kZoneCount; ++i) {
        if (Upper(ZoneAbbreviation(kTimeZoneTable[i].Name)) == wanted) {
            matches.push_back(i);
        }
    }
    if (matches.empty()) {
        return accepts;
    }
    if (matches.size() > 1) {
        std::string message = std::string(text) + " is ambiguous: it names";
        for (std::size_t k = 0; k < matches.size(); ++k) {
            const int i = matches[k];
            message += (k == 0 ? " " : (k + 1 == matches.size() ? " and " : ", "));
            message += std::to_string(i) + " (" + std::string(kTimeZoneTable[i].Name) + ")";
        }
        return message + "; give the index";
    }
    return matches.front();
}

void SetDateAndTime(BirthForm& form, const CalendarDate& date, const ClockTime& time) {
    form.YearIndex = date.Year - kFirstYear;
    form.MonthIndex = date.Month - 1;
    form.DayIndex = date.Day - 1;
    form.HourIndex = time.Hour;
    form.MinuteIndex = time.Minute;
}

void SetLatitude(BirthForm& form, const Angle& angle) {
    form.LatDeg = angle.Degrees;
    form.LatMin = angle.Minutes;
    form.Latitude = angle.Positive ? LatitudeChoice::North : LatitudeChoice::South;
}

void SetLongitude(BirthForm& form, const Angle& angle) {
    form.LonDeg = angle.Degrees;
    form.LonMin = angle.Minutes;
    form.Longitude = angle.Positive ? LongitudeChoice::East : LongitudeChoice::West;
}

}  // namespace tavrinel::cli
