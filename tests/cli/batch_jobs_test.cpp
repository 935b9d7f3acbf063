// A batch answered by several threads writes exactly what one thread writes,
// in the input's order, errors in place; a refused write stops them all. Also
// the CSV's quoting and the progress line. This file is built a second time
// with ThreadSanitizer (scripts/tsan-batch).
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/batch_progress.h"
#include "cli/csv_writer.h"
#include "tests/cli/cli_runner.h"

namespace tavrinel::cli {
namespace {

std::string Replaced(std::string line, const std::string& from, const std::string& to) {
    line.replace(line.find(from), from.size(), to);
    return line;
}

// Every kind of line a batch meets, over and over, so that the chunks pass
// the workers' ring several times: charts in either sky and zodiac, places
// from the atlas, vargas, dasha, transits and strength, refused places and
// values, bad JSON, blank, NUL and oversized lines, the library's Ids.
std::string MixedInput() {
    const std::string good = kGoodLine;
    const std::string dated = R"("BirthDay":15,"BirthMonth":7,"BirthYear":1990,"BirthHour":12,)"
                              R"("BirthMinute":0)";
    const std::vector<std::string> kinds = {
        good,
        Replaced(good, "\"BirthYear\":1990", "\"BirthYear\":1947"),
        Replaced(good, "\"PersonName\":\"Ann\"", "\"PersonName\":\"A, \\\"B\\\"\",\"Sky\":\"precise\""),
        R"({"PersonName":"Bo","Place":"Pune",)" + dated + "}",
        R"({"PersonName":"Cy","Place":"Kathmandu","Sky":"precise",)" + dated + "}",
        R"({"PersonName":"Di","Place":"Kathmandu",)" + dated + "}",  // no list entry
        R"({"PersonName":"Ed","Place":"Nowhere At All",)" + dated + "}",
        Replaced(Replaced(good, "\"BirthDay\":15", "\"BirthDay\":30"), "\"BirthMonth\":7",
                 "\"BirthMonth\":2"),
        "{bad",
        "",
        good + std::string(1, '\0'),
        std::string(70000, ' ') + good,
        Replaced(good, "\"BirthHour\":12", "\"BirthHour\":3"),
        Replaced(good, "\"PersonName\":\"Ann\"",
                 "\"PersonName\":\"Flo\",\"Sky\":\"precise\",\"Ayanamsa\":\"raman\",\"Node\":\"true\""),
        Replaced(good, "\"PersonName\":\"Ann\"",
                 "\"PersonName\":\"Gus\",\"Vargas\":true,\"Dasha\":3,\"Transits\":true,"
                 "\"On\":\"2026-12-08\""),
        Replaced(good, "\"PersonName\":\"Ann\"",
                 "\"PersonName\":\"Hal\",\"Strength\":true,\"Ayanamsa\":\"raman\""),
        Replaced(good, "\"PersonName\":\"Ann\"", "\"Id\":41,\"PersonName\":\"Ida\""),
        Replaced(good, "\"BirthYear\":1990", "\"Id\":42,\"BirthYear\":1900"),
    };
    std::string input;
    for (int round = 0; round < 25; ++round) {
        for (const std::string& line : kinds) {
            input += line + "\n";
        }
    }
    return input;
}

struct BatchRun {
    BatchOutcome Outcome;
    std::string Out;
};

BatchRun RunWith(const std::string& input, const BatchSettings& settings) {
    std::istringstream in(input);
    std::ostringstream out;
    const BatchOutcome outcome = RunBatch(in, out, settings);
    return {outcome, out.str()};
}

BatchRun RunWithJobs(const std::string& input, int jobs, BatchFormat format) {
    BatchSettings settings;
    settings.Jobs = jobs;
    settings.Format = format;
    return RunWith(input, settings);
}

TEST(BatchJobs, AnyNumberOfThreadsWritesWhatOneThreadWrites) {
    const std::string input = MixedInput();
    for (const BatchFormat format : {BatchFormat::JsonLines, BatchFormat::Csv}) {
        const BatchRun one = RunWithJobs(input, 1, format);
        EXPECT_TRUE(one.Outcome.AnyBadLine);
        for (const int jobs : {2, 3, 8}) {
            SCOPED_TRACE(jobs);
            const BatchRun many = RunWithJobs(input, jobs, format);
            EXPECT_EQ(many.Out, one.Out);
            EXPECT_EQ(many.Outcome.AnyBadLine, one.Outcome.AnyBadLine);
            EXPECT_FALSE(many.Outcome.OutputFailed || many.Outcome.InputFailed);
        }
    }
    // The order itself: every line but the blank ones, numbered as in the input.
    const BatchRun json = RunWithJobs(input, 4, BatchFormat::JsonLines);
    std::istringstream lines(json.Out);
    long expected = 0;
    int answered = 0;
    for (std::string line; std::getline(lines, line); ++answered) {
        expected += expected % 18 == 9 ? 2 : 1;  // the tenth kind is blank
        ASSERT_EQ(nlohmann::json::parse(line)["line"], expected);
    }
    EXPECT_EQ(answered, 25 * 17);
}

// A line answers with its own Id or none: never the Id of the line the same
// worker answered before it, whichever way the line is refused.
TEST(BatchJobs, ALineNeverCarriesTheIdOfTheLineBefore) {
    const std::string withId = Replaced(kGoodLine, "\"PersonName\"", "\"Id\":7,\"PersonName\"");
    for (const std::string& next : {std::string(70000, ' ') + kGoodLine, std::string("{bad"),
                                    std::string(kGoodLine) + std::string(1, '\0'),
                                    std::string(kGoodLine)}) {
        const BatchRun run = RunWithJobs(withId + "\n" + next + "\n", 1, BatchFormat::JsonLines);
        std::istringstream lines(run.Out);
        std::string first, second;
        std::getline(lines, first), std::getline(lines, second);
        EXPECT_EQ(nlohmann::json::parse(first)["Id"], 7);
        EXPECT_FALSE(nlohmann::json::parse(second).contains("Id")) << second.substr(0, 120);
    }
}

// The status says whether any line was bad, wherever it fell: the first
// chunk, the middle, the last line with or without its line feed, or none.
// A hundred lines make four chunks of at most 32.
TEST(BatchJobs, ABadLineAnywhereFailsTheBatch) {
    const std::string february30 =
        Replaced(Replaced(kGoodLine, "\"BirthDay\":15", "\"BirthDay\":30"), "\"BirthMonth\":7",
                 "\"BirthMonth\":2");
    const struct {
        int At;  // the bad line's index, -1 for none
        const char* Bad;
        bool LastLineFeed = true;
    } kCases[] = {{-1, ""},           {-1, "", false}, {0, "{bad"},  {0, february30.c_str()},
                  {0, "{bad", false}, {40, "{bad"},    {99, "{bad"}, {99, "{bad", false}};
    for (const auto& row : kCases) {
        std::string input;
        for (int i = 0; i < 100; ++i) {
            input += (i == row.At ? std::string(row.Bad) : std::string(kGoodLine)) + "\n";
        }
        if (!row.LastLineFeed) {
            input.pop_back();
        }
        for (const int jobs : {1, 2, 4}) {
            SCOPED_TRACE(std::to_string(row.At) + ", " + std::to_string(jobs) + " jobs");
            EXPECT_EQ(RunWithJobs(input, jobs, BatchFormat::JsonLines).Outcome.AnyBadLine,
                      row.At >= 0);
            EXPECT_EQ(RunWithJobs(input, jobs, BatchFormat::Csv).Outcome.AnyBadLine, row.At >= 0);
            EXPECT_EQ(RunTool({"--batch", "-", "--jobs", std::to_string(jobs)}, input).Status,
                      row.At >= 0 ? 1 : 0);
        }
    }
}

// Answers waiting for a line before them stay under the budget whatever the
// threads; the line next in order is taken whatever its size, so a budget
// smaller than any line still gets to the end, in order.
TEST(BatchJobs, AnswersWaitingToBeWrittenStayUnderTheBudget) {
    const std::string deep = Replaced(kGoodLine, "\"PersonName\":\"Ann\"",
                                      "\"PersonName\":\"Deb\",\"Dasha\":3,\"On\":\"2026-12-08\"");
    std::string input;
    for (int i = 0; i < 150; ++i) {
        input += (i % 3 == 0 ? deep : std::string(kGoodLine)) + "\n";
    }
    const BatchRun one = RunWithJobs(input, 1, BatchFormat::JsonLines);
    std::size_t largest = 0;
    std::istringstream lines(one.Out);
    for (std::string line; std::getline(lines, line);) {
        largest = std::max(largest, line.size() + 1);
    }
    for (const std::size_t budget : {std::size_t{1}, 3 * largest}) {
        for (const int jobs : {2, 4}) {
            SCOPED_TRACE(std::to_string(jobs) + " jobs, budget " + std::to_string(budget));
            BatchSettings settings;
            settings.Jobs = jobs;
            settings.MostBytesInFlight = budget;
            const BatchRun many = RunWith(input, settings);
            EXPECT_EQ(many.Out, one.Out);
            EXPECT_LE(many.Outcome.PeakBytesInFlight, budget + largest);
        }
    }
}

// Lines without "On" are answered for one present instant, read once at the
// start however long the batch runs: here a clock that moves a day each time
// it is read.
TEST(BatchJobs, NowIsOneInstantForTheWholeBatch) {
    const std::string line = Replaced(kGoodLine, "\"PersonName\":\"Ann\"",
                                      "\"PersonName\":\"Ann\",\"Dasha\":1");
    std::string input;
    for (int i = 0; i < 100; ++i) {
        input += (i == 50 ? Replaced(line, "\"Dasha\":1", "\"Dasha\":1,\"On\":\"2026-12-08T06:30Z\"")
                          : line) +
                 "\n";
    }
    for (const int jobs : {1, 2}) {
        SCOPED_TRACE(jobs);
        std::atomic<int> reads{0};
        BatchSettings settings;
        settings.Jobs = jobs;
        // J2000.0: 2000-01-01 12:00 UT.
        settings.Now = [&reads] { return 2451545.0 + reads++; };
        const BatchRun run = RunWith(input, settings);
        std::istringstream answers(run.Out);
        int number = 0;
        for (std::string answer; std::getline(answers, answer); ++number) {
            EXPECT_EQ(nlohmann::json::parse(answer)["Dasha"]["On"],
                      number == 50 ? "2026-12-08T06:30:00Z" : "2000-01-01T12:00:00Z")
                << number;
        }
        EXPECT_EQ(number, 100);
    }
}

// Standard input is tied to standard output: each read would flush the
// output from the reader's thread while a worker writes to it, and a pipe's
// answers came twice. The batch reads untied, and ties the stream again at
// the end.
TEST(BatchJobs, ReadsWithTheInputUntiedFromTheOutput) {
    class WatchedInput : public std::stringbuf {
    public:
        WatchedInput(const std::string& text, const std::istream& stream)
            : std::stringbuf(text), stream_(stream) {}
        int ReadsWhileTied = 0;

    protected:
        std::streamsize xsgetn(char* to, std::streamsize count) override {
            ReadsWhileTied += stream_.tie() != nullptr ? 1 : 0;
            return std::stringbuf::xsgetn(to, count);
        }

    private:
        const std::istream& stream_;
    };
    std::string input;
    for (int i = 0; i < 100; ++i) input += std::string(kGoodLine) + "\n";
    for (const int jobs : {1, 2}) {
        SCOPED_TRACE(jobs);
        std::istream in(nullptr);
        WatchedInput watched(input, in);
        in.rdbuf(&watched);
        std::ostringstream out;
        in.tie(&out);
        BatchSettings settings;
        settings.Jobs = jobs;
        RunBatch(in, out, settings);
        EXPECT_EQ(watched.ReadsWhileTied, 0);
        EXPECT_EQ(in.tie(), &out);
        const std::string answers = out.str();
        EXPECT_EQ(std::count(answers.begin(), answers.end(), '\n'), 100);
    }
}

TEST(BatchJobs, ARefusedWriteStopsEveryWorker) {
    std::string input;
    for (int i = 0; i < 3000; ++i) input += std::string(kGoodLine) + "\n";
    for (const int jobs : {1, 2, 4}) {
        SCOPED_TRACE(jobs);
        std::istringstream in(input);
        FullOutput full(100000);
        std::ostream out(&full);
        BatchSettings settings;
        settings.Jobs = jobs;
        EXPECT_TRUE(RunBatch(in, out, settings).OutputFailed);
        // Stopped, not run to the end of the input with nowhere to write.
        EXPECT_LT(static_cast<std::size_t>(in.tellg()), input.size() / 4);
    }
}

// RFC 4180: quotes only around a field with a comma, a quote or a line
// break, a quote inside doubled; and the file stays UTF-8.
TEST(CsvWriter, FieldsAreQuotedOnlyWhereTheyMust) {
    const std::pair<std::string, std::string> cases[] = {
        {"Ann", "Ann"},
        {"", ""},
        {"New Delhi", "New Delhi"},
        {"Smith, Ann", "\"Smith, Ann\""},
        {"Ann \"Nan\" Lee", "\"Ann \"\"Nan\"\" Lee\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"one\nbreak", "\"one\nbreak\""},
        {"lone\rreturn", "\"lone\rreturn\""},
        {"Ranchi 'R'", "Ranchi 'R'"},
        {"Bāgalkot", "Bāgalkot"},
        {"bad \xFF byte", "bad \xEF\xBF\xBD byte"},
    };
    for (const auto& [text, expected] : cases) {
        std::string out;
        AppendCsvField(out, text);
        EXPECT_EQ(out, expected) << text;
    }
    std::string row;
    CsvRow csv(row);
    csv.Field("a,b");
    csv.Empty();
    csv.Field(42L);
    csv.End();
    EXPECT_EQ(row, "\"a,b\",,42\r\n");
}

// A user's text that a spreadsheet would run as a formula (OWASP's list: =,
// +, -, @, tab, carriage return first) gets a leading quote, unless raw; the
// program's own numbers stay numbers.
TEST(CsvWriter, UserTextsAreNotFormulas) {
    const struct {
        const char* Text;
        const char* Guarded;
    } cases[] = {
        {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
        {"+91 22", "'+91 22"},
        {"-Ann", "'-Ann"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tAnn", "'\tAnn"},
        {"\rAnn", "\"'\rAnn\""},
        {"=a,b", "\"'=a,b\""},
        {"Ann=Bo", "Ann=Bo"},
        {" =Ann", " =Ann"},
        {"'Ann", "'Ann"},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string guarded, raw, field;
        AppendCsvUserText(guarded, c.Text, false);
        AppendCsvUserText(raw, c.Text, true);
        AppendCsvField(field, c.Text);
        EXPECT_EQ(guarded, c.Guarded) << c.Text;
        EXPECT_EQ(raw, field) << c.Text;
    }
    std::string row;
    CsvRow csv(row);
    csv.UserText("-Ann");
    csv.Field(-18000L);
    csv.End();
    EXPECT_EQ(row, "'-Ann,-18000\r\n");
}

TEST(BatchProgress, SaysLinesShareRateAndTimeLeft) {
    const struct {
        long Lines;
        double Seconds;
        std::uintmax_t Bytes, Total;
        const char* Expected;
    } cases[] = {
        {12000, 2.0, 400, 1000, "12000 lines (40%), 6000 lines/s, 3 s left"},
        {1, 0.5, 10, 0, "1 line, 2 lines/s"},  // a file of unknown size
        {30000, 10.0, 250, 1000, "30000 lines (25%), 3000 lines/s, 30 s left"},
        {5000, 100.0, 100, 1000, "5000 lines (10%), 50 lines/s, 15 min 0 s left"},
        {10, 1.0, 1, 10000, "10 lines (0%), 10 lines/s, 2 h 46 min left"},
        {7, 0.0, 1, 10, "7 lines (10%)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgressText(c.Lines, c.Seconds, c.Bytes, c.Total), c.Expected);
    }
}

TEST(BatchProgress, RedrawsAFewTimesASecondAndErasesItself) {
    std::ostringstream err;
    const BatchProgress::Clock::time_point start{};
    const auto at = [start](int milliseconds) { return start + std::chrono::milliseconds(milliseconds); };
    {
        BatchProgress progress(err, 1000, start);
        progress.Update(10, 100, at(100));  // too soon after the start
        EXPECT_EQ(err.str(), "");
        progress.Update(100, 500, at(500));
        progress.Update(110, 550, at(600));  // too soon after the last
        progress.Update(200, 900, at(1000));
        EXPECT_EQ(err.str(), "\r100 lines (50%), 200 lines/s, 1 s left"
                             "\r200 lines (90%), 200 lines/s, 1 s left");
    }
    // Erased with blanks, the cursor back at the start of the line.
    const std::string text = err.str();
    const std::size_t width = std::string("100 lines (50%), 200 lines/s, 1 s left").size();
    EXPECT_EQ(text.substr(text.size() - width - 2), "\r" + std::string(width, ' ') + "\r");
    // Without an interval (as the terminal's test runs it), every update draws.
    std::ostringstream eager;
    BatchProgress every(eager, 1000, start, {});
    every.Update(10, 100, at(1));
    every.Update(20, 200, at(2));
    EXPECT_EQ(eager.str(), "\r10 lines (10%), 10000 lines/s, 1 s left"
                           "\r20 lines (20%), 10000 lines/s, 1 s left");
}

}  // namespace
}  // namespace tavrinel::cli
