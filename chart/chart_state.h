// The one record through which the window, the engines and the reading share
// a chart. The program owns exactly one and passes it by reference; the
// command line and the tests build their own.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace tavrinel {

// Truth values are 16-bit: -1 is true, 0 is false, and any non-zero value
// reads as true. Saved files and the engines both depend on this.
using Truth = std::int16_t;
inline constexpr Truth kTrue = -1;
inline constexpr Truth kFalse = 0;

inline constexpr int kZoneCount = 71;
inline constexpr int kGrahaCount = 9;
inline constexpr int kTheoryBodyCount = 6;

// Graha order shared by the position engine and the reading.
enum Graha : int {
    kSun = 0,
    kMoon = 1,
    kMercury = 2,
    kVenus = 3,
    kMars = 4,
    kJupiter = 5,
    kSaturn = 6,
    kRahu = 7,
    kKetu = 8,
};

inline constexpr const char* kSignAbbreviations = "AriTauGemCanLeoVirLibScoSagCapAquPis";
inline constexpr int kSignCount = 12;
// The signs' English names in the same order, for the texts beyond the reading.
inline constexpr std::array<std::string_view, kSignCount> kSignNames = {
    "Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
// The program's literal degrees-to-radians factor, deliberately not pi/180
// computed at run time, so results match the reference values digit for digit.
inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kKeplerTolerance = 1E-12;

struct ChartState {
    // --- Birth data, written only by the Calculate command --------------
    std::string PersonName;  // as typed, blanks kept
    std::int16_t BirthMonth = 0;  // 1 = January
    std::int16_t BirthDay = 0;
    std::int16_t BirthYear = 0;
    std::int16_t BirthHour = 0;  // 0..24
    std::int16_t BirthMinute = 0;
    std::int16_t ZoneHours = 0;    // magnitude of the zone's distance from UT
    std::int16_t ZoneMinutes = 0;  // magnitude, 0 or 30
    std::int16_t ZoneShiftHours = 0;    // signed, add to local time to get UT
    std::int16_t ZoneShiftMinutes = 0;  // signed
    std::int16_t LonDegrees = 0;
    std::int16_t LonMinutes = 0;
    std::int16_t LatDegrees = 0;
    std::int16_t LatMinutes = 0;
    Truth LonDirection = kFalse;  // true = East
    Truth LatDirection = kFalse;  // true = South
    Truth DaylightSaving = kFalse;
    std::string CityName;  // trimmed
    std::string StateName;
    std::string CountryName;

    // --- Time-zone reference table --------------------------------------
    std::array<std::string, kZoneCount> TimeZoneNames{};
    std::array<std::int16_t, kZoneCount> TimeZoneHours{};
    std::array<std::int16_t, kZoneCount> TimeZoneMinutes{};

    // The file name last chosen in the Save dialog.
    std::string SaveFileName;

    // --- Constants each engine sets again at the start of every run -----
    std::string SignAbbreviations;
    double DegToRad = 0;
    double KeplerTolerance = 0;

    // --- Planet engine: time base and ayanamsa --------------------------
    double PlanetAyanamsaCorrection = 0;  // minus the ayanamsa, degrees
    double PlanetLocalHours = 0;
    double PlanetZoneHours = 0;
    double PlanetWestLongitude = 0;
    double PlanetUniversalHours = 0;
    double PlanetDayNumber = 0;
    double PlanetCenturies1900 = 0;

    // --- Planet engine: Keplerian scratch (overwritten per body) --------
    double OrbitSemiMajorAxis = 0;        // AU
    double OrbitEccentricity = 0;
    double OrbitInclination = 0;          // radians
    double OrbitNodeLongitude = 0;        // radians
    double OrbitPerihelionLongitude = 0;  // radians
    double OrbitMeanLongitude = 0;        // radians, [0, 2pi)
    double PlanetLongitude = 0;           // degrees

    // --- Planet engine: results -----------------------------------------
    std::array<std::string, kTheoryBodyCount> TheoryPositionTexts{};
    std::string RahuText;
    std::string KetuText;
    std::array<std::string, kGrahaCount> GrahaNames{};
    std::array<std::string, kGrahaCount> PlanetPositionTexts{};

    // --- Moon engine ----------------------------------------------------
    double LocalClockHours = 0;
    double ZoneOffsetHours = 0;
    double SiteLongitude = 0;  // degrees, West positive
    double UniversalHours = 0;
    double BirthDayNumber = 0;
    double JulianCenturies = 0;  // from J2000.0
    double AyanamsaCorrection = 0;
    double MoonLongitude = 0;
    double MoonElongation = 0;
    double SunAnomaly = 0;
    double MoonAnomaly = 0;
    double EccentricityFactor = 0;
    std::string MoonPositionText;  // long form

    // --- Beyond the documents: the numbers behind the position texts, for
    // the chart pictures, the positions table and the sky check. Whichever
    // calculation ran fills them, and names itself in SkyName, so nothing
    // shown can be mistaken for the other sky's value. ------------------
    std::string SkyName;
    std::array<double, kGrahaCount> GrahaLongitudes{};  // sidereal, degrees in [0, 360)
    std::array<bool, kGrahaCount> GrahaRetrograde{};
    // Sidereal ascendant in degrees; NaN until a calculation has found it.
    double LagnaLongitude = std::numeric_limits<double>::quiet_NaN();
    // The ayanamsa the sidereal longitudes were taken with, in degrees at
    // the birth; NaN until a calculation has set it.
    double AyanamsaDegrees = std::numeric_limits<double>::quiet_NaN();
    // The form's offset from Universal Time where no zone entry has it
    // (seconds, east positive); only the precise sky casts such a chart.
    std::optional<int> ExactUtcOffsetSeconds;
};

}  // namespace tavrinel
