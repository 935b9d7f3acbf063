// The strength's rules from plain inputs: the self-checks over random charts,
// and one chart for each companion rule and neecha bhanga condition, built so
// that only that rule fires. Expected values are the classical rules'.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "strength/strength.h"

namespace tavrinel {
namespace {

constexpr double kJ2000 = 2451545;
// Reported figures carry two decimals; comparisons allow 0.02.
constexpr double kFigure = 0.02;

// A quiet chart: no graha combust, at war, debilitated or forming a yoga
// from the Lagna in Aries. Sun Cancer 10, Moon Virgo 10, Mercury Leo 10,
// Venus Gemini 10, Mars Sagittarius 10, Jupiter Taurus 10, Saturn
// Sagittarius 20, Rahu Libra 20; a day birth.
StrengthInputs QuietChart() {
    StrengthInputs in;
    in.JulianDayUt = kJ2000;
    in.Latitude = 13;
    in.Longitude = 77.5;
    in.AyanamsaDegrees = 23.85;
    in.Longitudes = {100, 160, 130, 70, 250, 40, 260, 200, 20};
    in.DegreesPerDay.fill(1);
    in.Lagna = 5;
    in.Midheaven = 275;
    in.SunHourAngle = 20;
    in.Day = StrengthDay{kJ2000 - 0.25, kJ2000 + 0.25, kJ2000 + 0.75};
    return in;
}

using Placements = std::vector<std::pair<Graha, double>>;

StrengthInputs Chart(const Placements& placements, double lagna = 5) {
    StrengthInputs in = QuietChart();
    for (const auto& [graha, longitude] : placements) {
        in.Longitudes[graha] = longitude;
    }
    in.Longitudes[kKetu] = std::fmod(in.Longitudes[kRahu] + 180, 360);
    in.Lagna = lagna;
    return in;
}

// --- Self-checks ---------------------------------------------------------

// Bindus each row gives, whatever the chart (BPHS): Sun 48, Moon 49, Mars
// 39, Mercury 54, Jupiter 56, Venus 52, Saturn 39, Lagna 49; in all 337.
TEST(StrengthSelfCheck, AshtakavargaTotalsAndFiguresInRangeOnRandomCharts) {
    constexpr std::array<int, kAshtakavargaRows> kRowTotals = {48, 49, 54, 52, 39, 56, 39, 49};
    std::mt19937 random(25);
    std::uniform_real_distribution<double> degrees(0, 360);
    std::uniform_real_distribution<double> hourAngle(-180, 180);
    std::uniform_real_distribution<double> years(-150, 150);
    for (int chart = 0; chart < 2000; ++chart) {
        StrengthInputs in = QuietChart();
        for (double& longitude : in.Longitudes) {
            longitude = degrees(random);
        }
        in.Longitudes[kKetu] = std::fmod(in.Longitudes[kRahu] + 180, 360);
        for (double& speed : in.DegreesPerDay) {
            speed = hourAngle(random) / 100;
        }
        for (double& beta : in.EclipticLatitudes) {
            beta = hourAngle(random) / 30;
        }
        in.Lagna = degrees(random);
        in.Midheaven = degrees(random);
        in.SunHourAngle = hourAngle(random);
        in.JulianDayUt = kJ2000 + years(random) * 365.25;
        in.Day = StrengthDay{in.JulianDayUt - degrees(random) / 720, in.JulianDayUt + 0.1,
                             in.JulianDayUt + 0.7};
        const StrengthAnalysis strength = ComputeStrength(in);
        for (int row = 0; row < kAshtakavargaRows; ++row) {
            const auto& bhinna = strength.Ashtakavarga.Bhinna[row];
            ASSERT_EQ(std::accumulate(bhinna.begin(), bhinna.end(), 0), kRowTotals[row]) << row;
        }
        const auto& sarva = strength.Ashtakavarga.Sarva;
        ASSERT_EQ(std::accumulate(sarva.begin(), sarva.end(), 0), 337);
        ASSERT_TRUE(strength.Shadbala);
        for (int g = 0; g < kStrengthGrahaCount; ++g) {
            const GrahaShadbala& b = (*strength.Shadbala)[g];
            const struct {
                const char* What;
                double Value;
                double Most;
            } bounded[] = {
                {"Uccha", b.Sthana.Uccha, 60},          {"Saptavargaja", b.Sthana.Saptavargaja, 7 * 45},
                {"Ojayugma", b.Sthana.Ojayugma, 30},    {"Kendradi", b.Sthana.Kendradi, 60},
                {"Drekkana", b.Sthana.Drekkana, 15},    {"Dig", b.Dig, 60},
                {"Nathonnata", b.Kala.Nathonnata, 60},  {"Paksha", b.Kala.Paksha, 120},
                {"Tribhaga", b.Kala.Tribhaga, 60},      {"Ayana", b.Kala.Ayana, 120},
                {"Cheshta", b.Cheshta, 60},
            };
            for (const auto& figure : bounded) {
                ASSERT_TRUE(figure.Value >= 0 && figure.Value <= figure.Most)
                    << figure.What << " of graha " << g << " is " << figure.Value;
            }
            const double sum = b.Sthana.Total + b.Dig + b.Kala.Total + b.Cheshta + b.Naisargika + b.Drik;
            ASSERT_NEAR(b.TotalVirupas, sum, 1e-9);
            ASSERT_NEAR(b.Ratio, b.TotalVirupas / 60 / b.RequiredRupas, 1e-12);
        }
    }
}

// Uccha: 60 at the deep exaltation point, 0 at the deep debilitation point,
// 30 a quarter circle from both (BPHS: Sun 10, Moon 33, Mercury 165, Venus
// 357, Mars 298, Jupiter 95, Saturn 200).
TEST(StrengthSelfCheck, UcchaAtExaltationDebilitationAndBetween) {
    constexpr std::array<double, kStrengthGrahaCount> kDeepExaltation = {10, 33, 165, 357, 298, 95, 200};
    const std::pair<double, double> offsets[] = {{0, 60}, {180, 0}, {90, 30}, {-90, 30}, {45, 45}};
    for (int g = 0; g < kStrengthGrahaCount; ++g) {
        for (const auto& [offset, uccha] : offsets) {
            const double at = std::fmod(kDeepExaltation[g] + offset + 360, 360);
            const StrengthAnalysis strength = ComputeStrength(Chart({{static_cast<Graha>(g), at}}));
            EXPECT_NEAR((*strength.Shadbala)[g].Sthana.Uccha, uccha, 1e-9) << g << " at " << at;
        }
    }
}

TEST(StrengthSelfCheck, NaisargikaAndRequiredRupas) {
    const StrengthAnalysis strength = ComputeStrength(QuietChart());
    // Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn.
    constexpr std::array<double, kStrengthGrahaCount> kNaisargika = {60,    51.43, 25.71, 42.86,
                                                                     17.14, 34.29, 8.57};
    constexpr std::array<double, kStrengthGrahaCount> kRequired = {5, 6, 7, 5.5, 5, 6.5, 5};
    for (int g = 0; g < kStrengthGrahaCount; ++g) {
        EXPECT_NEAR((*strength.Shadbala)[g].Naisargika, kNaisargika[g], 0.005) << g;
        EXPECT_EQ((*strength.Shadbala)[g].RequiredRupas, kRequired[g]) << g;
    }
}

// Raman's aspect curve is continuous at every edge of its sections, worth
// 60 at the full aspect, and at most 60 (90 for Saturn, whose special aspect
// adds 45 where the curve is still rising).
TEST(StrengthSelfCheck, AspectCurveContinuousAndSpecialAspectsFull) {
    constexpr double kJustBefore = 1e-9;
    for (const double edge : {30.0, 60.0, 90.0, 120.0, 150.0, 180.0, 300.0, 360.0}) {
        EXPECT_NEAR(AspectValue(kSun, edge - kJustBefore), AspectValue(kSun, edge), 1e-6) << edge;
    }
    EXPECT_EQ(AspectValue(kSun, 180), 60);
    const std::pair<Graha, double> special[] = {
        {kMars, 90}, {kMars, 210}, {kJupiter, 120}, {kJupiter, 240}, {kSaturn, 60}, {kSaturn, 270}};
    for (const auto& [graha, angle] : special) {
        EXPECT_NEAR(AspectValue(graha, angle), 60, 1e-9) << graha << " " << angle;
    }
    for (int g = 0; g < kStrengthGrahaCount; ++g) {
        double most = 0;
        for (double a = 0; a < 360; a += 0.25) {
            const double value = AspectValue(static_cast<Graha>(g), a);
            EXPECT_GE(value, 0);
            most = std::max(most, value);
        }
        EXPECT_LE(most, g == kSaturn ? 90 : 60) << g;
    }
}

// --- Shadbala worked by hand --------------------------------------------

// The quiet chart's figures worked by hand from the rules: the Lagna in
// Aries, the MC at 275, the Sun 20 degrees past the meridian, the birth
// halfway through the day of Saturday 1 January 2000 at 77.5 E. The Moon,
// 60 degrees ahead of the Sun, is malefic; Mercury, alone in Leo, benefic.
TEST(StrengthWorkedByHand, TheQuietChartComponentByComponent) {
    const StrengthAnalysis strength = ComputeStrength(QuietChart());
    ASSERT_TRUE(strength.Shadbala);
    const auto& b = *strength.Shadbala;
    struct Row {
        const char* What;
        double Got;
        double Expected;
    };
    const Row rows[] = {
        // Sun in Cancer 10: the Moon's sign, a great friend's (natural friend,
        // 3rd house); hora Cancer 22.5, drekkana Scorpio 7.5 (Mars in the
        // 6th), saptamsa Pisces 22.5, navamsa Libra 7.5, dwadasamsa Scorpio
        // 7.5, trimsamsa Virgo 15 (Mercury neutral, in the 2nd).
        {"Sun Saptavargaja", b[kSun].Sthana.Saptavargaja, 105},
        // Mercury in Leo 10: Leo 22.5, Leo 22.5, Sagittarius 15, Libra 22.5,
        // Cancer 7.5, Sagittarius 15, Sagittarius 15.
        {"Mercury Saptavargaja", b[kMercury].Sthana.Saptavargaja, 120},
        {"Sun Uccha", b[kSun].Sthana.Uccha, 30},
        {"Sun Ojayugma (even sign, odd navamsa)", b[kSun].Sthana.Ojayugma, 15},
        {"Moon Ojayugma (even sign, odd navamsa)", b[kMoon].Sthana.Ojayugma, 15},
        {"Sun Kendradi (4th)", b[kSun].Sthana.Kendradi, 60},
        {"Moon Kendradi (6th)", b[kMoon].Sthana.Kendradi, 15},
        {"Jupiter Kendradi (2nd)", b[kJupiter].Sthana.Kendradi, 30},
        {"Mercury Drekkana (second decanate)", b[kMercury].Sthana.Drekkana, 15},
        {"Saturn Drekkana (third decanate)", b[kSaturn].Sthana.Drekkana, 0},
        {"Sun Dig (5 from the IC)", b[kSun].Dig, 5.0 / 3},
        {"Moon Dig (115 from the MC)", b[kMoon].Dig, 115.0 / 3},
        {"Mercury Dig (55 from the Descendant)", b[kMercury].Dig, 55.0 / 3},
        {"Saturn Dig (105 from the Lagna)", b[kSaturn].Dig, 35},
        {"Sun Nathonnata", b[kSun].Kala.Nathonnata, 160.0 / 3},
        {"Moon Nathonnata", b[kMoon].Kala.Nathonnata, 20.0 / 3},
        {"Mercury Nathonnata", b[kMercury].Kala.Nathonnata, 60},
        {"Sun Paksha (malefic)", b[kSun].Kala.Paksha, 40},
        {"Moon Paksha (doubled)", b[kMoon].Kala.Paksha, 40},
        {"Mercury Paksha (benefic)", b[kMercury].Kala.Paksha, 20},
        {"Sun Tribhaga (the day's middle third)", b[kSun].Kala.Tribhaga, 60},
        {"Jupiter Tribhaga", b[kJupiter].Kala.Tribhaga, 60},
        {"Saturn Tribhaga", b[kSaturn].Kala.Tribhaga, 0},
        // kranti = asin(sin 23.43929 sin(L + 23.85)): Sun 19.2902, Moon
        // -1.5305, Mercury 10.0967, Saturn -22.7190 degrees.
        {"Sun Ayana (doubled)", b[kSun].Kala.Ayana, (24 + 19.2902) * 1.25 * 2},
        {"Moon Ayana", b[kMoon].Kala.Ayana, (24 + 1.5305) * 1.25},
        {"Mercury Ayana", b[kMercury].Kala.Ayana, (24 + 10.0967) * 1.25},
        {"Saturn Ayana", b[kSaturn].Kala.Ayana, (24 + 22.7190) * 1.25},
        {"Sun Cheshta", b[kSun].Cheshta, 0},
        // Aspects on the Sun: Jupiter 15 (60 ahead); Mars 45 + 15 (210),
        // Saturn 50 (200); the rest nothing.
        {"Sun Drik", b[kSun].Drik, (15 - 60 - 50) / 4.0},
    };
    for (const Row& row : rows) {
        EXPECT_NEAR(row.Got, row.Expected, 1e-3) << row.What;
    }
    ASSERT_TRUE(strength.Lords);
    EXPECT_EQ(strength.Lords->Weekday, kSaturn);
    EXPECT_EQ(strength.Lords->Hora, kMoon);  // the 7th clock hour from sunrise
    EXPECT_EQ(strength.Lords->Year, kMercury);
    EXPECT_EQ(strength.Lords->Month, kSun);
}

TEST(StrengthWorkedByHand, NightThirdsGoToMoonVenusMars) {
    // Sunset 0.1 day before the birth, the next sunrise 0.4 after.
    for (const auto& [sinceSunset, lord] :
         {std::pair{0.1, kMoon}, std::pair{0.2, kVenus}, std::pair{0.45, kMars}}) {
        StrengthInputs in = QuietChart();
        in.Day = StrengthDay{in.JulianDayUt - sinceSunset - 0.5, in.JulianDayUt - sinceSunset,
                             in.JulianDayUt - sinceSunset + 0.5};
        const auto& bala = *ComputeStrength(in).Shadbala;
        for (int g = 0; g < kStrengthGrahaCount; ++g) {
            EXPECT_EQ(bala[g].Kala.Tribhaga, g == lord || g == kJupiter ? 60 : 0) << g;
        }
    }
}

// --- Combustion --------------------------------------------------------

TEST(StrengthCompanions, CombustWithinTheOrbRetrogradeNarrowsMercuryAndVenus) {
    struct Row {
        Graha Planet;
        double FromSun;  // degrees ahead of the Sun (behind when negative)
        double Speed;
        bool Combust;
        double Orb;
    };
    const Row rows[] = {
        {kMercury, 9.41, 1, true, 14},   {kMercury, 13, -1, false, 12}, {kMercury, 12, -1, true, 12},
        {kVenus, 9, -1, false, 8},       {kVenus, 9, 1, true, 10},      {kMoon, -11.5, 12, true, 12},
        {kMars, 16.9, 1, true, 17},      {kJupiter, 11.2, 1, false, 11}, {kSaturn, -14.9, 1, true, 15},
        {kSaturn, 15.1, -1, false, 15},
    };
    for (const Row& row : rows) {
        StrengthInputs in = Chart({{row.Planet, 100 + row.FromSun}});
        in.DegreesPerDay[row.Planet] = row.Speed;
        const StrengthAnalysis strength = ComputeStrength(in);
        for (int g = 0; g < kStrengthGrahaCount; ++g) {
            const Combustion& c = strength.Combust[g];
            EXPECT_EQ(c.Combust, g == row.Planet && row.Combust) << g << " in row " << row.Planet;
            if (g == row.Planet) {
                EXPECT_NEAR(c.DistanceFromSun, std::fabs(row.FromSun), 1e-9);
                EXPECT_EQ(c.Orb, row.Orb) << row.Planet;
                EXPECT_EQ(c.Retrograde, row.Speed < 0);
                EXPECT_EQ(strength.Avasthas[g] == Avastha::Kopa, row.Combust) << row.Planet;
            }
        }
    }
    const StrengthInputs in = Chart({{kMercury, 109.41}});
    const std::vector<std::string> sentences = StrengthSentences(ComputeStrength(in), in);
    EXPECT_EQ(sentences.front(), "Mercury is combust: 9.41° from the Sun, within its 14° orb.");
}

// --- Planetary war -----------------------------------------------------

TEST(StrengthCompanions, PlanetaryWarTheNorthernWins) {
    struct Row {
        Graha First;
        double FirstAt;
        double FirstLatitude;
        Graha Second;
        double SecondAt;
        double SecondLatitude;
        bool War;
        Graha Winner;
    };
    const Row rows[] = {
        {kMars, 250, 1.0, kJupiter, 250.6, 0.5, true, kMars},
        {kMercury, 130, -0.2, kVenus, 130.9, 0.3, true, kVenus},
        {kJupiter, 40.5, 0.1, kSaturn, 40.0, 0.1, true, kSaturn},  // level: the lesser longitude
        {kMercury, 359.7, 0.0, kSaturn, 0.2, -1.0, true, kMercury},
        {kVenus, 70, 0.0, kMars, 71.0, 1.0, false, kSun},
    };
    for (const Row& row : rows) {
        StrengthInputs in = Chart({{row.First, row.FirstAt}, {row.Second, row.SecondAt}});
        in.EclipticLatitudes[row.First] = row.FirstLatitude;
        in.EclipticLatitudes[row.Second] = row.SecondLatitude;
        const StrengthAnalysis strength = ComputeStrength(in);
        ASSERT_EQ(strength.PlanetaryWars.size(), row.War ? 1U : 0U) << row.First;
        if (!row.War) {
            continue;
        }
        const PlanetaryWar& war = strength.PlanetaryWars.front();
        EXPECT_EQ(war.Grahas[0], std::min(row.First, row.Second));
        EXPECT_EQ(war.Winner, row.Winner);
        const Graha loser = row.Winner == row.First ? row.Second : row.First;
        EXPECT_EQ(war.Loser, loser);
        // BPHS: the difference of the two strengths before the war over the
        // difference of their discs (Mercury 6.6, Venus 16.6, Mars 9.4,
        // Jupiter 190.4, Saturn 158.0).
        const auto& bala = *strength.Shadbala;
        const auto before = [&](Graha g) {
            return bala[g].Sthana.Total + bala[g].Dig + bala[g].Kala.Total - bala[g].Kala.Yuddha;
        };
        const std::map<Graha, double> discs = {
            {kMercury, 6.6}, {kVenus, 16.6}, {kMars, 9.4}, {kJupiter, 190.4}, {kSaturn, 158.0}};
        const double expected = std::fabs(before(war.Winner) - before(loser)) /
                                std::fabs(discs.at(war.Winner) - discs.at(loser));
        ASSERT_TRUE(war.YuddhaBala);
        EXPECT_NEAR(*war.YuddhaBala, expected, 1e-9);
        EXPECT_NEAR(bala[war.Winner].Kala.Yuddha, expected, 1e-9);
        EXPECT_NEAR(bala[loser].Kala.Yuddha, -expected, 1e-9);
    }
}

// --- Neecha bhanga -----------------------------------------------------

// The Sun debilitated in Libra, the Lagna and the Moon in Taurus (kendras
// Taurus, Leo, Scorpio, Aquarius). Its dispositor Venus, Mars (lord of its
// exaltation sign Aries) and Saturn (exalted in Libra) start outside them.
TEST(StrengthCompanions, EachNeechaBhangaConditionAlone) {
    using C = NeechaBhangaCondition;
    const Placements base = {{kSun, 195}, {kMoon, 40}, {kVenus, 70}, {kMars, 5}, {kSaturn, 260}};
    struct Row {
        const char* What;
        Placements Moves;
        double Lagna;
        std::vector<C> Holding;
    };
    const std::vector<Row> rows = {
        {"none", {}, 40, {}},
        {"Venus in Leo", {{kVenus, 130}}, 40, {C::DispositorInKendra}},
        {"Venus in Leo, a kendra from the Moon alone", {{kVenus, 130}, {kSaturn, 290}}, 70,
         {C::DispositorInKendra}},
        {"Mars in Scorpio", {{kMars, 220}}, 40, {C::ExaltationLordInKendra}},
        {"Saturn in Aquarius", {{kSaturn, 310}}, 40, {C::ExaltedGrahaInKendra}},
        {"Venus in Aries aspects Libra", {{kVenus, 10}}, 40, {C::DispositorJoinsOrAspects}},
        {"Venus joins the Sun", {{kVenus, 190}}, 40, {C::DispositorJoinsOrAspects}},
        {"the Sun in the Aries navamsa", {{kSun, 201}}, 40, {C::ExaltedInNavamsa}},
    };
    for (const Row& row : rows) {
        Placements placements = base;
        placements.insert(placements.end(), row.Moves.begin(), row.Moves.end());
        const StrengthAnalysis strength = ComputeStrength(Chart(placements, row.Lagna));
        ASSERT_EQ(strength.NeechaBhangas.size(), 1U) << row.What;
        const NeechaBhanga& entry = strength.NeechaBhangas.front();
        EXPECT_EQ(entry.Planet, kSun);
        for (int c = 0; c < kNeechaBhangaConditions; ++c) {
            const bool expected = std::find(row.Holding.begin(), row.Holding.end(),
                                            static_cast<C>(c)) != row.Holding.end();
            EXPECT_EQ(entry.Conditions[c], expected)
                << row.What << ": " << NeechaBhangaKey(static_cast<C>(c));
        }
        EXPECT_EQ(entry.Cancelled, !row.Holding.empty()) << row.What;
    }
}

TEST(StrengthCompanions, CancelledDebilitationSentence) {
    // Saturn in Aries; its dispositor Mars in Taurus, the 10th from the Leo
    // Lagna and the 12th from the Moon in Gemini.
    const StrengthInputs in = Chart(
        {{kSaturn, 15}, {kMars, 40}, {kMoon, 70}, {kVenus, 280}, {kSun, 100}}, 130);
    const StrengthAnalysis strength = ComputeStrength(in);
    const std::vector<std::string> sentences = StrengthSentences(strength, in);
    EXPECT_NE(std::find(sentences.begin(), sentences.end(),
                        "Saturn's debilitation is cancelled: its dispositor Mars is in a kendra "
                        "from the Lagna."),
              sentences.end());
}

// --- Pancha Mahapurusha ------------------------------------------------

TEST(StrengthCompanions, MahapurushaOwnOrExaltedInAKendraFromTheLagna) {
    struct Row {
        Graha Planet;
        double At;
        double Lagna;
        const char* Yoga;  // nullptr: none
        int House;
        bool Exalted;
    };
    const Row rows[] = {
        {kMars, 10, 95, "Ruchaka", 10, false},    {kMercury, 160, 155, "Bhadra", 1, true},
        {kJupiter, 100, 5, "Hamsa", 4, true},     {kVenus, 190, 5, "Malavya", 7, false},
        {kSaturn, 310, 220, "Sasa", 4, false},    {kMars, 10, 40, nullptr, 0, false},
        {kVenus, 340, 310, nullptr, 0, false},
    };
    for (const Row& row : rows) {
        const StrengthAnalysis strength = ComputeStrength(Chart({{row.Planet, row.At}}, row.Lagna));
        if (row.Yoga == nullptr) {
            EXPECT_TRUE(strength.Mahapurusha.empty()) << row.Planet << " at " << row.At;
            continue;
        }
        ASSERT_EQ(strength.Mahapurusha.size(), 1U) << row.Yoga;
        const MahapurushaYoga& yoga = strength.Mahapurusha.front();
        EXPECT_EQ(yoga.Yoga, row.Yoga);
        EXPECT_EQ(yoga.Planet, row.Planet);
        EXPECT_EQ(yoga.House, row.House) << row.Yoga;
        EXPECT_EQ(yoga.Exalted, row.Exalted) << row.Yoga;
    }
    const StrengthInputs in = Chart({{kMars, 10}}, 95);
    const std::vector<std::string> sentences = StrengthSentences(ComputeStrength(in), in);
    EXPECT_NE(std::find(sentences.begin(), sentences.end(),
                        "Ruchaka yoga: Mars in its own sign in the 10th house."),
              sentences.end());
}

// --- Deeptadi avasthas -------------------------------------------------

TEST(StrengthCompanions, EachAvasthaByTheFirstRuleThatApplies) {
    struct Row {
        Graha Planet;
        Placements Moves;
        Avastha Expected;
        const char* Sentence;  // nullptr: not checked
    };
    const std::vector<Row> rows = {
        {kMercury, {{kMercury, 105}}, Avastha::Kopa, "Mercury is Kopa (angry): combust."},
        {kJupiter, {{kJupiter, 115}}, Avastha::Deepta, nullptr},
        {kSaturn, {{kSaturn, 310}}, Avastha::Swastha, nullptr},
        {kVenus, {{kVenus, 255}}, Avastha::Vikala,
         "Venus is Vikala (crippled): in the same sign as Mars and Saturn."},
        // The Sun and its sign's lord: natural friend or neutral or enemy,
        // then a temporal friend (2nd, 3rd, 4th, 10th, 11th, 12th) or not.
        {kSun, {{kSun, 245}, {kJupiter, 280}, {kMars, 10}, {kSaturn, 160}}, Avastha::Mudita, nullptr},
        {kSun, {{kSun, 70}, {kMercury, 100}}, Avastha::Shanta,
         "The Sun is Shanta (calm): in a friend's sign."},
        {kSun, {{kSun, 245}, {kJupiter, 130}, {kMars, 10}, {kSaturn, 160}}, Avastha::Deena, nullptr},
        {kSun, {{kSun, 70}, {kMercury, 75}}, Avastha::Duhkhita, nullptr},
        {kSun, {{kSun, 280}, {kSaturn, 130}}, Avastha::Khala, nullptr},
    };
    for (const Row& row : rows) {
        const StrengthInputs in = Chart(row.Moves);
        const StrengthAnalysis strength = ComputeStrength(in);
        EXPECT_EQ(AvasthaName(strength.Avasthas[row.Planet]), AvasthaName(row.Expected))
            << StrengthGrahaName(row.Planet);
        if (row.Sentence != nullptr) {
            const std::vector<std::string> sentences = StrengthSentences(strength, in);
            EXPECT_NE(std::find(sentences.begin(), sentences.end(), row.Sentence), sentences.end())
                << row.Sentence;
        }
    }
}

}  // namespace
}  // namespace tavrinel
