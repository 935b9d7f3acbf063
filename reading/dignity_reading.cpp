#include "reading/dignity_reading.h"

#include <string>

namespace tavrinel {

namespace {

// Headings and meanings, by dignity (Own, Exaltation, Moolatrikona, Debilitation).
constexpr std::array<std::string_view, kCountedDignities> kDignityHeadings = {
    "Own Rashi",
    "Exaltation Rashi",
    "Moolatrikona",
    "Debilitation Rashi",
};

constexpr std::array<std::string_view, kCountedDignities> kDignityMeanings = {
    "A planet will be happy in this position. This is the most comfortable position for a planet.",
    "A planet will be happy in this position. This is a favorable and happy position for the planet.",
    "A planet will be happy in this position. This is a powerful and work oriented position for the planet. This is usually a masculine sign that gives more active energy to the planet.",
    "A planet will not be happy in this position. The planet will not like this position much.",
};

// One sentence per graha (Sun to Saturn) and dignity; the nodes have none.
constexpr std::array<std::array<std::string_view, kCountedDignities>, 7> kPlanetDignitySentences = {{
    { // Sun
        "You will be strong and fierce and known for your acts of bravery.",
        "You will be a leader, famous and dominating and have a lot of wealth.",
        "You will be healthy, wealthy, prosperous, wise and skillful.",
        "You may be humiliated by your own people.",
    },
    { // Moon
        "You will be virtuous, intelligent and attractive.",
        "You will love sweets, jewelery and clothes.",
        "You will love all forms of enjoyment. You will be a virtuous person and never hurt anyone.",
        "You may have some health problems and suffer in general.",
    },
    { // Mercury
        "You will be wise and knowledgeable and have good public speaking skills.",
        "You will have good public speaking skills. You will love your family. You will be intelligent and well-versed.",
        "You will be a happy and jovial person. You will also be successful and prosperous.",
        "You will have some fights with your relatives.",
    },
    { // Venus
        "You may be prosperous and earn from agriculture.",
        "You will be fond of fun and creative activities like music, art, dance and sports.",
        "You will prosperous and wealthy and famous.",
        "You may face some problems at work and you may not have martial happiness.",
    },
    { // Mars
        "You will be rich, impulsive but firm by nature.",
        "You may travel to different places. You will be bold, confident and generous.",
        "You will be adventurous and ready to take risks. You my be rude and arrogant.",
        "Your mind will be disturbed and you may be selfish and mean.",
    },
    { // Jupiter
        "You will be well learned in literature, rich and known for your deeds.",
        "You will be healthy, wealthy, prosperous, wise and skillful.",
        "You will be well known and helpful by nature. You will have a sound sense of justice.",
        "You may lose honor and be very dirty.",
    },
    { // Saturn
        "You will be happy, comfortable and honorable.",
        "You will have a position of authority.",
        "You belong to a rich and prosperous family known for its wealth and valor.",
        "Saturn:You will lose money and be blamed for many issues.",
    },
}};

// By how many grahas share the dignity (1 to 6); no sentence for 0 or 7+.
constexpr std::array<std::array<std::string_view, kCountedDignities>, 6> kDignityCountSentences = {{
    { // 1
        "You will be lucky and fortunate and respected by your own people.",
        "You will be wealthy and prosperous.",
        "You will be famous and well known and will contribute to the society.",
        "You will have a lot of negative thoughts.",
    },
    { // 2
        "You will expand in family, name, fame, wealth and riches.",
        "You will have an important post of authority.",
        "You will be wealthy and will have people working under you.",
        "You will be poor and foolish and may not rise higher in life.",
    },
    { // 3
        "You will be famous and a leader of the people.",
        "You will be rich, famous and have regal relations.",
        "You will be rich and wealthy and will have royal influence.",
        "You will be lazy and lethargic. You will never work hard to be prosperous in life.",
    },
    { // 4
        "You will be like a king with many riches in the form of money, land, jewelery, people and animals.",
        "You will extremely wealthy and influenced by the king.",
        "You will wealthy, respected by your people and will be a leader as well as a good husband.",
        "You will ever have any happiness in life.",
    },
    { // 5
        "You will win many awards and have abundant wealth.",
        "You will be a ruler.",
        "You will be well read and wise and very generous by nature. You will also acquire riches and be famous.",
        "You will suffer form ill health and be fearful of everyone.",
    },
    { // 6
        "You will be a king and conquer many enemies.",
        "You will be a ruler of many lands.",
        "You will be a king with a lot of riches and prosperity. You will have a happy familty and be well-read.",
        "You will live a sad life with no food, clothing or shelter.",
    },
}};

struct DignityRule {
    int Graha;
    std::string_view Sign;
    int MaxDegree;  // kAnyDegree when the row has no degree condition
    Dignity Result;
    std::string_view StatusLine;
};

constexpr int kAnyDegree = 29;

// Tested per graha from the top; the first row that matches decides. A row
// without a degree condition below one with a condition catches the rest.
constexpr std::array<DignityRule, 40> kDignityRules = {{
    {kSun, "Leo", 20, Dignity::Moolatrikona, "Sun is in Leo Mooltrikona"},
    {kSun, "Leo", kAnyDegree, Dignity::Own, "Sun is in Leo Rulership"},
    {kSun, "Ari", kAnyDegree, Dignity::Exaltation, "Sun is in Aries Exhaltation"},
    {kSun, "Lib", kAnyDegree, Dignity::Debilitation, "Sun is in Libra Debilitation"},
    {kMoon, "Can", kAnyDegree, Dignity::Own, "Moon is in Cancer Rulership"},
    {kMoon, "Tau", 3, Dignity::Exaltation, "Moon is in Taurus Exhaltation"},
    {kMoon, "Tau", kAnyDegree, Dignity::Moolatrikona, "Moon is in Taurus Mooltrikona"},
    {kMoon, "Sco", kAnyDegree, Dignity::Debilitation, "Moon is in Scorpio Debilitation"},
    {kMercury, "Gem", kAnyDegree, Dignity::Own, "Mercury is in Gemini Rulership"},
    {kMercury, "Vir", 15, Dignity::Exaltation, "Mercury is in Virgo Exhaltation"},
    {kMercury, "Vir", 20, Dignity::Moolatrikona, "Mercury is in Virgo Mooltrikona"},
    {kMercury, "Vir", kAnyDegree, Dignity::Own, "Mercury is in Virgo Rulership"},
    {kMercury, "Pis", kAnyDegree, Dignity::Debilitation, "Mercury is in Pisces Debilitation"},
    {kVenus, "Tau", kAnyDegree, Dignity::Own, "Venus is in Taurus Rulership"},
    {kVenus, "Lib", 15, Dignity::Moolatrikona, "Venus is in Libra Mooltrikona"},
    {kVenus, "Lib", kAnyDegree, Dignity::Own, "Venus is in Libra Rulership"},
    {kVenus, "Pis", kAnyDegree, Dignity::Exaltation, "Venus is in Pisces Exhaltation"},
    {kVenus, "Vir", kAnyDegree, Dignity::Debilitation, "Venus is in Virgo Debilitation"},
    {kMars, "Ari", kAnyDegree, Dignity::Own, "Mars is in Aries Rulership"},
    {kMars, "Sco", kAnyDegree, Dignity::Own, "Mars is in Scorpio Rulership"},
    {kMars, "Cap", kAnyDegree, Dignity::Exaltation, "Mars is in Capricorn Exhaltation"},
    {kMars, "Can", kAnyDegree, Dignity::Debilitation, "Mars is in Cancer Debilitation"},
    {kJupiter, "Sag", 10, Dignity::Moolatrikona, "Jupiter is in Sagittarius Mooltrikona"},
    {kJupiter, "Sag", kAnyDegree, Dignity::Own, "Jupiter is in Sagittarius Rulership"},
    {kJupiter, "Pis", kAnyDegree, Dignity::Own, "Jupiter is in Pisces Rulership"},
    {kJupiter, "Can", kAnyDegree, Dignity::Exaltation, "Jupiter is in Cancer Exhaltation"},
    {kJupiter, "Cap", kAnyDegree, Dignity::Debilitation, "Jupiter is in Capricorn Debilitation"},
    {kSaturn, "Cap", kAnyDegree, Dignity::Own, "Saturn is in Capricorn Rulership"},
    {kSaturn, "Aqu", 15, Dignity::Moolatrikona, "Saturn is in Aquarius Mooltrikona"},
    {kSaturn, "Aqu", kAnyDegree, Dignity::Own, "Saturn is in Aquarius Rulership"},
    {kSaturn, "Lib", kAnyDegree, Dignity::Exaltation, "Saturn is in Libra Exhaltation"},
    {kSaturn, "Ari", kAnyDegree, Dignity::Debilitation, "Saturn is in Aries Debilitation"},
    {kRahu, "Aqu", kAnyDegree, Dignity::Own, "Rahu is in Aquarius Rulership"},
    {kRahu, "Gem", kAnyDegree, Dignity::Exaltation, "Rahu is in Gemini Exhaltation"},
    {kRahu, "Sag", kAnyDegree, Dignity::Debilitation, "Rahu is in Sagittarius Debilitation"},
    {kRahu, "Vir", kAnyDegree, Dignity::Moolatrikona, "Rahu is in Virgo Mooltrikona"},
    {kKetu, "Sco", kAnyDegree, Dignity::Own, "Ketu is in Scorpio Rulership"},
    {kKetu, "Sag", kAnyDegree, Dignity::Exaltation, "Ketu is in Sagittarius Exhaltation"},
    {kKetu, "Gem", kAnyDegree, Dignity::Debilitation, "Ketu is in Gemini Debilitation"},
    {kKetu, "Pis", kAnyDegree, Dignity::Moolatrikona, "Ketu is in Pisces Mooltrikona"},
}};

// Nine fixed texts that differ only in their first word.
constexpr std::array<std::string_view, kGrahaCount> kPeregrineLines = {
    "Sun is in Peregrine state. This word means foreigner or away from home. In general it means a drifter. There will be no attachment to the job / effect associated with the planet.",
    "Moon is in Peregrine state. This word means foreigner or away from home. In general it means a drifter. There will be no attachment to the job / effect associated with the planet.",
    "Mercury is in Peregrine state. This word means foreigner or away from home. In general it means a drifter. There will be no attachment to the job / effect associated with the planet.",
    "Venus is in Peregrine state. This word means foreigner or away from home. In general it means a drifter. There will be no attachment to the job / effect associated with the planet.",
    "Mars is in Peregrine state. This word means foreigner or away from home. In general it means a drifter. There will be no attachment to the job / effect associated with the planet.",
    "Jupiter is in Peregrine state. This word means foreigner or away from home. In general it means a drifter. There will be no attachment to the job / effect associated with the planet.",
    "Saturn is in Peregrine state. This word means foreigner or away from home. In general it means a drifter. There will be no attachment to the job / effect associated with the planet.",
    "Rahu is in Peregrine state. This word means foreigner or away from home. In general it means a drifter. There will be no attachment to the job / effect associated with the planet.",
    "Ketu is in Peregrine state. This word means foreigner or away from home. In general it means a drifter. There will be no attachment to the job / effect associated with the planet.",
};
constexpr std::array<std::string_view, kGrahaCount> kGrahaEnglishNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu"};

constexpr std::array<std::string_view, 5> kDignityNames = {
    "Own", "Exaltation", "Moolatrikona", "Debilitation", "Peregrine"};
constexpr std::array<std::string_view, 5> kDignityTerms = {
    "Own sign", "Exalted", "Moolatrikona", "Debilitated", "Peregrine"};

// Six colours of the classic 16-colour console palette, by palette index.
constexpr std::array<Rgb, kLastColourIndex + 1> kReadingColours = {{
    {0, 0, 0},
    {0, 0, 128},    // 1 dark blue: meanings
    {0, 128, 0},    // 2 dark green: graha names
    {0, 128, 128},  // 3 dark cyan: status lines
    {128, 0, 0},    // 4 dark red: count sentences
    {128, 0, 128},  // 5 dark magenta: graha sentences
    {128, 128, 0},  // 6 dark yellow: headings
}};

enum Colour : int {
    kMeaningColour = 1,
    kGrahaNameColour = 2,
    kStatusColour = 3,
    kCountColour = 4,
    kSentenceColour = 5,
    kHeadingColour = 6,
};

constexpr int kSentencedGrahas = 7;  // Sun to Saturn; the nodes get no sentence

// The whole degree within the sign from characters 1-2 of a short text.
int WholeDegree(std::string_view text) {
    if (text.size() < 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') {
        return -1;
    }
    return (text[0] - '0') * 10 + (text[1] - '0');
}

constexpr int SignIndex(std::string_view code) {
    const std::string_view codes = kSignAbbreviations;
    for (int s = 0; s < kSignCount; ++s) {
        if (codes.substr(static_cast<std::size_t>(s) * 3, 3) == code) {
            return s;
        }
    }
    return -1;
}

// The sign index of each rule, so a look-up compares numbers, not texts.
constexpr std::array<int, kDignityRules.size()> MakeRuleSigns() {
    std::array<int, kDignityRules.size()> signs{};
    for (std::size_t r = 0; r < kDignityRules.size(); ++r) {
        signs[r] = SignIndex(kDignityRules[r].Sign);
    }
    return signs;
}

constexpr auto kRuleSigns = MakeRuleSigns();

constexpr bool InGrahaOrder() {
    for (std::size_t r = 1; r < kDignityRules.size(); ++r) {
        if (kDignityRules[r].Graha < kDignityRules[r - 1].Graha) {
            return false;
        }
    }
    return true;
}
static_assert(InGrahaOrder(), "a graha's rules are read as one run");

// The first rule of the graha that the sign (0-11) and whole degree satisfy,
// or none.
constexpr const DignityRule* MatchingRule(int graha, int sign, int degree) {
    for (std::size_t r = 0; r < kDignityRules.size(); ++r) {
        const DignityRule& rule = kDignityRules[r];
        if (rule.Graha > graha) {
            break;  // the rules come in graha order
        }
        if (rule.Graha != graha || kRuleSigns[r] != sign) {
            continue;
        }
        if (rule.MaxDegree != kAnyDegree && (degree < 0 || degree > rule.MaxDegree)) {
            continue;
        }
        return &rule;
    }
    return nullptr;
}

// Every graha's dignity at every whole degree of every sign, by the rules,
// so the divisional charts can ask for the rasi dignity without a search.
using DegreeDignities = std::array<std::array<std::array<Dignity, 30>, kSignCount>, kGrahaCount>;
constexpr DegreeDignities MakeDegreeDignities() {
    DegreeDignities table{};
    for (int g = 0; g < kGrahaCount; ++g) {
        for (int s = 0; s < kSignCount; ++s) {
            for (int d = 0; d < 30; ++d) {
                const DignityRule* rule = MatchingRule(g, s, d);
                table[static_cast<std::size_t>(g)][static_cast<std::size_t>(s)]
                     [static_cast<std::size_t>(d)] = rule ? rule->Result : Dignity::Peregrine;
            }
        }
    }
    return table;
}

// Filled once at start: worked at compile time it runs past clang's limit on
// constant evaluation.
const DegreeDignities kDegreeDignities = MakeDegreeDignities();

// The dignity of each graha in each sign without its degrees, taken from the
// rules' sign sets in the order exaltation, moolatrikona, own, debilitation:
// the exaltation sign wins over a moolatrikona or own row of the same sign.
constexpr std::array<std::array<Dignity, kSignCount>, kGrahaCount> MakeDignitiesBySign() {
    std::array<std::array<Dignity, kSignCount>, kGrahaCount> table{};
    for (auto& row : table) {
        row.fill(Dignity::Peregrine);
    }
    constexpr std::array<Dignity, 4> kPrecedence = {Dignity::Exaltation, Dignity::Moolatrikona,
                                                    Dignity::Own, Dignity::Debilitation};
    for (auto it = kPrecedence.rbegin(); it != kPrecedence.rend(); ++it) {
        for (const DignityRule& rule : kDignityRules) {
            if (rule.Result == *it) {
                table[static_cast<std::size_t>(rule.Graha)]
                     [static_cast<std::size_t>(SignIndex(rule.Sign))] = rule.Result;
            }
        }
    }
    return table;
}

constexpr auto kDignitiesBySign = MakeDignitiesBySign();

}  // namespace

Dignity ClassifyDignity(int graha, int sign, int wholeDegree) {
    if (graha < 0 || graha >= kGrahaCount || sign < 0 || sign >= kSignCount) {
        return Dignity::Peregrine;
    }
    if (wholeDegree < 0 || wholeDegree >= 30) {
        const DignityRule* rule = MatchingRule(graha, sign, wholeDegree);
        return rule ? rule->Result : Dignity::Peregrine;
    }
    return kDegreeDignities[static_cast<std::size_t>(graha)][static_cast<std::size_t>(sign)]
                           [static_cast<std::size_t>(wholeDegree)];
}

const std::array<Dignity, kSignCount>& DignitiesBySign(int graha) {
    return kDignitiesBySign.at(static_cast<std::size_t>(graha));
}

std::string_view DignityName(Dignity dignity) { return kDignityNames[static_cast<int>(dignity)]; }
std::string_view DignityTerm(Dignity dignity) { return kDignityTerms[static_cast<int>(dignity)]; }

std::string_view GrahaEnglishName(int graha) { return kGrahaEnglishNames.at(graha); }

Rgb ReadingColour(int colourIndex) {
    if (colourIndex < kFirstColourIndex || colourIndex > kLastColourIndex) {
        return kReadingColours[0];
    }
    return kReadingColours[colourIndex];
}

DignityAnalysis ClassifyGrahas(const ChartState& chart) {
    DignityAnalysis result;
    for (int g = 0; g < kGrahaCount; ++g) {
        const std::string_view text = chart.PlanetPositionTexts[g];
        // A text too short to hold a sign code matches no rule: Peregrine.
        const int sign = text.size() >= 6 ? SignIndex(text.substr(3, 3)) : -1;
        const int degree = WholeDegree(text);

        result.Dignities[g] = Dignity::Peregrine;
        result.StatusLines[g] = kPeregrineLines[g];
        if (const DignityRule* rule = MatchingRule(g, sign, degree)) {
            const int d = static_cast<int>(rule->Result);
            result.Dignities[g] = rule->Result;
            result.StatusLines[g] = rule->StatusLine;
            ++result.DignityCounts[d];
            if (g < kSentencedGrahas) {
                result.PlanetSentences[g] = kPlanetDignitySentences[g][d];
            }
        }
    }
    for (int d = 0; d < kCountedDignities; ++d) {
        const int count = result.DignityCounts[d];
        if (count >= 1 && count <= static_cast<int>(kDignityCountSentences.size())) {
            result.CountLines[d] = kDignityCountSentences[count - 1][d];
        }
    }
    return result;
}

void BuildDignityReading(const ChartState& chart, ReadingSink& sink) {
    BuildDignityReading(chart, ClassifyGrahas(chart), sink);
}

void BuildDignityReading(const ChartState& chart, const DignityAnalysis& analysis,
                         ReadingSink& sink) {

    // The rich-text box appends with the colour and weight last set, so a run
    // that sets neither (the bare line breaks) carries what was in force.
    int colour = kHeadingColour;
    bool bold = false;
    std::string run;  // reused, so a reading costs one allocation, not forty
    run.reserve(256);
    const auto append = [&](std::string_view text, int breaks) {
        run.assign(text);
        for (int i = 0; i < breaks; ++i) {
            run += kLineBreak;
        }
        sink.Append(run, colour, bold);
    };

    sink.Clear();
    for (int d = 0; d < kCountedDignities; ++d) {
        colour = kHeadingColour;
        bold = true;
        append(kDignityHeadings[d], 1);
        bold = false;
        colour = kMeaningColour;
        append(kDignityMeanings[d], 1);
        if (analysis.CountLines[d].empty()) {
            append({}, 1);
        } else {
            colour = kCountColour;
            append(analysis.CountLines[d], 2);
        }
    }
    append({}, 1);
    for (int g = 0; g < kGrahaCount; ++g) {
        colour = kGrahaNameColour;
        bold = true;
        append(chart.GrahaNames[g], 1);
        bold = false;
        colour = kStatusColour;
        append(analysis.StatusLines[g], 1);
        colour = kSentenceColour;
        append(analysis.PlanetSentences[g], 2);
    }
    sink.ShowReadingPanel();
}

}  // namespace tavrinel
