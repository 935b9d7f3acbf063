#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "cli/cli_options.h"
#include "cli/library_command.h"
#include "cli_runner.h"
#include "folder_test.h"
#include "library_files.h"

namespace tavrinel::cli {
namespace {

namespace fs = std::filesystem;
using library::testing::AnnLines;
using library::testing::FileBytes;
using library::testing::FileLines;
using library::testing::WriteFile;
using library::testing::FolderTest;
using library::testing::ReadBytes;

class LibraryCliTest : public FolderTest {
  protected:
    LibraryCliTest() : FolderTest("tavrinel_library_cli_") {}
    Result Library(std::vector<std::string> args, const std::string& input = "") {
        args.insert(args.begin(), {"library", "--file", (dir_ / "library.sqlite3").string()});
        return RunTool(std::move(args), input);
    }
};

// Ann (line by line as the file lays it out) at an exact offset of
// UTC+5:21:10, with notes and tags added afterwards: the offset stands for
// the zone and the daylight saving, as the batch takes it.
constexpr std::string_view kAnnLine =
    R"({"Id":1,"PersonName":"Ann","BirthDay":15,"BirthMonth":7,"BirthYear":1990,)"
    R"("BirthHour":12,"BirthMinute":0,"LatDegrees":28,"LatMinutes":36,)"
    R"("LatDirection":"N","LonDegrees":77,"LonMinutes":12,"LonDirection":"E",)"
    R"("CityName":"New Delhi","StateName":"Delhi",)"
    R"("CountryName":"India","UtcOffset":"+5:21:10","Notes":"met in \"Pune\"\nS)"
    "\u00e3o\",\"Tags\":[\"s\u00e3o paulo\",\"vip\"]}"
    "\n";

TEST_F(LibraryCliTest, ImportSearchShowAndBatchLinesHaveTheDocumentedShapes) {
    const fs::path in = dir_ / "in";
    FileLines bob = AnnLines();
    bob[0] = "Bob";
    bob[5] = "30";
    FileLines damaged = AnnLines();
    damaged[10] = "";
    WriteFile(in / "ann.tvl", FileBytes(AnnLines(), "UtcOffsetSeconds=19270"));
    WriteFile(in / "sub" / "Ann again.TVL", FileBytes(AnnLines(), "UtcOffsetSeconds=19270"));
    WriteFile(in / "sub" / "bob.tvl", FileBytes(bob));
    WriteFile(in / "damaged.tvl", FileBytes(damaged));
    WriteFile(in / "readme.md", "skipped");

    const Result imported = Library({"import", in.string()});
    EXPECT_EQ(imported.Status, 1);
    EXPECT_EQ(imported.Out, R"({"Imported":2,"Duplicates":1,"Refused":[{"File":")" +
                                (in / "damaged.tvl").string() +
                                R"(","Reason":"Please Enter Minutes of Latitude"}]})" + "\n");
    const Result clean = Library({"import", (in / "sub").string()});
    EXPECT_EQ(clean.Status, 0);
    EXPECT_EQ(clean.Out, R"({"Imported":0,"Duplicates":2,"Refused":[]})"
                         "\n");

    ASSERT_EQ(Library({"note", "1", "met in \"Pune\"\nS\u00e3o"}).Status, 0);
    ASSERT_EQ(Library({"tag", "1", "vip", "s\u00e3o paulo", "vip"}).Status, 0);
    ASSERT_EQ(Library({"tag", "2", "old"}).Status, 0);
    ASSERT_EQ(Library({"untag", "2", "old"}).Status, 0);

    const Result shown = Library({"show", "1"});
    EXPECT_EQ(shown.Status, 0);
    EXPECT_EQ(shown.Out, kAnnLine);
    EXPECT_EQ(Library({"search", "SAO"}).Out, kAnnLine);
    EXPECT_EQ(Library({"search", "pune"}).Out, kAnnLine);
    EXPECT_EQ(Library({"search", "ann", "sao"}).Out, kAnnLine);  // words as the shell splits them
    EXPECT_EQ(Library({"search", "ann", "bob"}).Out, "");
    const Result all = Library({"search"});
    EXPECT_TRUE(all.Out.starts_with(kAnnLine));
    EXPECT_NE(all.Out.find(R"("Id":2,"PersonName":"Bob")"), std::string::npos);
    EXPECT_EQ(Library({"batch"}).Out, all.Out);
    EXPECT_EQ(Library({"search", "--limit", "0"}).Out, all.Out);
    const Result first = Library({"search", "--limit", "1"});
    EXPECT_EQ(first.Out, kAnnLine);
    EXPECT_EQ(first.Err,
              "tavrinel-cli: library: search: the first 1 of 2 charts found; --limit 0 gives "
              "them all\n");

    const Result csv = Library({"show", "1", "--format", "csv"});
    EXPECT_EQ(csv.Out,
              "Id,PersonName,BirthDay,BirthMonth,BirthYear,BirthHour,BirthMinute,TimeZone,"
              "LatDegrees,LatMinutes,LatDirection,LonDegrees,LonMinutes,LonDirection,"
              "DaylightSaving,CityName,StateName,CountryName,UtcOffset,Notes,Tags\r\n"
              "1,Ann,15,7,1990,12,0,34,28,36,N,77,12,E,false,New Delhi,Delhi,India,+5:21:10,"
              "\"met in \"\"Pune\"\"\nS\u00e3o\",s\u00e3o paulo; vip\r\n");
}

