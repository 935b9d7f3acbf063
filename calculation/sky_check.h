// The sky check: a documented chart calculated again in the precise sky, and
// every graha whose sign or dignity comes out differently. The documented
// reading is never touched; the check only says where it and the sky part.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "calculation/sky_choice.h"
#include "chart/chart_state.h"
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

struct SkyCheck {
    bool Ran = false;  // false when the documented sky was not the one chosen
    std::string PreciseSkyName;
    std::array<std::string, kGrahaCount> PrecisePositionTexts{};
    std::array<double, kGrahaCount> PreciseLongitudes{};
    std::array<bool, kGrahaCount> PreciseRetrograde{};
    double PreciseLagna = 0;
    std::vector<SkyDifference> Differences;  // empty when the two agree
};

// Compares the reading of a calculated documented chart with the same birth
// in the precise sky. `check` is overwritten; its vectors keep their storage.
void RunSkyCheck(const ChartState& documented, const PreciseSettings& settings, SkyCheck& check);

// The differences of two calculated charts, graha by graha.
void CompareReadings(const ChartState& documented, const ChartState& precise,
                     std::vector<SkyDifference>& differences);

// What a reader of any output must know beside the positions: "Sky: " and
// the name of the sky that made them, then, for a documented chart that was
// checked, "Sky check: " and why the precise sky could not be calculated, or
// one sentence for each graha read differently. `check` may be null.
[[nodiscard]] std::vector<std::string> SkyLines(const ChartState& chart, const SkyCheck* check);

// Full English name of a sign from its three-letter code; the code itself
// when it is none.
[[nodiscard]] std::string SignName(std::string_view code);

}  // namespace tavrinel
