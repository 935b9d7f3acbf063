#include "ephemeris/hemisphere_time.h"

namespace tavrinel {

HemisphereTime HemisphereTimeOf(const ChartState& chart) {
    constexpr double kMinutesPerHour = 60;
    HemisphereTime t{};
    t.LocalHours = chart.BirthHour + chart.BirthMinute / kMinutesPerHour;
    t.ZoneHours = chart.ZoneHours + chart.ZoneMinutes / kMinutesPerHour;
    t.WestLongitude = chart.LonDegrees + chart.LonMinutes / kMinutesPerHour;
    if (chart.LonDirection != kFalse) {
        t.WestLongitude = -t.WestLongitude;
    }
    // Longitude 0 counts as West. Daylight saving moves the zone one hour
    // further from Universal Time in the site's own direction.
    const bool east = t.WestLongitude < 0;
    if (chart.DaylightSaving != kFalse) {
        t.ZoneHours += east ? 1 : -1;
    }
    // Hours outside 0..24 are left as they are: the day count absorbs them.
    t.UniversalHours = east ? t.LocalHours - t.ZoneHours : t.LocalHours + t.ZoneHours;
    return t;
}

}  // namespace tavrinel
