// Charts for the engine tests, built field by field as the Calculate command
// would fill them.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "chart/chart_state.h"

namespace tavrinel {

inline ChartState Birth(int year, int month, int day, int hour, int minute) {
    ChartState chart;
    chart.BirthYear = static_cast<std::int16_t>(year);
    chart.BirthMonth = static_cast<std::int16_t>(month);
    chart.BirthDay = static_cast<std::int16_t>(day);
    chart.BirthHour = static_cast<std::int16_t>(hour);
    chart.BirthMinute = static_cast<std::int16_t>(minute);
    return chart;
}

// A zone as the table holds it (signed, positive west of Greenwich) and a site.
inline void SetPlace(ChartState& chart, int zoneHours, int zoneMinutes, int lonDegrees, bool east,
                     bool dst = false) {
    chart.ZoneHours = static_cast<std::int16_t>(std::abs(zoneHours));
    chart.ZoneMinutes = static_cast<std::int16_t>(std::abs(zoneMinutes));
    chart.ZoneShiftHours = static_cast<std::int16_t>(zoneHours);
    chart.ZoneShiftMinutes = static_cast<std::int16_t>(zoneMinutes);
    chart.LonDegrees = static_cast<std::int16_t>(lonDegrees);
    chart.LonDirection = east ? kTrue : kFalse;
    chart.DaylightSaving = dst ? kTrue : kFalse;
}

}  // namespace tavrinel
