// The sky check: a documented chart calculated again in the precise sky, and
// every graha whose sign or dignity comes out differently. The documented
// reading is never touched; the check only says where it and the sky part.
#pragma once

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "calculation/sky_choice.h"
#include "chart/chart_state.h"
#include "ephemeris/documented_sky.h"
#include "reading/dignity_reading.h"

namespace tavrinel {

struct SkyDifference {
    int Graha = 0;
    std::string DocumentedText;  // short position texts, e.g. "02 Ari 10"
    std::string PreciseText;
    Dignity DocumentedDignity = Dignity::Peregrine;
    Dignity PreciseDignity = Dignity::Peregrine;
    // "With precise positions, Mars is in Pisces (no dignity), not Aries (own sign)."
    std::string Sentence;
};

// The precise sky the documented one is compared with: its own definitions,
// Lahiri's zodiac and the mean node. Another zodiac would report the
// zodiacs' difference as an error of the documented positions.
inline constexpr PreciseSettings kDocumentedDefinitions{Ayanamsa::Lahiri, NodeKind::Mean};

struct SkyCheck {
    // Set by the caller and kept: whether PreciseRetrograde is wanted. Only
    // the window shows it; without it the precise sky costs less than half.
    bool WithMotion = true;
    // Set by the caller and kept: work out a precise position only for a
    // graha the precise sky could put in another sign, dignity or (the Moon)
    // nakshatra, given how far the documented engines can err; the others
    // keep an empty text and a NaN longitude. What the check says is the
    // same; a batch of many charts pays for a fraction of the precise sky.
    // Motion is then never worked out.
    bool OnlyWhatCouldDiffer = false;
    bool Ran = false;  // false when the documented sky was not the one chosen
    bool Answered = false;  // the precise sky gave positions; else its name says why
    PreciseSettings Settings = kDocumentedDefinitions;  // what the precise sky used
    std::string PreciseSkyName;
    std::array<std::string, kGrahaCount> PrecisePositionTexts{};
    std::array<double, kGrahaCount> PreciseLongitudes{};
    std::array<bool, kGrahaCount> PreciseRetrograde{};  // all false without WithMotion
    double PreciseLagna = std::numeric_limits<double>::quiet_NaN();  // NaN: no Lagna
    std::vector<SkyDifference> Differences;  // graha by graha; empty when they agree
    // Every sentence the check speaks, in the order shown: the Lagna's sign
    // first (it moves every house), the grahas', then the Moon's nakshatra
    // (it names the lord of the first dasha). Empty when the readings agree.
    std::vector<std::string> Sentences;
};

// Compares the reading of a calculated documented chart with the same birth
// in the precise sky of the documented definitions. `check` is overwritten
// but for WithMotion; its vectors keep their storage.
void RunSkyCheck(const ChartState& documented, SkyCheck& check);

// Where the precise sky puts a graha (Sun to Saturn, sidereal degrees) at
// the instant its documented engine took, as the documented chart tells:
// the Moon where the chart has it; a planet ahead of it by the general
// precession since J2000, which the planet theory's longitudes trail by.
// How far the precise sky lies from it is measured by
// bench/accuracy --engine-instants.
[[nodiscard]] double DocumentedEstimate(const ChartState& documented, int graha,
                                        const DocumentedInstants& instants);

// Which of Sun to Saturn (bit 0 the Sun, in graha order) the precise sky
// could put in another sign, dignity or, for the Moon, nakshatra than the
// calculated documented chart does: those whose estimate lies within its
// largest error, and the motion over the time their engine's instant
// misses the birth's, of a place where one changes.
[[nodiscard]] unsigned GrahasThatCouldDiffer(const ChartState& documented);

// The differences of two calculated charts, graha by graha; a graha the
// precise chart has no text for is passed over.
void CompareReadings(const ChartState& documented, const ChartState& precise,
                     std::vector<SkyDifference>& differences);

// The graha differences and every sentence of two calculated charts: the
// Lagna's sign and the Moon's nakshatra are compared where both skies have
// them.
void CompareSkies(const ChartState& documented, const ChartState& precise, SkyCheck& check);

// What a reader of any output must know beside the positions: "Sky: " and
// the name of the sky that made them, then, for a documented chart that was
// checked, "Sky check: " and why the precise sky could not be calculated, or
// each sentence the check speaks. `check` may be null.
[[nodiscard]] std::vector<std::string> SkyLines(const ChartState& chart, const SkyCheck* check);

// Full English name of a sign from its three-letter code; the code itself
// when it is none.
[[nodiscard]] std::string SignName(std::string_view code);

}  // namespace tavrinel
