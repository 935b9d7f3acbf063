#include "chart/relationships.h"

#include <array>

namespace tavrinel {

namespace {

constexpr std::array<Graha, kSignCount> kSignLords = {kMars,    kVenus,   kMercury, kMoon,
                                                      kSun,     kMercury, kVenus,   kMars,
                                                      kJupiter, kSaturn,  kSaturn,  kJupiter};

constexpr Relationship F = Relationship::Friend;
constexpr Relationship N = Relationship::Neutral;
constexpr Relationship E = Relationship::Enemy;
constexpr Relationship X = Relationship::None;

// Parashara's natural friends, neutrals and enemies, row to column, in the
// program's graha order.
constexpr std::array<std::array<Relationship, kRelationshipPlanets>, kRelationshipPlanets>
    kNaturalRelationships = {{
        //  Su Mo Me Ve Ma Ju Sa
        {{X, F, N, E, F, F, E}},  // Sun
        {{F, X, F, N, N, N, N}},  // Moon
        {{F, E, X, F, N, N, N}},  // Mercury
        {{E, E, F, X, N, N, F}},  // Venus
        {{F, F, E, N, X, F, N}},  // Mars
        {{F, F, E, E, F, X, N}},  // Jupiter
        {{E, E, F, F, E, N, X}},  // Saturn
    }};

// The houses, counted from a planet's sign, whose occupants are its
// temporal friends: the 2nd, 3rd, 4th, 10th, 11th and 12th.
constexpr std::array<bool, kSignCount> kTemporalFriendHouses = {
    false, true, true, true, false, false, false, false, false, true, true, true};

struct RelationshipText {
    std::string_view Name;
    std::string_view Words;
    std::string_view Mark;
    int Score;
};
constexpr std::array<RelationshipText, 6> kTexts = {{
    {"", "", "", 0},
    {"GreatFriend", "great friend", "++", 2},
    {"Friend", "friend", "+", 1},
    {"Neutral", "neutral", "=", 0},
    {"Enemy", "enemy", "-", -1},
    {"GreatEnemy", "great enemy", "--", -2},
}};

const RelationshipText& TextOf(Relationship relationship) {
    return kTexts[static_cast<std::size_t>(relationship)];
}

bool IsPlanet(int graha) {
    return graha >= 0 && graha < kRelationshipPlanets;
}

bool IsSign(int sign) {
    return sign >= 0 && sign < kSignCount;
}

}  // namespace

std::string_view RelationshipName(Relationship relationship) {
    return TextOf(relationship).Name;
}

std::string_view RelationshipWords(Relationship relationship) {
    return TextOf(relationship).Words;
}

std::string_view RelationshipMark(Relationship relationship) {
    return TextOf(relationship).Mark;
}

int RelationshipScore(Relationship relationship) {
    return TextOf(relationship).Score;
}

Graha SignLord(int sign) {
    return kSignLords[static_cast<std::size_t>(((sign % kSignCount) + kSignCount) % kSignCount)];
}

Relationship NaturalRelationship(int planet, int other) {
    if (!IsPlanet(planet) || !IsPlanet(other)) {
        return Relationship::None;
    }
    return kNaturalRelationships[static_cast<std::size_t>(planet)][static_cast<std::size_t>(other)];
}

bool TemporalFriend(int planetSign, int otherSign) {
    const int house = ((otherSign - planetSign) % kSignCount + kSignCount) % kSignCount;
    return kTemporalFriendHouses[static_cast<std::size_t>(house)];
}

Relationship CompoundRelationship(int planet, int other, int planetRasiSign, int otherRasiSign) {
    const Relationship natural = NaturalRelationship(planet, other);
    if (natural == Relationship::None || !IsSign(planetRasiSign) || !IsSign(otherRasiSign)) {
        return Relationship::None;
    }
    const int score =
        RelationshipScore(natural) + (TemporalFriend(planetRasiSign, otherRasiSign) ? 1 : -1);
    constexpr std::array<Relationship, 5> kByScore = {Relationship::GreatEnemy, Relationship::Enemy,
                                                      Relationship::Neutral, Relationship::Friend,
                                                      Relationship::GreatFriend};
    return kByScore[static_cast<std::size_t>(score + 2)];
}

}  // namespace tavrinel
