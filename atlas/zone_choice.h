// Which of the form's 71 zones, and whether to tick daylight saving, for a
// place picked from the atlas at a birth's local date and time; and the line
// that tells the user what was chosen and why. The window and the command
// line both decide through here, so they always agree.
#pragma once

#include <string>

#include "atlas/place.h"
#include "atlas/zone_rules.h"

namespace tavrinel::atlas {

enum class ZoneOutcome {
    WholeOffset,     // an entry has the whole offset in force; the box stays clear
    StandardAndDst,  // only the standard offset has an entry; the box is ticked
    NoEntry,         // no entry has the offset: the form is left alone
    Skipped,         // the local time did not exist there: left alone
    Repeated,        // the local time happened twice there: left alone
    UnknownZone,     // the database lacks the place's zone: left alone
};

struct ZoneDecision {
    ZoneOutcome Outcome = ZoneOutcome::UnknownZone;
    int ZoneIndex = -1;  // the entry to select; -1 leaves the list as it is
    bool DaylightSaving = false;
    ZoneLookup InForce;  // what the database says
    std::string Line;    // what was chosen and why
};

// The longitude as the form holds it, for the documented time rule.
struct FormLongitude {
    int Degrees = 0;
    int Minutes = 0;
    bool East = true;
};

// Decides for a place at a local date and time. `placeName` opens the line.
[[nodiscard]] ZoneDecision DecideZone(const std::string& placeName, std::string_view ianaZone,
                                      const LocalDateTime& when);

// What the documented calculation makes of a zone entry, its box and a
// longitude when the true offset is `trueOffsetSeconds`: where the Moon's
// (hemisphere-directed) or the planets' (box-blind) Universal Time is off,
// a clause saying by how much ("the documented Moon is computed 2 hours late
// here"); empty when both are right.
[[nodiscard]] std::string DocumentedTimeNote(int zoneIndex, bool daylightSaving,
                                             const FormLongitude& longitude,
                                             int trueOffsetSeconds);

// Whether the precise sky will cast the chart, and how the user chooses it
// where it will not ("Sky menu", "--sky precise").
struct PreciseSkyUse {
    bool InUse = false;
    std::string_view HowToChoose;
};

// What becomes of an offset no list entry has: the precise sky casts the
// chart at it exactly; the documented one cannot.
[[nodiscard]] std::string ExactOffsetClause(int seconds, const PreciseSkyUse& precise);

// The line under the zone list: the decision, whether the user's own choice
// of zone is kept, and the documented time note for the zone and box as
// they now stand. Where no entry has the offset and the zone is the atlas's,
// what the sky in use makes of it.
[[nodiscard]] std::string ZoneLine(const ZoneDecision& decision, int selectedIndex,
                                   bool selectedDst, bool chosenByHand,
                                   const FormLongitude& longitude,
                                   const PreciseSkyUse& precise);

// "UTC+5:30", "UTC−5" (with a true minus sign), "UTC+5:21:10".
[[nodiscard]] std::string UtcOffsetText(int seconds);

}  // namespace tavrinel::atlas
