// The companions of dignity in plain sentences, one finding each.
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "chart/relationships.h"
#include "strength/strength.h"
#include "strength/strength_tables.h"

namespace tavrinel {

namespace {

using namespace strength_tables;

constexpr double kSignDegrees = 30;

int SignOf(double longitude) {
    if (!std::isfinite(longitude)) {
        return 0;
    }
    const int sign = static_cast<int>(std::floor(longitude / kSignDegrees));
    return ((sign % kSignCount) + kSignCount) % kSignCount;
}

bool InKendraFrom(int sign, int from) {
    const int house = ((sign - from) % kSignCount + kSignCount) % kSignCount + 1;
    return (kKendraHouses >> (house - 1) & 1U) != 0;
}

// Two decimals, halves away from zero.
std::string Fixed(double value) {
    const double rounded = std::copysign(std::floor(std::fabs(value) * 100 + 0.5) / 100, value);
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.2f", rounded);
    return text.data();
}

// A whole number of degrees without decimals, any other with two.
std::string Degrees(double value) {
    if (value == std::floor(value)) {
        return std::to_string(static_cast<long>(value)) + "°";
    }
    return Fixed(value) + "°";
}

// "the Sun", "the Moon", "Mars": as it stands inside a sentence.
std::string Named(Graha graha) {
    const std::string name(StrengthGrahaName(graha));
    return graha == kSun || graha == kMoon ? "the " + name : name;
}

std::string Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
    return text;
}

std::string Ordinal(int n) {
    const int lastTwo = n % 100;
    const int last = n % 10;
    const char* suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        suffix = last == 1 ? "st" : last == 2 ? "nd" : last == 3 ? "rd" : "th";
    }
    return std::to_string(n) + suffix;
}

// "from the Lagna", "from the Moon", "from the Lagna and the Moon".
std::string KendraFrom(int sign, const StrengthInputs& in) {
    const bool fromLagna = InKendraFrom(sign, SignOf(in.Lagna));
    const bool fromMoon = InKendraFrom(sign, SignOf(in.Longitudes[kMoon]));
    if (fromLagna && fromMoon) {
        return "from the Lagna and the Moon";
    }
    return fromLagna ? "from the Lagna" : "from the Moon";
}

std::string JoinedWithAnd(const std::vector<std::string>& parts) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            text += i + 1 == parts.size() ? " and " : ", ";
        }
        text += parts[i];
    }
    return text;
}

std::string NeechaBhangaSentence(const NeechaBhanga& entry, const StrengthInputs& in) {
    const Graha g = entry.Planet;
    const int sign = SignOf(in.Longitudes[g]);
    const Graha dispositor = SignLord(sign);
    const int exaltation = kDignities[g].ExaltationSign;
    const Graha exaltationLord = SignLord(exaltation);
    std::vector<std::string> reasons;
    const auto holds = [&](NeechaBhangaCondition c) { return entry.Conditions[static_cast<int>(c)]; };
    if (holds(NeechaBhangaCondition::DispositorInKendra)) {
        reasons.push_back("its dispositor " + Named(dispositor) + " is in a kendra " +
                          KendraFrom(SignOf(in.Longitudes[dispositor]), in));
    }
    if (holds(NeechaBhangaCondition::ExaltationLordInKendra)) {
        reasons.push_back("the lord of its exaltation sign, " + Named(exaltationLord) +
                          ", is in a kendra " + KendraFrom(SignOf(in.Longitudes[exaltationLord]), in));
    }
    if (holds(NeechaBhangaCondition::ExaltedGrahaInKendra)) {
        for (int x = 0; x < kStrengthGrahaCount; ++x) {
            const int xSign = SignOf(in.Longitudes[x]);
            if (kDignities[x].ExaltationSign == sign &&
                (InKendraFrom(xSign, SignOf(in.Lagna)) ||
                 InKendraFrom(xSign, SignOf(in.Longitudes[kMoon])))) {
                reasons.push_back(Named(static_cast<Graha>(x)) + ", exalted in " +
                                  std::string(kSignNames[sign]) + ", is in a kendra " +
                                  KendraFrom(xSign, in));
            }
        }
    }
    if (holds(NeechaBhangaCondition::DispositorJoinsOrAspects)) {
        const bool joins = SignOf(in.Longitudes[dispositor]) == sign;
        reasons.push_back("its dispositor " + Named(dispositor) +
                          (joins ? " is in the same sign" : " aspects its sign"));
    }
    if (holds(NeechaBhangaCondition::ExaltedInNavamsa)) {
        reasons.push_back("it is in its exaltation sign in the navamsa");
    }
    const std::string who = Capitalised(Named(g));
    if (!entry.Cancelled) {
        return who + " is debilitated in " + std::string(kSignNames[sign]) +
               ", and nothing cancels it.";
    }
    std::string joined;
    for (const std::string& reason : reasons) {
        joined += (joined.empty() ? "" : "; ") + reason;
    }
    return who + "'s debilitation is cancelled: " + joined + ".";
}

