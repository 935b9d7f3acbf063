// The 27 lunar mansions of 13°20' each from 0° Aries, their quarters (padas)
// of 3°20', and the graha that rules each mansion.
#pragma once

#include <array>
#include <string_view>

#include "chart/chart_state.h"

namespace tavrinel {

inline constexpr int kNakshatraCount = 27;
inline constexpr int kPadasPerNakshatra = 4;

inline constexpr std::array<std::string_view, kNakshatraCount> kNakshatraNames = {
    "Ashwini",
    "Bharani",
    "Krittika",
    "Rohini",
    "Mrigashira",
    "Ardra",
    "Punarvasu",
    "Pushya",
    "Ashlesha",
    "Magha",
    "Purva Phalguni",
    "Uttara Phalguni",
    "Hasta",
    "Chitra",
    "Swati",
    "Vishakha",
    "Anuradha",
    "Jyeshtha",
    "Mula",
    "Purva Ashadha",
    "Uttara Ashadha",
    "Shravana",
    "Dhanishta",
    "Shatabhisha",
    "Purva Bhadrapada",
    "Uttara Bhadrapada",
    "Revati",
};

// The lords repeat in this order three times round the zodiac.
inline constexpr std::array<Graha, 9> kNakshatraLordCycle = {
    kKetu, kVenus, kSun, kMoon, kMars, kRahu, kJupiter, kSaturn, kMercury};

// Index 0-26 of the mansion holding a sidereal longitude in degrees (any
// value; it is brought into 0-360 first), or -1 for NaN and infinity.
[[nodiscard]] int NakshatraIndex(double longitude);

// Quarter 1-4 of the mansion, or 0 for NaN and infinity.
[[nodiscard]] int NakshatraPada(double longitude);

// Graha ruling mansion 0-26.
[[nodiscard]] Graha NakshatraLord(int nakshatra);

}  // namespace tavrinel
