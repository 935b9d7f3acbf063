#include "cli/analysis_json.h"

#include <limits>

namespace tavrinel::cli {

namespace {

std::string_view SignCode(int sign) {
    return std::string_view(kSignAbbreviations).substr(3 * static_cast<std::size_t>(sign), 3);
}

// Which sky the section was built on: "Swiss Ephemeris, Lahiri, mean node".
void AppendSkyField(JsonWriter& json, const ChartAnalysis& analysis) {
    json.Field("Sky", analysis.Precise ? std::string_view(analysis.Precise->Name) : "none");
}

void AppendVargas(JsonWriter& json, const ChartAnalysis& analysis) {
    const VargaTable& table = *analysis.Vargas;
    json.Key("Vargas");
    json.BeginObject();
    AppendSkyField(json, analysis);
    for (int v = 0; v < kVargaCount; ++v) {
        const auto i = static_cast<std::size_t>(v);
        json.Key(VargaKey(v));
        json.BeginObject();
        json.BeginArray("Signs");
        for (const std::int8_t sign : table.Signs[i]) {
            if (sign == kNoSign) {
                json.RawElement("null");
            } else {
                json.Element(SignCode(sign));
            }
        }
        json.EndArray();
        json.BeginArray("Dignities");
        for (const Dignity dignity : table.Dignities[i]) {
            json.Element(DignityName(dignity));
        }
        json.EndArray();
        json.BeginArray("Relationships");
        for (const Relationship relationship : table.Relationships[i]) {
            if (relationship == Relationship::None) {
                json.RawElement("null");
            } else {
                json.Element(RelationshipName(relationship));
            }
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndObject();
    json.BeginArray("Vargottama");
    for (const bool same : table.Vargottama) {
        json.RawElement(same ? "true" : "false");
    }
    json.EndArray();
}

// The periods of `level` from `first` on, `count` of them, each with its own
// nine below down to the last level kept.
void AppendPeriods(JsonWriter& json, const VimshottariDasha& dasha, std::size_t level,
                   std::size_t first, std::size_t count) {
    json.BeginArray("Periods");
    const std::vector<DashaPeriod>& periods = dasha.Levels[level];
    for (std::size_t i = first; i < first + count; ++i) {
        const DashaPeriod& period = periods[i];
        json.BeginObject();
        json.Field("Lord", GrahaEnglishName(period.Lord));
        json.Field("Start", IsoUtc(period.StartUt));
        json.Field("End", IsoUtc(period.EndUt));
        json.Field("Dignity", DignityName(period.LordDignity));
        if (level + 1 < dasha.Levels.size()) {
            AppendPeriods(json, dasha, level + 1, i * kVimshottariLords.size(),
                          kVimshottariLords.size());
        }
        json.EndObject();
    }
    json.EndArray();
}

void AppendDasha(JsonWriter& json, const ChartAnalysis& analysis) {
    if (!analysis.Dasha) {
        json.Literal("Dasha", "null");  // no Moon to count from
        return;
    }
    const VimshottariDasha& dasha = *analysis.Dasha;
    json.Key("Dasha");
    json.BeginObject();
    AppendSkyField(json, analysis);
    json.Field("System", "Vimshottari");
    json.Number("YearDays", dasha.YearDays);
    json.Field("BirthUT", IsoUtc(dasha.BirthUt));
    json.Number("MoonLongitude", dasha.MoonLongitude);
    json.Key("Balance");
    json.BeginObject();
    json.Field("Lord", GrahaEnglishName(dasha.BirthLord));
    json.Number("Years", dasha.BalanceYears);
    json.EndObject();
    AppendPeriods(json, dasha, 0, 0, dasha.Levels[0].size());
    json.Field("On", IsoUtc(analysis.OnUt));
    json.BeginArray("Running");
    for (std::size_t level = 0; level < analysis.Running.size(); ++level) {
        json.Element(GrahaEnglishName(dasha.Levels[level][analysis.Running[level]].Lord));
    }
    json.EndArray();
    json.EndObject();
}

void AppendTransits(JsonWriter& json, const ChartAnalysis& analysis) {
    const TransitTable& table = *analysis.Transits;
    json.Key("Transits");
    json.BeginObject();
    AppendSkyField(json, analysis);
    json.Field("On", IsoUtc(analysis.OnUt));
    json.BeginArray("PositionTexts");
    for (const std::string& text : table.PositionTexts) {
        json.Element(text);
    }
    json.EndArray();
    json.BeginArray("Dignities");
    for (const Dignity dignity : table.Dignities) {
        json.Element(DignityName(dignity));
    }
    json.EndArray();
    const auto numbers = [&json](std::string_view key, const std::array<int, kGrahaCount>& values) {
        json.BeginArray(key);
        for (const int value : values) {
            // 0 stands for a chart without a Lagna to count from.
            json.RawElement(value > 0 ? std::to_string(value) : "null");
        }
        json.EndArray();
    };
    numbers("SignFromLagna", table.SignFromLagna);
    numbers("SignFromMoon", table.SignFromMoon);
    json.Field("SadeSati", SadeSatiName(table.SadeSatiPhase));
    json.EndObject();
}

}  // namespace

void AppendAnalysisJson(JsonWriter& json, const ChartAnalysis& analysis) {
    if (analysis.Vargas) {
        AppendVargas(json, analysis);
    }
    if (analysis.DashaAsked) {
        AppendDasha(json, analysis);
    }
    if (analysis.Transits && analysis.Transits->Ok) {
        AppendTransits(json, analysis);
    }
}

}  // namespace tavrinel::cli
