// The 71 time zones offered by the form, with the signed hours and minutes
// that take local clock time to Universal Time.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "chart/chart_state.h"

namespace tavrinel {

struct TimeZoneEntry {
    std::string_view Name;  // shown as it stands; nothing parses it
    std::int16_t Hours;     // positive west of Greenwich
    std::int16_t Minutes;   // 0, 30 or -30, with the sign of the hours
};

extern const std::array<TimeZoneEntry, kZoneCount> kTimeZoneTable;

// Fills the chart's three time-zone arrays from the table.
void LoadTimeZoneTables(ChartState& chart);

// The entry's offset from Universal Time in seconds, east positive.
[[nodiscard]] int ZoneEntryOffsetSeconds(int index);

// The entry whose offset is nearest an offset no entry may have (east
// positive, seconds), the first of the table on a tie: what a reading file's
// zone line says for a chart cast at that exact offset.
[[nodiscard]] int NearestZoneEntry(int offsetSeconds);

// The first entry whose own offset (without daylight saving) is exactly this
// one, or -1: an offset given by hand that a zone of the list already has is
// that zone, which the documented sky can cast.
[[nodiscard]] int ZoneEntryWithOffset(int offsetSeconds);

}  // namespace tavrinel
