// The vargas, the dasha and the transits on the command line. The worked
// case is the README's chart (1990-07-15 12:00 IST, New Delhi): its
// documented Moon at 356.30294° (Revati) leaves Mercury 4.71376 years; with
// the sidereal year the Mercury mahadasha runs 1978-04-01 15:24 to
// 1995-04-02 00:00 UTC, Ketu's to 2002-04-01 19:04, Venus's to 2022-04-01
// 22:07, and on 2026-12-08 the Sun's mahadasha holds Ketu's antardasha and
// Venus's pratyantardasha. Its Sun at 88.93001° falls in Gemini in D1 and
// D9, Cancer in D2, Aquarius in D3, Pisces in D4, Sagittarius in D7, Pisces
// in D10, Taurus in D12, Libra in D30 and Pisces in D60; its Mercury at
// 102.75251° in Pisces in D7, Cancer in D10 and Pisces in D30.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "cli/cli_options.h"
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
    EXPECT_NEAR(dasha["MoonLongitude"].get<double>(), 356.30294, 1e-5);
    EXPECT_EQ(dasha["Balance"]["Lord"], "Mercury");
    EXPECT_NEAR(dasha["Balance"]["Years"].get<double>(), 4.71376, 1e-5);
    const json& periods = dasha["Periods"];
    ASSERT_EQ(periods.size(), 9u);
    const struct {
        const char* Lord;
        const char* Start;  // to the minute
        const char* End;
    } kMahadashas[] = {{"Mercury", "1978-04-01T15:24", "1995-04-02T00:00"},
                       {"Ketu", "1995-04-02T00:00", "2002-04-01T19:04"},
                       {"Venus", "2002-04-01T19:04", "2022-04-01T22:07"}};
    for (std::size_t i = 0; i < std::size(kMahadashas); ++i) {
        EXPECT_EQ(periods[i]["Lord"], kMahadashas[i].Lord);
        EXPECT_EQ(periods[i]["Start"].get<std::string>().substr(0, 16), kMahadashas[i].Start);
        EXPECT_EQ(periods[i]["End"].get<std::string>().substr(0, 16), kMahadashas[i].End);
    }
    // Each lord carries its natal dignity, as the reading has it.
    const std::vector<std::string> order = {"Sun", "Moon", "Mercury", "Venus", "Mars",
                                            "Jupiter", "Saturn", "Rahu", "Ketu"};
    for (const json& maha : periods) {
        const auto graha = std::find(order.begin(), order.end(), maha["Lord"]) - order.begin();
        EXPECT_EQ(maha["Dignity"], chart["Dignities"][static_cast<std::size_t>(graha)]);
        ASSERT_EQ(maha["Periods"].size(), 9u);
        EXPECT_EQ(maha["Periods"][0]["Lord"], maha["Lord"]) << "a period opens with its own lord";
        EXPECT_EQ(maha["Periods"][8]["End"], maha["End"]);
        ASSERT_EQ(maha["Periods"][0]["Periods"].size(), 9u);
        EXPECT_FALSE(maha["Periods"][0]["Periods"][0].contains("Periods")) << "three levels";
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
    };
    for (const auto& row : kCases) {
        const json dasha = AnnJson(row.Options).at("Dasha");
        EXPECT_EQ(dasha["YearDays"], row.YearDays);
        if (row.On) {
            EXPECT_EQ(dasha["On"], row.On);
        }
        EXPECT_EQ(dasha["Running"].size(), row.Running);
    }
    // Past the 120 years nothing runs.
    EXPECT_EQ(AnnJson({"--dasha", "--on", "2099-01-01"}).at("Dasha")["Running"], json::array());
}

