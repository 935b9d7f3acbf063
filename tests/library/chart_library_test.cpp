#include "library/chart_library.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "folder_test.h"
#include "library_files.h"

namespace tavrinel::library {
namespace {

namespace fs = std::filesystem;
using testing::AnnLines;
using testing::ClientLines;
using testing::FileBytes;
using testing::FileLines;
using testing::WriteFile;
using testing::FolderTest;
using testing::ReadBytes;

constexpr std::int64_t kFixedNow = 1'700'000'000;  // 2023-11-14 22:13:20 UTC

std::vector<std::string> Names(const std::vector<LibraryChart>& charts) {
    std::vector<std::string> names;
    for (const LibraryChart& chart : charts) {
        names.push_back(chart.Form.Name);
    }
    return names;
}

std::string SqlText(const fs::path& path, const char* sql) {
    sqlite3* db = nullptr;
    std::string result;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return result;
}

class LibraryTest : public FolderTest {
  protected:
    LibraryTest() : FolderTest("tavrinel_library_") {}
    fs::path LibraryPath() const { return dir_ / "data" / "tavrinel" / "library.sqlite3"; }
    ChartLibrary Open() {
        return ChartLibrary(LibraryPath(), [] { return kFixedNow; });
    }
};

BirthForm FormOf(const FileLines& lines) {
    BirthForm form;
    EXPECT_FALSE(ApplyReadingFile(FileBytes(lines), form));
    return form;
}

TEST_F(LibraryTest, ImportReadsAsOpenCountsDuplicatesAndRefusesDamagedFiles) {
    const fs::path in = dir_ / "in";
    FileLines spaced = AnnLines();
    spaced[9] = "028";  // the same latitude as the box reads it
    FileLines bob = AnnLines();
    bob[0] = "Bob";
    FileLines badLatitude = AnnLines();
    badLatitude[9] = "2x";
    FileLines offset = AnnLines();
    offset[0] = "Off";
    WriteFile(in / "ann.tvl", FileBytes(AnnLines()));
    WriteFile(in / "copy of ann.tvl", FileBytes(spaced));  // a duplicate under another name
    WriteFile(in / "deep" / "er" / "ANN.TVL", FileBytes(AnnLines()));  // any case, any depth
    WriteFile(in / "bob.Tvl", FileBytes(bob));
    WriteFile(in / "offset.tvl", FileBytes(offset, "UtcOffsetSeconds=20700"));  // Nepal: no zone of the list
    WriteFile(in / "damaged.tvl", FileBytes(badLatitude));
    WriteFile(in / "notes.txt", "not a chart");
    WriteFile(in / "tvl", "no extension at all");
    fs::create_directories(in / "folder.tvl");
    ASSERT_EQ(::mkfifo((in / "pipe.tvl").c_str(), 0600), 0);

    ChartLibrary library = Open();
    std::vector<std::size_t> progress;
    const ImportOutcome outcome = library.Import(
        FindReadingFiles({in}), [&](std::size_t done, std::size_t) { progress.push_back(done); },
        2);
    EXPECT_EQ(outcome.Imported, 3);
    EXPECT_EQ(outcome.Duplicates, 2);
    ASSERT_EQ(outcome.Refused.size(), 2u);
    EXPECT_EQ(outcome.Refused[0].File, (in / "damaged.tvl").string());
    EXPECT_EQ(outcome.Refused[0].Reason, kNumbersMessage);
    EXPECT_EQ(outcome.Refused[1].File, (in / "pipe.tvl").string());
    EXPECT_EQ(outcome.Refused[1].Reason, "Please Check The File. (it is not a regular file)");
    EXPECT_EQ(progress, (std::vector<std::size_t>{2, 4, 6, 7}));

    const std::vector<LibraryChart> charts = library.Search("");
    ASSERT_EQ(Names(charts), (std::vector<std::string>{"Ann", "Bob", "Off"}));
    const BirthForm& ann = charts[0].Form;
    EXPECT_EQ(ann.DayIndex + 1, 15);
    EXPECT_EQ(ann.MonthIndex + 1, 7);
    EXPECT_EQ(ann.YearIndex + kFirstYear, 1990);
    EXPECT_EQ(ann.ZoneIndex, 34);
    EXPECT_EQ(ann.LatDeg, "28");
    EXPECT_EQ(ann.LonMin, "12");
    EXPECT_EQ(ann.Latitude, LatitudeChoice::North);
    EXPECT_EQ(ann.Longitude, LongitudeChoice::East);
    EXPECT_EQ(ann.City, "New Delhi");
    EXPECT_FALSE(ann.UtcOffsetSeconds);
    EXPECT_EQ(charts[2].Form.UtcOffsetSeconds, 20700);
    EXPECT_EQ(charts[0].AddedAt, kFixedNow);

    // Again: nothing new, nothing doubled.
    const ImportOutcome again = library.Import(FindReadingFiles({in}));
    EXPECT_EQ(again.Imported, 0);
    EXPECT_EQ(again.Duplicates, 5);
    EXPECT_EQ(library.Count(), 3);
}

struct SearchCase {
    const char* Text;
    std::vector<std::string> Expected;  // in order
};

TEST_F(LibraryTest, SearchMatchesWordStartsWithoutCaseOrAccentsAndTakesAnyTextLiterally) {
    ChartLibrary library = Open();
    const auto add = [&](const char* name, const char* city, const char* notes,
                         std::vector<std::string> tags, int day) {
        FileLines lines = AnnLines();
        lines[2] = std::to_string(day);
        BirthForm form = FormOf(lines);
        form.Name = name;
        form.City = city;
        const auto id = library.Add(form);
        ASSERT_TRUE(id);
        ASSERT_TRUE(library.SetNotes(*id, notes));
        ASSERT_TRUE(library.AddTags(*id, tags));
    };
    add("Jos\u00e9 \u00c1lvarez", "Pune", "", {}, 1);
    add("Jose Martin", "Lisbon", "moved to S\u00e3o Paulo in 1990", {}, 2);
    add("Anne-Marie O'Neil", "Dublin", "", {"VIP", "Stammkundin \u00fcber"}, 3);
    add("Ann Lee", "Pune", "", {}, 4);
    add("Ravi Kumar", "Chennai", "cousin of Martin", {"H\u1ed9i An"}, 5);

    const std::vector<std::string> everyone = {"Ann Lee", "Anne-Marie O'Neil", "Jose Martin",
                                               "Jos\u00e9 \u00c1lvarez", "Ravi Kumar"};
    const std::vector<SearchCase> cases = {
        {"jos\u00e9", {"Jose Martin", "Jos\u00e9 \u00c1lvarez"}},
        {"JOSE alv", {"Jos\u00e9 \u00c1lvarez"}},
        {"sao paulo", {"Jose Martin"}},
        {"S\u00c3O", {"Jose Martin"}},
        {"ann pune", {"Ann Lee"}},
        {"pu", {"Ann Lee", "Jos\u00e9 \u00c1lvarez"}},
        {"marie", {"Anne-Marie O'Neil"}},
        {"vip", {"Anne-Marie O'Neil"}},
        {"uber", {"Anne-Marie O'Neil"}},
        {"martin", {"Jose Martin", "Ravi Kumar"}},  // the name before the notes
        {"lee", {"Ann Lee"}},
        {"hoi", {"Ravi Kumar"}},  // a letter with two marks in one character
        {"ee", {}},               // inside a word is no start of one
        {"", everyone},
        {"  ", everyone},
        {"%", everyone},
        {"*", everyone},
        {"\"", everyone},
        {"-ann", {"Ann Lee", "Anne-Marie O'Neil"}},
        {"ann*", {"Ann Lee", "Anne-Marie O'Neil"}},
        {"NEAR", {}},
        {"NEAR(ann lee)", {}},
        {"ann OR ravi", {}},
        {"ann NOT lee", {}},
        {"name:ann", {}},
        {"jose\" OR \"ann", {}},
        {"'; DROP TABLE chart; --", {}},
        {"%' OR '1'='1", {}},
        {"\"ann\"", {"Ann Lee", "Anne-Marie O'Neil"}},
        {"^ravi", {"Ravi Kumar"}},
    };
    for (const SearchCase& row : cases) {
        std::vector<std::string> found = Names(library.Search(row.Text));
        if (row.Expected.size() > 1 && std::string_view(row.Text) != "martin" &&
            row.Expected != everyone) {
            std::sort(found.begin(), found.end());  // equal matches, any order
        }
        EXPECT_EQ(found, row.Expected) << "text: " << row.Text;
    }
    EXPECT_EQ(library.Count(), 5);

    // Best first: the name, then the name and place, then notes and tags;
    // equal matches in the order they were added. A page is that part of
    // the whole list and tells how long the list is.
    add("Pune Das", "Goa", "", {}, 6);
    add("Hari Das", "Goa", "born in Pune", {}, 7);
    add("Gita Das", "Pune", "", {"pune-office"}, 8);
    const std::vector<std::string> pune = {"Pune Das", "Jos\u00e9 \u00c1lvarez", "Ann Lee",
                                           "Gita Das", "Hari Das"};
    EXPECT_EQ(Names(library.Search("pune")), pune);
    EXPECT_EQ(Names(library.Search("das pune")),
              (std::vector<std::string>{"Pune Das", "Gita Das", "Hari Das"}));
    struct PageCase {
        const char* Text;
        std::size_t Offset, Limit;
        std::vector<std::string> Expected;
        std::size_t Total;
    };
    const std::vector<PageCase> pages = {
        {"pune", 0, 2, {pune[0], pune[1]}, 5},
        {"pune", 1, 3, {pune[1], pune[2], pune[3]}, 5},
        {"pune", 4, 100, {pune[4]}, 5},
        {"pune", 5, 1, {}, 5},
        {"pune", 0, 0, {}, 5},
        {"zz", 0, 10, {}, 0},
        {"", 0, 2, {"Ann Lee", "Anne-Marie O'Neil"}, 8},
        {"", 7, 5, {"Ravi Kumar"}, 8},
        {"", 8, 5, {}, 8},
    };
    for (const PageCase& page : pages) {
        const SearchResults results = library.Search(page.Text, page.Offset, page.Limit);
        EXPECT_EQ(Names(results.Charts), page.Expected) << page.Text << " from " << page.Offset;
        EXPECT_EQ(results.Total, page.Total) << page.Text;
    }
}

TEST_F(LibraryTest, NotesTagsAndRemovalChangeOnlyTheirChart) {
    std::int64_t now = kFixedNow;
    ChartLibrary library(LibraryPath(), [&now] { return now; });
    const auto ann = library.Add(FormOf(AnnLines()));
    const auto client = library.Add(FormOf(ClientLines(1)));
    ASSERT_TRUE(ann && client);
    EXPECT_FALSE(library.Add(FormOf(AnnLines())));

    now += 60;
    EXPECT_TRUE(library.SetNotes(*ann, "first visit\n\u0928\u092e\u0938\u094d\u0924\u0947"));
    EXPECT_TRUE(library.AddTags(*ann, {"vip", " 2024 ", "", "vip", "\u00e9t\u00e9"}));
    EXPECT_EQ(Names(library.Search("2024")), (std::vector<std::string>{"Ann"}));
    EXPECT_TRUE(library.RemoveTags(*ann, {"2024", "never there"}));
    const auto found = library.Find(*ann);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Notes, "first visit\n\u0928\u092e\u0938\u094d\u0924\u0947");
    EXPECT_EQ(found->Tags, (std::vector<std::string>{"vip", "\u00e9t\u00e9"}));
    EXPECT_EQ(found->AddedAt, kFixedNow);
    EXPECT_EQ(found->ChangedAt, kFixedNow + 60);
    EXPECT_EQ(Names(library.Search("ete")), (std::vector<std::string>{"Ann"}));
    EXPECT_TRUE(library.Search("2024").empty());

