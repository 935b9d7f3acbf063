// The offline atlas: which places match a text. Built once from a source of
// places and then only read, so one instance serves every thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "atlas/place.h"

namespace tavrinel::atlas {

// What a look-up by name found: one place, or the candidates to choose from
// (several places of that exact name, or, when none has it, places whose
// names begin with it).
struct PlaceLookup {
    const Place* Found = nullptr;
    std::vector<const Place*> Candidates;
    bool Ambiguous = false;  // the candidates all have the name itself
    // A bare name several places share was taken for the one at least ten
    // times as populous as the next: the others of that name, larger first.
    std::vector<const Place*> AlsoNamed;
};

// How much more populous than any other place of its name a place must be
// for its bare name to be taken as meaning it.
inline constexpr std::uint32_t kDominantPopulationFactor = 10;

class Atlas {
public:
    explicit Atlas(std::vector<Place> places);
    // The index points into the places, so an atlas stays where it was built.
    Atlas(const Atlas&) = delete;
    Atlas& operator=(const Atlas&) = delete;

    // The places of the packaged data, read on the first call only.
    static const Atlas& Shared();

    [[nodiscard]] std::size_t Size() const { return places_.size(); }

    // Places whose names begin with the text, accents and letter case
    // ignored, the more populous first; at most `limit` of them.
    [[nodiscard]] std::vector<const Place*> Complete(std::string_view text,
                                                     std::size_t limit) const;

    // A place named by "Name", "Name, State", "Name, Country" or
    // "Name, State, Country", optionally followed by its coordinates (and
    // zone) in brackets, as "(18:31N 73:51E)" or "(18:31N 73:51E,
    // Asia/Kolkata)". A place named exactly wins over longer names that
    // begin with the text; a state or country after a comma narrows the
    // choice; a text spelt as one place's display name, accents included,
    // is that place; and a bare name is taken for the place that dwarfs every
    // other of that name. At most `limit` candidates.
    [[nodiscard]] PlaceLookup Find(std::string_view text, std::size_t limit = 10) const;

    // The other places whose names read as this one's, the more populous
    // first.
    [[nodiscard]] std::vector<const Place*> OthersNamedAs(const Place& place) const;

    // The text this program shows for a place, which Find gives back as
    // that place: the display name, with the coordinates in brackets where
    // another place has the same display name.
    [[nodiscard]] std::string CandidateText(const Place& place) const;

private:
    struct Entry {
        std::string Key;
        const Place* Where;
    };
    // The range of entries whose key begins with `key`.
    [[nodiscard]] std::pair<std::size_t, std::size_t> PrefixRange(std::string_view key) const;

    std::vector<Place> places_;
    std::vector<Entry> index_;  // sorted by key, then by population, larger first
};

// "Pune, Maharashtra, India": the name with the state (when it differs from
// the name) and the country.
[[nodiscard]] std::string DisplayName(const Place& place);

// For a lookup that took a shared bare name: which place it was taken for
// and what else the name means ("London was taken for London, England,
// United Kingdom, ..."); empty when the name was not shared.
[[nodiscard]] std::string SharedNameClause(const PlaceLookup& lookup);

// "London, Ontario, Canada; London, Kentucky, United States of America and
// 3 more": the first `most` places, and how many are left out.
[[nodiscard]] std::string PlaceList(const std::vector<const Place*>& places, std::size_t most);

}  // namespace tavrinel::atlas
