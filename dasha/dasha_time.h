// Instants of the dasha and the transits as people read them: the civil
// clock of the birth's zone entry, or ISO 8601 in UTC to the second.
#pragma once

#include <string>

#include "chart/chart_state.h"

namespace tavrinel {

struct CivilTime {
    int Year = 0;
    int Month = 0;  // 1-12
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

// Hours to add to the birth's clock to reach UT (positive west of
// Greenwich). Daylight saving is a fact of the birth moment only, so the
// dates of a life are read on the zone entry's standard clock. A chart cast
// at an exact offset has no entry to read them on: its offset is the clock,
// daylight saving and all, since nothing tells which part of it was summer
// time.
[[nodiscard]] double ZoneShiftHoursOf(const ChartState& chart);

// The clock reading, to the nearest second, of a zone `zoneShiftHours` from
// UT at a Julian Day in UT (Gregorian calendar).
[[nodiscard]] CivilTime CivilFromJulianDay(double julianDayUt, double zoneShiftHours = 0);

// The Julian Day in UT of a clock reading in that zone.
[[nodiscard]] double JulianDayFromCivil(const CivilTime& civil, double zoneShiftHours = 0);

// A moment a user names for the running periods and the transits: a clock
// reading either in UTC or on the birth zone's standard clock.
struct ChosenMoment {
    CivilTime Civil;
    bool Utc = false;
};

// The Julian Day in UT of a chosen moment for a chart.
[[nodiscard]] double MomentUt(const ChosenMoment& moment, const ChartState& chart);

// The Julian Day in UT of the system clock's present instant.
[[nodiscard]] double NowUt();

// "+05:30": how far the clock of a zone `zoneShiftHours` from UT is ahead,
// with the seconds of a local mean time ("+05:21:10") where it has them.
[[nodiscard]] std::string ZoneOffsetText(double zoneShiftHours);

// "2022-04-01T22:07:13Z".
[[nodiscard]] std::string IsoUtc(double julianDayUt);

// "2022-04-02 03:37", to the minute, a reading with seconds rounded up to the
// next minute.
[[nodiscard]] std::string CivilText(const CivilTime& civil);

// The clock reading of an instant in a zone `zoneShiftHours` from UT, as
// above: the first whole minute at or after the instant, so that a period
// shown as starting at 07:54 already runs at a moment typed as 07:54 on that
// clock. Empty for an instant that is not a finite number.
[[nodiscard]] std::string CivilText(double julianDayUt, double zoneShiftHours);

}  // namespace tavrinel
