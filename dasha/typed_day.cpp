#include "dasha/typed_day.h"

#include <array>
#include <cstdio>

#include "chart/birth_form.h"

namespace tavrinel {

namespace {

constexpr std::size_t kYearDigits = 4;
constexpr std::size_t kMostPartDigits = 2;
constexpr std::size_t kWholeLength = 10;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The number of a run of 1 to `most` digits, or -1.
int Digits(std::string_view text, std::size_t most) {
    if (text.empty() || text.size() > most) {
        return -1;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

int DaysInMonth(int year, int month) {
    constexpr std::array<int, kMonthCount> kDays = {31, 28, 31, 30, 31, 30,
                                                    31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

TypedDay ParseTypedDay(std::string_view text) {
    const std::string shape = "Type the date as year-month-day, such as 2026-12-08.";
    const std::size_t first = text.find('-');
    const std::size_t second = first == std::string_view::npos ? first : text.find('-', first + 1);
    if (second == std::string_view::npos || first != kYearDigits) {
        return {std::nullopt, shape};
    }
    const int year = Digits(text.substr(0, first), kYearDigits);
    const int month = Digits(text.substr(first + 1, second - first - 1), kMostPartDigits);
    const int day = Digits(text.substr(second + 1), kMostPartDigits);
    if (year < 0 || month < 0 || day < 0) {
        return {std::nullopt, shape};
    }
    if (year < kFirstTypedYear || year > kLastTypedYear) {
        return {std::nullopt, "The year " + std::to_string(year) + " is out of reach: years run from " +
                                  std::to_string(kFirstTypedYear) + " to " +
                                  std::to_string(kLastTypedYear) + "."};
    }
    if (month < 1 || month > kMonthCount) {
        return {std::nullopt,
                "There is no month " + std::to_string(month) + ": months run from 1 to 12."};
    }
    const int days = DaysInMonth(year, month);
    if (day < 1 || day > days) {
        return {std::nullopt, std::string(kMonthNames[static_cast<std::size_t>(month - 1)]) + " " +
                                  std::to_string(year) + " has " + std::to_string(days) +
                                  " days."};
    }
    return {CivilTime{year, month, day, 0, 0, 0}, {}};
}

bool IsWholeDayText(std::string_view text) {
    return text.size() == kWholeLength && text[kYearDigits] == '-' && text[7] == '-';
}

std::string TypedDayText(const CivilTime& day) {
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%04d-%02d-%02d", day.Year, day.Month, day.Day);
    return buffer.data();
}

}  // namespace tavrinel
