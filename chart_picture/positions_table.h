// The chart as rows of facts: for each graha and the Lagna its sign, degrees
// and minutes, nakshatra, pada, lord, dignity and motion, with the birth data
// and a note of which calculation made each kind of value. The pictures, the
// window's table, the exports and the command line all start from here.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_state.h"
#include "reading/dignity_reading.h"

namespace tavrinel {

struct PositionRow {
    std::string Abbreviation;  // "Su" .. "Ke", "La"
    std::string Name;          // "Sun" .. "Ketu", "Lagna"
    bool Known = false;        // false when the calculation gave no longitude
    double Longitude = 0;      // sidereal degrees [0, 360)
    int Sign = 0;              // 0 Aries .. 11 Pisces
    int Degrees = 0;           // within the sign, truncated
    int Minutes = 0;           // truncated
    std::string PositionText;  // "22 Sco 13", as the reading's short texts
    int Nakshatra = 0;         // 0-26
    int Pada = 0;              // 1-4
    Graha Lord = kKetu;
    std::optional<tavrinel::Dignity> Dignity;  // the Lagna has none
    bool Retrograde = false;
    bool ShowsDegrees = true;  // false in a divisional chart, which has none
};

struct PositionsTable {
    std::string PersonName;
    std::string BirthLine;  // date, clock time and zone
    std::string PlaceLine;  // city, state, country and coordinates
    std::string SkyName;
    std::string ChartName = "Rasi chart";  // or the divisional chart drawn
    std::array<PositionRow, kGrahaCount> Grahas;
    PositionRow Lagna;
    double AyanamsaDegrees = 0;  // at the birth; NaN when none was calculated
    // "Positions: ...", "Lagna: ...", "Retrograde: ...", "Ayanamsa: ...":
    // which calculation produced each kind of value, and the ayanamsa's value.
    std::vector<std::string> Sources;
};

// Two-letter abbreviations, Sun to Ketu.
inline constexpr std::array<std::string_view, kGrahaCount> kGrahaAbbreviations = {
    "Su", "Mo", "Me", "Ve", "Ma", "Ju", "Sa", "Ra", "Ke"};
inline constexpr std::string_view kLagnaAbbreviation = "La";

// A row for one longitude (NaN gives a row that is not Known).
[[nodiscard]] PositionRow MakePositionRow(std::string_view abbreviation, std::string_view name,
                                          double longitude);

// The table of a calculated chart; reads only the chart's fields, whichever
// calculation filled them.
[[nodiscard]] PositionsTable BuildPositionsTable(const ChartState& chart);
// The same with the reading's classification of the chart already made.
[[nodiscard]] PositionsTable BuildPositionsTable(const ChartState& chart,
                                                 const DignityAnalysis& reading);

// The table as aligned plain text with a heading line, the rows and the
// notes, lines ending in "\n".
[[nodiscard]] std::string PositionsTableText(const PositionsTable& table);

// Degrees and minutes within the sign, "28°55'".
[[nodiscard]] std::string DegreesText(const PositionRow& row);

// An angle to the nearest second of arc, "23°43'05\"".
[[nodiscard]] std::string ArcSecondsText(double degrees);

}  // namespace tavrinel
