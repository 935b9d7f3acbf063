#include "cli/place_option.h"

#include <algorithm>
#include <cstdio>

#include "atlas/place_form.h"
#include "atlas/zone_choice.h"
#include "chart/time_zone_table.h"
#include "cli/json_writer.h"
#include "cli/terminal_text.h"

namespace tavrinel::cli {

namespace {

constexpr std::size_t kMostCandidates = 10;
constexpr std::size_t kMostMatches = 25;
constexpr int kSecondsPerHour = 3600;

// Each line, given back to --place as it stands, selects its place.
std::string CandidateLines(const std::vector<const atlas::Place*>& places) {
    std::string lines;
    for (const atlas::Place* place : places) {
        lines += "\n  " + atlas::DisplayName(*place) + " (" + atlas::CoordinatesText(*place) +
                 ", " + place->Zone + ")";
    }
    return lines;
}

constexpr std::string_view kNoAtlas =
    "the atlas is not available (the GeoNames library libgeonames0 or its places could not "
    "be loaded)";

atlas::FormLongitude FormLongitudeOf(const BirthForm& form) {
    const auto degrees = ParseDigits(form.LonDeg);
    const auto minutes = ParseDigits(form.LonMin);
    return {degrees.value_or(0), minutes.value_or(0), form.Longitude != LongitudeChoice::West};
}

int EntryOffsetSeconds(int index, bool daylightSaving) {
    return ZoneEntryOffsetSeconds(index) + (daylightSaving ? kSecondsPerHour : 0);
}

}  // namespace

bool NamesNoPlace(std::string_view text) {
    return text.substr(0, text.find(',')).find_first_not_of(" \t") == std::string_view::npos;
}

std::variant<ZoneReport, std::string> ApplyPlace(std::string_view text, BirthForm& form,
                                                 const GivenBesidePlace& given, bool preciseSky,
                                                 const atlas::Atlas& atlas,
                                                 const PlaceWords& words) {
    const std::string coordinates = " (give " + std::string(words.Coordinates) + " instead)";
    const std::string zone = std::string(words.Zone) + " (and " + std::string(words.DaylightSaving) +
                             " if it applies)";
    if (NamesNoPlace(text)) {
        return std::string("accepts the name of a place, with its state or country after a comma "
                           "if need be (e.g. \"Pune\" or \"Springfield, Illinois\")");
    }
    if (atlas.Size() == 0) {
        return std::string(kNoAtlas) + coordinates;
    }
    const atlas::PlaceLookup lookup = atlas.Find(text, kMostCandidates);
    // The text goes back on standard error: a control character in it must
    // not break the line or reach the terminal, nor a long one fill it.
    const std::string shown = EscapedForMessage(text, kMostEchoedCharacters);
    if (!lookup.Found) {
        if (lookup.Candidates.empty()) {
            return "the atlas has no place called " + shown + coordinates;
        }
        const auto sameName = [&lookup](const atlas::Place* place) {
            return atlas::DisplayName(*place) == atlas::DisplayName(*lookup.Candidates.front());
        };
        if (lookup.Ambiguous &&
            std::all_of(lookup.Candidates.begin(), lookup.Candidates.end(), sameName)) {
            // No state or country can tell these apart; the coordinates can.
            return shown + " names several places with the same state and country; give one of "
                           "these lines as it stands, or give the " +
                   std::string(words.Coordinates) + " of the one meant:" +
                   CandidateLines(lookup.Candidates);
        }
        return shown +
               (lookup.Ambiguous ? " names several places; add the state or country after a "
                                   "comma, as in \"Sydney, Australia\":"
                                 : " is not a place of the atlas; places whose names begin "
                                   "with it:") +
               CandidateLines(lookup.Candidates);
    }
    const atlas::Place& place = *lookup.Found;
    BirthForm filled = form;
    atlas::FillPlace(place, filled);
    if (!given.City) form.City = filled.City;
    if (!given.State) form.State = filled.State;
    if (!given.Country) form.Country = filled.Country;
    if (!given.Latitude) {
        form.LatDeg = filled.LatDeg, form.LatMin = filled.LatMin, form.Latitude = filled.Latitude;
    }
    if (!given.Longitude) {
        form.LonDeg = filled.LonDeg, form.LonMin = filled.LonMin, form.Longitude = filled.Longitude;
    }
    const atlas::ZoneDecision decision =
        atlas::DecideZone(place.Name, place.Zone, atlas::LocalTimeOf(form));
    const std::string shared = atlas::SharedNameClause(lookup);
    const std::string sharedPart = shared.empty() ? shared : "; " + shared;
    const bool byHand = given.Zone || given.DaylightSaving;
    const int exact = decision.InForce.Offset.TotalSeconds;
    if (decision.Outcome == atlas::ZoneOutcome::NoEntry && !byHand) {
        if (!preciseSky) {
            return decision.Line + "; " +
                   atlas::ExactOffsetClause(exact, {false, words.PreciseSky}) + ", or give " +
                   zone + sharedPart;
        }
        form.UtcOffsetSeconds = exact;
        form.ZoneIndex = NearestZoneEntry(exact);
        form.DaylightSaving = false;
        return ZoneReport{atlas::DisplayName(place), true, std::nullopt, false, exact,
                          atlas::ZoneLine(decision, form.ZoneIndex, false, false,
                                          FormLongitudeOf(form), {true, words.PreciseSky}) +
                              sharedPart};
    }
    if (!given.Zone) {
        if (decision.ZoneIndex < 0) {
            const bool noEntry = decision.Outcome == atlas::ZoneOutcome::NoEntry;
            return decision.Line + (noEntry ? "; choose the zone yourself" : "") + " (give " +
                   std::string(words.Zone) + ", and " + std::string(words.DaylightSaving) +
                   " if it applies)" + sharedPart;
        }
        form.ZoneIndex = decision.ZoneIndex;
    }
    if (!given.DaylightSaving) {
        form.DaylightSaving = given.Zone ? false : decision.DaylightSaving;
    }
    return ZoneReport{atlas::DisplayName(place),
                      !given.Zone,
                      form.ZoneIndex,
                      form.DaylightSaving,
                      EntryOffsetSeconds(form.ZoneIndex, form.DaylightSaving),
                      atlas::ZoneLine(decision, form.ZoneIndex, form.DaylightSaving, byHand,
                                      FormLongitudeOf(form), {true, words.PreciseSky}) +
                          sharedPart};
}

ZoneReport GivenOffsetReport(std::string place, int seconds) {
    std::string line = (place.empty() ? "" : place + ": ") + atlas::UtcOffsetText(seconds) +
                       " given (--utc-offset); the precise sky casts the chart at exactly that "
                       "offset";
    return ZoneReport{std::move(place), false, std::nullopt, false, seconds, std::move(line)};
}

std::optional<std::string> PrintAtlasMatches(std::ostream& out, std::string_view text, bool json,
                                             const atlas::Atlas& atlas) {
    if (atlas.Size() == 0) {
        return std::string(kNoAtlas);
    }
    // "Name, State" or "Name (coordinates)" narrows as --place does; a bare
    // name lists every place that begins with it.
    std::vector<const atlas::Place*> places;
    if (text.find_first_of(",(") != std::string_view::npos) {
        const atlas::PlaceLookup lookup = atlas.Find(text, kMostMatches);
        places = lookup.Found ? std::vector<const atlas::Place*>{lookup.Found} : lookup.Candidates;
    } else {
        places = atlas.Complete(text, kMostMatches);
    }
    if (places.empty()) {
        return "the atlas has no place called " + EscapedForMessage(text, kMostEchoedCharacters) +
               " nor any whose name begins with it";
    }
    if (!json) {
        for (const atlas::Place* place : places) {
            out << atlas.CandidateText(*place) << "  " << atlas::CoordinatesText(*place) << "  "
                << place->Zone << '\n';
        }
        return std::nullopt;
    }
    std::string buffer;
    buffer += '[';
    bool first = true;
    for (const atlas::Place* place : places) {
        if (!first) {
            buffer += ',';
        }
        first = false;
        JsonWriter writer(buffer);
        writer.BeginObject();
        writer.Field("Place", atlas.CandidateText(*place));
        writer.Field("Name", place->Name);
        writer.Field("State", place->State);
        writer.Field("Country", place->Country);
        writer.Field("Coordinates", atlas::CoordinatesText(*place));
        char degrees[48];
        std::snprintf(degrees, sizeof degrees, "%.5f", place->Latitude);
        writer.Literal("Latitude", degrees);
        std::snprintf(degrees, sizeof degrees, "%.5f", place->Longitude);
        writer.Literal("Longitude", degrees);
        writer.Field("TimeZone", place->Zone);
        writer.Field("Population", static_cast<long>(place->Population));
        writer.EndObject();
    }
    buffer += "]\n";
    out << buffer;
    return std::nullopt;
}

void WriteZoneReport(JsonWriter& json, const ZoneReport& report) {
    if (report.Place.empty()) {
        json.Literal("Place", "null");
    } else {
        json.Field("Place", report.Place);
    }
    json.Field("ZoneSource", report.ZoneFromAtlas ? "atlas" : "given");
    if (report.ZoneIndex) {
        json.Field("TimeZone", static_cast<long>(*report.ZoneIndex));
    } else {
        json.Literal("TimeZone", "null");
    }
    json.Literal("DaylightSaving", report.DaylightSaving ? "true" : "false");
    json.Field("UtcOffsetSeconds", static_cast<long>(report.OffsetSeconds));
    json.Field("ZoneLine", report.Line);
}

}  // namespace tavrinel::cli
