// The command line against what the system does to its input and output:
// full disks, size limits, closed and broken streams, oversized lines, and
// file names that are not what they seem.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <nlohmann/json.hpp>

#include "cli/option_modes.h"
#include "tests/cli/cli_runner.h"

namespace tavrinel::cli {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

long CountLines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

class CliProcess : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tavrinel-cli-io-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    struct Run {
        int Status;
        std::string Err;
    };

    // The real executable with its output going to `outPath`, optionally under
    // a file-size limit (with SIGXFSZ ignored, so the write fails with EFBIG
    // rather than the process being killed) and with standard input closed.
    Run Spawn(std::vector<std::string> args, const std::string& outPath, rlim_t sizeLimit = 0,
              bool closeInput = false, std::vector<std::string> environment = {},
              unsigned seconds = 60) {
        args.insert(args.begin(), TAVRINEL_CLI);
        const std::string errPath = PathOf("stderr.txt");
        const pid_t child = ::fork();
        if (child == 0) {
            if (sizeLimit != 0) {
                const rlimit limit{sizeLimit, sizeLimit};
                ::setrlimit(RLIMIT_FSIZE, &limit);
                ::signal(SIGXFSZ, SIG_IGN);
            }
            const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(out, 1);
            ::dup2(err, 2);
            if (closeInput) {
                ::close(0);
            }
            for (std::string& variable : environment) {
                ::putenv(variable.data());
            }
            ::alarm(seconds);  // a run that blocks fails the test instead of hanging it
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
                ReadAll(errPath)};
    }

    std::filesystem::path dir_;
};

// Ann and a thousand more lines: enough to pass the batch's own buffer.
std::string ManyCharts(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(kGoodLine) + "\n";
    return text;
}

TEST_F(CliProcess, FailedWritesAreErrorsInEveryMode) {
    std::ofstream(PathOf("charts.jsonl")) << ManyCharts(1000);
    std::vector<std::string> json = kAnn, ansi = kAnn, svg = kAnn;
    json.insert(json.end(), {"--format", "json"});
    ansi.insert(ansi.end(), {"--format", "ansi"});
    svg.insert(svg.end(), {"--format", "svg"});
    const std::vector<std::vector<std::string>> modes = {
        kAnn, json, ansi, svg, {"--zones"}, {"--batch", PathOf("charts.jsonl")}, {"--help"}};
    for (const auto& args : modes) {
        SCOPED_TRACE(args[0] + " " + args.back());
        // Sanity: the same run succeeds where there is room.
        EXPECT_EQ(Spawn(args, PathOf("out.txt")).Status, 0);
        for (const rlim_t limit : {rlim_t{0}, rlim_t{100}}) {
            const Run run = limit ? Spawn(args, PathOf("out.txt"), limit)
                                  : Spawn(args, "/dev/full");
            EXPECT_EQ(run.Status, 1) << "limit " << limit;
            EXPECT_EQ(run.Err.find("tavrinel-cli: standard output: "), 0u) << run.Err;
            EXPECT_EQ(CountLines(run.Err), 1) << run.Err;
        }
    }
}

