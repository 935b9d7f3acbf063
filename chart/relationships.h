// Who rules each sign and how the planets regard one another (Brihat
// Parashara Hora Shastra): the natural friendships, the temporal ones a
// chart makes, and the five-fold compound of the two. The vargas' marks and
// the strength's Saptavargaja points and avasthas read this one table.
#pragma once

#include <cstdint>
#include <string_view>

#include "chart/chart_state.h"

namespace tavrinel {

// Sun to Saturn; the nodes take no part in the friendships.
inline constexpr int kRelationshipPlanets = 7;

// A natural relationship is Friend, Neutral or Enemy; a compound one any of
// the five. None for the nodes, for a planet and itself, and where a sign is
// not known.
enum class Relationship : std::uint8_t {
    None = 0,
    GreatFriend,
    Friend,
    Neutral,
    Enemy,
    GreatEnemy
};

// "GreatFriend", "Friend", "Neutral", "Enemy", "GreatEnemy"; empty for None.
[[nodiscard]] std::string_view RelationshipName(Relationship relationship);
// The same for a person: "great friend", "friend", ... "great enemy".
[[nodiscard]] std::string_view RelationshipWords(Relationship relationship);
// "++", "+", "=", "-", "--"; empty for None.
[[nodiscard]] std::string_view RelationshipMark(Relationship relationship);
// +2 great friend down to -2 great enemy; 0 for None.
[[nodiscard]] int RelationshipScore(Relationship relationship);

// The lord (kSun .. kSaturn) of a sign 0-11.
[[nodiscard]] Graha SignLord(int sign);

// What `planet` is by nature to `other`, both kSun .. kSaturn.
[[nodiscard]] Relationship NaturalRelationship(int planet, int other);

// Whether a planet in `otherSign` is a temporal friend of one in
// `planetSign`: it stands in the 2nd, 3rd, 4th, 10th, 11th or 12th sign
// from it. Symmetric.
[[nodiscard]] bool TemporalFriend(int planetSign, int otherSign);

// The compound (panchadha) relationship of `planet` to `other`: natural
// friend +1, neutral 0, enemy -1, plus temporal friend +1 or enemy -1, from
// the signs each holds in the rasi chart (0-11; kNoRasiSign where unknown).
inline constexpr int kNoRasiSign = -1;
[[nodiscard]] Relationship CompoundRelationship(int planet, int other, int planetRasiSign,
                                                int otherRasiSign);

}  // namespace tavrinel
