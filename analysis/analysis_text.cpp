#include "analysis/analysis_text.h"

#include <cmath>
#include <cstdio>

#include "chart_picture/nakshatra.h"

namespace tavrinel {

namespace {

constexpr int kVargasPerBlock = 8;
constexpr int kNameWidth = 8;
constexpr int kCellWidth = 7;

// Which dignity a period's lord carries: the text, the window and the exports
// say it alike.
constexpr std::string_view kDashaDignityNote = "A lord's dignity is its dignity in the birth chart.";

std::string Padded(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) {
        out.append(width - out.size(), ' ');
    }
    return out;
}

std::string Trimmed(std::string line) {
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line + '\n';
}

std::string_view PointName(int point) {
    return point == kLagnaPoint ? std::string_view("Lagna") : GrahaEnglishName(point);
}

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string ZoneClockText(const ChartState& chart) {
    return "UT" + ZoneOffsetText(ZoneShiftHoursOf(chart));
}

std::string RightAligned(std::string_view text, std::size_t width) {
    std::string out;
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
    return out.append(text);
}

std::string FigureText(double value) {
    return Fixed(StrengthFigure(value), 2);
}

constexpr std::size_t kStrengthNameWidth = 9;
constexpr std::size_t kBinduWidth = 4;

std::string ShadbalaText(const std::array<GrahaShadbala, kStrengthGrahaCount>& bala,
                         const StrengthLords& lords) {
    const struct {
        std::string_view Heading;
        std::size_t Width;
    } kColumns[] = {{"Sthana", 8},  {"Dig", 7},         {"Kala", 8},
                    {"Cheshta", 8}, {"Naisargika", 11}, {"Drik", 8},
                    {"Rupas", 7},   {"Required", 9},    {"Ratio", 7}};
    std::size_t strongest = 0;
    for (std::size_t g = 1; g < bala.size(); ++g) {
        if (bala[g].Ratio > bala[strongest].Ratio) {
            strongest = g;
        }
    }
    std::string text =
        "Shadbala in virupas, 60 to the rupa; * the strongest for its need (the greatest ratio).\n";
    std::string heading = Padded("Graha", kStrengthNameWidth);
    for (const auto& column : kColumns) {
        heading += RightAligned(column.Heading, column.Width);
    }
    text += Trimmed(heading);
    for (std::size_t g = 0; g < bala.size(); ++g) {
        const GrahaShadbala& b = bala[g];
        const double figures[] = {b.Sthana.Total, b.Dig,   b.Kala.Total,    b.Cheshta, b.Naisargika,
                                  b.Drik,         b.Rupas, b.RequiredRupas, b.Ratio};
        std::string line = Padded(StrengthGrahaName(static_cast<Graha>(g)), kStrengthNameWidth);
        for (std::size_t c = 0; c < std::size(figures); ++c) {
            line += RightAligned(FigureText(figures[c]), kColumns[c].Width);
        }
        text += Trimmed(line + (g == strongest ? " *" : ""));
    }
    return text + "Lords of the year, month, weekday and hora: " +
           std::string(StrengthGrahaName(lords.Year)) + ", " +
           std::string(StrengthGrahaName(lords.Month)) + ", " +
           std::string(StrengthGrahaName(lords.Weekday)) + ", " +
           std::string(StrengthGrahaName(lords.Hora)) + ".\n";
}

std::string AshtakavargaText(const AshtakavargaTable& table) {
    std::string text =
        "Ashtakavarga: each row's bindus by sign; Sarva adds the seven grahas' rows.\n";
    std::string heading = Padded("", kStrengthNameWidth);
    for (int sign = 0; sign < kSignCount; ++sign) {
        heading +=
            RightAligned(std::string_view(kSignAbbreviations).substr(3 * sign, 3), kBinduWidth);
    }
    text += heading + "  Total\n";
    const auto row = [&text](std::string_view name, const std::array<int, kSignCount>& bindus) {
        std::string line = Padded(name, kStrengthNameWidth);
        int total = 0;
        for (const int count : bindus) {
            line += RightAligned(std::to_string(count), kBinduWidth);
            total += count;
        }
        text += line + RightAligned(std::to_string(total), 7) + "\n";
    };
    for (int r = 0; r < kAshtakavargaRows; ++r) {
        row(r == kAshtakavargaLagna ? std::string_view("Lagna")
                                    : StrengthGrahaName(static_cast<Graha>(r)),
            table.Bhinna[static_cast<std::size_t>(r)]);
    }
    row("Sarva", table.Sarva);
    return text;
}

}  // namespace

