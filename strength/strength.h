// A chart's strength: Shadbala, Ashtakavarga and the companions of dignity
// (combustion, planetary war, cancelled debilitation, the five great-person
// yogas, the Deeptadi avasthas), after B.V. Raman's Graha and Bhava Balas and
// Brihat Parashara Hora Shastra. Worked out once from plain inputs, so the
// same figures reach every writer and the tests can feed printed longitudes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_state.h"

namespace tavrinel {

// Shadbala's grahas: Sun to Saturn, in the program's graha order.
inline constexpr int kStrengthGrahaCount = 7;
// The Ashtakavarga's rows: the seven grahas, then the Lagna.
inline constexpr int kAshtakavargaRows = 8;
inline constexpr int kAshtakavargaLagna = 7;

// The vedic day around the birth: the last sunrise at or before it, the
// sunset that follows that sunrise and the next sunrise (Julian Days, UT).
struct StrengthDay {
    double Sunrise = 0;
    double Sunset = 0;
    double NextSunrise = 0;
};

// Everything the strength reads, from one precise sky. Longitudes are
// sidereal degrees in [0, 360), in graha order Sun to Ketu.
struct StrengthInputs {
    // Which sky made them, for every output to name: "Precise (Swiss
    // Ephemeris), Raman, mean node, ephemeris files".
    std::string SkyName;
    double JulianDayUt = 0;
    double Latitude = 0;   // degrees, north positive
    double Longitude = 0;  // degrees, east positive
    double AyanamsaDegrees = 0;
    std::array<double, kGrahaCount> Longitudes{};
    std::array<double, kGrahaCount> DegreesPerDay{};       // negative while retrograde
    std::array<double, kGrahaCount> EclipticLatitudes{};  // degrees, north positive
    double Lagna = 0;
    double Midheaven = 0;
    double SunHourAngle = 0;  // (-180, 180], 0 at apparent noon
    // Nothing where the Sun does not rise or set (polar day or night).
    std::optional<StrengthDay> Day;
};

struct SthanaBala {
    double Uccha = 0;
    double Saptavargaja = 0;
    double Ojayugma = 0;
    double Kendradi = 0;
    double Drekkana = 0;
    double Total = 0;
};

struct KalaBala {
    double Nathonnata = 0;
    double Paksha = 0;
    double Tribhaga = 0;
    double Abda = 0;
    double Masa = 0;
    double Vara = 0;
    double Hora = 0;
    double Ayana = 0;
    double Yuddha = 0;
    double Total = 0;
};

// Every figure in virupas (60 to the rupa) but Rupas, RequiredRupas and Ratio.
struct GrahaShadbala {
    SthanaBala Sthana;
    double Dig = 0;
    KalaBala Kala;
    double Cheshta = 0;
    double Naisargika = 0;
    double Drik = 0;
    double TotalVirupas = 0;
    double Rupas = 0;
    double RequiredRupas = 0;
    double Ratio = 0;  // 1 or more: strong enough
};

// The lords of the birth's year, month, weekday and hora.
struct StrengthLords {
    Graha Year = kSun;
    Graha Month = kSun;
    Graha Weekday = kSun;
    Graha Hora = kSun;
};

struct AshtakavargaTable {
    // Sun to Saturn, then the Lagna; each Aries first.
    std::array<std::array<int, kSignCount>, kAshtakavargaRows> Bhinna{};
    // The seven grahas' rows added sign by sign, the Lagna's left out.
    std::array<int, kSignCount> Sarva{};
};

// For the Moon to Saturn; the Sun's entry is never combust.
struct Combustion {
    bool Combust = false;
    double DistanceFromSun = 0;  // degrees
    double Orb = 0;              // degrees
    bool Retrograde = false;
};

struct PlanetaryWar {
    std::array<Graha, 2> Grahas{};
    double Separation = 0;  // degrees
    Graha Winner = kSun;
    Graha Loser = kSun;
    // What the winner gains and the loser gives up (virupas); nothing
    // without Shadbala.
    std::optional<double> YuddhaBala;
};

enum class NeechaBhangaCondition : std::uint8_t {
    DispositorInKendra,
    ExaltationLordInKendra,
    ExaltedGrahaInKendra,
    DispositorJoinsOrAspects,
    ExaltedInNavamsa,
};
inline constexpr int kNeechaBhangaConditions = 5;

struct NeechaBhanga {
    Graha Planet = kSun;
    std::array<bool, kNeechaBhangaConditions> Conditions{};
    bool Cancelled = false;
};

struct MahapurushaYoga {
    std::string_view Yoga;  // "Ruchaka"
    Graha Planet = kMars;
    int House = 1;          // 1, 4, 7 or 10
    bool Exalted = false;   // otherwise in an own sign
};

enum class Avastha : std::uint8_t {
    Deepta, Swastha, Mudita, Shanta, Deena, Vikala, Duhkhita, Khala, Kopa
};

struct StrengthAnalysis {
    // Sun to Saturn; nothing without a sunrise and a sunset, when
    // NoShadbalaReason says why.
    std::optional<std::array<GrahaShadbala, kStrengthGrahaCount>> Shadbala;
    std::optional<StrengthLords> Lords;
    std::string NoShadbalaReason;
    AshtakavargaTable Ashtakavarga;
    std::array<Combustion, kStrengthGrahaCount> Combust{};
    std::vector<PlanetaryWar> PlanetaryWars;
    std::vector<NeechaBhanga> NeechaBhangas;  // debilitated grahas only, Sun to Saturn
    std::vector<MahapurushaYoga> Mahapurusha; // Mars, Mercury, Jupiter, Venus, Saturn
    std::array<Avastha, kStrengthGrahaCount> Avasthas{};
};

// Every number in the inputs must be finite, as PreciseStrengthInputs
// makes them.
[[nodiscard]] StrengthAnalysis ComputeStrength(const StrengthInputs& inputs);

// The value (virupas) of the aspect of graha `from` (Sun to Saturn) on a
// point `angle` degrees ahead of it: Raman's curve, 60 at the full aspect,
// and the special aspects of Mars, Jupiter and Saturn added.
[[nodiscard]] double AspectValue(Graha from, double angle);

// The names the strength's record is written with: "Sun" .. "Ketu";
// "Deepta" .. "Kopa"; the conditions' keys ("DispositorInKendra").
[[nodiscard]] std::string_view StrengthGrahaName(Graha graha);
[[nodiscard]] std::string_view AvasthaName(Avastha avastha);
[[nodiscard]] std::string_view NeechaBhangaKey(NeechaBhangaCondition condition);

// The companions in plain sentences, for any writer: combustion ("Mercury is
// combust: 9.41° from the Sun, within its 14° orb."), war, cancelled or
// standing debilitation, the yogas ("Ruchaka yoga: Mars in its own sign in
// the 10th house."), then one avastha a graha ("The Sun is Shanta (calm): in
// a friend's sign."). Numbers to two decimals.
[[nodiscard]] std::vector<std::string> StrengthSentences(const StrengthAnalysis& analysis,
                                                         const StrengthInputs& inputs);

}  // namespace tavrinel
