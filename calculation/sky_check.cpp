#include "calculation/sky_check.h"

#include <cmath>
#include <utility>

#include "chart_picture/nakshatra.h"
#include "ephemeris/angles.h"
#include "ephemeris/documented_sky.h"
#include "ephemeris/precise_sky.h"

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

// How far the precise sky's longitudes lie from DocumentedEstimate's at
// the engine's instant, at most, in arc-minutes, Sun to Saturn: the largest
// difference over 1,000,000 random births from 1901 to 2050
// (bench/accuracy --engine-instants), and a fifth more.
constexpr std::array<double, 7> kLargestEstimateErrorArcmin = {
    1.2, 3.5, 1.8, 1.9, 6.9, 12.7, 14.3};
// The fastest each moves across the sky, degrees a day, geocentric, rounded
// up: what an engine's instant a few hours off the birth's can add.
constexpr std::array<double, 7> kFastestDegreesPerDay = {1.05, 15.5, 2.25, 1.3, 0.85, 0.26, 0.14};
// General precession in longitude, IAU 2006 (Capitaine, Wallace and
// Chapront 2003), arc-seconds per Julian century from J2000.
constexpr double kPrecessionArcsecPerCentury = 5028.796195;
constexpr double kJ2000 = 2451545;
constexpr double kDaysPerCentury = 36525;
constexpr double kArcsecPerDegree = 3600;
// Beyond those: the texts are cut to whole arc-minutes, and the engines'
// ayanamsa, too, is worked out at their own instant (under 0.2" a day).
constexpr double kTextMarginArcmin = 1.5;
constexpr double kArcminPerDegree = 60;

// Sign and dignity at a whole degree of the zodiac, counted from 0 Aries
// and taken round the circle.
std::pair<int, Dignity> PlacementAt(int graha, int degree) {
    const int d = ((degree % 360) + 360) % 360;
    return {d / 30, ClassifyDignity(graha, d / 30, d % 30)};
}

// 0 Aries .. 11 Pisces of a three-letter sign code; -1 for none.
int SignIndexOf(std::string_view code) {
    const std::string_view codes = kSignAbbreviations;
    for (std::size_t sign = 0; sign < kSignNames.size(); ++sign) {
        if (codes.substr(3 * sign, 3) == code) {
            return static_cast<int>(sign);
        }
    }
    return -1;
}

// Whether a graha the precise sky puts within `bound` of `estimate` could be
// placed otherwise than the documented reading places it (`placed`: its
// sign and dignity), or, for the Moon, in another nakshatra than its
// documented longitude's.
bool CouldDiffer(int graha, std::pair<int, Dignity> placed, double longitude, double estimate,
                 double bound) {
    constexpr double kNakshatraDegrees = 360.0 / 27;
    if (placed.first < 0 || !std::isfinite(longitude) || !std::isfinite(estimate) ||
        2 * bound >= kNakshatraDegrees) {
        return true;
    }
    const int last = static_cast<int>(std::floor(estimate + bound));
    for (int degree = static_cast<int>(std::floor(estimate - bound)); degree <= last; ++degree) {
        if (PlacementAt(graha, degree) != placed) {
            return true;
        }
    }
    const int nakshatra = NakshatraIndex(longitude);
    return graha == kMoon && (NakshatraIndex(ReduceDegrees(estimate - bound)) != nakshatra ||
                              NakshatraIndex(ReduceDegrees(estimate + bound)) != nakshatra);
}

}  // namespace

double DocumentedEstimate(const ChartState& documented, int graha,
                          const DocumentedInstants& instants) {
    const double longitude = documented.GrahaLongitudes[graha];
    if (graha == kMoon) {
        return longitude;
    }
    const double centuries = (instants.Planets - kJ2000) / kDaysPerCentury;
    return ReduceDegrees(longitude + kPrecessionArcsecPerCentury * centuries / kArcsecPerDegree);
}

unsigned GrahasThatCouldDiffer(const ChartState& documented) {
    const double birth = PreciseJulianDayUt(documented);
    const DocumentedInstants instants = DocumentedInstantsOf(documented);
    // What the check compares the precise sky with: the reading's own signs
    // and dignities.
    const DignityAnalysis reading = ClassifyGrahas(documented);
    unsigned grahas = 0;
    for (int g = kSun; g <= kSaturn; ++g) {
        const auto i = static_cast<std::size_t>(g);
        const double missedDays = std::fabs((g == kMoon ? instants.Moon : instants.Planets) - birth);
        const double bound = (kLargestEstimateErrorArcmin[i] + kTextMarginArcmin) / kArcminPerDegree +
                             kFastestDegreesPerDay[i] * missedDays;
        const std::pair<int, Dignity> placed = {
            SignIndexOf(SignCode(documented.PlanetPositionTexts[g])), reading.Dignities[g]};
        if (CouldDiffer(g, placed, documented.GrahaLongitudes[g],
                        DocumentedEstimate(documented, g, instants), bound)) {
            grahas |= 1U << g;
        }
    }
    return grahas;
}

std::string SignName(std::string_view code) {
    const int sign = SignIndexOf(code);
    return sign < 0 ? std::string(code) : std::string(kSignNames[static_cast<std::size_t>(sign)]);
}

void CompareReadings(const ChartState& documented, const ChartState& precise,
                     std::vector<SkyDifference>& differences) {
    differences.clear();
    const DignityAnalysis before = ClassifyGrahas(documented);
    const DignityAnalysis after = ClassifyGrahas(precise);
    for (int g = 0; g < kGrahaCount; ++g) {
        const std::string& oldText = documented.PlanetPositionTexts[g];
        const std::string& newText = precise.PlanetPositionTexts[g];
        if (newText.empty() ||
            (SignCode(oldText) == SignCode(newText) && before.Dignities[g] == after.Dignities[g])) {
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
    ChartState precise = PreciseBirthOf(documented);

    check.Ran = true;
    check.Settings = kDocumentedDefinitions;
    const bool ok =
        check.OnlyWhatCouldDiffer
            ? ComputePreciseSkyPositions(precise, check.Settings, GrahasThatCouldDiffer(documented))
        : check.WithMotion ? ComputePreciseSky(precise, check.Settings)
                           : ComputePreciseSkyPositions(precise, check.Settings);
    check.Answered = ok;
    check.PreciseSkyName = precise.SkyName;
    check.PrecisePositionTexts = precise.PlanetPositionTexts;
    check.PreciseLongitudes = precise.GrahaLongitudes;
    if (check.WithMotion && !check.OnlyWhatCouldDiffer) {
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
    if (!check->Answered) {
        lines.push_back("Sky check: " + check->PreciseSkyName);
    }
    lines.insert(lines.end(), check->Sentences.begin(), check->Sentences.end());
    return lines;
}

}  // namespace tavrinel