std::string DashaSummaryText(const VimshottariDasha& dasha, const ChartState& chart,
                             std::string_view skyNote) {
    const PositionRow moon = MakePositionRow("Mo", "Moon", dasha.MoonLongitude);
    return "Vimshottari dasha from the Moon at " + moon.PositionText + " in " +
           std::string(kNakshatraNames[static_cast<std::size_t>(moon.Nakshatra)]) + " " +
           std::string(skyNote) + ".\nBalance at birth: " +
           std::string(GrahaEnglishName(dasha.BirthLord)) + ", " + Fixed(dasha.BalanceYears, 5) +
           " years.\nYears: " + std::string(DashaYearOf(dasha.Year).Name) +
           ".\nDates on the birth zone's clock, " + ZoneClockText(chart) +
           ", rounded up to the minute.\n" + std::string(kDashaDignityNote);
}

std::string RunningLordsText(const VimshottariDasha& dasha,
                             const std::vector<std::size_t>& running) {
    std::string text;
    for (std::size_t level = 0; level < running.size(); ++level) {
        text += (level ? " / " : "") +
                std::string(GrahaEnglishName(dasha.Levels[level][running[level]].Lord));
    }
    return text;
}

std::string VargaTableText(const VargaTable& table, std::string_view skyNote) {
    std::string text =
        "Vargas " + std::string(skyNote) +
        ".\nA cell gives the sign, then E exaltation, M moolatrikona, O own sign, D "
        "debilitation;\nfor a peregrine planet ++ a great friend's sign, + a friend's, = a "
        "neutral's,\n- an enemy's, -- a great enemy's (natural and temporal friendship, the "
        "temporal\nfrom the rasi chart); * vargottama.\n";
    for (int first = 0; first < kVargaCount; first += kVargasPerBlock) {
        std::string heading = "\n" + Padded("", kNameWidth);
        for (int v = first; v < first + kVargasPerBlock; ++v) {
            heading += Padded(VargaKey(v), kCellWidth);
        }
        text += Trimmed(heading);
        for (int point = 0; point < kVargaPoints; ++point) {
            std::string line = Padded(PointName(point), kNameWidth);
            for (int v = first; v < first + kVargasPerBlock; ++v) {
                const std::string cell = VargaCellText(table, point, v, true);
                line += Padded(cell.empty() ? "-" : cell, kCellWidth);
            }
            text += Trimmed(line);
        }
    }
    return text + "\n";
}

std::string DashaText(const ChartAnalysis& analysis, const ChartState& chart) {
    if (!analysis.Dasha) {
        if (analysis.Precise && !analysis.Precise->Ok) {
            return "Vimshottari dasha: none " + PreciseSkyNote(analysis) + ".\n\n";
        }
        return "Vimshottari dasha: none, the chart has no Moon to count from.\n\n";
    }
    const VimshottariDasha& dasha = *analysis.Dasha;
    const double shift = ZoneShiftHoursOf(chart);
    const auto civil = [shift](double ut) { return CivilText(ut, shift); };
    std::string text = DashaSummaryText(dasha, chart, PreciseSkyNote(analysis)) + "\n\n";
    text += Trimmed(Padded("Mahadasha", 11) + Padded("Antardasha", 12) + Padded("Dignity", 14) +
                    Padded("Start", 18) + "End");
    for (std::size_t m = 0; m < dasha.Levels[0].size(); ++m) {
        const auto row = [&](const DashaPeriod& period, bool sub) {
            const std::string lord(GrahaEnglishName(period.Lord));
            text += Trimmed(Padded(sub ? "" : lord, 11) + Padded(sub ? lord : "", 12) +
                            Padded(DignityTerm(period.LordDignity), 14) +
                            Padded(civil(period.StartUt), 18) + civil(period.EndUt));
        };
        row(dasha.Levels[0][m], false);
        for (const DashaPeriod& antar : dasha.SubPeriods(0, m)) {
            row(antar, true);
        }
    }
    const std::string on = civil(analysis.OnUt) + " (" + ZoneClockText(chart) + ")";
    if (analysis.Running.empty()) {
        text += "\nNo period runs on " + on + ".\n\n";
    } else {
        static constexpr std::array<std::string_view, kDashaLevels> kLevelWords = {
            "maha", "antar", "pratyantar", "sookshma", "prana"};
        std::string levels;
        for (std::size_t level = 0; level < analysis.Running.size(); ++level) {
            levels += (level ? " / " : "") + std::string(kLevelWords[level]);
        }
        text += "\nRunning on " + on + ": " + RunningLordsText(dasha, analysis.Running) + " (" +
                levels + ")\n\n";
    }
    return text;
}

