// The sky check against hand-made pairs of readings (the sentences as the
// reading panel is to show them) and on a birth whose precise positions are
// published: 1950-01-01 0h UT, Mars at Virgo 09 03' 12".
#include <gtest/gtest.h>

#include "calculation/calculation.h"
#include "calculation/sky_check.h"
#include "ephemeris/precise_sky.h"

namespace tavrinel {
namespace {

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
        RunSkyCheck(documented, {}, check);
        EXPECT_TRUE(check.Ran) << row.Name;
        EXPECT_TRUE(check.Differences.empty()) << row.Name;
        EXPECT_EQ(check.PrecisePositionTexts[kMars], "09 Vir 03") << row.Name;

        // The same chart with Mars put in its own sign: one line, for Mars.
        documented.PlanetPositionTexts[kMars] = "09 Ari 03";
        RunSkyCheck(documented, {}, check);
        ASSERT_EQ(check.Differences.size(), 1u) << row.Name;
        EXPECT_EQ(check.Differences[0].Sentence,
                  "With precise positions, Mars is in Virgo (no dignity), not Aries (own sign).")
            << row.Name;
        EXPECT_EQ(documented.PlanetPositionTexts[kMars], "09 Ari 03") << "the reading is kept";
    }
}

}  // namespace
}  // namespace tavrinel
