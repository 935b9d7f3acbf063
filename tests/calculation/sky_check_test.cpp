// The sky check against hand-made pairs of readings (the sentences as the
// reading panel is to show them) and on a birth whose precise positions are
// published: 1950-01-01 0h UT, Mars at Virgo 09 03' 12".
#include <gtest/gtest.h>

#include <limits>

#include "calculation/calculation.h"
#include "calculation/sky_check.h"
#include "chart/birth_form.h"
#include "ephemeris/precise_sky.h"

namespace tavrinel {
namespace {

class Discard final : public ReadingSink {
public:
    void Clear() override {}
    void Append(std::string_view, int, bool) override {}
    void ShowReadingPanel() override {}
};

// Nine short texts that give no graha a dignity (checked by the first row).
ChartState Texts(const std::array<std::string, kGrahaCount>& texts) {
    ChartState chart;
    chart.PlanetPositionTexts = texts;
    return chart;
}

const std::array<std::string, kGrahaCount> kQuiet = {
    "10 Gem 00", "10 Gem 00", "10 Can 00", "10 Gem 00", "10 Gem 00",
    "10 Gem 00", "10 Gem 00", "10 Can 00", "10 Cap 00"};

struct CheckCase {
    const char* Name;
    int Graha;
    const char* Documented;
    const char* Precise;
    const char* Sentence;  // empty: the check must stay silent
};

const CheckCase kCases[] = {
    {"same sign, minutes apart", kMars, "10 Gem 00", "10 Gem 59", ""},
    {"same sign and dignity, degrees apart", kSun, "11 Ari 00", "12 Ari 30", ""},
    {"sign and dignity differ", kMars, "00 Ari 10", "29 Pis 40",
     "With precise positions, Mars is in Pisces (no dignity), not Aries (own sign)."},
    {"dignity differs within a sign", kMoon, "03 Tau 59", "04 Tau 00",
     "With precise positions, Moon is in Taurus (moolatrikona), not Taurus (exaltation)."},
    {"sign differs, both without dignity", kVenus, "29 Gem 50", "00 Can 05",
     "With precise positions, Venus is in Cancer (no dignity), not Gemini (no dignity)."},
    {"a node into debilitation", kRahu, "00 Cap 20", "29 Sag 50",
     "With precise positions, Rahu is in Sagittarius (debilitation), not Capricorn (no dignity)."},
    {"same dignity, other sign", kMars, "29 Ari 59", "00 Sco 01",
     "With precise positions, Mars is in Scorpio (own sign), not Aries (own sign)."},
};

TEST(SkyCheck, FiresExactlyWhenSignOrDignityDiffers) {
    std::vector<SkyDifference> differences;
    CompareReadings(Texts(kQuiet), Texts(kQuiet), differences);
    EXPECT_TRUE(differences.empty());
    for (const CheckCase& row : kCases) {
        std::array<std::string, kGrahaCount> documented = kQuiet;
        std::array<std::string, kGrahaCount> precise = kQuiet;
        documented[row.Graha] = row.Documented;
        precise[row.Graha] = row.Precise;
        CompareReadings(Texts(documented), Texts(precise), differences);
        if (std::string_view(row.Sentence).empty()) {
            EXPECT_TRUE(differences.empty()) << row.Name;
            continue;
        }
        ASSERT_EQ(differences.size(), 1u) << row.Name;
        EXPECT_EQ(differences[0].Graha, row.Graha) << row.Name;
        EXPECT_EQ(differences[0].Sentence, row.Sentence) << row.Name;
        EXPECT_EQ(differences[0].DocumentedText, row.Documented) << row.Name;
        EXPECT_EQ(differences[0].PreciseText, row.Precise) << row.Name;
    }
}

// Beyond the grahas: the Lagna's sign (every house moves with it) and the
// Moon's nakshatra (the dasha running at birth) in both skies. Sign and
// nakshatra boundaries by hand: Libra from 180°, Revati 346°40' to 360°,
// Ashwini from 0° (lords Mercury and Ketu).
struct SkyCase {
    const char* Name;
    double DocumentedLagna, PreciseLagna;
    double DocumentedMoon, PreciseMoon;
    std::vector<std::string> Sentences;
};

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

const SkyCase kSkyCases[] = {
    {"all alike, degrees apart", 181, 179.5 + 5, 10, 12, {}},
    {"the Lagna across a sign", 180.01, 179.99, 10, 10,
     {"With precise positions, the Lagna is in Virgo, not Libra."}},
    {"the Lagna across Aries 0", 0.2, 359.9, 10, 10,
     {"With precise positions, the Lagna is in Pisces, not Aries."}},
    {"no Lagna in either sky", kNone, kNone, 10, 10, {}},
    {"the Moon across a nakshatra", 100, 100, 0.05, 359.9,
     {"With precise positions, Moon is in Revati (birth dasha of Mercury), not Ashwini (birth "
      "dasha of Ketu)."}},
    {"both, the Lagna first", 29.99, 30.01, 13.3, 13.4,
     {"With precise positions, the Lagna is in Taurus, not Aries.",
      "With precise positions, Moon is in Bharani (birth dasha of Venus), not Ashwini (birth "
      "dasha of Ketu)."}},
};

TEST(SkyCheck, SpeaksOfTheLagnasSignAndTheMoonsNakshatra) {
    for (const SkyCase& row : kSkyCases) {
        ChartState documented = Texts(kQuiet), precise = Texts(kQuiet);
        documented.LagnaLongitude = row.DocumentedLagna;
        precise.LagnaLongitude = row.PreciseLagna;
        documented.GrahaLongitudes[kMoon] = row.DocumentedMoon;
        precise.GrahaLongitudes[kMoon] = row.PreciseMoon;
        SkyCheck check;
        CompareSkies(documented, precise, check);
        EXPECT_TRUE(check.Differences.empty()) << row.Name;
        EXPECT_EQ(check.Sentences, row.Sentences) << row.Name;
    }
    // A graha's sentence stands between the two.
    ChartState documented = Texts(kQuiet), precise = Texts(kQuiet);
    documented.PlanetPositionTexts[kMars] = "00 Ari 10";
    precise.PlanetPositionTexts[kMars] = "29 Pis 40";
    documented.LagnaLongitude = 29.99;
    precise.LagnaLongitude = 30.01;
    documented.GrahaLongitudes[kMoon] = 13.3;
    precise.GrahaLongitudes[kMoon] = 13.4;
    SkyCheck check;
    CompareSkies(documented, precise, check);
    ASSERT_EQ(check.Sentences.size(), 3u);
    EXPECT_EQ(check.Sentences[1],
              "With precise positions, Mars is in Pisces (no dignity), not Aries (own sign).");
}

// The same instant three ways: UT, and one hour later by the clock with
// daylight saving on, and in a zone an hour east with the site in the west.
struct BirthCase {
    const char* Name;
    int Hour;
    int ZoneShift;
    bool Dst;
    bool East;
};

const BirthCase kBirths[] = {
    {"UT", 0, 0, false, true},
    {"daylight saving", 1, 0, true, true},
    {"west of Greenwich on an eastern zone", 1, -1, false, false},
};

ChartState Birth1950(const BirthCase& row) {
    ChartState chart;
    chart.BirthYear = 1950;
    chart.BirthMonth = 1;
    chart.BirthDay = 1;
    chart.BirthHour = static_cast<std::int16_t>(row.Hour);
    chart.ZoneShiftHours = static_cast<std::int16_t>(row.ZoneShift);
    chart.DaylightSaving = row.Dst ? kTrue : kFalse;
    chart.LatDegrees = 28;
    chart.LatMinutes = 36;
    chart.LonDegrees = 77;
    chart.LonMinutes = 12;
    chart.LonDirection = row.East ? kTrue : kFalse;
    return chart;
}

TEST(SkyCheck, ComparesTheSameBirthInThePreciseSky) {
    ChartState reference = Birth1950(kBirths[0]);
    ASSERT_TRUE(ComputePreciseSky(reference, {}));
    ASSERT_EQ(reference.PlanetPositionTexts[kMars], "09 Vir 03");
    for (const BirthCase& row : kBirths) {
        // A documented chart that reads exactly as the precise sky: no line.
        ChartState documented = Birth1950(row);
        documented.PlanetPositionTexts = reference.PlanetPositionTexts;
        SkyCheck check;
        RunSkyCheck(documented, check);
        EXPECT_TRUE(check.Ran) << row.Name;
        EXPECT_TRUE(check.Differences.empty()) << row.Name;
        EXPECT_EQ(check.PrecisePositionTexts[kMars], "09 Vir 03") << row.Name;

        // The same chart with Mars put in its own sign: one line, for Mars.
        documented.PlanetPositionTexts[kMars] = "09 Ari 03";
        RunSkyCheck(documented, check);
        ASSERT_EQ(check.Differences.size(), 1u) << row.Name;
        EXPECT_EQ(check.Differences[0].Sentence,
                  "With precise positions, Mars is in Virgo (no dignity), not Aries (own sign).")
            << row.Name;
        EXPECT_EQ(documented.PlanetPositionTexts[kMars], "09 Ari 03") << "the reading is kept";
    }
}

TEST(SkyCheck, ComparesWithTheDocumentedDefinitionsWhateverIsChosen) {
    // Another zodiac would report the zodiacs' difference (Raman is about
    // 1°27' behind Lahiri) as an error of every documented position.
    BirthForm form;  // Ann: 1990-07-15 12:00 IST, 28°36' N 77°12' E
    form.Name = "Ann";
    form.LatDeg = "28";
    form.LatMin = "36";
    form.LonDeg = "77";
    form.LonMin = "12";
    form.DayIndex = 14;
    form.MonthIndex = 6;
    form.YearIndex = 1990 - kFirstYear;
    form.HourIndex = 12;
    form.ZoneIndex = 34;
    for (const PreciseSettings settings :
         {PreciseSettings{Ayanamsa::Raman, NodeKind::True},
          PreciseSettings{Ayanamsa::Krishnamurti, NodeKind::Mean}, PreciseSettings{}}) {
        ChartState chart;
        Discard sink;
        SkyCheck check;
        ASSERT_TRUE(CalculateChart(form, chart, sink, {SkyEngine::Documented, settings}, &check));
        EXPECT_EQ(check.Settings.Zodiac, Ayanamsa::Lahiri);
        EXPECT_EQ(check.Settings.Node, NodeKind::Mean);
        EXPECT_EQ(check.PreciseSkyName.rfind("Precise (Swiss Ephemeris), Lahiri, mean node", 0), 0u)
            << check.PreciseSkyName;
        EXPECT_TRUE(check.Sentences.empty()) << AyanamsaTitle(settings.Zodiac);
    }
}

}  // namespace
}  // namespace tavrinel
