// A day as a person types it for the dasha's moment ("2026-12-08"): taken
// exactly as written, or refused with the words that say why. Nothing is
// rolled over into the next month or guessed from part of a date.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dasha/dasha_time.h"

namespace tavrinel {

// The years the precise sky reaches, as the command line's --on accepts.
inline constexpr int kFirstTypedYear = 1800;
inline constexpr int kLastTypedYear = 2399;

struct TypedDay {
    std::optional<CivilTime> Day;  // midnight starting the day
    std::string Problem;           // empty when Day holds the day
};

// Days in a month (1-12) of a Gregorian year.
[[nodiscard]] int DaysInMonth(int year, int month);

// Year, month and day joined by "-", the month and day of one or two digits.
[[nodiscard]] TypedDay ParseTypedDay(std::string_view text);

// Whether the text is a whole date of the usual shape (four, two and two
// digits), the moment a box can take it without waiting for Enter.
[[nodiscard]] bool IsWholeDayText(std::string_view text);

// "2026-12-08".
[[nodiscard]] std::string TypedDayText(const CivilTime& day);

}  // namespace tavrinel
