#include "atlas/atlas.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "atlas/geonames_source.h"
#include "atlas/name_folding.h"
#include "atlas/place_form.h"

namespace tavrinel::atlas {

namespace {

bool LargerFirst(const Place* a, const Place* b) { return a->Population > b->Population; }

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Every qualifier names the place's state or its country.
bool MatchesQualifiers(const Place& place, const std::vector<std::string>& qualifiers) {
    if (qualifiers.empty()) {
        return true;
    }
    const std::string state = SearchKey(place.State);
    const std::string country = SearchKey(place.Country);
    return std::all_of(qualifiers.begin(), qualifiers.end(), [&](const std::string& q) {
        return q == state || q == country;
    });
}

// Compared in 64 bits: ten times a population need not fit in 32.
bool Dwarfs(const Place& larger, const Place& next) {
    return larger.Population > 0 &&
           std::uint64_t{larger.Population} >=
               std::uint64_t{kDominantPopulationFactor} * next.Population;
}

// "(18:31N 73:51E)" or "(18:31N 73:51E, Asia/Kolkata)" at the end of a
// text: what a candidate list adds to tell apart places of the same name.
struct Whereabouts {
    std::string_view Coordinates;
    std::string_view Zone;  // empty when not given
};

bool LooksLikeCoordinates(std::string_view text) {
    // D:MMx D:MMy, with one to three digits of degrees.
    const auto angle = [](std::string_view part, std::string_view directions) {
        const std::size_t colon = part.find(':');
        if (colon == std::string_view::npos || colon == 0 || colon > 3 ||
            part.size() != colon + 4 || directions.find(part.back()) == std::string_view::npos) {
            return false;
        }
        for (std::size_t i = 0; i + 1 < part.size(); ++i) {
            if (i != colon && (part[i] < '0' || part[i] > '9')) {
                return false;
            }
        }
        return true;
    };
    const std::size_t blank = text.find(' ');
    return blank != std::string_view::npos && angle(text.substr(0, blank), "NS") &&
           angle(text.substr(blank + 1), "EW");
}

// Splits the bracketed whereabouts off the end of a text, if it has them.
std::optional<Whereabouts> SplitWhereabouts(std::string_view& text) {
    const std::string_view trimmed = Trim(text);
    const std::size_t open = trimmed.rfind('(');
    if (trimmed.empty() || trimmed.back() != ')' || open == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view inside = trimmed.substr(open + 1, trimmed.size() - open - 2);
    const std::size_t comma = inside.find(',');
    Whereabouts found{Trim(inside.substr(0, comma)),
                      comma == std::string_view::npos ? std::string_view()
                                                      : Trim(inside.substr(comma + 1))};
    if (!LooksLikeCoordinates(found.Coordinates)) {
        return std::nullopt;
    }
    text = trimmed.substr(0, open);
    return found;
}

bool IsAt(const Place& place, const std::optional<Whereabouts>& where) {
    return !where || (CoordinatesText(place) == where->Coordinates &&
                      (where->Zone.empty() || place.Zone == where->Zone));
}

// The display name as typed: blanks around the commas do not count.
std::string TidyCommas(std::string_view text) {
    std::string tidy;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        tidy += Trim(text.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return tidy;
        }
        tidy += ", ";
        start = comma + 1;
    }
}

}  // namespace

Atlas::Atlas(std::vector<Place> places) : places_(std::move(places)) {
    index_.reserve(places_.size());
    for (const Place& place : places_) {
        index_.push_back({SearchKey(place.Name), &place});
    }
    std::stable_sort(index_.begin(), index_.end(), [](const Entry& a, const Entry& b) {
        if (a.Key != b.Key) {
            return a.Key < b.Key;
        }
        return a.Where->Population > b.Where->Population;
    });
}

const Atlas& Atlas::Shared() {
    static const Atlas shared(LoadPackagedPlaces());
    return shared;
}

std::pair<std::size_t, std::size_t> Atlas::PrefixRange(std::string_view key) const {
    const auto first = std::lower_bound(index_.begin(), index_.end(), key,
                                        [](const Entry& e, std::string_view k) { return e.Key < k; });
    const auto last = std::find_if(first, index_.end(), [key](const Entry& e) {
        return std::string_view(e.Key).substr(0, key.size()) != key;
    });
    return {static_cast<std::size_t>(first - index_.begin()),
            static_cast<std::size_t>(last - index_.begin())};
}

std::vector<const Place*> Atlas::Complete(std::string_view text, std::size_t limit) const {
    const std::string key = SearchKey(text);
    std::vector<const Place*> found;
    if (key.empty() || limit == 0) {
        return found;
    }
    const auto [first, last] = PrefixRange(key);
    found.reserve(last - first);
    for (std::size_t i = first; i < last; ++i) {
        found.push_back(index_[i].Where);
    }
    const std::size_t kept = std::min(limit, found.size());
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(kept), found.end(),
                      LargerFirst);
    found.resize(kept);
    return found;
}

