// What offset from Universal Time was in force in an IANA time zone at a
// local date and time, from the system's time-zone database.
#pragma once

#include <string>
#include <string_view>

#include "atlas/place.h"

namespace tavrinel::atlas {

struct ZoneOffset {
    int TotalSeconds = 0;      // east of Greenwich positive, daylight saving included
    bool DaylightSaving = false;
    int StandardSeconds = 0;   // the offset without daylight saving
    std::string Abbreviation;  // "CDT"; empty where the database has only digits
};

enum class LocalTimeKind {
    Unique,       // the clock showed this time once
    Skipped,      // clocks jumped over it: Offset before the jump, Other after
    Repeated,     // clocks went back over it: Offset the first time, Other the second
    UnknownZone,  // the database has no such zone
};

struct ZoneLookup {
    LocalTimeKind Kind = LocalTimeKind::UnknownZone;
    ZoneOffset Offset;
    ZoneOffset Other;
};

[[nodiscard]] ZoneLookup LookUpZone(std::string_view ianaZone, const LocalDateTime& when);

}  // namespace tavrinel::atlas