std::string TransitsText(const ChartAnalysis& analysis, const ChartState& chart) {
    const std::string on = CivilText(CivilFromJulianDay(analysis.OnUt, ZoneShiftHoursOf(chart))) +
                           " (" + ZoneClockText(chart) + ")";
    if (!analysis.Transits || !analysis.Transits->Ok) {
        return "Transits on " + on + ": none (" +
               (analysis.Transits ? analysis.Transits->SkyName : std::string("not calculated")) +
               ").\n\n";
    }
    const TransitTable& table = *analysis.Transits;
    std::string text = "Transits on " + on + " " + PreciseSkyNote(analysis) + ":\n";
    text += Trimmed(Padded("Graha", 9) + Padded("Position", 13) + Padded("Dignity", 14) +
                    Padded("From Lagna", 12) + "From Moon");
    for (std::size_t g = 0; g < kGrahaCount; ++g) {
        text += Trimmed(
            Padded(GrahaEnglishName(static_cast<int>(g)), 9) +
            Padded(table.PositionTexts[g] + (table.Retrograde[g] ? " R" : ""), 13) +
            Padded(DignityTerm(table.Dignities[g]), 14) +
            Padded(table.SignFromLagna[g] > 0 ? std::to_string(table.SignFromLagna[g]) : "-", 12) +
            std::to_string(table.SignFromMoon[g]));
    }
    text += "Sade Sati: " + std::string(SadeSatiName(table.SadeSatiPhase)) + " (Saturn in sign " +
            std::to_string(table.SignFromMoon[kSaturn]) + " from the natal Moon).\n\n";
    return text;
}

double StrengthFigure(double value) {
    return std::copysign(std::floor(std::fabs(value) * 100 + 0.5) / 100, value);
}

std::string StrengthText(const ChartAnalysis& analysis) {
    if (!analysis.Strength || !analysis.StrengthFrom) {
        return "Strength: none (" + analysis.StrengthError + ").\n\n";
    }
    const StrengthAnalysis& strength = *analysis.Strength;
    std::string text = "Strength " + PreciseSkyNote(analysis) + ".\n\n";
    std::vector<std::string> sentences = StrengthSentences(strength, *analysis.StrengthFrom);
    if (strength.Shadbala && strength.Lords) {
        text += ShadbalaText(*strength.Shadbala, *strength.Lords);
    } else {
        // The first sentence says why there is no Shadbala; it stands in
        // the table's place.
        text += (sentences.empty() ? strength.NoShadbalaReason : sentences.front()) + "\n";
        if (!sentences.empty()) {
            sentences.erase(sentences.begin());
        }
    }
    text += "\n" + AshtakavargaText(strength.Ashtakavarga) + "\nCompanions of dignity:\n";
    for (const std::string& sentence : sentences) {
        text += sentence + "\n";
    }
    return text + "\n";
}

std::string AnalysisSectionsText(const ChartAnalysis& analysis, const ChartState& chart) {
    std::string text;
    if (analysis.Vargas) {
        text += VargaTableText(*analysis.Vargas, PreciseSkyNote(analysis));
    }
    if (analysis.DashaAsked) {
        text += DashaText(analysis, chart);
    }
    if (analysis.Transits) {
        text += TransitsText(analysis, chart);
    }
    if (analysis.Strength || !analysis.StrengthError.empty()) {
        text += StrengthText(analysis);
    }
    if (!text.empty()) {
        text.pop_back();  // the last section's blank line ends the whole
    }
    return text;
}

}  // namespace tavrinel