    const std::int64_t unknown = *client + 100;
    EXPECT_FALSE(library.SetNotes(unknown, "x"));
    EXPECT_FALSE(library.AddTags(unknown, {"x"}));
    EXPECT_FALSE(library.RemoveTags(unknown, {"x"}));
    EXPECT_FALSE(library.Remove(unknown));
    EXPECT_FALSE(library.Find(unknown));

    EXPECT_TRUE(library.Remove(*ann));
    EXPECT_FALSE(library.Find(*ann));
    EXPECT_TRUE(library.Search("vip").empty());
    EXPECT_EQ(Names(library.Search("")), (std::vector<std::string>{"Client 1"}));
    // Its birth may come in again.
    EXPECT_TRUE(library.Add(FormOf(AnnLines())));
}

// Undo in the window: the chart comes back whole, under its own Id while no
// chart has taken it, and not at all while its birth is there again.
TEST_F(LibraryTest, ARemovedChartIsRestoredWholeUnderItsOwnIdWhileItIsFree) {
    std::int64_t now = kFixedNow;
    ChartLibrary library(LibraryPath(), [&now] { return now; });
    const auto ann = library.Add(FormOf(AnnLines()));
    const auto client = library.Add(FormOf(ClientLines(1)));
    ASSERT_TRUE(ann && client);
    now += 60;
    library.SetNotes(*ann, "first visit");
    library.AddTags(*ann, {"vip", "family"});
    const LibraryChart kept = *library.Find(*ann);
    const LibraryChart keptClient = *library.Find(*client);
    now += 60;

    ASSERT_TRUE(library.Remove(*ann));
    EXPECT_EQ(library.Restore(kept), kept.Id);
    const auto back = library.Find(*ann);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Notes, "first visit");
    EXPECT_EQ(back->Tags, (std::vector<std::string>{"family", "vip"}));
    EXPECT_EQ(back->AddedAt, kFixedNow);
    EXPECT_EQ(back->ChangedAt, kFixedNow + 60);
    EXPECT_EQ(Names(library.Search("visit")), (std::vector<std::string>{"Ann"}));
    EXPECT_EQ(library.SearchIds("family"), (std::vector<std::int64_t>{*ann}));
    EXPECT_FALSE(library.Restore(kept));

