// The vargas, the dasha and the transits on the command line, all in the
// precise sky. The worked case is the README's chart (1990-07-15 12:00 IST,
// New Delhi, 06:30 UT): the Swiss Ephemeris (Lahiri, mean node) puts its
// Moon at 356.31759° (Revati), which leaves Mercury 4.69508 years; with the
// sidereal year the Mercury mahadasha runs 1978-03-25 19:39 to 1995-03-26
// 04:15 UTC, Ketu's to 2002-03-25 23:19, Venus's to 2022-03-26 02:23, and
// on 2026-12-08 the Sun's mahadasha holds Ketu's antardasha and Venus's
// pratyantardasha. Its Sun at 88.79880° falls in Gemini in D1 and D9,
// Cancer in D2, Aquarius in D3, Pisces in D4, Sagittarius in D7, Pisces in
// D10, Taurus in D12, Libra in D30 and Pisces in D60; its Mercury at
// 102.61325° in Pisces in D7, Cancer in D10 and Pisces in D30.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "ephemeris/swiss_ephemeris.h"
#include "tests/cli/cli_runner.h"

namespace tavrinel::cli {
namespace {

using nlohmann::json;

json AnnJson(std::vector<std::string> more) {
    std::vector<std::string> args = kAnn;
    args.insert(args.end(), more.begin(), more.end());
    args.insert(args.end(), {"--format", "json"});
    const Result run = RunTool(args);
    EXPECT_EQ(run.Status, 0) << run.Err;
    return json::parse(run.Out);
}

TEST(CliDasha, TheWorkedCase) {
    const json chart = AnnJson({"--dasha", "--dasha-levels", "3", "--on", "2026-12-08"});
    const json& dasha = chart.at("Dasha");
    EXPECT_EQ(dasha["System"], "Vimshottari");
    EXPECT_EQ(dasha["YearDays"], 365.256363);
    EXPECT_EQ(dasha["BirthUT"], "1990-07-15T06:30:00Z");
    EXPECT_EQ(dasha["Sky"], "Swiss Ephemeris, Lahiri, mean node");
    EXPECT_NEAR(dasha["MoonLongitude"].get<double>(), 356.31759, 1e-5);
    EXPECT_EQ(dasha["Balance"]["Lord"], "Mercury");
    EXPECT_NEAR(dasha["Balance"]["Years"].get<double>(), 4.69508, 1e-5);
    const json& periods = dasha["Periods"];
    // The nine and Mercury's return, whole, as the cycle starts again.
    ASSERT_EQ(periods.size(), 10u);
    EXPECT_EQ(periods[9]["Lord"], "Mercury");
    EXPECT_EQ(periods[9]["Start"], periods[8]["End"]);
    const struct {
        const char* Lord;
        const char* Start;  // to the minute
        const char* End;
    } kMahadashas[] = {{"Mercury", "1978-03-25T19:39", "1995-03-26T04:15"},
                       {"Ketu", "1995-03-26T04:15", "2002-03-25T23:19"},
                       {"Venus", "2002-03-25T23:19", "2022-03-26T02:23"}};
    for (std::size_t i = 0; i < std::size(kMahadashas); ++i) {
        EXPECT_EQ(periods[i]["Lord"], kMahadashas[i].Lord);
        EXPECT_EQ(periods[i]["Start"].get<std::string>().substr(0, 16), kMahadashas[i].Start);
        EXPECT_EQ(periods[i]["End"].get<std::string>().substr(0, 16), kMahadashas[i].End);
    }
    // Each lord carries its natal dignity in the sky the dasha is counted
    // in: D1's, from the precise positions.
    const json vargas = AnnJson({"--vargas"}).at("Vargas");
    const std::vector<std::string> order = {"Sun", "Moon", "Mercury", "Venus", "Mars",
                                            "Jupiter", "Saturn", "Rahu", "Ketu"};
    for (const json& maha : periods) {
        const auto graha = std::find(order.begin(), order.end(), maha["Lord"]) - order.begin();
        EXPECT_EQ(maha["Dignity"], vargas["D1"]["Dignities"][static_cast<std::size_t>(graha)]);
        ASSERT_EQ(maha["Periods"].size(), 9u);
        EXPECT_EQ(maha["Periods"][0]["Lord"], maha["Lord"]) << "a period opens with its own lord";
        EXPECT_EQ(maha["Periods"][8]["End"], maha["End"]);
        ASSERT_EQ(maha["Periods"][0]["Periods"].size(), 9u);
        EXPECT_FALSE(maha["Periods"][0]["Periods"][0].contains("Periods")) << "three levels";
        // Every antardasha's own nine, not the first mahadasha's again.
        for (const json& antar : maha["Periods"]) {
            ASSERT_EQ(antar["Periods"].size(), 9u);
            EXPECT_EQ(antar["Periods"][0]["Lord"], antar["Lord"]) << maha["Lord"];
            EXPECT_EQ(antar["Periods"][0]["Start"], antar["Start"]) << maha["Lord"];
            EXPECT_EQ(antar["Periods"][8]["End"], antar["End"]) << maha["Lord"];
        }
    }
    EXPECT_EQ(dasha["On"], "2026-12-07T18:30:00Z");
    EXPECT_EQ(dasha["Running"], json({"Sun", "Ketu", "Venus"}));
}

TEST(CliDasha, YearsLevelsAndMoments) {
    const struct {
        std::vector<std::string> Options;
        double YearDays;
        const char* On;
        std::size_t Running;
    } kCases[] = {
        {{"--dasha", "--on", "2026-12-08T00:00"}, 365.256363, "2026-12-07T18:30:00Z", 2},
        {{"--dasha", "--on", "2026-12-07T18:30Z"}, 365.256363, "2026-12-07T18:30:00Z", 2},
        {{"--dasha", "--dasha-year", "julian", "--on", "2000-01-01", "--dasha-levels", "1"},
         365.25, "1999-12-31T18:30:00Z", 1},
        {{"--dasha", "--dasha-year", "gregorian", "--on", "2000-01-01Z", "--dasha-levels", "5"},
         365.2425, "2000-01-01T00:00:00Z", 5},
        {{"--dasha", "--dasha-year", "savana"}, 360, nullptr, 2},
        // Keys in any case, as --on takes t and z.
        {{"--dasha", "--dasha-year", "JULIAN", "--on", "2000-01-01t00:00z"}, 365.25,
         "2000-01-01T00:00:00Z", 2},
        {{"--dasha", "--dasha-year", "Savana"}, 360, nullptr, 2},
    };
    for (const auto& row : kCases) {
        const json dasha = AnnJson(row.Options).at("Dasha");
        EXPECT_EQ(dasha["YearDays"], row.YearDays);
        if (row.On) {
            EXPECT_EQ(dasha["On"], row.On);
        }
        EXPECT_EQ(dasha["Running"].size(), row.Running);
    }
    // The cycle starts again: Mercury's second mahadasha from 2098 (its own
    // antardasha the first 2.40833 years) is the last listed, to 2115-04;
    // Ketu's follows, its Jupiter antardasha 3.967-4.9 years in.
    EXPECT_EQ(AnnJson({"--dasha", "--on", "2099-01-01"}).at("Dasha")["Running"],
              json({"Mercury", "Mercury"}));
    EXPECT_EQ(AnnJson({"--dasha", "--on", "2120-01-01"}).at("Dasha")["Running"],
              json({"Ketu", "Jupiter"}));
}

// The Sun's mahadasha begins 2022-03-26 02:23:06 UT, 07:53:06 on the birth
// zone's clock: shown as 07:54, the first minute at which it runs.
TEST(CliDasha, AShownStartIsAMomentThePeriodRuns) {
    std::vector<std::string> args = kAnn;
    args.insert(args.end(), {"--dasha", "--dasha-levels", "1", "--on", "2026-12-08"});
    const std::string text = RunTool(args).Out;
    EXPECT_NE(text.find("\nSun                    Peregrine     2022-03-26 07:54  2028-03-25 "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nDates on the birth zone's clock, UT+05:30, rounded up to the minute.\n"
                        "A lord's dignity is its dignity in the birth chart.\n"),
              std::string::npos)
        << text;
    const json periods = AnnJson({"--dasha"}).at("Dasha")["Periods"];
    EXPECT_EQ(periods[3]["Start"], "2022-03-26T02:23:06Z") << "the JSON keeps the seconds";
    const struct {
        const char* On;
        const char* Running;
    } kMoments[] = {{"2022-03-26T07:54", "Sun"}, {"2022-03-26T07:53", "Venus"},
                    {"2022-03-26T02:24Z", "Sun"}, {"2022-03-26T02:23Z", "Venus"}};
    for (const auto& row : kMoments) {
        EXPECT_EQ(AnnJson({"--dasha", "--on", row.On}).at("Dasha")["Running"][0], row.Running)
            << row.On;
    }
}

TEST(CliVargas, TheWorkedCase) {
    const json chart = AnnJson({"--vargas"});
    const json& vargas = chart.at("Vargas");
    const std::vector<std::string> keys = {"D1",  "D2",  "D3",  "D4",  "D7",  "D9",
                                           "D10", "D12", "D16", "D20", "D24", "D27",
                                           "D30", "D40", "D45", "D60"};
    EXPECT_EQ(vargas["Sky"], "Swiss Ephemeris, Lahiri, mean node");
    std::vector<std::string> given;
    for (const auto& [key, value] : vargas.items()) {
        if (key == "Sky") {
            continue;
        }
        given.push_back(key);
        EXPECT_EQ(value["Signs"].size(), 10u);
        EXPECT_EQ(value["Dignities"].size(), 9u);
        EXPECT_EQ(value["Relationships"].size(), 9u);
    }
    EXPECT_EQ(given.size(), keys.size());
    for (const std::string& key : keys) {
        EXPECT_TRUE(vargas.contains(key)) << key;
    }
    const struct {
        int Graha;
        const char* Varga;
        const char* Sign;
    } kSigns[] = {{0, "D1", "Gem"},  {0, "D9", "Gem"},  {0, "D2", "Can"},  {0, "D3", "Aqu"},
                  {0, "D4", "Pis"},  {0, "D7", "Sag"},  {0, "D10", "Pis"}, {0, "D12", "Tau"},
                  {0, "D30", "Lib"}, {0, "D60", "Pis"}, {2, "D7", "Pis"},  {2, "D10", "Can"},
                  {2, "D30", "Pis"}, {9, "D1", "Vir"}};
    for (const auto& row : kSigns) {
        EXPECT_EQ(vargas[row.Varga]["Signs"][row.Graha], row.Sign) << row.Graha << row.Varga;
    }
    // The reading's dignities here, since the precise sky leaves every
    // graha of this chart in the same sign and dignity.
    EXPECT_EQ(vargas["D1"]["Dignities"], chart["Dignities"]);
    EXPECT_EQ(chart["Vargottama"][0], true);
    EXPECT_EQ(chart["Vargottama"][2], false);
    // Each planet to its rasi sign's lord, natural plus temporal (the lord
    // 2nd, 3rd, 4th, 10th, 11th or 12th from it a friend), in the rasi signs
    // Sun Gem, Moon Pis, Mercury Can, Venus Gem, Mars Ari (own), Jupiter Gem,
    // Saturn Sag: Mercury neutral, 2nd; Jupiter neutral, 4th; the Moon enemy,
    // 9th; Mercury friend, 2nd; Mercury enemy, 2nd; Jupiter neutral, 7th.
    EXPECT_EQ(vargas["D1"]["Relationships"],
              json::parse(R"(["Friend", "Friend", "GreatEnemy", "GreatFriend", null, "Neutral",
                              "Enemy", null, null])"));
}

TEST(CliTransits, SaturnOverTheNatalMoon) {
    // Saturn stands in sidereal Pisces from 2025 to 2027, over Ann's Moon.
    const json transits = AnnJson({"--transits", "--on", "2026-12-08T14:30Z"}).at("Transits");
    EXPECT_EQ(transits["On"], "2026-12-08T14:30:00Z");
    EXPECT_EQ(transits["PositionTexts"][6].get<std::string>().substr(3, 3), "Pis");
    EXPECT_EQ(transits["SignFromMoon"][6], 1);
    EXPECT_EQ(transits["SignFromLagna"][6], 7) << "Pisces from a Virgo Lagna";
    EXPECT_EQ(transits["SadeSati"], "peak");
    EXPECT_EQ(transits["Dignities"].size(), 9u);
}

// Ann born at noon in Kathmandu on Nepal's UTC+5:45, which no zone entry has
// (the nearest, Indian Time, is 15 minutes off): birth 06:15 UT; midnight of
// 2026-12-08 there is 2026-12-07 18:15 UT, and 14:30 UT is 20:15 there. Every
// clock shown or read is that offset's, never the nearest entry's.
TEST(CliAnalysis, EveryClockAtAnExactOffset) {
    const std::vector<std::string> nepal = {
        "--name", "Ann",    "--date", "1990-07-15", "--time",  "12:00",  "--utc-offset",
        "+5:45",  "--lat",  "27:42N", "--lon",      "85:19E",  "--sky",  "precise"};
    const auto run = [&nepal](std::vector<std::string> more) {
        std::vector<std::string> args = nepal;
        args.insert(args.end(), more.begin(), more.end());
        const Result result = RunTool(args);
        EXPECT_EQ(result.Status, 0) << result.Err;
        return result.Out;
    };
    const json chart =
        json::parse(run({"--dasha", "--transits", "--on", "2026-12-08", "--format", "json"}));
    EXPECT_EQ(chart["UtcOffsetSeconds"], 20700);
    EXPECT_EQ(chart["Dasha"]["BirthUT"], "1990-07-15T06:15:00Z");
    EXPECT_EQ(chart["Dasha"]["On"], "2026-12-07T18:15:00Z");
    EXPECT_EQ(chart["Transits"]["On"], "2026-12-07T18:15:00Z");

    const std::string text = run({"--dasha", "--transits", "--on", "2026-12-08T14:30Z"});
    for (const char* line : {"Dates on the birth zone's clock, UT+05:45, rounded up to the minute.",
                             "Running on 2026-12-08 20:15 (UT+05:45): ",
                             "Transits on 2026-12-08 20:15 (UT+05:45) (precise sky: "}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_NE(run({"--format", "svg"}).find(">15 July 1990, 12:00 UTC+5:45<"), std::string::npos);

    // Every chart says its offset: Indian Time's +5:30, an hour more with
    // daylight saving.
    EXPECT_EQ(AnnJson({})["UtcOffsetSeconds"], 19800);
    EXPECT_EQ(AnnJson({"--dst"})["UtcOffsetSeconds"], 23400);
}

// London 1990-07-15 12:00 BST, cast in the documented sky: its Moon, on a
// time base of its own two hours late, stands at 0 Ari 05 in Ashwini (Ketu's);
// the Swiss Ephemeris puts it at 358.9435 (28 Pis 56, Revati, Mercury's) with
// Lahiri's ayanamsa, and at 0.3898 (0 Ari 23, Ashwini) with Raman's, 1.46
// degrees smaller. Revati's last 1.0565 of its 13.3333 degrees leave Mercury
// 1.347 of 17 years; Ashwini's 12.9435 left leave Ketu 6.795 of 7. A Moon at
// 28 Pis 56 falls in the ninth navamsa of a water sign counted from Cancer,
// Pisces, vargottama. Saturn stands in sidereal Pisces from 2025 to 2027:
// over a Pisces Moon, Sade Sati's peak; twelfth from an Aries one, rising.
struct PreciseSkyCase {
    const char* Name;
    std::vector<std::string> Options;
    const char* Sky;
    double Moon;
    const char* Lord;
    double Balance;
    const char* MoonD1;
    const char* MoonD9;
    int SaturnFromMoon;
    const char* SadeSati;
};

const PreciseSkyCase kPreciseSkyCases[] = {
    {"Lahiri",
     {},
     "Swiss Ephemeris, Lahiri, mean node",
     358.9435,
     "Mercury",
     1.347,
     "Pis",
     "Pis",
     1,
     "peak"},
    {"Raman",
     {"--ayanamsa", "raman"},
     "Swiss Ephemeris, Raman, mean node",
     0.3898,
     "Ketu",
     6.795,
     "Ari",
     "Ari",
     12,
     "rising"},
};

const std::vector<std::string> kLondon = {
    "--name", "X", "--place", "London, United Kingdom", "--date", "1990-07-15", "--time", "12:00"};

TEST(CliAnalysis, BuiltOnThePreciseSkyWhateverTheReadingsSky) {
    // A Moon to the arc-minute, and a balance to its thousandth of a year.
    constexpr double kArcminute = 1.0 / 60;
    constexpr double kThousandth = 0.001;
    for (const PreciseSkyCase& row : kPreciseSkyCases) {
        SCOPED_TRACE(row.Name);
        std::vector<std::string> args = kLondon;
        args.insert(args.end(), row.Options.begin(), row.Options.end());
        args.insert(args.end(), {"--vargas", "--dasha", "--transits", "--on", "2026-12-08T00:00Z",
                                 "--format", "json"});
        const Result run = RunTool(args);
        ASSERT_EQ(run.Status, 0) << run.Err;
        const json chart = json::parse(run.Out);
        EXPECT_EQ(chart["PlanetPositionTexts"][1], "00 Ari 05") << "the reading stays documented";
        EXPECT_EQ(chart["SkyCheck"]["Ayanamsa"], "lahiri") << "and so does its check";
        EXPECT_LT(chart["DocumentedLongitudes"][1].get<double>(), 1);
        EXPECT_NEAR(chart["Longitudes"][1].get<double>(), row.Moon, kArcminute);
        EXPECT_TRUE(chart["LagnaLongitude"].is_number());
        const json& dasha = chart["Dasha"];
        EXPECT_EQ(dasha["Sky"], row.Sky);
        EXPECT_NEAR(dasha["MoonLongitude"].get<double>(), row.Moon, kArcminute);
        EXPECT_EQ(dasha["Balance"]["Lord"], row.Lord);
        EXPECT_NEAR(dasha["Balance"]["Years"].get<double>(), row.Balance, kThousandth);
        EXPECT_EQ(dasha["Periods"][0]["Lord"], row.Lord);
        EXPECT_EQ(chart["Vargas"]["Sky"], row.Sky);
        EXPECT_EQ(chart["Vargas"]["D1"]["Signs"][1], row.MoonD1);
        EXPECT_EQ(chart["Vargas"]["D9"]["Signs"][1], row.MoonD9);
        EXPECT_EQ(chart["Vargottama"][1], true);
        EXPECT_EQ(chart["Transits"]["Sky"], row.Sky);
        EXPECT_EQ(chart["Transits"]["SignFromMoon"][6], row.SaturnFromMoon);
        EXPECT_EQ(chart["Transits"]["SadeSati"], row.SadeSati);
    }
}

// Each section built on the precise sky names it in its first line, the
// analytical theory's name where the ephemeris files are missing.
class AnalyticalFallback {
  public:
    AnalyticalFallback() { UseEphemerisPath("/nonexistent/tavrinel-no-ephemeris"); }
    ~AnalyticalFallback() { UseEphemerisPath(DefaultEphemerisPath()); }
    AnalyticalFallback(const AnalyticalFallback&) = delete;
    AnalyticalFallback& operator=(const AnalyticalFallback&) = delete;
};

TEST(CliAnalysis, FirstLinesNameTheSky) {
    std::vector<std::string> args = kLondon;
    args.insert(args.end(), {"--vargas", "--dasha", "--transits", "--on", "2026-12-08T00:00Z"});
    std::vector<std::string> timeline = kLondon;
    timeline.insert(timeline.end(), {"--format", "svg", "--chart", "dasha"});
    std::vector<std::string> navamsa = kLondon;
    navamsa.insert(navamsa.end(), {"--format", "svg", "--varga", "9"});
    for (const bool files : {true, false}) {
        SCOPED_TRACE(files ? "files" : "analytical");
        std::optional<AnalyticalFallback> fallback;
        if (!files) {
            fallback.emplace();
        }
        const std::string sky = files ? "Swiss Ephemeris, Lahiri, mean node"
                                      : "analytical ephemeris, Lahiri, mean node";
        const std::string text = RunTool(args).Out;
        for (const std::string& line :
             {"\nVargas (precise sky: " + sky + ").\n",
              "\nVimshottari dasha from the Moon at 28 Pis 56 in Revati (precise sky: " + sky +
                  ").\n",
              "\nTransits on 2026-12-08 01:00 (UT+01:00) (precise sky: " + sky + "):\n"}) {
            EXPECT_NE(text.find(line), std::string::npos) << line << text;
        }
        EXPECT_NE(RunTool(timeline).Out.find(
                      ", sidereal year of 365.256363 days (precise sky: " + sky + ")<"),
                  std::string::npos);
        EXPECT_NE(RunTool(navamsa).Out.find(">Precise sky: " + sky + "<"), std::string::npos);
    }
}

// A reading cast in the precise sky has no documented positions beside it,
// and its longitudes are its own.
TEST(CliAnalysis, DocumentedLongitudesOnlyBesideADocumentedReading) {
    std::vector<std::string> args = kAnn;
    args.insert(args.end(), {"--sky", "precise", "--format", "json"});
    const json precise = json::parse(RunTool(args).Out);
    EXPECT_TRUE(precise["DocumentedLongitudes"].is_null());
    EXPECT_NEAR(precise["Longitudes"][1].get<double>(), 356.31759, 1e-5);
    // The same sky, but for the rounding of the library's two ways to it
    // (under 1e-12 degree).
    constexpr double kRounding = 1e-9;
    const json documented = AnnJson({});
    for (std::size_t g = 0; g < 9; ++g) {
        EXPECT_NEAR(documented["Longitudes"][g].get<double>(),
                    precise["Longitudes"][g].get<double>(), kRounding);
    }
    EXPECT_NEAR(documented["LagnaLongitude"].get<double>(), precise["LagnaLongitude"].get<double>(),
                kRounding);
    EXPECT_NEAR(documented["DocumentedLongitudes"][1].get<double>(), 356.30294, 1e-5);
}

TEST(CliAnalysis, RefusedWhereAnOptionWouldDoNothing) {
    const struct {
        std::vector<std::string> Options;
        const char* Option;
    } kCases[] = {
        {{"--dasha-levels", "3"}, "--dasha-levels"},
        {{"--dasha", "--dasha-levels", "6"}, "--dasha-levels"},
        {{"--dasha", "--dasha-year", "lunar"}, "--dasha-year"},
        {{"--dasha-year", "julian"}, "--dasha-year"},
        {{"--on", "2026-12-08"}, "--on"},
        {{"--dasha", "--on", "2026-02-29"}, "--on"},
        {{"--dasha", "--on", "2100-02-29"}, "--on"},
        {{"--dasha", "--on", "2026-12-08T24:00"}, "--on"},
        {{"--dasha", "--on", "1799-12-31Z"}, "--on"},
        {{"--dasha", "--on", "2400-01-01Z"}, "--on"},
        {{"--dasha", "--on", "2026-12-08 14:30"}, "--on"},
        {{"--dasha", "--format", "svg"}, "--dasha"},
        {{"--vargas", "--format", "svg"}, "--vargas"},
        {{"--strength", "--format", "svg", "--chart", "north"}, "--strength"},
        {{"--transits", "--format", "svg", "--chart", "dasha"}, "--transits"},
        {{"--varga", "9"}, "--varga"},
        {{"--varga", "8", "--format", "svg"}, "--varga"},
        {{"--varga", "D8", "--format", "svg"}, "--varga"},
        {{"--varga", "DD9", "--format", "svg"}, "--varga"},
        {{"--varga", "D", "--format", "svg"}, "--varga"},
        {{"--varga", "9", "--format", "svg", "--chart", "dasha"}, "--varga"},
        {{"--format", "svg", "--chart", "east"}, "--chart"},
    };
    for (const auto& row : kCases) {
        std::vector<std::string> args = kAnn;
        args.insert(args.end(), row.Options.begin(), row.Options.end());
        ExpectRefused(RunTool(args), row.Option);
    }
    // A day past its month's end is named with the month's length.
    const struct {
        const char* On;
        const char* Says;
    } kMonthEnds[] = {
        {"2026-02-31", "February 2026 has 28 days"}, {"2024-02-30", "February 2024 has 29 days"},
        {"2100-02-29", "February 2100 has 28 days"}, {"2000-02-30", "February 2000 has 29 days"},
        {"2026-04-31T12:00Z", "April 2026 has 30 days"},
    };
    for (const auto& row : kMonthEnds) {
        std::vector<std::string> args = kAnn;
        args.insert(args.end(), {"--dasha", "--on", row.On});
        const Result run = RunTool(args);
        ExpectRefused(run, "--on");
        EXPECT_NE(run.Err.find(row.Says), std::string::npos) << run.Err;
    }
    // Beside a moment the dasha picture and the transits are both fine.
    for (const std::vector<std::string>& fine :
         {std::vector<std::string>{"--format", "svg", "--chart", "dasha", "--on", "2000-01-01",
                                   "--dasha-year", "savana"},
          std::vector<std::string>{"--transits", "--on", "2000-02-29"},
          std::vector<std::string>{"--strength", "--ayanamsa", "raman", "--node", "true"},
          std::vector<std::string>{"--format", "svg", "--chart", "north", "--varga", "60"},
          std::vector<std::string>{"--format", "svg", "--chart", "north", "--varga", "D9"},
          std::vector<std::string>{"--format", "svg", "--chart", "south", "--varga", "d60"}}) {
        std::vector<std::string> args = kAnn;
        args.insert(args.end(), fine.begin(), fine.end());
        EXPECT_EQ(RunTool(args).Status, 0) << fine[1];
    }
}

TEST(CliAnalysis, Pictures) {
    std::vector<std::string> timeline = kAnn;
    timeline.insert(timeline.end(), {"--format", "svg", "--chart", "dasha", "--on", "2026-12-08"});
    const std::string dasha = RunTool(timeline).Out;
    for (const char* text : {">Vimshottari dasha of Ann, sidereal year of 365.256363 days "
                             "(precise sky: Swiss Ephemeris, Lahiri, mean node)<",
                             ">Birth<", ">On<", ">Mercury<", ">Saturn<", ">1980<", ">2090<"}) {
        EXPECT_NE(dasha.find(text), std::string::npos) << text;
    }
    std::vector<std::string> navamsa = kAnn;
    navamsa.insert(navamsa.end(), {"--format", "svg", "--varga", "9"});
    EXPECT_NE(RunTool(navamsa).Out.find(">D9 Navamsa<"), std::string::npos);
    navamsa.back() = "d9";
    const std::string picture = RunTool(navamsa).Out;
    EXPECT_NE(picture.find(">D9 Navamsa<"), std::string::npos);
    EXPECT_NE(picture.find(">Precise sky: Swiss Ephemeris, Lahiri, mean node<"), std::string::npos);
    EXPECT_EQ(picture.find("As documented"), std::string::npos) << "not the reading's sky";
}

TEST(CliAnalysis, BatchKeys) {
    const std::string line = std::string(kGoodLine);
    const auto with = [&line](const std::string& keys) {
        return line.substr(0, line.size() - 1) + "," + keys + "}\n";
    };
    const struct {
        std::string Keys;
        const char* Field;  // what the answer holds, or the start of its error
        std::size_t Running;
    } kCases[] = {
        {R"("Dasha":3,"On":"2026-12-08")", "Dasha", 3},
        {R"("Dasha":true,"On":"2026-12-08")", "Dasha", 2},
        {R"("Dasha":false,"Vargas":true)", "Vargas", 0},
        {R"("Transits":true,"On":"2026-12-08T14:30Z")", "Transits", 0},
        {R"("Dasha":6)", "Dasha: accepts a whole number from 1 to 5", 0},
        {R"("Dasha":"yes")", "Dasha: accepts true, false or a number of levels", 0},
        {R"("Dasha":1,"On":"2026-13-01")", "On: accepts a date", 0},
        {R"("Dasha":1,"DashaYear":"lunar")", "DashaYear: accepts sidereal", 0},
        {R"("Dasha":1,"On":"2026-02-29")", "On: day 29 is past the month's end: February 2026 has 28 days", 0},
        {R"("Vargas":"yes")", "Vargas: accepts true or false", 0},
        {R"("Strength":true)", "Strength", 0},
        {R"("Strength":1)", "Strength: accepts true or false", 0},
        {R"("Dasha":true,"DashaLevels":5,"On":"2026-12-08")", "Dasha", 5},
        {R"("Dasha":true,"DashaLevels":6)", "DashaLevels: accepts a whole number from 1 to 5", 0},
        {R"("Dasha":3,"DashaLevels":3)", "DashaLevels: the levels are given by \"Dasha\"", 0},
        // What shapes the dasha or names its moment, on a line without them.
        {R"("DashaLevels":3)", "DashaLevels: shapes the dasha", 0},
        {R"("Dasha":false,"DashaYear":"julian")", "DashaYear: shapes the dasha", 0},
        {R"("On":"2026-12-08")", "On: names the moment", 0},
        {R"("Vargas":true,"On":"2026-12-08")", "On: names the moment", 0},
        {R"("Transits":false,"Dasha":false,"On":"2026-12-08")", "On: names the moment", 0},
    };
    for (const auto& row : kCases) {
        const Result run = RunTool({"--batch", "-"}, with(row.Keys));
        const json answer = json::parse(run.Out);
        if (answer.contains("error")) {
            EXPECT_EQ(run.Status, 1);
            EXPECT_EQ(answer["error"].get<std::string>().rfind(row.Field, 0), 0u)
                << row.Keys << answer["error"];
            continue;
        }
        EXPECT_TRUE(answer.contains(row.Field)) << row.Keys;
        EXPECT_EQ(answer.contains("Dasha"), row.Running > 0) << row.Keys;
        if (row.Running > 0) {
            EXPECT_EQ(answer["Dasha"]["Running"].size(), row.Running) << row.Keys;
            EXPECT_EQ(answer["Dasha"]["Running"][1], "Ketu") << row.Keys;
        }
    }
    // The command line's choice is every line's default.
    const Result defaults =
        RunTool({"--batch", "-", "--dasha", "--dasha-year", "savana"}, line + "\n");
    EXPECT_EQ(json::parse(defaults.Out)["Dasha"]["YearDays"], 360);
    const Result strength = RunTool({"--batch", "-", "--strength", "--ayanamsa", "raman"},
                                    line + "\n" + with(R"("Strength":false)"));
    const std::string first = strength.Out.substr(0, strength.Out.find('\n'));
    EXPECT_EQ(json::parse(first)["Strength"]["Sky"], "Swiss Ephemeris, Raman, mean node");
    EXPECT_EQ(json::parse(strength.Out.substr(first.size() + 1)).count("Strength"), 0u);
    // A key in any case, as the option takes it.
    const Result julian = RunTool({"--batch", "-"}, with(R"("Dasha":1,"DashaYear":"Julian")"));
    EXPECT_EQ(json::parse(julian.Out)["Dasha"]["YearDays"], 365.25) << julian.Out;
    const Result levels = RunTool({"--batch", "-", "--dasha"}, with(R"("DashaLevels":1)"));
    EXPECT_EQ(json::parse(levels.Out)["Dasha"]["Running"].size(), 1u) << levels.Out;
}

TEST(CliAnalysis, TextSections) {
    std::vector<std::string> args = kAnn;
    args.insert(args.end(), {"--vargas", "--dasha", "--transits", "--on", "2026-12-08"});
    const std::string text = RunTool(args).Out;
    for (const char* line : {
             // Jupiter exalted in Cancer, own in Pisces, in its moolatrikona sign
             // Sagittarius; the Moon debilitated in Scorpio, own in Cancer. The
             // marks: natural plus temporal relation to the sign's lord, from
             // the rasi signs Sun, Venus, Jupiter Gem, Moon Pis, Mercury Can,
             // Saturn Sag. For the Sun, Mercury (neutral, 2nd) a friend, the
             // Moon (friend, 10th) a great friend, Saturn (enemy, 7th) and Venus
             // (enemy, 1st) great enemies, Jupiter (friend, 1st) a neutral.
             "\nSun     Gem+*  Can++  Aqu--  Pis=   Sag=   Gem+*  Pis=   Tau--\n",
             // For the Moon, Jupiter (neutral, 4th) and Saturn (neutral, 10th)
             // friends, the Sun (friend, 4th) a great friend.
             "\nMoon    Pis+   Leo++  ScoD   Sag+   Pis+   Aqu+   CanO   Cap+\n",
             // For Jupiter, Mercury (enemy, 2nd) a neutral, Saturn (neutral,
             // 7th) an enemy, Venus (enemy, 1st) a great enemy.
             "\nJupiter Gem=*  CanE   Aqu-   PisO   SagM   Gem=*  PisO   Tau--\n",
             "\nBalance at birth: Mercury, 4.69508 years.\n",
             // Mars in Aries, its own sign: the words of the window's tables.
             "\nMars                   Own sign      ",
             "\nRunning on 2026-12-08 00:00 (UT+05:30): Sun / Ketu (maha / antar)\n",
             "\nSade Sati: peak (Saturn in sign 1 from the natal Moon).\n",
             // Rows whole, on the zone's clock rounded up to the minute: the
             // Sun's six years from 2022-03-26 02:23:06 UT end 2191.538 days
             // on, 2028-03-25 15:18:05 UT; its own antardasha, 6 x 6 / 120 =
             // 0.3 of a year, 109.577 days, 2022-07-13 16:13:51 UT.
             "\nSun                    Peregrine     2022-03-26 07:54  2028-03-25 20:49\n",
             "\n           Sun         Peregrine     2022-03-26 07:54  2022-07-13 21:44\n",
             // The Swiss Ephemeris's Sun and Moon at 2026-12-07 18:30 UT,
             // Lahiri: 231.425 and 217.477, 21 Sco 25 and 07 Sco 28, the third
             // sign from the Virgo Lagna and the ninth from the Pisces Moon;
             // the Moon debilitated in Scorpio.
             "\nSun      21 Sco 25    Peregrine     3           9\n",
             "\nMoon     07 Sco 28    Debilitated   3           9\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    // The mean node always moves backward, the lights never: R after Rahu's
    // and Ketu's positions, and after no light's.
    for (const auto& [graha, retrograde] : {std::pair{"Sun", false}, std::pair{"Moon", false},
                                           std::pair{"Rahu", true}, std::pair{"Ketu", true}}) {
        const std::size_t row = text.find("\n" + std::string(graha) + " ", text.find("\nGraha "));
        ASSERT_NE(row, std::string::npos) << graha;
        EXPECT_EQ(text.substr(row + 1 + 9 + 9, 4), retrograde ? " R  " : "    ")
            << text.substr(row, 40);
    }
}

}  // namespace
}  // namespace tavrinel::cli
