// The precise sky against published figures: the J2000 chart, the Lahiri
// definition, a chart for 1950-01-01 0h UT worked with the Swiss Ephemeris
// and the Lahiri ayanamsa (true, apparent positions), and Julian Days fixed by
// J2000.0 = JD 2451545.0 = 2000-01-01 12:00 UT.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <thread>

#include "chart_builder.h"
#include "ephemeris/precise_sky.h"
#include "ephemeris/swiss_ephemeris.h"

namespace tavrinel {
namespace {

constexpr double kArcsecond = 1.0 / 3600;
constexpr double kArcminute = 1.0 / 60;
// The published positions are rounded to the whole second.
constexpr double kPublishedSecond = 1 * kArcsecond;
// The published ascendant is given to the minute.
constexpr double kPublishedMinute = 1 * kArcminute;
// The analytical theory's true node differs from the files' by 13".
constexpr double kAnalyticalTrueNode = 14 * kArcsecond;
// A Julian Day to a hundredth of a second: pure arithmetic, no rounding.
constexpr double kDayArithmetic = 1e-7;

constexpr double Dms(int sign, int d, int m, double s) { return sign * 30 + d + m / 60.0 + s / 3600; }
constexpr int kTau = 1, kLeo = 4, kVir = 5, kSco = 7, kSag = 8, kPis = 11;

double ArcDistance(double a, double b) {
    double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180 ? 360 - d : d;
}

// Forces the library's built-in theory for one scope by pointing it at a
// folder without files.
class AnalyticalFallback {
public:
    AnalyticalFallback() { UseEphemerisPath("/nonexistent/tavrinel-no-ephemeris"); }
    ~AnalyticalFallback() { UseEphemerisPath(DefaultEphemerisPath()); }
};

ChartState Chart1950() {
    ChartState chart = Birth(1950, 1, 1, 0, 0);
    SetPlace(chart, 0, 0, 77, true);
    chart.LonMinutes = 12;
    chart.LatDegrees = 28;
    chart.LatMinutes = 36;
    chart.LatDirection = kFalse;
    return chart;
}

struct PositionCase {
    const char* Name;
    int Graha;
    NodeKind Node;
    double Expected;
    bool Retrograde;
    double FilesTolerance;
    double AnalyticalTolerance;
};

const PositionCase kPositions1950[] = {
    {"Sun", kSun, NodeKind::Mean, Dms(kSag, 16, 50, 49), false, kPublishedSecond, kPublishedSecond},
    {"Moon", kMoon, NodeKind::Mean, Dms(kTau, 8, 15, 27), false, kPublishedSecond, kPublishedSecond},
    {"Mars", kMars, NodeKind::Mean, Dms(kVir, 9, 3, 12), false, kPublishedSecond, kPublishedSecond},
    {"Saturn", kSaturn, NodeKind::Mean, Dms(kLeo, 26, 16, 47), true, kPublishedSecond,
     kPublishedSecond},
    {"mean Rahu", kRahu, NodeKind::Mean, Dms(kPis, 18, 57, 16), true, kPublishedSecond,
     kPublishedSecond},
    {"true Rahu", kRahu, NodeKind::True, Dms(kPis, 19, 24, 11), true, kPublishedSecond,
     kAnalyticalTrueNode},
};

void ExpectPositions(bool analytical) {
    for (const PositionCase& row : kPositions1950) {
        ChartState chart = Chart1950();
        ASSERT_TRUE(ComputePreciseSky(chart, {Ayanamsa::Lahiri, row.Node})) << chart.SkyName;
        const double got = chart.GrahaLongitudes[row.Graha];
        ASSERT_TRUE(std::isfinite(got)) << row.Name;
        const double tolerance = analytical ? row.AnalyticalTolerance : row.FilesTolerance;
        EXPECT_LE(ArcDistance(got, row.Expected), tolerance)
            << row.Name << ": got " << got << ", published " << row.Expected << ", off by "
            << ArcDistance(got, row.Expected) / kArcsecond << "\"";
        EXPECT_EQ(chart.GrahaRetrograde[row.Graha], row.Retrograde) << row.Name;
        EXPECT_NE(chart.SkyName.find(analytical ? "analytical ephemeris" : "ephemeris files"),
                  std::string::npos)
            << chart.SkyName;
        // Ketu is the point opposite, to the last bit the sum allows.
        EXPECT_NEAR(ArcDistance(chart.GrahaLongitudes[kKetu], chart.GrahaLongitudes[kRahu]), 180,
                    1e-9);

        // Asked for the Moon alone, or for no planet, only what was asked
        // and the nodes come back, whichever way the sky was found, and the
        // source is named as truly as when every file was read.
        ChartState some = Chart1950();
        const unsigned asked = row.Graha == kMoon ? 1U << kMoon : 0U;
        ASSERT_TRUE(ComputePreciseSkyPositions(some, {Ayanamsa::Lahiri, row.Node}, asked));
        const bool wanted = row.Graha == kMoon || row.Graha == kRahu;
        EXPECT_EQ(some.PlanetPositionTexts[row.Graha].empty(), !wanted) << row.Name;
        EXPECT_EQ(std::isfinite(some.GrahaLongitudes[row.Graha]), wanted) << row.Name;
        if (wanted) {
            EXPECT_LE(ArcDistance(some.GrahaLongitudes[row.Graha], row.Expected), tolerance)
                << row.Name;
        }
        EXPECT_NE(some.SkyName.find(analytical ? "analytical ephemeris" : "ephemeris files"),
                  std::string::npos)
            << some.SkyName;
    }
}

TEST(PreciseSky, Positions1950WithEphemerisFiles) { ExpectPositions(false); }

TEST(PreciseSky, Positions1950WithAnalyticalFallback) {
    AnalyticalFallback fallback;
    ExpectPositions(true);
}

// The packaged library keeps its files and its zodiac per thread: each new
// thread must be handed both, the folder being the one chosen last anywhere.
TEST(PreciseSky, EveryThreadGetsTheChosenFolderAndItsOwnZodiac) {
    const double jd = PreciseJulianDayUt(Chart1950());
    const double publishedSun = kPositions1950[0].Expected;
    const SweLongitude raman = SweSiderealLongitude(jd, SweBody::Sun, SweZodiac::Raman);
    // Lahiri last, so that this thread's choice is the one a new thread must not assume.
    ASSERT_TRUE(raman.Ok && SweSiderealLongitude(jd, SweBody::Sun, SweZodiac::Lahiri).Ok);
    constexpr int kCalls = 200;
    double lahiriError = 0, ramanError = 0;
    std::thread lahiriThread([&] {
        for (int i = 0; i < kCalls; ++i) {
            const SweLongitude sun = SweSiderealLongitude(jd, SweBody::Sun, SweZodiac::Lahiri);
            lahiriError = std::max(lahiriError, ArcDistance(sun.Degrees, publishedSun));
        }
    });
    std::thread ramanThread([&] {
        for (int i = 0; i < kCalls; ++i) {
            const SweLongitude sun = SweSiderealLongitude(jd, SweBody::Sun, SweZodiac::Raman);
            ramanError = std::max(ramanError, ArcDistance(sun.Degrees, raman.Degrees));
        }
    });
    lahiriThread.join();
    ramanThread.join();
    EXPECT_LT(lahiriError, kPublishedSecond);
    EXPECT_EQ(ramanError, 0);

    AnalyticalFallback fallback;
    SweSource source = SweSource::Files;
    std::thread([&] { source = SweSiderealLongitude(jd, SweBody::Sun, SweZodiac::Lahiri).Source; })
        .join();
    EXPECT_EQ(source, SweSource::Analytical);
}

TEST(PreciseSky, LagnaAtNewDelhi1950) {
    ChartState chart = Chart1950();
    ASSERT_TRUE(ComputePreciseSky(chart, {}));
    EXPECT_LE(ArcDistance(chart.LagnaLongitude, Dms(kSco, 22, 13, 0)), kPublishedMinute)
        << chart.LagnaLongitude;
}

// South of the equator, against the Swiss Ephemeris's own ascendant
// (swe_houses_ex, Lahiri) at the birth's UT; the same places mirrored north
// rise at 22 Pis 11 and 14 Vir 31.
TEST(PreciseSky, LagnaSouthOfTheEquator) {
    const struct {
        const char* Name;
        int Month, ZoneHours;
        bool Dst;
        int LatDegrees, LatMinutes, LonDegrees, LonMinutes;
        bool East;
        double Expected;
    } kCases[] = {
        {"Sydney, 1990-01-15 12:00 AEST with daylight saving (01:00 UT)", 1, -10, true, 33, 52,
         151, 12, true, Dms(kPis, 15, 4, 36)},
        {"Buenos Aires, 1990-07-15 12:00 ART (15:00 UT)", 7, 3, false, 34, 36, 58, 22, false,
         Dms(kVir, 21, 27, 24)},
    };
    for (const auto& c : kCases) {
        ChartState chart = Birth(1990, c.Month, 15, 12, 0);
        SetPlace(chart, c.ZoneHours, 0, c.LonDegrees, c.East, c.Dst);
        chart.LonMinutes = static_cast<std::int16_t>(c.LonMinutes);
        chart.LatDegrees = static_cast<std::int16_t>(c.LatDegrees);
        chart.LatMinutes = static_cast<std::int16_t>(c.LatMinutes);
        chart.LatDirection = kTrue;
        ASSERT_TRUE(ComputePreciseSky(chart, {})) << c.Name;
        EXPECT_LE(ArcDistance(chart.LagnaLongitude, c.Expected), kPublishedMinute)
            << c.Name << ": " << chart.LagnaLongitude;
    }
}

struct SiteCase {
    const char* Name;
    int LatDegrees, LatMinutes, LonDegrees, LonMinutes;
    bool HasLagna;
};

// The form takes up to three digits in each box; only places on the globe
// have a horizon, and at a pole the whole ecliptic lies on it.
const SiteCase kSites[] = {
    {"New Delhi", 28, 36, 77, 12, true},
    {"the pole itself, where nothing rises", 90, 0, 77, 12, false},
    {"a minute short of the pole", 89, 59, 77, 12, true},
    {"the date line", 28, 36, 180, 0, true},
    {"beyond the pole", 90, 1, 77, 12, false},
    {"latitude of three digits", 128, 36, 77, 12, false},
    {"beyond the date line", 28, 36, 180, 1, false},
};

TEST(PreciseSky, LagnaOnlyForPlacesOnTheGlobe) {
    for (const SiteCase& row : kSites) {
        ChartState chart = Chart1950();
        chart.LatDegrees = static_cast<std::int16_t>(row.LatDegrees);
        chart.LatMinutes = static_cast<std::int16_t>(row.LatMinutes);
        chart.LonDegrees = static_cast<std::int16_t>(row.LonDegrees);
        chart.LonMinutes = static_cast<std::int16_t>(row.LonMinutes);
        ASSERT_TRUE(ComputePreciseSky(chart, {})) << row.Name;
        EXPECT_EQ(std::isfinite(chart.LagnaLongitude), row.HasLagna) << row.Name;
        EXPECT_EQ(chart.PlanetPositionTexts[kMars], "09 Vir 03") << row.Name << ": the grahas stay";
    }
}

TEST(PreciseSky, J2000SunAndAyanamsa) {
    ChartState chart = Birth(2000, 1, 1, 12, 0);
    SetPlace(chart, 0, 0, 0, true);
    ASSERT_TRUE(ComputePreciseSky(chart, {}));
    EXPECT_LE(ArcDistance(chart.GrahaLongitudes[kSun], Dms(kSag, 16, 30, 57)), kPublishedSecond);
    EXPECT_EQ(chart.PlanetPositionTexts[kSun], "16 Sag 30");
    EXPECT_EQ(chart.GrahaNames[kSun], "Surya");
    EXPECT_EQ(chart.SkyName, "Precise (Swiss Ephemeris), Lahiri, mean node, ephemeris files");
    // The ayanamsa the positions were taken with is the true one: the
    // library's apparent tropical Sun less its sidereal Sun at this instant
    // (swe_calc_ut called directly), 23°51'11.6".
    EXPECT_NEAR(chart.AyanamsaDegrees, 23.853222486, 0.01 * kArcsecond);

    constexpr double kJ2000 = 2451545.0;
    EXPECT_NEAR(SweAyanamsaUt(kJ2000, SweZodiac::Lahiri, AyanamsaKind::Mean), Dms(0, 23, 51, 25.5),
                0.05 * kArcsecond);
    // The definition: 23 15' 00.658" on 1956 March 21, 0h Ephemeris Time,
    // true ayanamsa, with that day's nutation in longitude then published as
    // 16.769". The library carries the definition through today's precession
    // and nutation models, which gives back 0.13" to 0.14" more.
    constexpr double kLahiriEpoch = 2435553.5;
    constexpr double kNutation1956 = 16.769 * kArcsecond;
    constexpr double kTodaysModels = 0.2 * kArcsecond;
    EXPECT_NEAR(SweAyanamsaEt(kLahiriEpoch, SweZodiac::Lahiri, AyanamsaKind::Mean) + kNutation1956,
                Dms(0, 23, 15, 0.658), kTodaysModels);
    EXPECT_NEAR(SweAyanamsaEt(kLahiriEpoch, SweZodiac::Lahiri, AyanamsaKind::True),
                Dms(0, 23, 15, 0.658), kTodaysModels);
}

// The other two ayanamsas by their definitions on J1900.0 (JD 2415020.0),
// as the Swiss Ephemeris documentation tabulates them: Raman 21.01444°,
// Krishnamurti 22.363889°. Today's precession models carry them within a
// second of that. Every precise position moves by the ayanamsa's difference
// from Lahiri's (1°26'47" for Raman, 5'49" for Krishnamurti), so the 1950
// Sun is the published Lahiri one shifted by it.
TEST(PreciseSky, EachAyanamsaByItsDefinition) {
    constexpr double kJ1900 = 2415020.0;
    constexpr double kModels = 1 * kArcsecond;
    const struct {
        const char* Name;
        Ayanamsa Choice;
        SweZodiac Zodiac;
        double AtJ1900;
    } rows[] = {
        {"Raman", Ayanamsa::Raman, SweZodiac::Raman, 21.01444},
        {"Krishnamurti", Ayanamsa::Krishnamurti, SweZodiac::Krishnamurti, 22.363889},
    };
    const double lahiri1900 = SweAyanamsaEt(kJ1900, SweZodiac::Lahiri, AyanamsaKind::Mean);
    for (const auto& row : rows) {
        EXPECT_NEAR(SweAyanamsaEt(kJ1900, row.Zodiac, AyanamsaKind::Mean), row.AtJ1900, kModels)
            << row.Name;
        ChartState chart = Chart1950();
        ASSERT_TRUE(ComputePreciseSky(chart, {row.Choice, NodeKind::Mean})) << chart.SkyName;
        const double expected = Dms(kSag, 16, 50, 49) + (lahiri1900 - row.AtJ1900);
        EXPECT_LE(ArcDistance(chart.GrahaLongitudes[kSun], expected), kPublishedSecond + kModels)
            << row.Name << ": got " << chart.GrahaLongitudes[kSun] << ", expected " << expected;
        EXPECT_NE(chart.SkyName.find(std::string(", ") + row.Name + ", "), std::string::npos)
            << chart.SkyName;
    }
}

struct InstantCase {
    const char* Name;
    int Year, Month, Day, Hour, Minute;
    int ZoneHours, ZoneMinutes;  // the table's signed offset, positive west
    bool Dst;
    double ExpectedJd;
};

// Hand arithmetic from J2000.0: 12:00 UT on 2000-01-01 is JD 2451545.0.
const InstantCase kInstants[] = {
    {"Chicago standard time", 2000, 1, 1, 6, 0, 6, 0, false, 2451545.0},
    {"Chicago with daylight saving", 2000, 1, 1, 7, 0, 6, 0, true, 2451545.0},
    {"IST", 2000, 1, 1, 17, 30, -5, -30, false, 2451545.0},
    {"IST across midnight", 2000, 1, 2, 3, 0, -5, -30, false, 2451545.0 + 9.5 / 24},
    {"Newfoundland, half an hour west", 2000, 1, 1, 8, 30, 3, 30, false, 2451545.0},
    {"UT at hour 24", 1999, 12, 31, 24, 0, 0, 0, false, 2451544.5},
    {"1950 midnight", 1950, 1, 1, 0, 0, 0, 0, false, 2433282.5},
    {"IST daylight saving across the year", 2000, 1, 1, 5, 0, -5, -30, true, 2451544.5 - 1.5 / 24},
};

TEST(PreciseSky, UniversalTimeFromZoneAndDaylightSaving) {
    for (const InstantCase& row : kInstants) {
        ChartState chart = Birth(row.Year, row.Month, row.Day, row.Hour, row.Minute);
        SetPlace(chart, row.ZoneHours, row.ZoneMinutes, 0, true, row.Dst);
        EXPECT_NEAR(PreciseJulianDayUt(chart), row.ExpectedJd, kDayArithmetic) << row.Name;
    }
}

TEST(PreciseSky, WestOfGreenwichOnAnEasternZoneIsTheSameInstant) {
    // Western Spain keeps Central European Time: 13:00 there is 12:00 UT.
    ChartState spain = Birth(1990, 7, 15, 13, 0);
    SetPlace(spain, -1, 0, 8, false);
    ChartState greenwich = Birth(1990, 7, 15, 12, 0);
    SetPlace(greenwich, 0, 0, 8, false);
    ASSERT_TRUE(ComputePreciseSky(spain, {}));
    ASSERT_TRUE(ComputePreciseSky(greenwich, {}));
    EXPECT_EQ(PreciseJulianDayUt(spain), PreciseJulianDayUt(greenwich));
    EXPECT_EQ(spain.GrahaLongitudes, greenwich.GrahaLongitudes);
    EXPECT_EQ(spain.MoonPositionText, greenwich.MoonPositionText);
}

}  // namespace
}  // namespace tavrinel