    // The client's Id taken by a chart added meanwhile: a new one.
    ASSERT_TRUE(library.Remove(*client));
    const auto taker = library.Add(FormOf(ClientLines(2)));
    ASSERT_EQ(taker, client);
    const auto restored = library.Restore(keptClient);
    ASSERT_TRUE(restored);
    EXPECT_NE(*restored, *client);
    EXPECT_EQ(library.Find(*restored)->Form.Name, "Client 1");
    EXPECT_EQ(library.Find(*client)->Form.Name, "Client 2");
    EXPECT_EQ(Names(library.Search("client 1")), (std::vector<std::string>{"Client 1"}));
}

TEST_F(LibraryTest, ExportWritesReadableFilesUnderUniqueNamesAndRefusesWhatSaveRefuses) {
    const fs::path out = dir_ / "out";
    WriteFile(out / "Ann.tvl", "kept");
    ChartLibrary library = Open();
    const auto add = [&](int n, const std::string& name, std::optional<int> offset = {}) {
        BirthForm form = FormOf(ClientLines(n));
        form.Name = name;
        form.UtcOffsetSeconds = offset;
        ASSERT_TRUE(library.Add(form)) << name;
    };
    add(1, "Ann");
    add(2, "Ann");
    add(3, "Bo", -16200);
    add(4, "\u03a9mega");  // beyond the file's single bytes
    add(5, "Ann Two");

    const ImportOutcome outcome = library.Export(out);
    EXPECT_EQ(outcome.Imported, 4);
    ASSERT_EQ(outcome.Refused.size(), 1u);
    EXPECT_EQ(outcome.Refused[0].File, (out / "\u03a9mega.tvl").string());
    EXPECT_TRUE(outcome.Refused[0].Reason.starts_with("the name: ")) << outcome.Refused[0].Reason;
    EXPECT_EQ(ReadBytes(out / "Ann.tvl"), "kept");

    std::vector<std::string> written;
    for (const auto& entry : fs::directory_iterator(out)) {
        written.push_back(entry.path().filename().string());
    }
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"Ann (2).tvl", "Ann (3).tvl", "Ann Two.tvl",
                                                 "Ann.tvl", "Bo.tvl"}));
    // Read back as Open reads them, every file is a chart already there.
    for (const std::string& name : written) {
        if (name == "Ann.tvl") {
            continue;
        }
        auto read = ReadChartFile(out / name);
        ASSERT_TRUE(std::holds_alternative<BirthForm>(read)) << name;
        EXPECT_FALSE(library.Add(std::get<BirthForm>(read))) << name;
    }
    EXPECT_EQ(std::get<BirthForm>(ReadChartFile(out / "Bo.tvl")).UtcOffsetSeconds, -16200);
}