struct AvasthaWords {
    std::string_view Gloss;
    std::string_view Reason;  // empty where the sentence names the cause
};
constexpr std::array<AvasthaWords, 9> kAvasthaWords = {{
    {"blazing", "in its exaltation sign"},
    {"at ease", "in its own sign"},
    {"delighted", "in a great friend's sign"},
    {"calm", "in a friend's sign"},
    {"humble", "in a neutral's sign"},
    {"crippled", ""},
    {"distressed", "in an enemy's sign"},
    {"mischievous", "in a great enemy's sign"},
    {"angry", "combust"},
}};

std::string AvasthaSentence(int g, Avastha avastha, const StrengthInputs& in) {
    const AvasthaWords& words = kAvasthaWords[static_cast<std::size_t>(avastha)];
    std::string reason(words.Reason);
    if (avastha == Avastha::Vikala) {
        std::vector<std::string> malefics;
        for (const Graha m : kNaturalMalefics) {
            if (m != g && SignOf(in.Longitudes[m]) == SignOf(in.Longitudes[g])) {
                malefics.push_back(Named(m));
            }
        }
        reason = "in the same sign as " + JoinedWithAnd(malefics);
    }
    return Capitalised(Named(static_cast<Graha>(g))) + " is " + std::string(AvasthaName(avastha)) +
           " (" + std::string(words.Gloss) + "): " + reason + ".";
}

}  // namespace

std::vector<std::string> StrengthSentences(const StrengthAnalysis& analysis,
                                           const StrengthInputs& in) {
    std::vector<std::string> sentences;
    if (!analysis.Shadbala) {
        sentences.push_back(analysis.NoShadbalaReason);
    }
    for (int g = kMoon; g < kStrengthGrahaCount; ++g) {
        const Combustion& c = analysis.Combust[g];
        if (c.Combust) {
            sentences.push_back(Capitalised(Named(static_cast<Graha>(g))) + " is combust: " +
                                Fixed(c.DistanceFromSun) + "° from the Sun, within its " +
                                Degrees(c.Orb) + " orb.");
        }
    }
    for (const PlanetaryWar& war : analysis.PlanetaryWars) {
        sentences.push_back(Named(war.Grahas[0]) + " and " + Named(war.Grahas[1]) +
                            " are at war, " + Fixed(war.Separation) + "° apart: " +
                            Named(war.Winner) + ", the more northern, wins.");
    }
    for (const NeechaBhanga& entry : analysis.NeechaBhangas) {
        sentences.push_back(NeechaBhangaSentence(entry, in));
    }
    for (const MahapurushaYoga& yoga : analysis.Mahapurusha) {
        sentences.push_back(std::string(yoga.Yoga) + " yoga: " + Named(yoga.Planet) + " in its " +
                            (yoga.Exalted ? "exaltation" : "own") + " sign in the " +
                            Ordinal(yoga.House) + " house.");
    }
    for (int g = 0; g < kStrengthGrahaCount; ++g) {
        sentences.push_back(AvasthaSentence(g, analysis.Avasthas[g], in));
    }
    return sentences;
}

}  // namespace tavrinel