PlaceLookup Atlas::Find(std::string_view text, std::size_t limit) const {
    const std::optional<Whereabouts> where = SplitWhereabouts(text);
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        const std::string_view part = Trim(text.substr(start, comma - start));
        // Only a blank qualifier may be dropped: a blank name would make the
        // state or country after it the name looked for.
        if (!part.empty() || parts.empty()) {
            parts.push_back(SearchKey(part));
        }
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    PlaceLookup lookup;
    if (parts.empty() || parts.front().empty()) {
        return lookup;
    }
    const std::string key = parts.front();
    const std::vector<std::string> qualifiers(parts.begin() + 1, parts.end());
    std::vector<const Place*> exact;
    std::vector<const Place*> longer;
    const auto [first, last] = PrefixRange(key);
    for (std::size_t i = first; i < last; ++i) {
        if (MatchesQualifiers(*index_[i].Where, qualifiers) && IsAt(*index_[i].Where, where)) {
            (index_[i].Key == key ? exact : longer).push_back(index_[i].Where);
        }
    }
    // "Name, State, Country" in that order settles what the loose match
    // leaves open where a state is named like a country.
    if (exact.size() > 1 && qualifiers.size() == 2) {
        std::vector<const Place*> ordered;
        std::copy_if(exact.begin(), exact.end(), std::back_inserter(ordered),
                     [&qualifiers](const Place* place) {
                         return SearchKey(place->State) == qualifiers[0] &&
                                SearchKey(place->Country) == qualifiers[1];
                     });
        if (ordered.size() == 1) {
            exact = std::move(ordered);
        }
    }
    std::stable_sort(exact.begin(), exact.end(), LargerFirst);
    if (exact.size() > 1 && qualifiers.empty() && Dwarfs(*exact[0], *exact[1])) {
        lookup.AlsoNamed.assign(exact.begin() + 1, exact.end());
        exact.resize(1);
    }
    if (exact.size() != 1) {
        // A text spelt as a display name, which the qualifiers may have read
        // wrongly (a state named as its place is left out of the display
        // name, and some names hold commas) or loosely (accents).
        const std::string tidy = TidyCommas(text);
        const std::string tidyKey = SearchKey(tidy);
        std::vector<const Place*> named;
        for (std::size_t i = first; i < last; ++i) {
            const Place& place = *index_[i].Where;
            if (IsAt(place, where) && SearchKey(DisplayName(place)) == tidyKey) {
                named.push_back(&place);
            }
        }
        if (named.size() > 1) {
            std::erase_if(named, [&tidy](const Place* place) { return DisplayName(*place) != tidy; });
        }
        if (named.size() == 1) {
            exact = std::move(named);
        }
    }
    if (exact.size() == 1) {
        lookup.Found = exact.front();
        return lookup;
    }
    lookup.Ambiguous = !exact.empty();
    lookup.Candidates = exact.empty() ? std::move(longer) : std::move(exact);
    std::stable_sort(lookup.Candidates.begin(), lookup.Candidates.end(), LargerFirst);
    if (lookup.Candidates.size() > limit) {
        lookup.Candidates.resize(limit);
    }
    return lookup;
}

std::string Atlas::CandidateText(const Place& place) const {
    std::string text = DisplayName(place);
    if (Find(text).Found != &place) {
        text += " (" + CoordinatesText(place) + ")";
    }
    return text;
}

std::string DisplayName(const Place& place) {
    std::string text = place.Name;
    if (!place.State.empty() && place.State != place.Name) {
        text += ", " + place.State;
    }
    if (!place.Country.empty()) {
        text += ", " + place.Country;
    }
    return text;
}

std::vector<const Place*> Atlas::OthersNamedAs(const Place& place) const {
    const std::string key = SearchKey(place.Name);
    std::vector<const Place*> others;
    for (auto [i, last] = PrefixRange(key); i < last && index_[i].Key == key; ++i) {
        if (index_[i].Where != &place) {
            others.push_back(index_[i].Where);
        }
    }
    return others;
}

std::string PlaceList(const std::vector<const Place*>& places, std::size_t most) {
    const std::size_t named = std::min(most, places.size());
    std::string list;
    for (std::size_t k = 0; k < named; ++k) {
        list += (k == 0 ? "" : "; ") + DisplayName(*places[k]);
    }
    if (places.size() > named) {
        list += " and " + std::to_string(places.size() - named) + " more";
    }
    return list;
}

std::string SharedNameClause(const PlaceLookup& lookup) {
    if (!lookup.Found || lookup.AlsoNamed.empty()) {
        return {};
    }
    constexpr std::size_t kMostNamed = 3;
    return lookup.Found->Name + " was taken for " + DisplayName(*lookup.Found) + ", at least " +
           std::to_string(kDominantPopulationFactor) +
           " times as populous as any other place of that name; it also names " +
           PlaceList(lookup.AlsoNamed, kMostNamed);
}

}  // namespace tavrinel::atlas