TEST(ExportFileStemTest, KeepsTheNameAsFarAsAFileNameCanHoldIt) {
    std::string accents = "a";  // the cut falls inside a character
    for (int i = 0; i < 150; ++i) {
        accents += "\u00e9";  // two bytes each
    }
    const std::pair<std::string, std::string> rows[] = {
        {"Ann Lee", "Ann Lee"}, {"  Ann  ", "Ann"},
        {"A/B", "A_B"},         {"..", "_."},
        {"", "Chart"},          {"   ", "Chart"},
        {"a\nb", "a_b"},        {accents, accents.substr(0, 199)},
    };
    for (const auto& [name, stem] : rows) {
        EXPECT_EQ(ExportFileStem(name), stem) << name;
    }
}

struct Refused {
    const char* Why;
    std::function<void(const fs::path& library)> Make;
    const char* Says;
};

void SetUserVersion(const fs::path& path, int version) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, ("PRAGMA user_version = " + std::to_string(version)).c_str(), nullptr, nullptr,
                 nullptr);
    sqlite3_close(db);
}

TEST_F(LibraryTest, ADamagedForeignOrNewerFileIsRefusedAndLeftByteForByte) {
    const auto makeLibrary = [](const fs::path& path) {
        ChartLibrary library(path);
        ASSERT_TRUE(library.Add(FormOf(AnnLines())));
    };
    const std::vector<Refused> rows = {
        {"text", [](const fs::path& p) { WriteFile(p, "Ann, 1990-07-15, New Delhi\n"); },
         "is no SQLite database"},
        {"short header", [](const fs::path& p) { WriteFile(p, "SQLite format"); },
         "is no SQLite database"},
        {"damaged first page",
         [&](const fs::path& p) {
             makeLibrary(p);
             std::fstream file(p, std::ios::in | std::ios::out | std::ios::binary);
             file.seekp(100);
             file << std::string(200, '\xff');
         },
         "cannot be opened"},
        {"another program's database",
         [](const fs::path& p) {
             sqlite3* db = nullptr;
             sqlite3_open(p.c_str(), &db);
             sqlite3_exec(db, "CREATE TABLE invoices(amount)", nullptr, nullptr, nullptr);
             sqlite3_close(db);
         },
         "not a chart library"},
        {"newer",
         [&](const fs::path& p) {
             makeLibrary(p);
             SetUserVersion(p, kSchemaVersion + 1);
         },
         "newer Tavrinel (library version 3; this program reads up to 2)"},
    };
    for (const Refused& row : rows) {
        const fs::path path = dir_ / row.Why / "library.sqlite3";
        fs::create_directories(path.parent_path());
        row.Make(path);
        const std::string before = ReadBytes(path);
        try {
            ChartLibrary library(path);
            ADD_FAILURE() << row.Why << ": opened";
        } catch (const LibraryError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(path.string()), std::string::npos) << message;
            EXPECT_NE(message.find(row.Says), std::string::npos) << row.Why << ": " << message;
        }
        EXPECT_EQ(ReadBytes(path), before) << row.Why;
    }
}

