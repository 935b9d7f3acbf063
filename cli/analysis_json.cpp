#include "cli/analysis_json.h"

#include <limits>

#include "analysis/analysis_text.h"

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

void Figure(JsonWriter& json, std::string_view key, double value) {
    json.Number(key, StrengthFigure(value));
}

void Flag(JsonWriter& json, std::string_view key, bool value) {
    json.Literal(key, value ? "true" : "false");
}

std::string_view NameOf(int graha) {
    return StrengthGrahaName(static_cast<Graha>(graha));
}

void AppendShadbala(JsonWriter& json, const std::array<GrahaShadbala, kStrengthGrahaCount>& bala) {
    json.Key("Shadbala");
    json.BeginObject();
    for (int g = 0; g < kStrengthGrahaCount; ++g) {
        const GrahaShadbala& b = bala[static_cast<std::size_t>(g)];
        json.Key(NameOf(g));
        json.BeginObject();
        json.Key("Sthana");
        json.BeginObject();
        Figure(json, "Uccha", b.Sthana.Uccha);
        Figure(json, "Saptavargaja", b.Sthana.Saptavargaja);
        Figure(json, "Ojayugma", b.Sthana.Ojayugma);
        Figure(json, "Kendradi", b.Sthana.Kendradi);
        Figure(json, "Drekkana", b.Sthana.Drekkana);
        Figure(json, "Total", b.Sthana.Total);
        json.EndObject();
        Figure(json, "Dig", b.Dig);
        json.Key("Kala");
        json.BeginObject();
        Figure(json, "Nathonnata", b.Kala.Nathonnata);
        Figure(json, "Paksha", b.Kala.Paksha);
        Figure(json, "Tribhaga", b.Kala.Tribhaga);
        Figure(json, "Abda", b.Kala.Abda);
        Figure(json, "Masa", b.Kala.Masa);
        Figure(json, "Vara", b.Kala.Vara);
        Figure(json, "Hora", b.Kala.Hora);
        Figure(json, "Ayana", b.Kala.Ayana);
        Figure(json, "Yuddha", b.Kala.Yuddha);
        Figure(json, "Total", b.Kala.Total);
        json.EndObject();
        Figure(json, "Cheshta", b.Cheshta);
        Figure(json, "Naisargika", b.Naisargika);
        Figure(json, "Drik", b.Drik);
        Figure(json, "TotalVirupas", b.TotalVirupas);
        Figure(json, "Rupas", b.Rupas);
        Figure(json, "RequiredRupas", b.RequiredRupas);
        Figure(json, "Ratio", b.Ratio);
        json.EndObject();
    }
    json.EndObject();
}

void AppendAshtakavarga(JsonWriter& json, const AshtakavargaTable& table) {
    const auto row = [&json](std::string_view key, const std::array<int, kSignCount>& bindus) {
        json.BeginArray(key);
        for (const int count : bindus) {
            json.RawElement(std::to_string(count));
        }
        json.EndArray();
    };
    json.Key("Ashtakavarga");
    json.BeginObject();
    json.Key("Bhinna");
    json.BeginObject();
    for (int r = 0; r < kAshtakavargaRows; ++r) {
        row(r == kAshtakavargaLagna ? std::string_view("Lagna") : NameOf(r),
            table.Bhinna[static_cast<std::size_t>(r)]);
    }
    json.EndObject();
    row("Sarva", table.Sarva);
    json.EndObject();
}

// The companions of dignity: combustion, war, cancelled debilitation, the
// great-person yogas and the avasthas. They need no sunrise.
void AppendCompanions(JsonWriter& json, const StrengthAnalysis& strength) {
    json.Key("Combust");
    json.BeginObject();
    for (int g = kMoon; g < kStrengthGrahaCount; ++g) {
        const Combustion& c = strength.Combust[static_cast<std::size_t>(g)];
        json.Key(NameOf(g));
        json.BeginObject();
        Flag(json, "Combust", c.Combust);
        Figure(json, "DistanceFromSun", c.DistanceFromSun);
        Figure(json, "Orb", c.Orb);
        Flag(json, "Retrograde", c.Retrograde);
        json.EndObject();
    }
    json.EndObject();
    json.BeginArray("PlanetaryWar");
    for (const PlanetaryWar& war : strength.PlanetaryWars) {
        json.BeginObject();
        json.BeginArray("Grahas");
        json.Element(NameOf(war.Grahas[0]));
        json.Element(NameOf(war.Grahas[1]));
        json.EndArray();
        Figure(json, "Separation", war.Separation);
        json.Field("Winner", NameOf(war.Winner));
        json.Field("Loser", NameOf(war.Loser));
        if (war.YuddhaBala) {
            Figure(json, "YuddhaBala", *war.YuddhaBala);
        } else {
            json.Literal("YuddhaBala", "null");  // no Shadbala to weigh it with
        }
        json.EndObject();
    }
    json.EndArray();
    json.Key("NeechaBhanga");
    json.BeginObject();
    for (const NeechaBhanga& entry : strength.NeechaBhangas) {
        json.Key(NameOf(entry.Planet));
        json.BeginObject();
        json.Key("Conditions");
        json.BeginObject();
        for (int c = 0; c < kNeechaBhangaConditions; ++c) {
            Flag(json, NeechaBhangaKey(static_cast<NeechaBhangaCondition>(c)),
                 entry.Conditions[static_cast<std::size_t>(c)]);
        }
        json.EndObject();
        Flag(json, "Cancelled", entry.Cancelled);
        json.EndObject();
    }
    json.EndObject();
    json.BeginArray("Mahapurusha");
    for (const MahapurushaYoga& yoga : strength.Mahapurusha) {
        json.BeginObject();
        json.Field("Yoga", yoga.Yoga);
        json.Field("Graha", NameOf(yoga.Planet));
        json.Field("House", static_cast<long>(yoga.House));
        json.Field("Dignity", yoga.Exalted ? "Exaltation" : "Own");
        json.EndObject();
    }
    json.EndArray();
    json.Key("Avasthas");
    json.BeginObject();
    for (int g = 0; g < kStrengthGrahaCount; ++g) {
        json.Field(NameOf(g), AvasthaName(strength.Avasthas[static_cast<std::size_t>(g)]));
    }
    json.EndObject();
}

// Where the Sun does not rise or set there is no Shadbala and no lords of
// the day: both null, and "NoShadbala" says why; the rest stands.
void AppendStrength(JsonWriter& json, const ChartAnalysis& analysis) {
    const StrengthAnalysis& strength = *analysis.Strength;
    json.Key("Strength");
    json.BeginObject();
    AppendSkyField(json, analysis);
    if (strength.Shadbala && strength.Lords) {
        AppendShadbala(json, *strength.Shadbala);
        json.Key("Lords");
        json.BeginObject();
        json.Field("Year", NameOf(strength.Lords->Year));
        json.Field("Month", NameOf(strength.Lords->Month));
        json.Field("Weekday", NameOf(strength.Lords->Weekday));
        json.Field("Hora", NameOf(strength.Lords->Hora));
        json.EndObject();
    } else {
        json.Literal("Shadbala", "null");
        json.Literal("Lords", "null");
        json.Field("NoShadbala", strength.NoShadbalaReason);
    }
    AppendAshtakavarga(json, strength.Ashtakavarga);
    AppendCompanions(json, strength);
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
    if (analysis.Strength) {
        AppendStrength(json, analysis);
    }
}

}  // namespace tavrinel::cli