// The answer to each line of a study, as the batch writes it: the line's
// number, the Id it carries ("" for none) and its error ("" for a chart).
struct StudyRow {
    std::string Line;
    std::string Id;
    std::string Error;
};

std::vector<StudyRow> StudyRows(const std::string& out, bool csv) {
    std::vector<StudyRow> rows;
    std::istringstream lines(out);
    std::string line;
    if (csv) {
        std::getline(lines, line);
        EXPECT_TRUE(line.starts_with("line,Id,PersonName,")) << line;
        EXPECT_TRUE(line.ends_with(",error\r")) << line;
    }
    while (std::getline(lines, line)) {
        if (csv) {
            // No cell of these rows holds a comma: split them as they are.
            std::vector<std::string> cells;
            std::istringstream row(line.substr(0, line.size() - 1));  // less the CR
            for (std::string cell; std::getline(row, cell, ',');) {
                cells.push_back(cell);
            }
            if (line.ends_with(",\r")) {
                cells.emplace_back();
            }
            rows.push_back({cells.at(0), cells.at(1), cells.back()});
            continue;
        }
        const auto answer = nlohmann::json::parse(line);
        rows.push_back({std::to_string(answer["line"].get<long>()),
                        answer.contains("Id") ? std::to_string(answer["Id"].get<long>()) : "",
                        answer.value("error", "")});
    }
    return rows;
}