TEST_F(LibraryTest, ANewLibraryIsMadeInWalModeAtTheCurrentVersionAndKeptOnReopening) {
    // An empty file holds nothing to lose: it becomes the library.
    WriteFile(LibraryPath(), "");
    {
        ChartLibrary library = Open();
        ASSERT_TRUE(library.Add(FormOf(AnnLines())));
    }
    EXPECT_EQ(SqlText(LibraryPath(), "PRAGMA journal_mode"), "wal");
    EXPECT_EQ(SqlText(LibraryPath(), "PRAGMA user_version"), std::to_string(kSchemaVersion));
    ChartLibrary again = Open();
    EXPECT_EQ(again.Count(), 1);
}

// A library of the first version (without the index of names) is brought
// forward when it is opened, its charts kept.
TEST_F(LibraryTest, AFirstVersionLibraryIsBroughtForwardWithItsCharts) {
    {
        ChartLibrary library = Open();
        ASSERT_TRUE(library.Add(FormOf(AnnLines())));
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(LibraryPath().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "DROP INDEX chart_by_name; PRAGMA user_version = 1", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    ChartLibrary again = Open();
    EXPECT_EQ(again.Count(), 1);
    EXPECT_EQ(SqlText(LibraryPath(), "PRAGMA user_version"), "2");
    EXPECT_EQ(SqlText(LibraryPath(),
                      "SELECT name FROM sqlite_master WHERE type = 'index' AND "
                      "name = 'chart_by_name'"),
              "chart_by_name");
}

TEST(LibraryPathTest, FollowsXdgDataHomeAndFallsBackToTheHomeFolder) {
    struct Row {
        const char* DataHome;  // null: unset
        const char* Expected;
    };
    const Row rows[] = {
        {"/data/me", "/data/me/tavrinel/library.sqlite3"},
        {nullptr, "/home/me/.local/share/tavrinel/library.sqlite3"},
        {"relative/path", "/home/me/.local/share/tavrinel/library.sqlite3"},
    };
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    ::setenv("HOME", "/home/me", 1);
    for (const Row& row : rows) {
        if (row.DataHome) {
            ::setenv("XDG_DATA_HOME", row.DataHome, 1);
        } else {
            ::unsetenv("XDG_DATA_HOME");
        }
        EXPECT_EQ(DefaultLibraryPath(), fs::path(row.Expected));
    }
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", savedHome.c_str(), 1);
}

// Runs the driver; its standard output comes back line by line through `line`.
struct Driver {
    pid_t Pid = -1;
    FILE* Output = nullptr;
};

Driver StartDriver(const fs::path& library, const fs::path& folder, int batch) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return {};
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        const std::string batchText = std::to_string(batch);
        ::execl(TAVRINEL_LIBRARY_DRIVER, TAVRINEL_LIBRARY_DRIVER, library.c_str(), folder.c_str(),
                batchText.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    return {pid, ::fdopen(pipeFds[0], "r")};
}

std::vector<std::string> Lines(FILE* output) {
    std::vector<std::string> lines;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, output)) {
        lines.emplace_back(buffer);
    }
    return lines;
}

