// A place named on the command line (--place, or a batch line's "Place"):
// the atlas fills the place, its coordinates, the zone and daylight saving
// exactly as the window does when the place is picked there; whatever the
// user gives beside it wins.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>

#include "atlas/atlas.h"
#include "chart/birth_form.h"

namespace tavrinel::cli {

class JsonWriter;

// What was decided about the zone, reported with the chart.
struct ZoneReport {
    std::string Place;       // "Pune, Maharashtra, India"; empty for none
    bool ZoneFromAtlas;      // false: the zone was given
    std::optional<int> ZoneIndex;  // none where the chart is cast at an exact offset
    bool DaylightSaving;
    int OffsetSeconds;  // cast at: the entry's with its daylight-saving hour, or the exact one
    std::string Line;        // what was chosen and why
};

// Which parts of the form the user gave beside the place.
struct GivenBesidePlace {
    bool City = false, State = false, Country = false;
    bool Latitude = false, Longitude = false;
    bool Zone = false, DaylightSaving = false;
};

// How a refusal names the ways out: the command line's options, or the keys
// of a batch line, which takes no options of its own.
struct PlaceWords {
    std::string_view PreciseSky;
    std::string_view Zone;
    std::string_view DaylightSaving;
    std::string_view Coordinates;  // with the zone, instead of the place
};
inline constexpr PlaceWords kPlaceOptionWords{"--sky precise", "--zone", "--dst",
                                              "--lat, --lon and --zone"};
inline constexpr PlaceWords kBatchKeyWords{
    "\"Sky\": \"precise\"; a line without \"Place\" gives the offset as \"UtcOffset\" beside "
    "it",
    "\"TimeZone\"", "\"DaylightSaving\"",
    "\"LatDegrees\", \"LonDegrees\" (with their minutes and directions) and \"TimeZone\""};

// Whether `text` has no name before its first comma, which no look-up can use.
[[nodiscard]] bool NamesNoPlace(std::string_view text);

// Fills the form from the place named by `text`; the form's date and time
// must already be set, and the parts the user gave stay as they are. Where
// no list entry has the offset in force, the precise sky takes the exact
// offset and the documented one refuses. On a refusal, the message (several
// lines when it lists candidates).
std::variant<ZoneReport, std::string> ApplyPlace(
    std::string_view text, BirthForm& form, const GivenBesidePlace& given, bool preciseSky,
    const atlas::Atlas& atlas = atlas::Atlas::Shared(),
    const PlaceWords& words = kPlaceOptionWords);

// The report of a chart given an exact offset by the user (--utc-offset),
// with or without a place.
[[nodiscard]] ZoneReport GivenOffsetReport(std::string place, int seconds);

// --atlas: the places matching a text, one per line, or as a JSON array;
// each line begins with (and each object's "Place" is) the text that
// --place takes for that place. When nothing can be listed, nothing is
// printed and the message says why.
std::optional<std::string> PrintAtlasMatches(std::ostream& out, std::string_view text, bool json,
                                             const atlas::Atlas& atlas = atlas::Atlas::Shared());

// The report's fields, for the chart's JSON object.
void WriteZoneReport(JsonWriter& json, const ZoneReport& report);

}  // namespace tavrinel::cli
