// What offset from Universal Time was in force in an IANA time zone at a
// local date and time, from the system's time-zone database.
//
// The rules are read by a module of their own, opened on the first look-up:
// the date library it links would otherwise be loaded at every start of the
// window, which needs it only once the user picks a place.
#pragma once

#include <cstddef>
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

// An unknown zone too when the module cannot be opened, which is said once
// on the standard error.
[[nodiscard]] ZoneLookup LookUpZone(std::string_view ianaZone, const LocalDateTime& when);

// The module and its one entry, looked up by name.
inline constexpr const char* kZoneRulesModule = "libtavrinel_zones.so";
inline constexpr const char* kZoneRulesEntry = "tavrinel_look_up_zone";
using ZoneRulesEntry = void (*)(const char* zone, std::size_t size, const LocalDateTime* when,
                                ZoneLookup* result);

}  // namespace tavrinel::atlas
