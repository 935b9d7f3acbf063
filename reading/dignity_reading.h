// The reading: each graha's dignity by its sign and whole degree, the counts,
// and the coloured runs of fixed sentences that make up the text.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "chart/chart_state.h"

namespace tavrinel {

enum class Dignity { Own = 0, Exaltation = 1, Moolatrikona = 2, Debilitation = 3, Peregrine = 4 };
inline constexpr int kCountedDignities = 4;

// Name of a dignity as the command line's JSON writes it ("Own", ...).
[[nodiscard]] std::string_view DignityName(Dignity dignity);
// The words for a dignity wherever a person reads one outside the reading's
// fixed sentences ("Own sign", "Exalted", ...): every table, legend and
// description of the window, its exports and the command line's text, so one
// dignity has one name. JSON and CSV keep DignityName, which scripts read.
[[nodiscard]] std::string_view DignityTerm(Dignity dignity);
// The order the legends list the dignities in, from the strongest.
inline constexpr std::array<Dignity, 5> kDignityLegendOrder = {
    Dignity::Exaltation, Dignity::Own, Dignity::Moolatrikona, Dignity::Debilitation,
    Dignity::Peregrine};

// English name of a graha ("Sun" ... "Ketu").
[[nodiscard]] std::string_view GrahaEnglishName(int graha);

struct Rgb {
    std::uint8_t Red;
    std::uint8_t Green;
    std::uint8_t Blue;
};

// Colour indices of the reading's runs, 1 to 6, as RGB.
inline constexpr int kFirstColourIndex = 1;
inline constexpr int kLastColourIndex = 6;
[[nodiscard]] Rgb ReadingColour(int colourIndex);

// Line break of the reading text.
inline constexpr std::string_view kLineBreak = "\r\n";

// Where the reading goes: the window's rich-text box, the terminal, a test.
class ReadingSink {
public:
    virtual ~ReadingSink() = default;
    virtual void Clear() = 0;
    virtual void Append(std::string_view text, int colourIndex, bool bold) = 0;
    virtual void ShowReadingPanel() = 0;
};

struct DignityAnalysis {
    std::array<Dignity, kGrahaCount> Dignities{};
    std::array<std::string_view, kGrahaCount> StatusLines{};
    std::array<std::string_view, kGrahaCount> PlanetSentences{};
    std::array<std::int16_t, kCountedDignities> DignityCounts{};
    std::array<std::string_view, kCountedDignities> CountLines{};
};

// Classification and counts from chart.PlanetPositionTexts.
[[nodiscard]] DignityAnalysis ClassifyGrahas(const ChartState& chart);

// The reading's rule for one graha in a sign (0 Aries .. 11 Pisces) at a
// whole degree within it, as ClassifyGrahas applies it to a position text.
[[nodiscard]] Dignity ClassifyDignity(int graha, int sign, int wholeDegree);

// A graha's dignity in each sign (0 Aries .. 11 Pisces) by the sign alone,
// for a position with no degrees: the exaltation sign, else a moolatrikona
// sign, else an own sign, else the debilitation sign of the same rules, else
// Peregrine.
[[nodiscard]] const std::array<Dignity, kSignCount>& DignitiesBySign(int graha);

// Clears the sink, appends the whole reading and brings the reading forward.
void BuildDignityReading(const ChartState& chart, ReadingSink& sink);
// The same from the chart's classification already made.
void BuildDignityReading(const ChartState& chart, const DignityAnalysis& analysis,
                         ReadingSink& sink);

}  // namespace tavrinel
