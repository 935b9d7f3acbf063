// The strength's classical tables as data, in the program's graha order (Sun,
// Moon, Mercury, Venus, Mars, Jupiter, Saturn) unless a table says otherwise.
// Sources: Brihat Parashara Hora Shastra (BPHS) and B.V. Raman, Graha and
// Bhava Balas.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "chart/chart_state.h"
#include "strength/strength.h"

namespace tavrinel::strength_tables {

// A set of signs or houses as bits: bit 0 Aries (or the 1st house).
[[nodiscard]] constexpr std::uint16_t Bits(std::initializer_list<int> numbers, int first = 0) {
    std::uint16_t bits = 0;
    for (const int n : numbers) {
        bits = static_cast<std::uint16_t>(bits | (1U << (n - first)));
    }
    return bits;
}
[[nodiscard]] constexpr std::uint16_t Houses(std::initializer_list<int> houses) {
    return Bits(houses, 1);
}

struct Dignities {
    std::uint16_t OwnSigns;
    int ExaltationSign;
    double DeepExaltation;  // sidereal degrees
    int MoolatrikonaSign;
    double MoolatrikonaFrom;  // degrees within the sign, [from, to)
    double MoolatrikonaTo;
};
inline constexpr std::array<Dignities, kStrengthGrahaCount> kDignities = {{
    {Bits({4}), 0, 10, 4, 0, 20},           // Sun: Leo; Aries; Leo
    {Bits({3}), 1, 33, 1, 3, 30},           // Moon: Cancer; Taurus; Taurus
    {Bits({2, 5}), 5, 165, 5, 15, 20},      // Mercury: Gemini, Virgo; Virgo; Virgo
    {Bits({1, 6}), 11, 357, 6, 0, 15},      // Venus: Taurus, Libra; Pisces; Libra
    {Bits({0, 7}), 9, 298, 0, 0, 12},       // Mars: Aries, Scorpio; Capricorn; Aries
    {Bits({8, 11}), 3, 95, 8, 0, 10},       // Jupiter: Sagittarius, Pisces; Cancer; Sagittarius
    {Bits({9, 10}), 6, 200, 10, 0, 20},     // Saturn: Capricorn, Aquarius; Libra; Aquarius
}};
// The debilitation sign is the seventh from the exaltation sign.
inline constexpr int kDebilitationOffset = 6;

// Saptavargaja points by the compound relation to the sign's lord, from
// great enemy (-2) to great friend (+2) (Raman).
inline constexpr std::array<double, 5> kRelationPoints = {1.875, 3.75, 7.5, 15, 22.5};
inline constexpr double kMoolatrikonaPoints = 45;
inline constexpr double kOwnSignPoints = 30;

// Trimsamsa: the sign of each part, odd signs then even signs; parts end at
// these degrees.
inline constexpr std::array<double, 5> kOddTrimsamsaEnds = {5, 10, 18, 25, 30};
inline constexpr std::array<int, 5> kOddTrimsamsaSigns = {0, 10, 8, 2, 6};
inline constexpr std::array<double, 5> kEvenTrimsamsaEnds = {5, 12, 20, 25, 30};
inline constexpr std::array<int, 5> kEvenTrimsamsaSigns = {1, 5, 11, 9, 7};

// Kendradi points by house from the Lagna, 1st to 12th.
inline constexpr std::array<double, kSignCount> kKendradiPoints = {60, 30, 15, 60, 30, 15,
                                                                   60, 30, 15, 60, 30, 15};
inline constexpr std::uint16_t kKendraHouses = Houses({1, 4, 7, 10});

// Drekkana bala: the decanate (0, 1, 2) in which each graha gets 15.
inline constexpr std::array<int, kStrengthGrahaCount> kStrongDecanate = {0, 2, 1, 2, 0, 0, 1};

// Which graha's point of no directional strength: the MC, the IC, the
// Lagna or the Descendant.
enum class DigZero : std::uint8_t { Midheaven, ImumCoeli, Lagna, Descendant };
inline constexpr std::array<DigZero, kStrengthGrahaCount> kDigZero = {
    DigZero::ImumCoeli, DigZero::Midheaven, DigZero::Descendant, DigZero::Midheaven,
    DigZero::ImumCoeli, DigZero::Descendant, DigZero::Lagna};

// Nathonnata: strong by day (1: Sun, Jupiter, Venus), by night (-1: Moon,
// Mars, Saturn), or always (0: Mercury).
inline constexpr std::array<int, kStrengthGrahaCount> kDayStrong = {1, -1, 0, 1, -1, 1, -1};

// Tribhaga: the lords of the day's thirds, then of the night's.
inline constexpr std::array<Graha, 3> kDayThirdLords = {kMercury, kSun, kSaturn};
inline constexpr std::array<Graha, 3> kNightThirdLords = {kMoon, kVenus, kMars};

// The weekdays' lords from Sunday, and the hora sequence.
inline constexpr std::array<Graha, 7> kWeekdayLords = {kSun,     kMoon,  kMars,  kMercury,
                                                       kJupiter, kVenus, kSaturn};
inline constexpr std::array<Graha, 7> kHoraSequence = {kSun,    kVenus,   kMercury, kMoon,
                                                       kSaturn, kJupiter, kMars};
// The Kali epoch's day number (Thursday, 17 February 3102 BCE, proleptic
// Julian) and the lengths of Raman's year and month in days.
inline constexpr long kKaliEpochDay = 588465;
inline constexpr long kKaliYearDays = 360;
inline constexpr long kKaliMonthDays = 30;
inline constexpr double kAbdaPoints = 15;
inline constexpr double kMasaPoints = 30;
inline constexpr double kVaraPoints = 45;
inline constexpr double kHoraPoints = 60;

// Ayana: +1 where north declination strengthens (Sun, Mars, Jupiter,
// Venus), -1 where it weakens (Moon, Saturn); 0 for Mercury, which any
// declination strengthens.
inline constexpr std::array<int, kStrengthGrahaCount> kAyanaSense = {1, -1, 0, 1, 1, 1, -1};

// Planetary disc diameters for the war's quotient (BPHS); the luminaries
// never fight.
inline constexpr std::array<double, kStrengthGrahaCount> kDiscDiameters = {0, 0, 6.6, 16.6,
                                                                          9.4, 190.4, 158.0};

// Meeus, Astronomical Algorithms, table 31.A: mean longitudes referred to the
// mean equinox of date, a0 + a1 T + a2 T^2 + a3 T^3 degrees, T in Julian
// centuries from J2000.0. The Sun's is geocentric (the Earth's plus 180).
using MeanLongitude = std::array<double, 4>;
inline constexpr MeanLongitude kMeanSun = {280.466457, 36000.7698278, 0.00030322, 0.000000020};
inline constexpr std::array<MeanLongitude, kStrengthGrahaCount> kMeanLongitudes = {{
    {},
    {},
    {252.250906, 149474.0722491, 0.00030350, 0.000000018},  // Mercury, heliocentric
    {181.979801, 58519.2130302, 0.00031014, 0.000000015},   // Venus, heliocentric
    {355.433000, 19141.6964471, 0.00031052, 0.000000016},   // Mars
    {34.351519, 3036.3027748, 0.00022330, 0.000000037},     // Jupiter
    {50.077444, 1223.5110686, 0.00051908, -0.000000030},    // Saturn
}};

// Naisargika bala: the natural strengths, 60 / 7 apart from Saturn's up.
inline constexpr std::array<double, kStrengthGrahaCount> kNaisargika = {
    60, 360.0 / 7, 180.0 / 7, 300.0 / 7, 120.0 / 7, 240.0 / 7, 60.0 / 7};

// Special aspects (Drik bala): the extra value in two ranges of the angle
// ahead of the aspecting graha.
struct SpecialAspect {
    double Extra;
    std::array<double, 2> FirstRange;
    std::array<double, 2> SecondRange;
};
inline constexpr std::array<SpecialAspect, kStrengthGrahaCount> kSpecialAspects = {{
    {0, {0, 0}, {0, 0}},
    {0, {0, 0}, {0, 0}},
    {0, {0, 0}, {0, 0}},
    {0, {0, 0}, {0, 0}},
    {15, {90, 120}, {210, 240}},  // Mars: 4th and 8th
    {30, {120, 150}, {240, 270}},  // Jupiter: 5th and 9th
    {45, {60, 90}, {270, 300}},   // Saturn: 3rd and 10th
}};

// Raman's minimum Shadbala, in rupas.
inline constexpr std::array<double, kStrengthGrahaCount> kRequiredRupas = {5, 6, 7, 5.5, 5, 6.5, 5};

// Combustion orbs (the Surya Siddhanta's kalamshas), direct and retrograde;
// the Sun has none.
inline constexpr std::array<std::array<double, 2>, kStrengthGrahaCount> kCombustionOrbs = {{
    {0, 0}, {12, 12}, {14, 12}, {10, 8}, {17, 17}, {11, 11}, {15, 15}}};

// The grahas that can be at war, in the order their pairs are listed.
inline constexpr std::array<Graha, 5> kWarriors = {kMercury, kVenus, kMars, kJupiter, kSaturn};
inline constexpr double kWarDegrees = 1;

// Signs each graha aspects, counted as houses from its own (every graha the
// 7th; Mars also the 4th and 8th, Jupiter the 5th and 9th, Saturn the 3rd
// and 10th).
inline constexpr std::array<std::uint16_t, kStrengthGrahaCount> kSignAspects = {
    Houses({7}), Houses({7}), Houses({7}), Houses({7}),
    Houses({4, 7, 8}), Houses({5, 7, 9}), Houses({3, 7, 10})};

// The Pancha Mahapurusha yogas, in their listed order.
struct MahapurushaRule {
    Graha Planet;
    std::string_view Yoga;
};
inline constexpr std::array<MahapurushaRule, 5> kMahapurusha = {{{kMars, "Ruchaka"},
                                                                 {kMercury, "Bhadra"},
                                                                 {kJupiter, "Hamsa"},
                                                                 {kVenus, "Malavya"},
                                                                 {kSaturn, "Sasa"}}};

// Natural malefics for Vikala avastha.
inline constexpr std::array<Graha, 5> kNaturalMalefics = {kSun, kMars, kSaturn, kRahu, kKetu};

// Avasthas by the compound relation to the sign's lord, great enemy (-2) to
// great friend (+2).
inline constexpr std::array<Avastha, 5> kRelationAvasthas = {
    Avastha::Khala, Avastha::Duhkhita, Avastha::Deena, Avastha::Shanta, Avastha::Mudita};

// Bhinnashtakavarga (BPHS): for each row's graha (then the Lagna), the houses
// counted from each contributor in which it puts a bindu. Rows and columns
// in the classical order Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn,
// Lagna; kClassicalOrder maps them to the program's rows.
inline constexpr std::array<int, kAshtakavargaRows> kClassicalOrder = {
    kSun, kMoon, kMars, kMercury, kJupiter, kVenus, kSaturn, kAshtakavargaLagna};
using BinduRow = std::array<std::uint16_t, kAshtakavargaRows>;
inline constexpr std::array<BinduRow, kAshtakavargaRows> kBindus = {{
    // Sun
    {Houses({1, 2, 4, 7, 8, 9, 10, 11}), Houses({3, 6, 10, 11}), Houses({1, 2, 4, 7, 8, 9, 10, 11}),
     Houses({3, 5, 6, 9, 10, 11, 12}), Houses({5, 6, 9, 11}), Houses({6, 7, 12}),
     Houses({1, 2, 4, 7, 8, 9, 10, 11}), Houses({3, 4, 6, 10, 11, 12})},
    // Moon
    {Houses({3, 6, 7, 8, 10, 11}), Houses({1, 3, 6, 7, 10, 11}), Houses({2, 3, 5, 6, 9, 10, 11}),
     Houses({1, 3, 4, 5, 7, 8, 10, 11}), Houses({1, 4, 7, 8, 10, 11, 12}),
     Houses({3, 4, 5, 7, 9, 10, 11}), Houses({3, 5, 6, 11}), Houses({3, 6, 10, 11})},
    // Mars
    {Houses({3, 5, 6, 10, 11}), Houses({3, 6, 11}), Houses({1, 2, 4, 7, 8, 10, 11}),
     Houses({3, 5, 6, 11}), Houses({6, 10, 11, 12}), Houses({6, 8, 11, 12}),
     Houses({1, 4, 7, 8, 9, 10, 11}), Houses({1, 3, 6, 10, 11})},
    // Mercury
    {Houses({5, 6, 9, 11, 12}), Houses({2, 4, 6, 8, 10, 11}), Houses({1, 2, 4, 7, 8, 9, 10, 11}),
     Houses({1, 3, 5, 6, 9, 10, 11, 12}), Houses({6, 8, 11, 12}), Houses({1, 2, 3, 4, 5, 8, 9, 11}),
     Houses({1, 2, 4, 7, 8, 9, 10, 11}), Houses({1, 2, 4, 6, 8, 10, 11})},
    // Jupiter
    {Houses({1, 2, 3, 4, 7, 8, 9, 10, 11}), Houses({2, 5, 7, 9, 11}),
     Houses({1, 2, 4, 7, 8, 10, 11}), Houses({1, 2, 4, 5, 6, 9, 10, 11}),
     Houses({1, 2, 3, 4, 7, 8, 10, 11}), Houses({2, 5, 6, 9, 10, 11}), Houses({3, 5, 6, 12}),
     Houses({1, 2, 4, 5, 6, 7, 9, 10, 11})},
    // Venus
    {Houses({8, 11, 12}), Houses({1, 2, 3, 4, 5, 8, 9, 11, 12}), Houses({3, 5, 6, 9, 11, 12}),
     Houses({3, 5, 6, 9, 11}), Houses({5, 8, 9, 10, 11}), Houses({1, 2, 3, 4, 5, 8, 9, 10, 11}),
     Houses({3, 4, 5, 8, 9, 10, 11}), Houses({1, 2, 3, 4, 5, 8, 9, 11})},
    // Saturn
    {Houses({1, 2, 4, 7, 8, 10, 11}), Houses({3, 6, 11}), Houses({3, 5, 6, 10, 11, 12}),
     Houses({6, 8, 9, 10, 11, 12}), Houses({5, 6, 11, 12}), Houses({6, 11, 12}),
     Houses({3, 5, 6, 11}), Houses({1, 3, 4, 6, 10, 11})},
    // Lagna
    {Houses({3, 4, 6, 10, 11, 12}), Houses({3, 6, 10, 11, 12}), Houses({1, 3, 6, 10, 11}),
     Houses({1, 2, 4, 6, 8, 10, 11}), Houses({1, 2, 4, 5, 6, 7, 9, 10, 11}),
     Houses({1, 2, 3, 4, 5, 8, 9}), Houses({1, 3, 4, 6, 10, 11}), Houses({3, 6, 10, 11})},
}};

}  // namespace tavrinel::strength_tables
