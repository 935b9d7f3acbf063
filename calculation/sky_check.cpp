#include "calculation/sky_check.h"

#include <cmath>

#include "chart_picture/nakshatra.h"
#include "ephemeris/angles.h"
#include "ephemeris/documented_sky.h"

namespace tavrinel {

namespace {

// By Dignity: Own, Exaltation, Moolatrikona, Debilitation, Peregrine.
constexpr std::array<std::string_view, 5> kDignityPhrases = {
    "own sign", "exaltation", "moolatrikona", "debilitation", "no dignity"};

// Characters 4-6 of a short position text.
std::string_view SignCode(std::string_view text) {
    return text.size() >= 6 ? text.substr(3, 3) : std::string_view{};
}

std::string Placement(std::string_view text, Dignity dignity) {
    std::string result = SignName(SignCode(text));
    result += " (";
    result += kDignityPhrases[static_cast<std::size_t>(dignity)];
    result += ')';
    return result;
}

// 0 Aries .. 11 Pisces of a longitude known to be finite.
std::size_t SignOf(double longitude) {
    return static_cast<std::size_t>(ReduceDegrees(longitude) / 30) % kSignNames.size();
}

// "Rohini (birth dasha of Moon)": the Moon's nakshatra names the lord of
// the dasha running at birth.
std::string NakshatraPlacement(int nakshatra) {
    return std::string(kNakshatraNames[static_cast<std::size_t>(nakshatra)]) +
           " (birth dasha of " + std::string(GrahaEnglishName(NakshatraLord(nakshatra))) + ")";
}

}  // namespace

std::string SignName(std::string_view code) {
    const std::string_view codes = kSignAbbreviations;
    for (std::size_t sign = 0; sign < kSignNames.size(); ++sign) {
        if (codes.substr(3 * sign, 3) == code) {
            return std::string(kSignNames[sign]);
        }
    }
    return std::string(code);
}

void CompareReadings(const ChartState& documented, const ChartState& precise,
                     std::vector<SkyDifference>& differences) {
    differences.clear();
    const DignityAnalysis before = ClassifyGrahas(documented);
    const DignityAnalysis after = ClassifyGrahas(precise);
    for (int g = 0; g < kGrahaCount; ++g) {
        const std::string& oldText = documented.PlanetPositionTexts[g];
        const std::string& newText = precise.PlanetPositionTexts[g];
        if (SignCode(oldText) == SignCode(newText) && before.Dignities[g] == after.Dignities[g]) {
            continue;
        }
        SkyDifference difference;
        difference.Graha = g;
        difference.DocumentedText = oldText;
        difference.PreciseText = newText;
        difference.DocumentedDignity = before.Dignities[g];
        difference.PreciseDignity = after.Dignities[g];
        difference.Sentence = "With precise positions, ";
        difference.Sentence += GrahaEnglishName(g);
        difference.Sentence += " is in " + Placement(newText, after.Dignities[g]) + ", not " +
                               Placement(oldText, before.Dignities[g]) + ".";
        differences.push_back(std::move(difference));
    }
}

void CompareSkies(const ChartState& documented, const ChartState& precise, SkyCheck& check) {
    CompareReadings(documented, precise, check.Differences);
    check.Sentences.clear();
    const double lagnaBefore = documented.LagnaLongitude;
    const double lagnaAfter = precise.LagnaLongitude;
    if (std::isfinite(lagnaBefore) && std::isfinite(lagnaAfter) &&
        SignOf(lagnaBefore) != SignOf(lagnaAfter)) {
        check.Sentences.push_back("With precise positions, the Lagna is in " +
                                  std::string(kSignNames[SignOf(lagnaAfter)]) + ", not " +
                                  std::string(kSignNames[SignOf(lagnaBefore)]) + ".");
    }
    for (const SkyDifference& difference : check.Differences) {
        check.Sentences.push_back(difference.Sentence);
    }
    const int moonBefore = NakshatraIndex(documented.GrahaLongitudes[kMoon]);
    const int moonAfter = NakshatraIndex(precise.GrahaLongitudes[kMoon]);
    if (moonBefore >= 0 && moonAfter >= 0 && moonBefore != moonAfter) {
        check.Sentences.push_back("With precise positions, Moon is in " +
                                  NakshatraPlacement(moonAfter) + ", not " +
                                  NakshatraPlacement(moonBefore) + ".");
    }
}

void RunSkyCheck(const ChartState& documented, SkyCheck& check) {
    // Only the birth fields matter to the precise sky; the copy leaves the
    // documented chart exactly as its reading was built from it.
    ChartState precise;
    precise.BirthYear = documented.BirthYear;
    precise.BirthMonth = documented.BirthMonth;
    precise.BirthDay = documented.BirthDay;
    precise.BirthHour = documented.BirthHour;
    precise.BirthMinute = documented.BirthMinute;
    precise.ZoneShiftHours = documented.ZoneShiftHours;
    precise.ZoneShiftMinutes = documented.ZoneShiftMinutes;
    precise.DaylightSaving = documented.DaylightSaving;
    precise.LatDegrees = documented.LatDegrees;
    precise.LatMinutes = documented.LatMinutes;
    precise.LatDirection = documented.LatDirection;
    precise.LonDegrees = documented.LonDegrees;
    precise.LonMinutes = documented.LonMinutes;
    precise.LonDirection = documented.LonDirection;

    check.Ran = true;
    check.Settings = kDocumentedDefinitions;
    const bool ok = check.WithMotion ? ComputePreciseSky(precise, check.Settings)
                                     : ComputePreciseSkyPositions(precise, check.Settings);
    check.PreciseSkyName = precise.SkyName;
    check.PrecisePositionTexts = precise.PlanetPositionTexts;
    check.PreciseLongitudes = precise.GrahaLongitudes;
    if (check.WithMotion) {
        check.PreciseRetrograde = precise.GrahaRetrograde;
    } else {
        check.PreciseRetrograde.fill(false);
    }
    check.PreciseLagna = precise.LagnaLongitude;
    if (!ok) {
        // No sky to compare with: the name says why, and no difference is
        // claimed.
        check.Differences.clear();
        check.Sentences.clear();
        return;
    }
    CompareSkies(documented, precise, check);
}

std::vector<std::string> SkyLines(const ChartState& chart, const SkyCheck* check) {
    std::vector<std::string> lines = {
        "Sky: " + (chart.SkyName.empty() ? std::string(kDocumentedSkyName) : chart.SkyName)};
    if (check == nullptr || !check->Ran) {
        return lines;
    }
    // Without a precise sky there is nothing to compare: silence would read
    // as "nothing differs".
    if (check->PrecisePositionTexts[kSun].empty()) {
        lines.push_back("Sky check: " + check->PreciseSkyName);
    }
    lines.insert(lines.end(), check->Sentences.begin(), check->Sentences.end());
    return lines;
}

}  // namespace tavrinel