int Finish(Driver& driver) {
    int status = 0;
    ::waitpid(driver.Pid, &status, 0);
    std::fclose(driver.Output);
    return status;
}

constexpr int kManyCharts = 1200;
constexpr int kSmallBatch = 40;

void WriteClients(const fs::path& folder, int count) {
    for (int n = 0; n < count; ++n) {
        WriteFile(folder / ("client" + std::to_string(n) + ".tvl"), FileBytes(ClientLines(n)));
    }
}

TEST_F(LibraryTest, AnImportKilledPartWayLeavesWholeBatchesAndASecondRunCompletesIt) {
    const fs::path in = dir_ / "in";
    WriteClients(in, kManyCharts);
    Driver driver = StartDriver(LibraryPath(), in, kSmallBatch);
    ASSERT_GT(driver.Pid, 0);
    char first[256];
    ASSERT_TRUE(std::fgets(first, sizeof first, driver.Output));  // a batch is committed
    ::kill(driver.Pid, SIGKILL);
    const int status = Finish(driver);
    ASSERT_TRUE(WIFSIGNALED(status));

    EXPECT_EQ(SqlText(LibraryPath(), "PRAGMA integrity_check"), "ok");
    std::int64_t kept = 0;
    {
        ChartLibrary library = Open();
        kept = library.Count();
        EXPECT_GE(kept, kSmallBatch);
        EXPECT_EQ(kept % kSmallBatch, 0) << "a batch was kept in part";
        const ImportOutcome outcome = library.Import(FindReadingFiles({in}));
        EXPECT_EQ(outcome.Imported, kManyCharts - kept);
        EXPECT_EQ(outcome.Duplicates, kept);
        EXPECT_EQ(library.Count(), kManyCharts);
    }
    EXPECT_EQ(SqlText(LibraryPath(), "PRAGMA integrity_check"), "ok");
}

// Both start on a library that does not exist yet, where making it races
// too; a few rounds, as the race is decided anew each time.
TEST_F(LibraryTest, TwoProcessesImportingAtOnceAddEveryChartOnce) {
    constexpr int kRounds = 8;
    constexpr int kCharts = 400;
    const fs::path in = dir_ / "in";
    WriteClients(in, kCharts);
    for (int round = 0; round < kRounds; ++round) {
        const fs::path library = dir_ / ("round" + std::to_string(round)) / "library.sqlite3";
        Driver one = StartDriver(library, in, kSmallBatch);
        Driver two = StartDriver(library, in, kSmallBatch);
        const std::vector<std::string> oneLines = Lines(one.Output);
        const std::vector<std::string> twoLines = Lines(two.Output);
        const int oneStatus = Finish(one);
        const int twoStatus = Finish(two);
        ASSERT_TRUE(WIFEXITED(oneStatus) && WEXITSTATUS(oneStatus) == 0) << "round " << round;
        ASSERT_TRUE(WIFEXITED(twoStatus) && WEXITSTATUS(twoStatus) == 0) << "round " << round;
        long imported = 0;
        for (const auto* lines : {&oneLines, &twoLines}) {
            ASSERT_FALSE(lines->empty());
            long added = 0, duplicates = 0, refused = 0;
            std::istringstream(lines->back()) >> added >> duplicates >> refused;
            EXPECT_EQ(added + duplicates, kCharts);
            EXPECT_EQ(refused, 0);
            imported += added;
        }
        EXPECT_EQ(imported, kCharts);
        EXPECT_EQ(ChartLibrary(library).Count(), kCharts);
        EXPECT_EQ(SqlText(library, "PRAGMA integrity_check"), "ok");
    }
}

}  // namespace
}  // namespace tavrinel::library