TEST_F(LibraryCliTest, TheLibrarysLinesRunThroughTheBatchAndTheAnswersCarryTheirIds) {
    FileLines bob = AnnLines();
    bob[0] = "Bob";
    WriteFile(dir_ / "in" / "ann.tvl", FileBytes(AnnLines()));
    WriteFile(dir_ / "in" / "bob.tvl", FileBytes(bob));
    ASSERT_EQ(Library({"import", (dir_ / "in").string()}).Status, 0);
    ASSERT_EQ(Library({"tag", "1", "vip"}).Status, 0);

    const std::string library = Library({"batch"}).Out;
    const std::string bobLine = Library({"show", "2"}).Out;
    const auto changed = [&bobLine](const std::string& from, const std::string& to) {
        std::string line = bobLine;
        return line.replace(line.find(from), from.size(), to);
    };
    const std::string idError = "Id: accepts a whole number (the chart's Id in the library)";
    const std::string study =
        library + changed("\"BirthYear\":1990", "\"BirthYear\":1900") +
        changed("\"Id\":2", "\"Id\":\"2\"") + changed("\"Id\":2", "\"Id\":2.5") +
        changed("\"Id\":2", "\"Id\":18446744073709551615") +
        changed("\"Id\":2,", "") + changed("\"Id\":2", "\"Id\":9007199254740993");
    const std::vector<StudyRow> expected = {
        {"1", "1", ""},
        {"2", "2", ""},
        {"3", "2", "BirthYear: accepts a whole number from 1901 to 2050"},
        {"4", "", idError},
        {"5", "", idError},
        {"6", "", idError},  // beyond any Id: refused, never wrapped
        {"7", "", ""},       // no Id: a chart like any other
        {"8", "9007199254740993", ""},  // past a double's whole numbers, kept exact
    };
    for (const std::string format : {"json", "csv"}) {
        std::string first;
        for (const std::string jobs : {"1", "2"}) {
            const Result run = RunTool(
                {"--batch", "-", "--no-sky-check", "--format", format, "--jobs", jobs}, study);
            EXPECT_EQ(run.Status, 1) << run.Err;
            const std::vector<StudyRow> rows = StudyRows(run.Out, format == "csv");
            ASSERT_EQ(rows.size(), expected.size()) << format << run.Out;
            for (std::size_t i = 0; i < rows.size(); ++i) {
                EXPECT_EQ(rows[i].Line, expected[i].Line) << format << " --jobs " << jobs;
                EXPECT_EQ(rows[i].Id, expected[i].Id) << format << " line " << i + 1;
                EXPECT_EQ(rows[i].Error, expected[i].Error) << format << " line " << i + 1;
            }
            if (first.empty()) {
                first = run.Out;
            } else {
                EXPECT_EQ(run.Out, first) << format << ": --jobs 2 against --jobs 1";
            }
        }
    }

    // The charts themselves as the command line casts them from the same
    // birth data, whatever keys the library adds to their lines.
    const Result alone = RunTool({"--batch", "-", "--no-sky-check"}, bobLine);
    EXPECT_EQ(alone.Status, 0) << alone.Out;
    EXPECT_EQ(nlohmann::json::parse(alone.Out)["Id"], 2);
    const Result answers = RunTool({"--batch", "-", "--no-sky-check"}, library);
    std::istringstream lines(answers.Out);
    std::string line;
    std::vector<std::string> names;
    while (std::getline(lines, line)) {
        names.push_back(nlohmann::json::parse(line).value("PersonName", ""));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Ann", "Bob"}));
    // Ann's chart as the command line casts it from the same birth data.
    const auto single = nlohmann::json::parse(
        RunTool({"--name",   "Ann",       "--date",        "1990-07-15", "--time",    "12:00",
                 "--zone",   "34",        "--lat",         "28:36N",     "--lon",     "77:12E",
                 "--city",   "New Delhi", "--state",       "Delhi",      "--country", "India",
                 "--format", "json",      "--no-sky-check"})
            .Out);
    const auto first = nlohmann::json::parse(answers.Out.substr(0, answers.Out.find('\n')));
    EXPECT_EQ(first["PlanetPositionTexts"], single["PlanetPositionTexts"]);
}

TEST_F(LibraryCliTest, AnUnknownIdOrAnUnusableLibraryIsRefusedAndChangesNothing) {
    WriteFile(dir_ / "in" / "ann.tvl", FileBytes(AnnLines()));
    ASSERT_EQ(Library({"import", (dir_ / "in").string()}).Status, 0);
    const std::vector<std::vector<std::string>> unknown = {
        {"show", "7"},       {"note", "7", "x"},   {"tag", "7", "x"},
        {"untag", "7", "x"}, {"remove", "1", "7"},
    };
    for (const auto& args : unknown) {
        const Result result = Library(args);
        EXPECT_EQ(result.Status, 2) << args[0];
        EXPECT_NE(result.Err.find("no chart has the Id 7"), std::string::npos) << result.Err;
    }
    EXPECT_EQ(Library({"show", "1"}).Status, 0);  // "remove 1 7" kept it

    const std::vector<std::vector<std::string>> refused = {
        {},
        {"show", "one"},
        {"search", "--format", "xml"},
        {"import", (dir_ / "none").string()},
        {"add"},
        {"search", "--limit", "-1"},
        {"search", "ann", "--limit", "two"},
        {"batch", "--limit", "1"},
    };
    for (const auto& args : refused) {
        EXPECT_EQ(Library(args).Status, 2) << (args.empty() ? "" : args[0]);
    }

    const fs::path damaged = dir_ / "damaged.sqlite3";
    WriteFile(damaged, "PK\x03\x04 an archive, not a library");
    const Result result =
        RunTool({"library", "--file", damaged.string(), "import", (dir_ / "in").string()});
    EXPECT_EQ(result.Status, 2);
    EXPECT_NE(result.Err.find(damaged.string()), std::string::npos) << result.Err;
    EXPECT_EQ(ReadBytes(damaged), "PK\x03\x04 an archive, not a library");
}

TEST_F(LibraryCliTest, ImportShowsItsProgressOnlyOnATerminalAndErasesIt) {
    for (int n = 0; n < 3; ++n) {
        WriteFile(dir_ / "in" / (std::to_string(n) + ".tvl"),
                  FileBytes(library::testing::ClientLines(n)));
    }
    for (const bool terminal : {false, true}) {
        const std::string file = (dir_ / (terminal ? "t.sqlite3" : "p.sqlite3")).string();
        const std::string folder = (dir_ / "in").string();
        const char* argv[] = {"tavrinel-cli", "library", "--file",
                              file.c_str(),   "import",  folder.c_str()};
        std::istringstream in;
        std::ostringstream out, err;
        EXPECT_EQ(RunCli(6, argv, in, out, err, terminal), 0);
        const std::string line = "3 of 3 files (100%)";
        EXPECT_EQ(err.str(),
                  terminal ? "\r" + line + "\r" + std::string(line.size(), ' ') + "\r" : "");
    }
    EXPECT_EQ(ImportProgressText(1500, 4000), "1500 of 4000 files (37%)");
    EXPECT_EQ(ImportProgressText(1, 1), "1 of 1 file (100%)");
    EXPECT_EQ(ImportProgressText(0, 0), "0 of 0 files (100%)");
}

TEST_F(LibraryCliTest, ASearchGivesItsFirstHundredUnlessAskedForMore) {
    for (int n = 0; n < 101; ++n) {
        WriteFile(dir_ / "in" / (std::to_string(n) + ".tvl"),
                  FileBytes(library::testing::ClientLines(n)));
    }
    ASSERT_EQ(Library({"import", (dir_ / "in").string()}).Status, 0);
    const auto lines = [](const std::string& out) {
        return std::count(out.begin(), out.end(), '\n');
    };
    const Result page = Library({"search", "client"});
    EXPECT_EQ(page.Status, 0);
    EXPECT_EQ(lines(page.Out), 100);
    EXPECT_EQ(page.Err,
              "tavrinel-cli: library: search: the first 100 of 101 charts found; --limit 0 "
              "gives them all\n");
    for (const std::vector<std::string>& all :
         {std::vector<std::string>{"search", "client", "--limit", "0"},
          std::vector<std::string>{"search", "client", "--limit", "101"},
          std::vector<std::string>{"search"}, std::vector<std::string>{"batch"}}) {
        const Result whole = Library(all);
        EXPECT_EQ(lines(whole.Out), 101) << all.size();
        EXPECT_EQ(whole.Err, "") << all.size();
    }
}

TEST(UtcOffsetOptionTextTest, WritesWhatUtcOffsetReadsBack) {
    const std::pair<int, std::string_view> rows[] = {
        {19800, "+5:30"},    {-16200, "-4:30"},  {0, "+0:00"},
        {19270, "+5:21:10"}, {-36000, "-10:00"}, {54000, "+15:00"},
    };
    for (const auto& [seconds, text] : rows) {
        EXPECT_EQ(UtcOffsetOptionText(seconds), text);
        const auto back = ParseUtcOffset(text);
        ASSERT_TRUE(std::holds_alternative<int>(back)) << text;
        EXPECT_EQ(std::get<int>(back), seconds);
    }
}

}  // namespace
}  // namespace tavrinel::cli
