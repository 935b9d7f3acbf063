// The command line's side of the sky choice: its options, and how a chart
// names its sky, its Lagna and the sky check in text and in JSON.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "calculation/sky_check.h"
#include "calculation/sky_choice.h"
#include "chart/chart_state.h"
#include "cli/cli_options.h"

namespace tavrinel::cli {

class JsonWriter;

// What a printed chart says about its sky: the choice it was calculated in
// and, for the documented sky, the check against the precise one.
struct SkyOutput {
    SkyChoice Choice;
    const SkyCheck* Check = nullptr;
};

// The three option texts as given ("documented", "lahiri", "mean" ..., in
// any case), or the message naming the option that is refused.
Parsed<SkyChoice> ParseSkyOptions(std::string_view sky, std::string_view ayanamsa,
                                  std::string_view node);

// One value of a batch line's "Sky", "Ayanamsa" or "Node" key (in any case,
// as the options take them), or the message.
Parsed<SkyEngine> ParseSkyKey(std::string_view text);
Parsed<Ayanamsa> ParseAyanamsaKey(std::string_view text);
Parsed<NodeKind> ParseNodeKey(std::string_view text);

// The sky's name as the chart gives it, the documented one when it has none.
std::string SkyNameOf(const ChartState& chart);

// The "Sky", "Ayanamsa", "Node", "SkyName" fields, and "SkyCheck" for the
// documented sky (the Lagna is among the picture fields, with either sky).
void AppendSkyJson(JsonWriter& json, const ChartState& chart, const SkyOutput& sky);

// The check as a batch's CSV gives it: the precise sky compared with (or
// why it could not be calculated), and every sentence of the check joined by
// "; ". Both empty when no check was made.
struct SkyCheckTexts {
    std::string PreciseSkyName;
    std::string Differences;
};
[[nodiscard]] SkyCheckTexts SkyCheckTextsOf(const SkyOutput& sky);

// The lines under the text table: the sky, and each sentence of the check
// (none when nothing differs).
void PrintSkyText(std::ostream& out, const ChartState& chart, const SkyOutput& sky);

}  // namespace tavrinel::cli
