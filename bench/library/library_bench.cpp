// The chart library at scale: `library_bench [COUNT] [FOLDER]` writes COUNT
// reading files (100,000 by default) into a fresh folder, then times
// - reading and parsing every file as import does, without the database;
// - importing them into a new library;
// - opening the library and searching it for two-letter texts (median of
//   several runs), which is what a search costs beyond the process's start:
//   for the first page of matches, and for every match.
// It prints the times and the import's ratio to the reading alone. Given a
// FOLDER, the files stay there and a later run with it reads them again.
#include <unistd.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/reading_file.h"
#include "library/chart_library.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Names and places varied enough that a two-letter text matches a part of
// the library, not all of it.
constexpr std::array<const char*, 16> kFirst = {
    "Ann",   "Jose", "Ravi",   "Meera", "Karan", "Lena",  "Omar", "Priya",
    "Sunil", "Tara", "Vikram", "Asha",  "Deepa", "Farid", "Gita", "Hari"};
constexpr std::array<const char*, 12> kLast = {"Lee", "Martin", "Kumar", "Shah", "Iyer", "Nair",
                                               "Rao", "Das",    "Gupta", "Khan", "Bose", "Pillai"};
constexpr std::array<const char*, 8> kCities = {"Pune",   "Delhi",  "Chennai", "Kolkata",
                                                "Mumbai", "Jaipur", "Lucknow", "Surat"};

std::string FileFor(int n) {
    const std::array<std::string, tavrinel::kReadingFileLineCount> lines = {
        std::string(kFirst[n % kFirst.size()]) + " " + kLast[(n / 16) % kLast.size()] + " " +
            std::string(1, static_cast<char>('A' + n % 26)),
        std::to_string(n % 12 + 1),
        std::to_string(n % 28 + 1),
        std::to_string(1901 + n % 150),
        std::to_string(n % 24),
        std::to_string(n % 60),
        "34",
        std::to_string(n % 180),
        std::to_string(n % 60),
        std::to_string(n % 90),
        std::to_string((n / 7) % 60),
        "True",
        "False",
        "False",
        kCities[n % kCities.size()],
        "State",
        "India"};
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += tavrinel::ScrambleText(line) + "\r\n";
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tavrinel::library;
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const fs::path root = argc > 2 ? fs::path(argv[2])
                                   : fs::temp_directory_path() /
                                         ("tavrinel_library_bench_" + std::to_string(::getpid()));
    const fs::path in = root / "charts";
    // A folder given on the command line keeps its files for the next run.
    const bool reuse = argc > 2 && fs::exists(in);
    if (!reuse) {
        fs::remove_all(root);
    }
    fs::remove(root / "library.sqlite3");
    fs::remove(root / "library.sqlite3-wal");
    fs::remove(root / "library.sqlite3-shm");
    for (int n = 0; n < count && !reuse; ++n) {
        const fs::path folder = in / std::to_string(n / 1000);
        if (n % 1000 == 0) {
            fs::create_directories(folder);
        }
        std::FILE* file = std::fopen((folder / (std::to_string(n) + ".tvl")).c_str(), "wb");
        const std::string bytes = FileFor(n);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    // The files are in the page cache for both runs alike after this.
    auto start = Clock::now();
    const std::vector<fs::path> files = FindReadingFiles({in});
    long parsed = 0;
    for (const fs::path& file : files) {
        parsed += std::holds_alternative<tavrinel::BirthForm>(ReadChartFile(file)) ? 1 : 0;
    }
    const double readSeconds = Seconds(start);

    start = Clock::now();
    ImportOutcome outcome;
    {
        ChartLibrary library(root / "library.sqlite3");
        outcome = library.Import(FindReadingFiles({in}));
    }
    const double importSeconds = Seconds(start);

    std::printf(
        "%d files: read and parsed %ld in %.2f s; imported %ld (%ld duplicates) in %.2f s"
        " = %.2f x the reading\n",
        count, parsed, readSeconds, outcome.Imported, outcome.Duplicates, importSeconds,
        importSeconds / readSeconds);

    // The first page is what the command line prints and the window shows
    // first; every match, what "--limit 0" reads.
    for (const char* text : {"jo", "pu", "ku", "zz"}) {
        for (const bool all : {false, true}) {
            std::vector<double> times;
            std::size_t found = 0;
            std::size_t read = 0;
            for (int run = 0; run < 11; ++run) {
                start = Clock::now();
                ChartLibrary library(root / "library.sqlite3");
                const SearchResults results =
                    library.Search(text, 0, all ? SIZE_MAX : kSearchPageSize);
                found = results.Total;
                read = results.Charts.size();
                times.push_back(Seconds(start) * 1000);
            }
            std::sort(times.begin(), times.end());
            std::printf("open and search \"%s\": %zu charts, %zu read, median %.1f ms\n", text,
                        found, read, times[times.size() / 2]);
        }
    }
    if (argc <= 2) {
        fs::remove_all(root);
    }
    return 0;
}
