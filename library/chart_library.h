// The chart library: a practice's charts in one SQLite file that the window
// and the command line share. Charts come in as reading files, read exactly
// as Open reads them, and go out as reading files through the safe save.
// Qt-free: plain values in and out.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "chart/birth_form.h"

namespace tavrinel::library {

class Connection;

// The schema this program writes. A file of a newer one is refused, never
// downgraded; an older one is brought forward step by step on opening.
inline constexpr std::int64_t kSchemaVersion = 2;

// Files read per transaction on import: a kill loses at most this many,
// and an import run again adds them without doubles.
inline constexpr std::size_t kImportBatchSize = 500;

// The charts a search gives at once unless asked for more: the command
// line's default, and a screenful or two of the window's list.
inline constexpr std::size_t kSearchPageSize = 100;

// How long a writer waits for another process (the window, a second
// command line) to finish its transaction before giving up.
inline constexpr int kBusyTimeoutMilliseconds = 10000;

// The file cannot be used as a chart library: its message names the file and
// what is wrong. The file is left as it was.
struct LibraryError : std::runtime_error {
    LibraryError(const std::filesystem::path& path, const std::string& problem)
        : std::runtime_error("the chart library \"" + path.string() + "\" " + problem),
          Path(path),
          Problem(problem) {}
    std::filesystem::path Path;
    std::string Problem;  // what follows the file's name
};

struct LibraryChart {
    std::int64_t Id = 0;
    // The birth data as the form normalises it: digit boxes as plain numbers,
    // place texts trimmed. The zone index names the nearest list entry when
    // the chart has an exact offset.
    BirthForm Form;
    std::string Notes;              // UTF-8, any text
    std::vector<std::string> Tags;  // UTF-8, sorted
    std::int64_t AddedAt = 0;       // seconds since 1970-01-01 UTC
    std::int64_t ChangedAt = 0;
};

// A part of what a search finds, and how many it finds in all.
struct SearchResults {
    std::vector<LibraryChart> Charts;
    std::size_t Total = 0;
};

// The orders a list of charts can be asked in: the search's own (best match
// first, or by name without a text), or by one of the window's columns.
enum class ChartOrder { Match, Name, Born, Place, Tags };

struct FileRefusal {
    std::string File;
    std::string Reason;  // Open's own message, or the form's check
};

struct ImportOutcome {
    long Imported = 0;  // on export: files written
    long Duplicates = 0;
    std::vector<FileRefusal> Refused;
};

// Told after every committed batch: files done of the whole.
using ImportProgress = std::function<void(std::size_t done, std::size_t total)>;
// Seconds since 1970-01-01 UTC; tests give a fixed one.
using LibraryClock = std::function<std::int64_t()>;

[[nodiscard]] std::int64_t SystemSeconds();

// $XDG_DATA_HOME/tavrinel/library.sqlite3, or under ~/.local/share when the
// variable is unset or not an absolute path.
[[nodiscard]] std::filesystem::path DefaultLibraryPath();

// Every file under the folders, at any depth, whose name ends in ".tvl" in
// any case, sorted by path so that runs are repeatable.
[[nodiscard]] std::vector<std::filesystem::path> FindReadingFiles(
    const std::vector<std::filesystem::path>& folders);

// A reading file's form as Open leaves it, refused as the command line
// refuses a file to calculate; the extension may be in any case.
[[nodiscard]] std::variant<BirthForm, std::string> ReadChartFile(const std::filesystem::path& path);

// Two charts are the same birth when these are equal: the form's texts and
// choices after its own normalisation, the file's name left aside.
[[nodiscard]] BirthForm NormalisedForm(const BirthForm& form);

class ChartLibrary {
  public:
    // Opens the library, making the file and its folder on first use. Throws
    // LibraryError for a file that is damaged, is not a chart library, or
    // has a newer schema, leaving it byte for byte as it was.
    explicit ChartLibrary(const std::filesystem::path& path, LibraryClock clock = SystemSeconds);
    ~ChartLibrary();
    ChartLibrary(const ChartLibrary&) = delete;
    ChartLibrary& operator=(const ChartLibrary&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

    // Reads and adds the files, committing every batchSize of them.
    ImportOutcome Import(const std::vector<std::filesystem::path>& files,
                         const ImportProgress& progress = {},
                         std::size_t batchSize = kImportBatchSize);
    // Adds one chart; nothing when its birth data are already there.
    std::optional<std::int64_t> Add(const BirthForm& form);

    // Charts whose every word of the text begins a word of their name, place,
    // notes or tags, regardless of case and accents; best match first: those
    // whose name has every word, then those whose name and place have them,
    // then the rest, each in the order they were added. An empty text (or
    // one without any letter or digit) gives every chart by name.
    [[nodiscard]] std::vector<LibraryChart> Search(std::string_view text) const;
    // The same, from the offset-th on, at most `limit` of them: only these
    // are read, so that the first page of thousands comes at once.
    [[nodiscard]] SearchResults Search(std::string_view text, std::size_t offset,
                                       std::size_t limit) const;
    // Search's charts as Ids alone, so that a window lists 100,000 of them
    // without reading each; ties keep the Ids' order.
    [[nodiscard]] std::vector<std::int64_t> SearchIds(std::string_view text,
                                                      ChartOrder order = ChartOrder::Match,
                                                      bool descending = false) const;
    [[nodiscard]] std::optional<LibraryChart> Find(std::int64_t id) const;
    [[nodiscard]] std::int64_t Count() const;

    // False for an unknown Id; nothing changes then.
    bool Remove(std::int64_t id);
    // Puts a removed chart back whole: its Id while no chart has taken it,
    // its notes, tags and times. Nothing when its birth is there again.
    std::optional<std::int64_t> Restore(const LibraryChart& chart);
    bool SetNotes(std::int64_t id, std::string_view notes);
    bool AddTags(std::int64_t id, const std::vector<std::string>& tags);
    bool RemoveTags(std::int64_t id, const std::vector<std::string>& tags);

    // One reading file per chart in the folder, named after the person and
    // never over an existing file; a chart the file cannot hold is refused.
    [[nodiscard]] ImportOutcome Export(const std::filesystem::path& folder) const;

  private:
    std::filesystem::path path_;
    LibraryClock clock_;
    std::unique_ptr<Connection> db_;
};

// Export's work for the charts given: the window exports the user's choice.
[[nodiscard]] ImportOutcome ExportCharts(const std::vector<LibraryChart>& charts,
                                         const std::filesystem::path& folder);

// A name for a chart's reading file: the person's name without what a file
// name cannot hold, "Chart" when nothing is left.
[[nodiscard]] std::string ExportFileStem(std::string_view personName);

}  // namespace tavrinel::library