// A damaged ephemeris file leaves no precise sky: the precise chart fails on
// one escaped line, and a documented chart says its check was not made
// instead of looking as if nothing differed.
TEST_F(CliProcess, DamagedEphemerisFilesAreSaidNotHidden) {
    const std::filesystem::path folder = dir_ / "ephe\x1b[31m";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "sepl_18.se1") << "not an ephemeris file\n";
    const std::vector<std::string> environment = {"TAVRINEL_EPHEMERIS_PATH=" + folder.string()};
    const std::vector<std::string> delhi = {"--name", "D", "--date", "1950-01-01", "--time", "0:00",
                                            "--zone", "GMT", "--lat", "28:36N", "--lon", "77:12E"};
    std::vector<std::string> precise = delhi;
    precise.insert(precise.end(), {"--sky", "precise"});
    const Run failed = Spawn(precise, PathOf("out.txt"), 0, false, environment);
    EXPECT_EQ(failed.Status, 1);
    EXPECT_EQ(failed.Err.find("tavrinel-cli: --sky: "), 0u) << failed.Err;
    EXPECT_NE(failed.Err.find("unavailable"), std::string::npos) << failed.Err;
    EXPECT_EQ(failed.Err.find('\x1b'), std::string::npos) << failed.Err;
    EXPECT_EQ(CountLines(failed.Err), 1) << failed.Err;

    const Run documented = Spawn(delhi, PathOf("out.txt"), 0, false, environment);
    EXPECT_EQ(documented.Status, 0) << documented.Err;
    const std::string out = ReadAll(PathOf("out.txt"));
    EXPECT_NE(out.find("Sky: As documented (v1.15)\nSky check: Precise (Swiss Ephemeris), Lahiri, "
                       "mean node, unavailable: "),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("ephe\\x1B[31m"), std::string::npos) << out;
    EXPECT_EQ(out.find('\x1b'), std::string::npos) << out;
    // Its dasha has no sky to be counted in: none, rather than one from
    // the documented Moon that its first line would misname.
    std::vector<std::string> dasha = delhi;
    dasha.push_back("--dasha");
    const Run noDasha = Spawn(dasha, PathOf("out.txt"), 0, false, environment);
    EXPECT_EQ(noDasha.Status, 1);
    EXPECT_EQ(noDasha.Err.find("tavrinel-cli: --dasha: "), 0u) << noDasha.Err;
    EXPECT_NE(noDasha.Err.find("unavailable"), std::string::npos) << noDasha.Err;
    EXPECT_EQ(CountLines(noDasha.Err), 1) << noDasha.Err;

    // In a batch, the failed line is an error object and the run's status
    // says a line failed, while the documented line beside it is answered.
    std::string preciseLine = kGoodLine;
    preciseLine.insert(preciseLine.size() - 1, R"(,"Sky":"precise")");
    std::ofstream(PathOf("charts.jsonl")) << kGoodLine << "\n" << preciseLine << "\n";
    const Run batch =
        Spawn({"--batch", PathOf("charts.jsonl")}, PathOf("out.txt"), 0, false, environment);
    EXPECT_EQ(batch.Status, 1) << batch.Err;
    std::istringstream answers(ReadAll(PathOf("out.txt")));
    std::string answer;
    for (const bool fails : {false, true}) {
        ASSERT_TRUE(std::getline(answers, answer));
        const auto json = nlohmann::json::parse(answer);
        EXPECT_EQ(json.contains("error"), fails) << answer;
        if (fails) {
            EXPECT_NE(json["error"].get<std::string>().find("unavailable"), std::string::npos);
        }
    }
}

