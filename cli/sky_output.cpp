#include "cli/sky_output.h"

#include "chart_picture/positions_table.h"
#include "cli/json_writer.h"
#include "cli/terminal_text.h"
#include "ephemeris/position_text.h"
#include "reading/dignity_reading.h"

namespace tavrinel::cli {

namespace {

constexpr std::string_view kSkyAccepts = "accepts documented or precise";
constexpr std::string_view kAyanamsaAccepts = "accepts lahiri, raman or krishnamurti";
constexpr std::string_view kNodeAccepts = "accepts mean or true";

}  // namespace

Parsed<SkyEngine> ParseSkyKey(std::string_view text) {
    if (const auto engine = ParseSkyEngine(LowerCase(text))) return *engine;
    return std::string(kSkyAccepts);
}

Parsed<Ayanamsa> ParseAyanamsaKey(std::string_view text) {
    if (const auto ayanamsa = ParseAyanamsa(LowerCase(text))) return *ayanamsa;
    return std::string(kAyanamsaAccepts);
}

Parsed<NodeKind> ParseNodeKey(std::string_view text) {
    if (const auto node = ParseNode(LowerCase(text))) return *node;
    return std::string(kNodeAccepts);
}

Parsed<SkyChoice> ParseSkyOptions(std::string_view sky, std::string_view ayanamsa,
                                  std::string_view node) {
    SkyChoice choice;
    const auto engine = ParseSkyEngine(LowerCase(sky));
    if (!engine) return "--sky: " + std::string(kSkyAccepts);
    const auto zodiac = ParseAyanamsa(LowerCase(ayanamsa));
    if (!zodiac) return "--ayanamsa: " + std::string(kAyanamsaAccepts);
    const auto kind = ParseNode(LowerCase(node));
    if (!kind) return "--node: " + std::string(kNodeAccepts);
    choice.Engine = *engine;
    choice.Precise = {*zodiac, *kind};
    return choice;
}

std::string SkyNameOf(const ChartState& chart) {
    return chart.SkyName.empty() ? std::string(kDocumentedSkyName) : chart.SkyName;
}

void AppendSkyJson(JsonWriter& json, const ChartState& chart, const SkyOutput& sky) {
    json.Field("Sky", SkyEngineKey(sky.Choice.Engine));
    json.Field("Ayanamsa", AyanamsaKey(sky.Choice.Precise.Zodiac));
    json.Field("Node", NodeKey(sky.Choice.Precise.Node));
    json.Field("SkyName", SkyNameOf(chart));
    // The Lagna, with either sky, is among the picture fields.
    if (sky.Choice.Engine == SkyEngine::Precise || !sky.Check || !sky.Check->Ran) {
        return;
    }
    json.Key("SkyCheck");
    json.BeginObject();
    json.Field("PreciseSkyName", sky.Check->PreciseSkyName);
    json.Field("Ayanamsa", AyanamsaKey(sky.Check->Settings.Zodiac));
    json.Field("Node", NodeKey(sky.Check->Settings.Node));
    json.BeginArray("PrecisePositionTexts");
    // Empty where the check needed no precise position (a batch's).
    for (const std::string& text : sky.Check->PrecisePositionTexts) {
        if (text.empty()) {
            json.RawElement("null");
        } else {
            json.Element(text);
        }
    }
    json.EndArray();
    const PositionRow lagna = MakePositionRow(kLagnaAbbreviation, "Lagna", sky.Check->PreciseLagna);
    json.FieldOrNull("PreciseLagna", lagna.Known ? std::optional<std::string_view>(lagna.PositionText)
                                                 : std::nullopt);
    json.BeginArray("Differences");
    for (const SkyDifference& difference : sky.Check->Differences) {
        json.BeginObject();
        json.Field("Graha", GrahaEnglishName(difference.Graha));
        json.Field("Documented", difference.DocumentedText);
        json.Field("Precise", difference.PreciseText);
        json.Field("DocumentedDignity", DignityName(difference.DocumentedDignity));
        json.Field("PreciseDignity", DignityName(difference.PreciseDignity));
        json.Field("Sentence", difference.Sentence);
        json.EndObject();
    }
    json.EndArray();
    json.BeginArray("Sentences");
    for (const std::string& sentence : sky.Check->Sentences) {
        json.Element(sentence);
    }
    json.EndArray();
    json.EndObject();
}

SkyCheckTexts SkyCheckTextsOf(const SkyOutput& sky) {
    SkyCheckTexts texts;
    if (sky.Choice.Engine == SkyEngine::Precise || !sky.Check || !sky.Check->Ran) {
        return texts;
    }
    texts.PreciseSkyName = sky.Check->PreciseSkyName;
    for (const std::string& sentence : sky.Check->Sentences) {
        texts.Differences += (texts.Differences.empty() ? "" : "; ") + sentence;
    }
    return texts;
}

void PrintSkyText(std::ostream& out, const ChartState& chart, const SkyOutput& sky) {
    const SkyCheck* check = sky.Choice.Engine == SkyEngine::Precise ? nullptr : sky.Check;
    // The check's reason may name a file of the ephemeris folder, which the
    // environment chose.
    for (const std::string& line : SkyLines(chart, check)) {
        out << EscapedForMessage(line) << '\n';
    }
}

}  // namespace tavrinel::cli
