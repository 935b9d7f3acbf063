// The time base that the ayanamsa of the planet engine and the Moon engine
// share: the zone is a magnitude, and the hemisphere of the site decides
// whether it lies ahead of or behind Universal Time. (The planets themselves
// use the zone's own sign instead; see ComputePlanetPositions.)
#pragma once

#include "chart/chart_state.h"

namespace tavrinel {

struct HemisphereTime {
    double LocalHours;      // clock time of birth
    double ZoneHours;       // zone magnitude, one hour more or less for daylight saving
    double WestLongitude;   // degrees, East negative
    double UniversalHours;  // from 0h of the civil date; may leave 0..24
};

[[nodiscard]] HemisphereTime HemisphereTimeOf(const ChartState& chart);

}  // namespace tavrinel