// The library opens its files blocking: a named pipe in the folder, in place
// of any file it would read, must be refused at once (SIGALRM after a
// second otherwise), and so must a folder path longer than the library
// takes, which it would silently replace by its own default folders.
TEST_F(CliProcess, EphemerisFolderTheLibraryCannotUseIsSaid) {
    const std::vector<std::string> delhi = {"--name", "D", "--date", "1950-01-01", "--time", "0:00",
                                            "--zone", "GMT", "--lat", "28:36N", "--lon", "77:12E"};
    std::vector<std::string> precise = delhi;
    precise.insert(precise.end(), {"--sky", "precise"});
    const auto expectSaid = [&](const std::string& folder, const std::string& why) {
        const std::vector<std::string> environment = {"TAVRINEL_EPHEMERIS_PATH=" + folder};
        const Run failed = Spawn(precise, PathOf("out.txt"), 0, false, environment, 1);
        EXPECT_EQ(failed.Status, 1);
        EXPECT_NE(failed.Err.find("unavailable: " + why), std::string::npos) << failed.Err;
        const Run documented = Spawn(delhi, PathOf("out.txt"), 0, false, environment, 1);
        EXPECT_EQ(documented.Status, 0) << documented.Err;
        EXPECT_NE(ReadAll(PathOf("out.txt")).find("Sky check: Precise (Swiss Ephemeris), Lahiri, "
                                                  "mean node, unavailable: " + why),
                  std::string::npos);
    };
    for (const char* name : {"sepl_18.se1", "semo_18.se1", "sedeltat.txt", "swe_deltat.txt"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path folder = dir_ / ("pipe-" + std::string(name));
        std::filesystem::create_directories(folder);
        ASSERT_EQ(::mkfifo((folder / name).c_str(), 0600), 0);
        // With the planets' file beside it, the library goes on to the others.
        if (std::string(name) != "sepl_18.se1") {
            std::filesystem::create_symlink("/usr/share/libswe/ephe/sepl_18.se1",
                                            folder / "sepl_18.se1");
        }
        // The pipe may be one folder of a list, as the library reads one.
        expectSaid("/nonexistent:" + folder.string(), "the ephemeris file " +
                                                          (folder / name).string() +
                                                          " is not a regular file");
    }
    // The library takes paths of up to 242 bytes (AS_MAXCH less 14).
    std::filesystem::path folder = dir_;
    folder /= std::string(242 - dir_.string().size() - 1, 'e');
    ASSERT_EQ(folder.string().size(), 242u);
    std::filesystem::create_directories(folder);
    expectSaid(folder.string() + "/", "the ephemeris folder's path is longer than the 242 bytes");
}

// Whatever a name or a place holds, the picture stays well-formed XML:
// bytes that are not UTF-8 and characters XML forbids are replaced.
TEST_F(CliProcess, SvgOfAnyNameIsWellFormed) {
    const char* const names[] = {
        "Ann\xFF",                 // a stray byte
        "A\x01B\x1F",              // controls other than tab and line breaks
        "Ann\xEF\xBF\xBE\xEF\xBF\xBF",  // U+FFFE, U+FFFF
        "Ann\xED\xA0\x80",         // a lone surrogate
        "Ann\xE2\x80",             // a sequence cut short
        "Ann\xC0\xAF <&>\"'",     // overlong, and markup
    };
    for (const char* name : names) {
        SCOPED_TRACE(testing::PrintToString(std::string(name)));
        for (const char* option : {"--name", "--city", "--state", "--country"}) {
            std::vector<std::string> args = kAnn;
            args.insert(args.end(), {option, name, "--format", "svg"});
            if (std::string(option) == "--name") args.erase(args.begin(), args.begin() + 2);
            ASSERT_EQ(Spawn(args, PathOf("chart.svg")).Status, 0);
            const std::string command = "xmllint --noout '" + PathOf("chart.svg") + "' 2>/dev/null";
            EXPECT_EQ(std::system(command.c_str()), 0) << option;
        }
    }
}

TEST_F(CliProcess, ClosedStandardInputIsAnError) {
    const Run run = Spawn({"--batch", "-"}, PathOf("out.txt"), 0, true);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err.find("tavrinel-cli: --batch: reading standard input failed"), 0u) << run.Err;
    EXPECT_EQ(CountLines(run.Err), 1);
}

TEST_F(CliProcess, NamedPipeIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(PathOf("pipe.tvl").c_str(), 0600), 0);
    const Run run = Spawn({PathOf("pipe.tvl")}, PathOf("out.txt"));
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("Please Check The File. (it is not a regular file)"),
              std::string::npos) << run.Err;
}

