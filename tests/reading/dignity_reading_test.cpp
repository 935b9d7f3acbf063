#include "reading/dignity_reading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tavrinel {
namespace {

struct TextRun {
    std::string Text;
    int Colour;
    bool Bold;
    bool operator==(const TextRun&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TextRun& run) {
    return os << '{' << testing::PrintToString(run.Text) << ", " << run.Colour << ", "
              << run.Bold << '}';
}

class RecordingSink final : public ReadingSink {
public:
    void Clear() override {
        ++Clears;
        Runs.clear();
    }
    void Append(std::string_view text, int colour, bool bold) override {
        Runs.push_back({std::string(text), colour, bold});
    }
    void ShowReadingPanel() override { ++Shows; }

    std::string Text() const {
        std::string all;
        for (const TextRun& run : Runs) all += run.Text;
        return all;
    }

    std::vector<TextRun> Runs;
    int Clears = 0;
    int Shows = 0;
};

const std::array<std::string, kGrahaCount> kNames = {
    "Surya", "Chandra", "Budha", "Shukra", "Mangala", "Guru", "Shani", "Rahu", "Ketu"};

// A chart whose grahas all stand where no rule matches (Sun in Gemini ...).
ChartState PeregrineChart() {
    ChartState chart;
    chart.GrahaNames = kNames;
    chart.PlanetPositionTexts.fill("10 Gem 00");
    chart.PlanetPositionTexts[kMercury] = "10 Ari 00";
    chart.PlanetPositionTexts[kRahu] = "10 Ari 00";
    chart.PlanetPositionTexts[kKetu] = "10 Ari 00";
    return chart;
}

Dignity DignityAt(int graha, const std::string& text) {
    ChartState chart = PeregrineChart();
    chart.PlanetPositionTexts[graha] = text;
    return ClassifyGrahas(chart).Dignities[graha];
}

TEST(DignityClassification, DegreeBoundariesCountWholeDegrees) {
    struct Case {
        int Graha;
        const char* Text;
        Dignity Expected;
    };
    const Case cases[] = {
        {kSun, "20 Leo 59", Dignity::Moolatrikona},
        {kSun, "21 Leo 00", Dignity::Own},
        {kMoon, "03 Tau 59", Dignity::Exaltation},
        {kMoon, "04 Tau 00", Dignity::Moolatrikona},
        {kMercury, "15 Vir 59", Dignity::Exaltation},
        {kMercury, "16 Vir 00", Dignity::Moolatrikona},
        {kMercury, "20 Vir 59", Dignity::Moolatrikona},
        {kMercury, "21 Vir 00", Dignity::Own},
        {kVenus, "15 Lib 59", Dignity::Moolatrikona},
        {kVenus, "16 Lib 00", Dignity::Own},
        {kJupiter, "10 Sag 59", Dignity::Moolatrikona},
        {kJupiter, "11 Sag 00", Dignity::Own},
        {kSaturn, "15 Aqu 59", Dignity::Moolatrikona},
        {kSaturn, "16 Aqu 00", Dignity::Own},
        {kMars, "00 Ari 00", Dignity::Own},
        {kMars, "29 Ari 59", Dignity::Own},
        {kRahu, "10 Aqu 00", Dignity::Own},
        {kRahu, "00 Vir 00", Dignity::Moolatrikona},
        {kKetu, "29 Sag 59", Dignity::Exaltation},
        {kKetu, "00 Gem 00", Dignity::Debilitation},
        {kSaturn, "12 Ari 00", Dignity::Debilitation},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DignityAt(c.Graha, c.Text), c.Expected) << c.Graha << " at " << c.Text;
    }
}

// Every rule of the classification table, at the first and the last minute
// of its degree range, with its status line as the table gives it; and every
// sign that no rule names for a graha is Peregrine there.
TEST(DignityClassification, EveryRuleAtBothEdges) {
    struct Rule {
        int Graha;
        const char* Sign;
        int FirstDegree, LastDegree;
        Dignity Expected;
        const char* Status;
    };
    const Rule rules[] = {
        {kSun, "Leo", 0, 20, Dignity::Moolatrikona, "Sun is in Leo Mooltrikona"},
        {kSun, "Leo", 21, 29, Dignity::Own, "Sun is in Leo Rulership"},
        {kSun, "Ari", 0, 29, Dignity::Exaltation, "Sun is in Aries Exhaltation"},
        {kSun, "Lib", 0, 29, Dignity::Debilitation, "Sun is in Libra Debilitation"},
        {kMoon, "Can", 0, 29, Dignity::Own, "Moon is in Cancer Rulership"},
        {kMoon, "Tau", 0, 3, Dignity::Exaltation, "Moon is in Taurus Exhaltation"},
        {kMoon, "Tau", 4, 29, Dignity::Moolatrikona, "Moon is in Taurus Mooltrikona"},
        {kMoon, "Sco", 0, 29, Dignity::Debilitation, "Moon is in Scorpio Debilitation"},
        {kMercury, "Gem", 0, 29, Dignity::Own, "Mercury is in Gemini Rulership"},
        {kMercury, "Vir", 0, 15, Dignity::Exaltation, "Mercury is in Virgo Exhaltation"},
        {kMercury, "Vir", 16, 20, Dignity::Moolatrikona, "Mercury is in Virgo Mooltrikona"},
        {kMercury, "Vir", 21, 29, Dignity::Own, "Mercury is in Virgo Rulership"},
        {kMercury, "Pis", 0, 29, Dignity::Debilitation, "Mercury is in Pisces Debilitation"},
        {kVenus, "Tau", 0, 29, Dignity::Own, "Venus is in Taurus Rulership"},
        {kVenus, "Lib", 0, 15, Dignity::Moolatrikona, "Venus is in Libra Mooltrikona"},
        {kVenus, "Lib", 16, 29, Dignity::Own, "Venus is in Libra Rulership"},
        {kVenus, "Pis", 0, 29, Dignity::Exaltation, "Venus is in Pisces Exhaltation"},
        {kVenus, "Vir", 0, 29, Dignity::Debilitation, "Venus is in Virgo Debilitation"},
        {kMars, "Ari", 0, 29, Dignity::Own, "Mars is in Aries Rulership"},
        {kMars, "Sco", 0, 29, Dignity::Own, "Mars is in Scorpio Rulership"},
        {kMars, "Cap", 0, 29, Dignity::Exaltation, "Mars is in Capricorn Exhaltation"},
        {kMars, "Can", 0, 29, Dignity::Debilitation, "Mars is in Cancer Debilitation"},
        {kJupiter, "Sag", 0, 10, Dignity::Moolatrikona, "Jupiter is in Sagittarius Mooltrikona"},
        {kJupiter, "Sag", 11, 29, Dignity::Own, "Jupiter is in Sagittarius Rulership"},
        {kJupiter, "Pis", 0, 29, Dignity::Own, "Jupiter is in Pisces Rulership"},
        {kJupiter, "Can", 0, 29, Dignity::Exaltation, "Jupiter is in Cancer Exhaltation"},
        {kJupiter, "Cap", 0, 29, Dignity::Debilitation, "Jupiter is in Capricorn Debilitation"},
        {kSaturn, "Cap", 0, 29, Dignity::Own, "Saturn is in Capricorn Rulership"},
        {kSaturn, "Aqu", 0, 15, Dignity::Moolatrikona, "Saturn is in Aquarius Mooltrikona"},
        {kSaturn, "Aqu", 16, 29, Dignity::Own, "Saturn is in Aquarius Rulership"},
        {kSaturn, "Lib", 0, 29, Dignity::Exaltation, "Saturn is in Libra Exhaltation"},
        {kSaturn, "Ari", 0, 29, Dignity::Debilitation, "Saturn is in Aries Debilitation"},
        {kRahu, "Aqu", 0, 29, Dignity::Own, "Rahu is in Aquarius Rulership"},
        {kRahu, "Gem", 0, 29, Dignity::Exaltation, "Rahu is in Gemini Exhaltation"},
        {kRahu, "Sag", 0, 29, Dignity::Debilitation, "Rahu is in Sagittarius Debilitation"},
        {kRahu, "Vir", 0, 29, Dignity::Moolatrikona, "Rahu is in Virgo Mooltrikona"},
        {kKetu, "Sco", 0, 29, Dignity::Own, "Ketu is in Scorpio Rulership"},
        {kKetu, "Sag", 0, 29, Dignity::Exaltation, "Ketu is in Sagittarius Exhaltation"},
        {kKetu, "Gem", 0, 29, Dignity::Debilitation, "Ketu is in Gemini Debilitation"},
        {kKetu, "Pis", 0, 29, Dignity::Moolatrikona, "Ketu is in Pisces Mooltrikona"},
    };
    ASSERT_EQ(std::size(rules), 40u);
    const auto text = [](int degree, const char* sign, const char* minutes) {
        return (degree < 10 ? "0" : "") + std::to_string(degree) + " " + sign + " " + minutes;
    };
    for (const Rule& rule : rules) {
        for (const std::string& position : {text(rule.FirstDegree, rule.Sign, "00"),
                                           text(rule.LastDegree, rule.Sign, "59")}) {
            ChartState chart = PeregrineChart();
            chart.PlanetPositionTexts[rule.Graha] = position;
            const DignityAnalysis analysis = ClassifyGrahas(chart);
            EXPECT_EQ(analysis.Dignities[rule.Graha], rule.Expected)
                << rule.Graha << " at " << position;
            EXPECT_EQ(analysis.StatusLines[rule.Graha], rule.Status) << position;
        }
    }
    const char* signs[] = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                           "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};
    for (int graha = 0; graha < kGrahaCount; ++graha) {
        for (const char* sign : signs) {
            const bool named = std::any_of(std::begin(rules), std::end(rules), [&](const Rule& r) {
                return r.Graha == graha && std::string(r.Sign) == sign;
            });
            if (!named) {
                EXPECT_EQ(DignityAt(graha, text(15, sign, "30")), Dignity::Peregrine)
                    << graha << " in " << sign;
            }
        }
    }
}

// The divisional charts ask by sign number and whole degree; the answer must
// be the reading's for the same position text, at every degree.
TEST(DignityClassification, BySignNumberAgreesWithThePositionTexts) {
    for (int graha = 0; graha < kGrahaCount; ++graha) {
        for (int sign = 0; sign < kSignCount; ++sign) {
            const std::string code(kSignAbbreviations + 3 * sign, 3);
            for (int degree = 0; degree < 30; ++degree) {
                const std::string text =
                    (degree < 10 ? "0" : "") + std::to_string(degree) + " " + code + " 30";
                ASSERT_EQ(ClassifyDignity(graha, sign, degree), DignityAt(graha, text))
                    << graha << " " << text;
            }
        }
    }
}

TEST(DignityClassification, MalformedTextsArePeregrine) {
    EXPECT_EQ(DignityAt(kSun, "25 leo 10"), Dignity::Peregrine);  // letter case matters
    EXPECT_EQ(DignityAt(kSun, ""), Dignity::Peregrine);
    EXPECT_EQ(DignityAt(kSun, "25 Le"), Dignity::Peregrine);
    // A degree condition cannot hold without digits to read it from.
    EXPECT_EQ(DignityAt(kSun, "xx Leo 10"), Dignity::Own);
}

TEST(DignityClassification, StatusLinesAndSentences) {
    ChartState chart = PeregrineChart();
    chart.PlanetPositionTexts[kRahu] = "10 Aqu 00";
    chart.PlanetPositionTexts[kSaturn] = "12 Ari 00";
    const DignityAnalysis a = ClassifyGrahas(chart);
    EXPECT_EQ(a.StatusLines[kRahu], "Rahu is in Aquarius Rulership");
    EXPECT_EQ(a.PlanetSentences[kRahu], "");  // the nodes never get a sentence
    EXPECT_EQ(a.StatusLines[kSaturn], "Saturn is in Aries Debilitation");
    EXPECT_EQ(a.PlanetSentences[kSaturn], "Saturn:You will lose money and be blamed for many issues.");
    EXPECT_EQ(a.StatusLines[kMoon],
              "Moon is in Peregrine state. This word means foreigner or away from home. In "
              "general it means a drifter. There will be no attachment to the job / effect "
              "associated with the planet.");
    EXPECT_EQ(a.DignityCounts[0], 1);  // Rahu counts like any graha
    EXPECT_EQ(a.DignityCounts[3], 1);
}

TEST(DignityCounts, SentenceChosenByCountAndNoneAboveSix) {
    ChartState chart = PeregrineChart();
    chart.PlanetPositionTexts[kSun] = "25 Leo 10";
    chart.PlanetPositionTexts[kMoon] = "12 Can 40";
    chart.PlanetPositionTexts[kVenus] = "01 Vir 00";
    DignityAnalysis a = ClassifyGrahas(chart);
    EXPECT_EQ(a.CountLines[0], "You will expand in family, name, fame, wealth and riches.");
    EXPECT_EQ(a.CountLines[1], "");
    EXPECT_EQ(a.CountLines[3], "You will have a lot of negative thoughts.");

    // Every graha in its own sign: a count of nine has no sentence.
    chart.PlanetPositionTexts = {"25 Leo 00", "01 Can 00", "01 Gem 00", "01 Tau 00", "01 Ari 00",
                                 "20 Sag 00", "01 Cap 00", "01 Aqu 00", "01 Sco 00"};
    a = ClassifyGrahas(chart);
    EXPECT_EQ(a.DignityCounts[0], 9);
    EXPECT_EQ(a.CountLines[0], "");

    chart.PlanetPositionTexts[kRahu] = "01 Gem 00";
    chart.PlanetPositionTexts[kKetu] = "01 Sag 00";
    chart.PlanetPositionTexts[kSaturn] = "01 Lib 00";
    a = ClassifyGrahas(chart);
    EXPECT_EQ(a.DignityCounts[0], 6);
    EXPECT_EQ(a.CountLines[0], "You will be a king and conquer many enemies.");
    EXPECT_EQ(a.CountLines[1], "You will be rich, famous and have regal relations.");
}

constexpr const char* kOwnMeaning =
    "A planet will be happy in this position. This is the most comfortable position for a "
    "planet.";
constexpr const char* kExaltationMeaning =
    "A planet will be happy in this position. This is a favorable and happy position for the "
    "planet.";
constexpr const char* kMoolatrikonaMeaning =
    "A planet will be happy in this position. This is a powerful and work oriented position for "
    "the planet. This is usually a masculine sign that gives more active energy to the planet.";
constexpr const char* kDebilitationMeaning =
    "A planet will not be happy in this position. The planet will not like this position much.";

std::string Peregrine(const std::string& english) {
    return english +
           " is in Peregrine state. This word means foreigner or away from home. In general it "
           "means a drifter. There will be no attachment to the job / effect associated with the "
           "planet.";
}

TEST(DignityReading, WholeRunSequence) {
    // Sun in Leo past 20 degrees and Moon in Cancer: two Own, nothing else.
    ChartState chart = PeregrineChart();
    chart.PlanetPositionTexts[kSun] = "25 Leo 10";
    chart.PlanetPositionTexts[kMoon] = "12 Can 40";
    RecordingSink sink;
    sink.Runs.push_back({"left over", 1, false});
    BuildDignityReading(chart, sink);

    const std::string crlf = "\r\n";
    std::vector<TextRun> expected = {
        {"Own Rashi" + crlf, 6, true},
        {kOwnMeaning + crlf, 1, false},
        {"You will expand in family, name, fame, wealth and riches." + crlf + crlf, 4, false},
        {"Exaltation Rashi" + crlf, 6, true},
        {kExaltationMeaning + crlf, 1, false},
        {crlf, 1, false},  // an empty count line keeps the meaning's colour
        {"Moolatrikona" + crlf, 6, true},
        {kMoolatrikonaMeaning + crlf, 1, false},
        {crlf, 1, false},
        {"Debilitation Rashi" + crlf, 6, true},
        {kDebilitationMeaning + crlf, 1, false},
        {crlf, 1, false},
        {crlf, 1, false},
        {"Surya" + crlf, 2, true},
        {"Sun is in Leo Rulership" + crlf, 3, false},
        {"You will be strong and fierce and known for your acts of bravery." + crlf + crlf, 5,
         false},
        {"Chandra" + crlf, 2, true},
        {"Moon is in Cancer Rulership" + crlf, 3, false},
        {"You will be virtuous, intelligent and attractive." + crlf + crlf, 5, false},
    };
    const char* english[] = {"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu"};
    for (int g = kMercury; g < kGrahaCount; ++g) {
        expected.push_back({kNames[g] + crlf, 2, true});
        expected.push_back({Peregrine(english[g - kMercury]) + crlf, 3, false});
        expected.push_back({crlf + crlf, 5, false});
    }
    EXPECT_EQ(sink.Runs, expected);
    EXPECT_EQ(sink.Clears, 1);
    EXPECT_EQ(sink.Shows, 1);
}

TEST(DignityReading, BreakAfterTheDignitiesKeepsTheLastColourInForce) {
    ChartState chart = PeregrineChart();
    chart.PlanetPositionTexts[kSaturn] = "12 Ari 00";  // one debilitated graha
    RecordingSink sink;
    BuildDignityReading(chart, sink);
    ASSERT_GE(sink.Runs.size(), 13u);
    EXPECT_EQ(sink.Runs[11], (TextRun{"You will have a lot of negative thoughts.\r\n\r\n", 4, false}));
    EXPECT_EQ(sink.Runs[12], (TextRun{"\r\n", 4, false}));
}

TEST(DignityReading, SecondReadingReplacesTheFirst) {
    ChartState chart = PeregrineChart();
    RecordingSink sink;
    BuildDignityReading(chart, sink);
    const std::string allPeregrine = sink.Text();
    chart.PlanetPositionTexts[kSun] = "25 Leo 10";
    BuildDignityReading(chart, sink);
    EXPECT_EQ(sink.Clears, 2);
    EXPECT_NE(sink.Text(), allPeregrine);
    EXPECT_EQ(sink.Text().find("Own Rashi\r\n"), 0u);
    EXPECT_EQ(sink.Text().find("Own Rashi", 1), std::string::npos);
}

TEST(ReadingColours, PaletteIndicesMapToTheConsoleColours) {
    const Rgb expected[] = {{0, 0, 128}, {0, 128, 0},   {0, 128, 128},
                            {128, 0, 0}, {128, 0, 128}, {128, 128, 0}};
    for (int i = kFirstColourIndex; i <= kLastColourIndex; ++i) {
        const Rgb c = ReadingColour(i);
        EXPECT_EQ(c.Red, expected[i - 1].Red) << i;
        EXPECT_EQ(c.Green, expected[i - 1].Green) << i;
        EXPECT_EQ(c.Blue, expected[i - 1].Blue) << i;
    }
}

}  // namespace
}  // namespace tavrinel