TEST(CliVargas, TheWorkedCase) {
    const json chart = AnnJson({"--vargas"});
    const json& vargas = chart.at("Vargas");
    const std::vector<std::string> keys = {"D1",  "D2",  "D3",  "D4",  "D7",  "D9",
                                           "D10", "D12", "D16", "D20", "D24", "D27",
                                           "D30", "D40", "D45", "D60"};
    std::vector<std::string> given;
    for (const auto& [key, value] : vargas.items()) {
        given.push_back(key);
        EXPECT_EQ(value["Signs"].size(), 10u);
        EXPECT_EQ(value["Dignities"].size(), 9u);
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
    EXPECT_EQ(vargas["D1"]["Dignities"], chart["Dignities"]);
    EXPECT_EQ(chart["Vargottama"][0], true);
    EXPECT_EQ(chart["Vargottama"][2], false);
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
        {{"--transits", "--format", "svg", "--chart", "dasha"}, "--transits"},
        {{"--varga", "9"}, "--varga"},
        {{"--varga", "8", "--format", "svg"}, "--varga"},
        {{"--varga", "9", "--format", "svg", "--chart", "dasha"}, "--varga"},
        {{"--format", "svg", "--chart", "east"}, "--chart"},
    };
    for (const auto& row : kCases) {
        std::vector<std::string> args = kAnn;
        args.insert(args.end(), row.Options.begin(), row.Options.end());
        ExpectRefused(RunTool(args), row.Option);
    }
    // Beside a moment the dasha picture and the transits are both fine.
    for (const std::vector<std::string>& fine :
         {std::vector<std::string>{"--format", "svg", "--chart", "dasha", "--on", "2000-01-01",
                                   "--dasha-year", "savana"},
          std::vector<std::string>{"--transits", "--on", "2000-02-29"},
          std::vector<std::string>{"--format", "svg", "--chart", "north", "--varga", "60"}}) {
        std::vector<std::string> args = kAnn;
        args.insert(args.end(), fine.begin(), fine.end());
        EXPECT_EQ(RunTool(args).Status, 0) << fine[1];
    }
}

TEST(CliAnalysis, Pictures) {
    std::vector<std::string> timeline = kAnn;
    timeline.insert(timeline.end(), {"--format", "svg", "--chart", "dasha", "--on", "2026-12-08"});
    const std::string dasha = RunTool(timeline).Out;
    for (const char* text : {">Vimshottari dasha of Ann, sidereal year of 365.256363 days<",
                             ">Birth<", ">On<", ">Mercury<", ">Saturn<", ">1980<", ">2090<"}) {
        EXPECT_NE(dasha.find(text), std::string::npos) << text;
    }
    std::vector<std::string> navamsa = kAnn;
    navamsa.insert(navamsa.end(), {"--format", "svg", "--varga", "9"});
    EXPECT_NE(RunTool(navamsa).Out.find(">D9 Navamsa<"), std::string::npos);
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
        {R"("Vargas":"yes")", "Vargas: accepts true or false", 0},
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
    const Result levels = RunTool({"--batch", "-", "--dasha"}, with(R"("DashaLevels":1)"));
    EXPECT_EQ(json::parse(levels.Out)["Dasha"]["Running"].size(), 1u) << levels.Out;
}

TEST(CliAnalysis, TextSections) {
    std::vector<std::string> args = kAnn;
    args.insert(args.end(), {"--vargas", "--dasha", "--transits", "--on", "2026-12-08"});
    const std::string text = RunTool(args).Out;
    for (const char* line : {
             // Jupiter exalted in Cancer, own in Pisces, in its moolatrikona sign
             // Sagittarius; the Moon debilitated in Scorpio, own in Cancer.
             "\nSun     Gem=*  Can+   Aqu-   Pis+   Sag+   Gem=*  Pis+   Tau-\n",
             "\nMoon    Pis=   Leo+   ScoD   Sag=   Pis=   Aqu=   CanO   Cap=\n",
             "\nJupiter Gem-*  CanE   Aqu=   PisO   SagM   Gem-*  PisO   Tau-\n",
             "\nBalance at birth: Mercury, 4.71376 years.\n",
             "\nRunning on 2026-12-08 00:00 (UT+05:30): Sun / Ketu (maha / antar)\n",
             "\nSade Sati: peak (Saturn in sign 1 from the natal Moon).\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace tavrinel::cli