// A stream that hands out some bytes and then fails as a disk read would.
class FailingInput : public std::streambuf {
public:
    explicit FailingInput(std::string text) : text_(std::move(text)) {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

protected:
    int_type underflow() override { throw std::ios_base::failure("read error"); }

private:
    std::string text_;
};

int RunWith(std::vector<std::string> args, std::istream& in, std::ostream& out, std::ostream& err) {
    args.insert(args.begin(), "tavrinel-cli");
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    return RunCli(static_cast<int>(argv.size()), argv.data(), in, out, err);
}

TEST(CliStreams, ReadErrorAfterSomeLinesAnswersThemAndFails) {
    FailingInput broken(std::string(kGoodLine) + "\n" + kGoodLine + "\n");
    std::istream in(&broken);
    std::ostringstream out, err;
    EXPECT_EQ(RunWith({"--batch", "-"}, in, out, err), 1);
    EXPECT_EQ(CountLines(out.str()), 2);
    EXPECT_EQ(err.str().find("tavrinel-cli: --batch: reading standard input failed"), 0u)
        << err.str();
}

// A stream with no buffer of its own, as an unsynchronised console may be:
// every character still arrives.
class UnbufferedInput : public std::streambuf {
public:
    explicit UnbufferedInput(std::string text) : text_(std::move(text)) {}

protected:
    int_type underflow() override {
        return next_ < text_.size() ? traits_type::to_int_type(text_[next_]) : traits_type::eof();
    }
    int_type uflow() override {
        return next_ < text_.size() ? traits_type::to_int_type(text_[next_++]) : traits_type::eof();
    }

private:
    std::string text_;
    std::size_t next_ = 0;
};

TEST(CliStreams, UnbufferedInputIsReadWhole) {
    UnbufferedInput input(std::string(kGoodLine) + "\n" + kGoodLine);
    std::istream in(&input);
    std::ostringstream out, err;
    EXPECT_EQ(RunWith({"--batch", "-"}, in, out, err), 0) << err.str();
    EXPECT_EQ(CountLines(out.str()), 2);
}

TEST(CliStreams, BatchStopsAtTheFirstRefusedWrite) {
    const std::string input = ManyCharts(2000);
    std::istringstream in(input);
    FullOutput full(100000);
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(RunWith({"--batch", "-"}, in, out, err), 1);
    EXPECT_EQ(err.str().find("tavrinel-cli: standard output:"), 0u) << err.str();
    // Stopped, not run to the end of the input with nowhere to write.
    EXPECT_LT(static_cast<std::size_t>(in.tellg()), input.size() / 2);
}

// Each output line's number and whether it is an error; every other line of
// the input is a good chart.
struct Expected {
    long Line;
    std::string Error;  // empty for a chart
};

void ExpectBatch(const std::string& input, const std::vector<Expected>& expected) {
    const Result r = RunTool({"--batch", "-"}, input);
    std::istringstream out(r.Out);
    std::string line;
    bool anyError = false;
    for (const Expected& e : expected) {
        ASSERT_TRUE(std::getline(out, line)) << e.Line;
        const auto object = nlohmann::json::parse(line);
        EXPECT_EQ(object["line"], e.Line);
        EXPECT_EQ(object.value("error", ""), e.Error) << e.Line;
        anyError = anyError || !e.Error.empty();
    }
    EXPECT_FALSE(std::getline(out, line)) << line;
    EXPECT_EQ(r.Status, anyError ? 1 : 0);
}

TEST(CliBatchLines, OversizedLinesAndNulBytesAreBadLines) {
    const std::string good = kGoodLine;
    const std::string tooLong = "the line is longer than 65536 bytes";
    // Padded with blanks, which JSON allows, to exactly the cap and one past.
    const std::string atCap = good + std::string(65536 - good.size(), ' ');
    ExpectBatch(good + "\n" + atCap + "\n" + atCap + " \n" + std::string(10 << 20, 'x') + "\n" +
                    good + "\n",
                {{1, ""}, {2, ""}, {3, tooLong}, {4, tooLong}, {5, ""}});
    // A NUL ends the parser's input: what follows it must not be ignored.
    ExpectBatch(good + std::string(1, '\0') + "garbage\n" + good + "\n",
                {{1, "malformed JSON (a NUL byte)"}, {2, ""}});
    // The last line needs no newline, long or not.
    ExpectBatch(good + "\n" + good, {{1, ""}, {2, ""}});
    ExpectBatch(good + "\n" + std::string(70000, '{'), {{1, ""}, {2, tooLong}});
}

TEST(CliBatchLines, BlankLinesKeepThePhysicalLineNumbers) {
    const std::string good = kGoodLine;
    ExpectBatch("\n" + good + "\n \t\n\r\n" + good + "\n\n{\n\n" + good + "\r\n",
                {{2, ""}, {5, ""}, {7, "malformed JSON"}, {9, ""}});
}

TEST(CliCombinations, IgnoredOptionsAreRefused) {
    std::vector<std::string> save = kAnn;
    save.insert(save.end(), {"--city", "Delhi", "--state", "Delhi", "--country", "India"});
    const auto with = [&save](std::vector<std::string> more) {
        std::vector<std::string> args = save;
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {with({"--save", "a.tvl", "--batch", "-"}), "--save"},
        {with({"--save", "a.tvl", "--zones"}), "--save"},
        {{"--save", "a.tvl", "b.tvl"}, "--save"},
        {{"--batch", "-", "b.tvl"}, "--batch"},
    };
    for (const auto& [args, option] : cases) {
        SCOPED_TRACE(args.back());
        const Result r = RunTool(args, std::string(kGoodLine) + "\n");
        ExpectRefused(r, option);
        EXPECT_NE(r.Err.find("cannot be combined"), std::string::npos) << r.Err;
    }
    EXPECT_FALSE(std::filesystem::exists("a.tvl"));
}

// A picture, a list of places or zones, and a chart each stand alone: an
// option the run would not use is refused rather than dropped, and the
// refusal names that option.
TEST(CliCombinations, PicturesAndListsTakeNothingTheyWouldIgnore) {
    const auto ann = [](std::vector<std::string> more) {
        std::vector<std::string> args = kAnn;
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--batch", "-", "--format", "svg"}, "--format"},
        {{"--batch", "-", "--format", "svg", "--chart", "north"}, "--format"},
        {{"--zones", "--format", "svg"}, "--format"},
        {{"--atlas", "Pune", "--format", "svg"}, "--format"},
        {ann({"--chart", "north"}), "--chart"},
        {ann({"--format", "json", "--chart", "south"}), "--chart"},
        {{"--batch", "-", "--chart", "north"}, "--chart"},
        {{"--atlas", "Pune", "--zones"}, "--atlas"},
        {{"--atlas", "Pune", "--name", "Ann"}, "--name"},
        {ann({"--atlas", "Pune"}), "--name"},
        {ann({"--zones"}), "--name"},
        {{"--zones", "--batch", "-"}, "--batch"},
        {{"--zones", "a.tvl"}, "\"a.tvl\""},
        {{"--zones", "--place", "Pune"}, "--place"},
        {{"--zones", "--format", "json"}, "--format"},
    };
    for (const auto& [args, option] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        ExpectRefused(RunTool(args, std::string(kGoodLine) + "\n"), option);
    }
}

TEST(CliDaylightSaving, ReachesTheChartByOptionAndByBatch) {
    std::vector<std::string> args = kAnn;
    args.insert(args.end(), {"--dst", "--format", "json"});
    const Result single = RunTool(args);
    ASSERT_EQ(single.Status, 0) << single.Err;
    const auto chart = nlohmann::json::parse(single.Out);
    EXPECT_EQ(chart["PlanetPositionTexts"][1], "25 Pis 43");

    std::string line = kGoodLine;
    line.replace(line.find("\"DaylightSaving\":false"), 22, "\"DaylightSaving\":true");
    const Result batch = RunTool({"--batch", "-"}, line + "\n");
    ASSERT_EQ(batch.Status, 0);
    auto fromBatch = nlohmann::json::parse(batch.Out);
    fromBatch.erase("line");
    EXPECT_EQ(WithLeftOutPositionsFrom(fromBatch, chart), chart);
}

class CliSave : public CliProcess {};

TEST_F(CliSave, TextsTheFileCannotHoldOrTheWindowRefusesAreRefused) {
    struct Case {
        std::string Option, Value, Says;
    };
    const Case cases[] = {
        {"--name", "M\xC3\xBCller", "cannot hold \"\xC3\xBC\" (U+00FC)"},  // 252: past 255 once shifted
        {"--name", "Ann\xF0\x9F\x8C\x99", "cannot hold"},
        {"--name", "Jos\xC3\xA9", "not \"\xC3\xA9\" (U+00E9)"},  // held, but no box takes it
        {"--name", "  ", "would be saved empty"},
        {"--name", "Ann\tLee", "not U+0009"},
        {"--city", " ", "Please Enter Your City name"},
        {"--state", "Del\xFFhi", "not valid UTF-8"},
        {"--country", "India\x1B[31m", "not U+001B"},
        {"--country", "", "Please Enter Your Country name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Option + " " + c.Value);
        std::vector<std::string> args = kAnn;
        args.insert(args.end(), {"--city", "Delhi", "--state", "Delhi", "--country", "India",
                                 "--save", PathOf("x.tvl")});
        args = [&] {
            for (std::size_t i = 0; i + 1 < args.size(); ++i) {
                if (args[i] == c.Option) args[i + 1] = c.Value;
            }
            return args;
        }();
        const Result r = RunTool(args);
        ExpectRefused(r, c.Option);
        EXPECT_NE(r.Err.find(c.Says), std::string::npos) << r.Err;
        EXPECT_FALSE(std::filesystem::exists(PathOf("x.tvl")));
    }
}

TEST_F(CliSave, RefusedFilesSayWhy) {
    std::filesystem::create_directory(PathOf("folder.tvl"));
    std::ofstream(PathOf("locked.tvl")) << "x";
    std::filesystem::permissions(PathOf("locked.tvl"), std::filesystem::perms::none);
    const bool root = ::geteuid() == 0;  // root reads it anyway
    const std::pair<std::string, std::string> cases[] = {
        {PathOf("missing.tvl"), "the file does not exist"},
        {PathOf("folder.tvl"), "it is a folder, not a file"},
        {PathOf("chart.txt"), "the name does not end in tvl"},
        {root ? "" : PathOf("locked.tvl"), "the file cannot be read (Permission denied)"},
    };
    for (const auto& [path, why] : cases) {
        if (path.empty()) continue;
        const Result r = RunTool({path});
        ExpectRefused(r, "\"" + path + "\"");
        EXPECT_NE(r.Err.find("Please Check The File. (" + why + ")"), std::string::npos) << r.Err;
    }
}

TEST_F(CliSave, FileNamesInMessagesAreQuotedAndEscaped) {
    const std::string odd = PathOf("a\nb\x1B[2J\xC2\x9B\"c\\.tvl");
    const std::string shown = PathOf("a\\x0Ab\\x1B[2J\\xC2\\x9B\\\"c\\\\.tvl");
    Result r = RunTool({odd});
    ExpectRefused(r, "\"" + shown + "\"");
    r = RunTool({"--batch", PathOf("none\n.jsonl")});
    ExpectRefused(r, "--batch");
    EXPECT_NE(r.Err.find("\"" + PathOf("none\\x0A.jsonl") + "\""), std::string::npos) << r.Err;
    std::vector<std::string> args = kAnn;
    args.insert(args.end(), {"--city", "Delhi", "--state", "Delhi", "--country", "India",
                             "--save", PathOf("gone\n/x.tvl")});
    r = RunTool(args);
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(CountLines(r.Err), 1) << r.Err;
    EXPECT_NE(r.Err.find("gone\\x0A/x.tvl"), std::string::npos) << r.Err;
}

// Which option does something in which kind of run, from what each mode
// does: a batch reads everything of a chart from its lines and writes JSON;
// the lists print only their list; a reading file brings its birth data.
// Letters: C chart, F reading file, B batch, Z zones, A atlas, S --save.
class CliOptionModes : public CliProcess {};

TEST_F(CliOptionModes, EachOptionWorksOnlyWhereItDoesSomething) {
    std::vector<std::string> save = kAnn;
    save.insert(save.end(), {"--city", "Delhi", "--state", "Delhi", "--country", "India", "--save",
                             PathOf("saved.tvl")});
    ASSERT_EQ(RunTool(save).Status, 0);
    const struct {
        char Letter;
        std::vector<std::string> Args;
        const char* Named;  // how a refusal names the mode
    } modes[] = {
        {'C', kAnn, ""},
        {'F', {PathOf("saved.tvl")}, "reading file"},
        {'B', {"--batch", "-"}, "--batch"},
        {'Z', {"--zones"}, "--zones"},
        {'A', {"--atlas", "Pune"}, "--atlas"},
        {'S', save, "--save"},
    };
    const std::pair<std::vector<std::string>, const char*> options[] = {
        {{"--name", "Bo"}, "CS"},
        {{"--date", "1990-07-16"}, "CS"},
        {{"--time", "11:00"}, "CS"},
        {{"--zone", "IST"}, "CS"},
        {{"--dst"}, "CS"},
        {{"--lat", "28:00N"}, "CS"},
        {{"--lon", "77:00E"}, "CS"},
        {{"--city", "Agra"}, "CS"},
        {{"--state", "Delhi"}, "CS"},
        {{"--country", "India"}, "CS"},
        {{"--place", "Pune"}, "CS"},
        {{"--format", "text"}, "CFSZA"},
        {{"--format", "json"}, "CFSBA"},
        {{"--format", "ansi"}, "CFS"},
        {{"--format", "svg"}, "CFS"},
        {{"--format", "svg", "--chart", "north"}, "CFS"},
        {{"--sky", "precise"}, "CFSB"},
        {{"--sky", "documented"}, "CFSB"},
        {{"--ayanamsa", "raman", "--sky", "precise"}, "CFSB"},
        {{"--node", "true", "--sky", "precise"}, "CFSB"},
        {{"--no-sky-check"}, "CFSB"},
        {{"--jobs", "2"}, "B"},
        {{"--format", "csv"}, "B"},
        {{"--csv-raw", "--format", "csv"}, "B"},
    };
    for (const auto& [option, worksIn] : options) {
        for (const auto& mode : modes) {
            SCOPED_TRACE(option.front() + " " + option.back() + " in " + mode.Letter);
            std::vector<std::string> args = mode.Args;
            for (std::size_t i = 0; i < option.size(); ++i) {
                const bool valued = i + 1 < option.size() && option[i + 1].rfind("--", 0) != 0;
                const auto at = std::find(args.begin(), args.end(), option[i]);
                if (at != args.end() && valued) {
                    *(at + 1) = option[i + 1];  // a chart's own value is replaced
                } else if (at == args.end()) {
                    args.push_back(option[i]);
                    if (valued) args.push_back(option[i + 1]);
                }
                i += valued ? 1 : 0;
            }
            const Result r = RunTool(args, std::string(kGoodLine) + "\n");
            if (std::string(worksIn).find(mode.Letter) != std::string::npos) {
                EXPECT_EQ(r.Status, 0) << r.Err;
            } else {
                ExpectRefused(r, option.front());
                EXPECT_NE(r.Err.find(mode.Named), std::string::npos) << r.Err;
            }
        }
    }
}

// Options that do something only beside another: the picture's layout, and
// the precise sky's zodiac and node, which a documented chart uses only for
// its check.
TEST_F(CliOptionModes, OptionsThatNeedAnotherAreRefusedWithoutIt) {
    const auto ann = [](std::vector<std::string> more) {
        std::vector<std::string> args = kAnn;
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {ann({"--chart", "south"}), "--chart"},
        {ann({"--no-sky-check", "--ayanamsa", "raman"}), "--ayanamsa"},
        {ann({"--no-sky-check", "--node", "true"}), "--node"},
        {ann({"--sky", "documented", "--no-sky-check", "--node", "mean"}), "--node"},
        {ann({"--sky", "precise", "--no-sky-check"}), "--no-sky-check"},
        {ann({"--no-sky-check", "--ayanamsa", "raman", "--sky", "precise"}), "--no-sky-check"},
        {ann({"--ayanamsa", "raman"}), "--ayanamsa"},  // the check keeps Lahiri
        {ann({"--node", "true"}), "--node"},
        {ann({"--sky", "precise", "--node", "true"}), ""},
        // The vargas, the dasha, the transits and the JSON's longitudes
        // are the chosen precise sky's whichever sky the reading is cast in.
        {ann({"--ayanamsa", "raman", "--dasha"}), ""},
        {ann({"--node", "true", "--vargas", "--no-sky-check"}), ""},
        {ann({"--node", "true", "--format", "json"}), ""},
        {ann({"--ayanamsa", "raman", "--format", "svg", "--chart", "dasha"}), ""},
        {{"--batch", "-", "--no-sky-check", "--ayanamsa", "raman"}, ""},  // a line may be precise
        {{"--batch", "-", "--sky", "precise", "--no-sky-check"}, ""},     // or documented
        {{"--batch", "-", "--csv-raw"}, "--csv-raw"},  // JSON has no cells to guard
    };
    for (const auto& [args, option] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Result r = RunTool(args, std::string(kGoodLine) + "\n");
        if (*option) {
            ExpectRefused(r, option);
        } else {
            EXPECT_EQ(r.Status, 0) << r.Err;
        }
    }
}

// Every option the command line takes has its row in the table.
TEST(CliOptionModesTable, EveryOptionHasARow) {
    const Result help = RunTool({"--help"});
    std::istringstream lines(help.Out);
    int options = 0;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t dash = line.find("--");
        if (dash == std::string::npos || line.find_first_not_of(' ') != dash) continue;
        const std::string option = line.substr(dash, line.find_first_of(" =", dash) - dash);
        if (option == "--help" || option == "--version") continue;
        ++options;
        EXPECT_TRUE(HasModeRow(option)) << option;
    }
    EXPECT_GT(options, 15);
    EXPECT_TRUE(HasModeRow("file"));
}

TEST_F(CliSave, FolderForABatchIsRefused) {
    ExpectRefused(RunTool({"--batch", dir_.string()}), "--batch");
}

}  // namespace
}  // namespace tavrinel::cli
