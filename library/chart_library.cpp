#include "library/chart_library.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <set>

#include "chart/reading_file.h"
#include "chart/reading_file_check.h"
#include "chart/safe_save.h"
#include "chart/time_zone_table.h"
#include "library/sqlite_connection.h"

namespace tavrinel::library {

namespace fs = std::filesystem;

namespace {

// The first bytes of every SQLite database file.
constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};

// Each step brings a file of version N (its index) to version N + 1. A step,
// once released, never changes: later versions add steps. The search keeps an
// index of two-letter prefixes, the first thing typed into a search box;
// longer ones walk the sorted terms, which costs little, and more prefix
// indexes slowed a large import by a third.
constexpr std::array<std::string_view, kSchemaVersion> kMigrations = {
    R"sql(
CREATE TABLE chart(
    id INTEGER PRIMARY KEY,
    person_name TEXT NOT NULL,
    birth_day INTEGER NOT NULL,
    birth_month INTEGER NOT NULL,
    birth_year INTEGER NOT NULL,
    birth_hour INTEGER NOT NULL,
    birth_minute INTEGER NOT NULL,
    time_zone INTEGER NOT NULL,
    lat_degrees INTEGER NOT NULL,
    lat_minutes INTEGER NOT NULL,
    lat_north INTEGER NOT NULL,
    lon_degrees INTEGER NOT NULL,
    lon_minutes INTEGER NOT NULL,
    lon_east INTEGER NOT NULL,
    daylight_saving INTEGER NOT NULL,
    city_name TEXT NOT NULL,
    state_name TEXT NOT NULL,
    country_name TEXT NOT NULL,
    utc_offset_seconds INTEGER,
    notes TEXT NOT NULL DEFAULT '',
    added_at INTEGER NOT NULL,
    changed_at INTEGER NOT NULL,
    birth_key BLOB NOT NULL UNIQUE
);
CREATE TABLE chart_tag(
    chart_id INTEGER NOT NULL REFERENCES chart(id) ON DELETE CASCADE,
    tag TEXT NOT NULL,
    PRIMARY KEY(chart_id, tag)
) WITHOUT ROWID;
CREATE VIRTUAL TABLE chart_search USING fts5(
    name, city, state, country, notes, tags,
    tokenize = 'unicode61 remove_diacritics 2',
    prefix = '2'
);
)sql",
    // Every chart by name, the list an empty search box shows, read in the
    // index's order instead of sorting 100,000 rows at each keystroke.
    R"sql(
CREATE INDEX chart_by_name ON chart(person_name COLLATE NOCASE, id);
)sql",
};

// A search ranks its matches by where the words are found: the columns of
// each tier but the last, which is every column. Each tier is a query of the
// index alone, a fraction of a millisecond; ranking by the texts themselves
// (bm25) read every match's row, some 15 ms for 6,000 matches of 100,000,
// before the first could be shown.
constexpr std::array<std::string_view, 2> kRankTierColumns = {"{name}",
                                                              "{name city state country}"};

constexpr std::string_view kChartColumns =
    "c.id, c.person_name, c.birth_day, c.birth_month, c.birth_year, c.birth_hour, "
    "c.birth_minute, c.time_zone, c.lat_degrees, c.lat_minutes, c.lat_north, c.lon_degrees, "
    "c.lon_minutes, c.lon_east, c.daylight_saving, c.city_name, c.state_name, c.country_name, "
    "c.utc_offset_seconds, c.notes, c.added_at, c.changed_at";

int BoxNumber(const std::string& text) {
    return ParseDigits(text).value_or(0);
}

// Each field with its length before it, so that no text can pass for two.
std::string BirthKey(const BirthForm& form) {
    std::string key;
    const auto add = [&key](std::string_view field) {
        key += std::to_string(field.size());
        key += ':';
        key += field;
    };
    add(form.Name);
    for (int value : {form.DayIndex, form.MonthIndex, form.YearIndex, form.HourIndex,
                      form.MinuteIndex, form.ZoneIndex}) {
        add(std::to_string(value));
    }
    add(form.LatDeg);
    add(form.LatMin);
    add(form.Latitude == LatitudeChoice::North ? "N" : "S");
    add(form.LonDeg);
    add(form.LonMin);
    add(form.Longitude == LongitudeChoice::East ? "E" : "W");
    add(form.DaylightSaving ? "1" : "0");
    add(form.City);
    add(form.State);
    add(form.Country);
    add(form.UtcOffsetSeconds ? std::to_string(*form.UtcOffsetSeconds) : "-");
    return key;
}

LibraryChart ReadChartRow(const Statement& row) {
    LibraryChart chart;
    chart.Id = row.Integer(0);
    BirthForm& form = chart.Form;
    form.Name = row.Text(1);
    form.DayIndex = static_cast<int>(row.Integer(2)) - 1;
    form.MonthIndex = static_cast<int>(row.Integer(3)) - 1;
    form.YearIndex = static_cast<int>(row.Integer(4)) - kFirstYear;
    form.HourIndex = static_cast<int>(row.Integer(5));
    form.MinuteIndex = static_cast<int>(row.Integer(6));
    form.ZoneIndex = static_cast<int>(row.Integer(7));
    form.LatDeg = std::to_string(row.Integer(8));
    form.LatMin = std::to_string(row.Integer(9));
    form.Latitude = row.Integer(10) != 0 ? LatitudeChoice::North : LatitudeChoice::South;
    form.LonDeg = std::to_string(row.Integer(11));
    form.LonMin = std::to_string(row.Integer(12));
    form.Longitude = row.Integer(13) != 0 ? LongitudeChoice::East : LongitudeChoice::West;
    form.DaylightSaving = row.Integer(14) != 0;
    form.City = row.Text(15);
    form.State = row.Text(16);
    form.Country = row.Text(17);
    if (const auto offset = row.OptionalInteger(18)) {
        form.UtcOffsetSeconds = static_cast<int>(*offset);
    }
    chart.Notes = row.Text(19);
    chart.AddedAt = row.Integer(20);
    chart.ChangedAt = row.Integer(21);
    return chart;
}

// The user's words as an FTS5 expression that can only look for text: each
// word quoted (a quote inside doubled) and matched as the start of a word.
// A word of ASCII punctuation alone has nothing the tokenizer would keep.
std::string SearchExpression(std::string_view text) {
    std::string expression;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of(" \t\r\n\f\v", start), text.size());
        const std::string_view word = text.substr(start, end - start);
        start = end + 1;
        const bool hasContent = std::any_of(word.begin(), word.end(), [](char c) {
            const auto code = static_cast<unsigned char>(c);
            return code >= 0x80 || std::isalnum(code);
        });
        if (!hasContent) {
            continue;
        }
        if (!expression.empty()) {
            expression += ' ';
        }
        expression += '"';
        for (char c : word) {
            expression += c;
            if (c == '"') {
                expression += '"';
            }
        }
        expression += "\"*";
    }
    return expression;
}

std::string WhyNotOpened(const ReadingFileError& error) {
    switch (error.Problem) {
        case ReadingFileProblem::DamagedOffset:
            return error.Detail;
        case ReadingFileProblem::WrongExtension:
            return "the name does not end in tvl";
        case ReadingFileProblem::Missing:
            return "the file does not exist";
        case ReadingFileProblem::NotRegularFile:
            return "it is not a regular file";
        case ReadingFileProblem::Unreadable:
        case ReadingFileProblem::NotSaved:
            break;
    }
    return "the file cannot be read";
}

bool EndsInReadingExtension(const fs::path& path) {
    const std::string name = path.filename().string();
    if (name.size() < kReadingFileExtension.size() + 1) {
        return false;
    }
    std::string tail = name.substr(name.size() - kReadingFileExtension.size() - 1);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == "." + std::string(kReadingFileExtension);
}

// The file's header, before SQLite sees it: SQLite would take a file of any
// other kind for damaged and might try to repair it.
void CheckHeader(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw LibraryError(path, "cannot be read");
    }
    std::string header(kSqliteHeader.size(), '\0');
    file.read(header.data(), static_cast<std::streamsize>(header.size()));
    const auto got = static_cast<std::size_t>(file.gcount());
    if (got == 0) {
        return;  // an empty file holds nothing to lose: it becomes the library
    }
    if (got < header.size() || header != kSqliteHeader) {
        throw LibraryError(path,
                           "is damaged or is not a chart library (it is no SQLite database); "
                           "it was left as it is");
    }
}

std::string_view TextBoxName(FormField field) {
    switch (field) {
        case FormField::City:
            return "the city";
        case FormField::State:
            return "the state";
        case FormField::Country:
            return "the country";
        default:
            return "the name";
    }
}

}  // namespace

std::int64_t SystemSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

fs::path DefaultLibraryPath() {
    fs::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && fs::path(data).is_absolute()) {
        base = data;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = fs::path(home) / ".local" / "share";
    } else {
        base = fs::current_path();
    }
    return base / "tavrinel" / "library.sqlite3";
}

std::vector<fs::path> FindReadingFiles(const std::vector<fs::path>& folders) {
    std::vector<fs::path> files;
    for (const fs::path& folder : folders) {
        std::error_code error;
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                            error);
        for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            std::error_code typeError;
            if (EndsInReadingExtension(it->path()) && !it->is_directory(typeError)) {
                files.push_back(it->path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

std::variant<BirthForm, std::string> ReadChartFile(const fs::path& path) {
    BirthForm form;
    // Open refuses "Ann.TVL" by its name alone; the library takes "*.tvl" in
    // any case and reads it as Open reads the rest.
    const auto error = EndsInReadingExtension(path) ? ReadReadingFileWhateverItsName(path, form)
                                                    : OpenReadingFile(path, form);
    if (error) {
        return error->Message + " (" + WhyNotOpened(*error) + ")";
    }
    // The place takes no part in the calculation, and the command line casts
    // charts without one.
    if (const auto fault = ValidateBirthForm(form, PlaceRule::Optional)) {
        return std::string(fault->Message);
    }
    return NormalisedForm(form);
}

BirthForm NormalisedForm(const BirthForm& form) {
    BirthForm normal = form;
    normal.LatDeg = std::to_string(BoxNumber(form.LatDeg));
    normal.LatMin = std::to_string(BoxNumber(form.LatMin));
    normal.LonDeg = std::to_string(BoxNumber(form.LonDeg));
    normal.LonMin = std::to_string(BoxNumber(form.LonMin));
    normal.City = std::string(TrimBlanks(form.City));
    normal.State = std::string(TrimBlanks(form.State));
    normal.Country = std::string(TrimBlanks(form.Country));
    return normal;
}

namespace {

void Migrate(Connection& db, std::int64_t from) {
    for (std::int64_t step = from; step < kSchemaVersion; ++step) {
        db.Execute(kMigrations[static_cast<std::size_t>(step)]);
    }
    db.Execute("PRAGMA user_version = " + std::to_string(kSchemaVersion));
}

// A new library is made whole under a private name beside its place and
// moved there only if nothing is there yet: a second process starting at the
// same moment finds either no file or a complete one in WAL mode (switching
// a file to WAL needs it alone, which no busy wait can give).
void MakeLibraryFile(const fs::path& path) {
    const fs::path side = path.parent_path() / SideFileName(path.filename().string(),
                                                            "new-" + std::to_string(::getpid()));
    const auto removeSide = [&side] {
        std::error_code ignored;
        for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
            fs::remove(side.string() + suffix, ignored);
        }
    };
    removeSide();
    try {
        Connection db(side.string(), true);
        db.Execute("PRAGMA journal_mode = WAL");
        WriteTransaction transaction(db);
        Migrate(db, 0);
        transaction.Commit();
    } catch (const SqliteFailure& failure) {
        removeSide();
        throw LibraryError(path, std::string("cannot be made: ") + failure.what());
    }
    // Closed: the file is complete and SQLite has folded its WAL back in.
    int result = ::renameat2(AT_FDCWD, side.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
    if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without that kind of rename: a hard link is as exclusive.
        result = ::link(side.c_str(), path.c_str());
    }
    const int why = errno;
    removeSide();
    if (result != 0 && why != EEXIST) {
        throw LibraryError(path, std::string("cannot be made: ") + std::strerror(why));
    }
}

}  // namespace

ChartLibrary::ChartLibrary(const fs::path& path, LibraryClock clock)
    : path_(path), clock_(std::move(clock)) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(path, error))) {
        if (path.has_parent_path()) {
            fs::create_directories(path.parent_path(), error);
            if (error) {
                throw LibraryError(path, "cannot be made: " + error.message());
            }
        }
        MakeLibraryFile(path);
    }
    if (!fs::is_regular_file(path, error)) {
        throw LibraryError(path, "is not a regular file");
    }
    CheckHeader(path);
    std::int64_t version = 0;
    std::int64_t objects = 0;
    std::string journal;
    try {
        db_ = std::make_unique<Connection>(path.string(), false);
        sqlite3_busy_timeout(db_->Handle(), kBusyTimeoutMilliseconds);
        // One statement, so one snapshot.
        Statement state(db_->Handle(),
                        "SELECT (SELECT user_version FROM pragma_user_version), "
                        "(SELECT count(*) FROM sqlite_schema), "
                        "(SELECT journal_mode FROM pragma_journal_mode)");
        if (state.Step()) {
            version = state.Integer(0);
            objects = state.Integer(1);
            journal = state.Text(2);
        }
    } catch (const SqliteFailure& failure) {
        throw LibraryError(
            path, std::string("cannot be opened: ") + failure.what() + "; it was left as it is");
    }
    if (version > kSchemaVersion) {
        throw LibraryError(path,
                           "was written by a newer Tavrinel"
                           " (library version " +
                               std::to_string(version) + "; this program reads up to " +
                               std::to_string(kSchemaVersion) + "); it was left as it is");
    }
    if (version == 0 && objects > 0) {
        throw LibraryError(path,
                           "is a SQLite database of another program, not a chart library; "
                           "it was left as it is");
    }
    try {
        if (journal != "wal") {
            db_->Execute("PRAGMA journal_mode = WAL");  // an empty file taken as the library
        }
        db_->Execute("PRAGMA foreign_keys = ON");
        // In WAL mode this still keeps every commit through a killed process
        // and the file whole through a power cut; it only spares a sync per
        // commit, which an import of thousands of files would otherwise pay.
        db_->Execute("PRAGMA synchronous = NORMAL");
        // A checkpoint (with its syncs) every 32 MiB of changes rather than
        // every 4: with the import's larger cache, it halves a large import.
        db_->Execute("PRAGMA wal_autocheckpoint = 8000");
        if (version < kSchemaVersion) {
            WriteTransaction transaction(*db_);
            // Another process may have brought it forward while this one waited.
            Migrate(*db_, db_->Single("PRAGMA user_version"));
            transaction.Commit();
        }
    } catch (const SqliteFailure& failure) {
        throw LibraryError(path, std::string("cannot be used: ") + failure.what());
    }
}

ChartLibrary::~ChartLibrary() = default;

namespace {

constexpr std::string_view kInsertChart =
    "INSERT INTO chart(person_name, birth_day, birth_month, birth_year, birth_hour, "
    "birth_minute, time_zone, lat_degrees, lat_minutes, lat_north, lon_degrees, lon_minutes, "
    "lon_east, daylight_saving, city_name, state_name, country_name, utc_offset_seconds, "
    "added_at, changed_at, birth_key) "
    "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, "
    "?19, ?19, ?20) ON CONFLICT(birth_key) DO NOTHING";

// A new chart has neither notes nor tags yet.
constexpr std::string_view kNewSearchRow =
    "INSERT INTO chart_search(rowid, name, city, state, country, notes, tags) "
    "VALUES(?1, ?2, ?3, ?4, ?5, '', '')";

constexpr std::string_view kRefreshSearch =
    "INSERT INTO chart_search(rowid, name, city, state, country, notes, tags) "
    "SELECT id, person_name, city_name, state_name, country_name, notes, "
    "(SELECT coalesce(group_concat(tag, ' '), '') FROM chart_tag WHERE chart_id = id) "
    "FROM chart WHERE id = ?1";

// Adds one normalised chart inside the caller's transaction.
std::optional<std::int64_t> InsertChart(Connection& db, Statement& insert, Statement& search,
                                        const BirthForm& form, std::int64_t now) {
    insert.Reset();
    insert.Bind(1, form.Name)
        .Bind(2, std::int64_t{form.DayIndex + 1})
        .Bind(3, std::int64_t{form.MonthIndex + 1})
        .Bind(4, std::int64_t{form.YearIndex + kFirstYear})
        .Bind(5, std::int64_t{form.HourIndex})
        .Bind(6, std::int64_t{form.MinuteIndex})
        .Bind(7, std::int64_t{form.ZoneIndex})
        .Bind(8, std::int64_t{BoxNumber(form.LatDeg)})
        .Bind(9, std::int64_t{BoxNumber(form.LatMin)})
        .Bind(10, std::int64_t{form.Latitude == LatitudeChoice::North})
        .Bind(11, std::int64_t{BoxNumber(form.LonDeg)})
        .Bind(12, std::int64_t{BoxNumber(form.LonMin)})
        .Bind(13, std::int64_t{form.Longitude == LongitudeChoice::East})
        .Bind(14, std::int64_t{form.DaylightSaving})
        .Bind(15, form.City)
        .Bind(16, form.State)
        .Bind(17, form.Country)
        .Bind(19, now)
        .Bind(20, BirthKey(form));
    if (form.UtcOffsetSeconds) {
        insert.Bind(18, std::int64_t{*form.UtcOffsetSeconds});
    } else {
        insert.BindNull(18);
    }
    insert.Run();
    if (db.Changes() == 0) {
        return std::nullopt;
    }
    const std::int64_t id = db.LastId();
    search.Reset();
    search.Bind(1, id).Bind(2, form.Name).Bind(3, form.City).Bind(4, form.State);
    search.Bind(5, form.Country).Run();
    return id;
}

void RefreshSearchRow(Connection& db, std::int64_t id) {
    Statement(db.Handle(), "DELETE FROM chart_search WHERE rowid = ?1").Bind(1, id).Run();
    Statement(db.Handle(), kRefreshSearch).Bind(1, id).Run();
}

// A tag as kept: blanks around it trimmed; an empty one is no tag.
std::string TagText(std::string_view tag) {
    const auto first = tag.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = tag.find_last_not_of(" \t\r\n");
    return std::string(tag.substr(first, last - first + 1));
}

}  // namespace

namespace {

// The import's page cache, given back to SQLite's default when it ends.
class LargerCache {
  public:
    explicit LargerCache(Connection& db) : db_(db) { db_.Execute("PRAGMA cache_size = -65536"); }
    ~LargerCache() {
        try {
            db_.Execute("PRAGMA cache_size = -2000");
        } catch (const SqliteFailure&) {
            // The cache only costs memory; the library is whole either way.
        }
    }
    LargerCache(const LargerCache&) = delete;
    LargerCache& operator=(const LargerCache&) = delete;

  private:
    Connection& db_;
};

}  // namespace

ImportOutcome ChartLibrary::Import(const std::vector<fs::path>& files,
                                   const ImportProgress& progress, std::size_t batchSize) {
    ImportOutcome outcome;
    batchSize = std::max<std::size_t>(batchSize, 1);
    // Room for the birth data's index and the search's pages at 100,000
    // charts while an import writes them; a window that only reads keeps
    // SQLite's own small cache, and its memory with it.
    const LargerCache cache(*db_);
    for (std::size_t start = 0; start < files.size(); start += batchSize) {
        const std::size_t end = std::min(files.size(), start + batchSize);
        // Read before the write lock is taken, so another writer waits only
        // for the database's own work.
        std::vector<BirthForm> forms;
        std::vector<FileRefusal> refused;
        for (std::size_t i = start; i < end; ++i) {
            auto read = ReadChartFile(files[i]);
            if (auto* reason = std::get_if<std::string>(&read)) {
                refused.push_back({files[i].string(), std::move(*reason)});
            } else {
                forms.push_back(std::get<BirthForm>(std::move(read)));
            }
        }
        WriteTransaction transaction(*db_);
        Statement insert(db_->Handle(), kInsertChart);
        Statement search(db_->Handle(), kNewSearchRow);
        const std::int64_t now = clock_();
        long imported = 0;
        long duplicates = 0;
        for (const BirthForm& form : forms) {
            ++(InsertChart(*db_, insert, search, form, now) ? imported : duplicates);
        }
        transaction.Commit();
        outcome.Imported += imported;
        outcome.Duplicates += duplicates;
        outcome.Refused.insert(outcome.Refused.end(), refused.begin(), refused.end());
        if (progress) {
            progress(end, files.size());
        }
    }
    return outcome;
}

std::optional<std::int64_t> ChartLibrary::Add(const BirthForm& form) {
    WriteTransaction transaction(*db_);
    Statement insert(db_->Handle(), kInsertChart);
    Statement search(db_->Handle(), kNewSearchRow);
    const auto id = InsertChart(*db_, insert, search, NormalisedForm(form), clock_());
    transaction.Commit();
    return id;
}

namespace {

// The rowids an expression matches, in ascending order.
std::vector<std::int64_t> MatchingIds(const Connection& db, const std::string& expression) {
    Statement rows(db.Handle(),
                   "SELECT rowid FROM chart_search WHERE chart_search MATCH ?1 ORDER BY rowid");
    rows.Bind(1, expression);
    std::vector<std::int64_t> ids;
    while (rows.Step()) {
        ids.push_back(rows.Integer(0));
    }
    return ids;
}

// What an expression matches, best first: those whose name has every word,
// then those whose name and place have them, then the rest; each group in
// the order the charts were added.
std::vector<std::int64_t> RankedIds(const Connection& db, const std::string& expression) {
    std::vector<std::int64_t> ids = MatchingIds(db, expression);
    std::vector<std::size_t> tiers(ids.size(), kRankTierColumns.size());
    for (std::size_t tier = kRankTierColumns.size(); tier-- > 0;) {
        const std::string filtered = std::string(kRankTierColumns[tier]) + " : (" + expression + ")";
        for (const std::int64_t id : MatchingIds(db, filtered)) {
            const auto at = std::lower_bound(ids.begin(), ids.end(), id);
            if (at != ids.end() && *at == id) {
                tiers[static_cast<std::size_t>(at - ids.begin())] = tier;
            }
        }
    }
    std::vector<std::size_t> order(ids.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&tiers](std::size_t a, std::size_t b) { return tiers[a] < tiers[b]; });
    std::vector<std::int64_t> ranked;
    ranked.reserve(ids.size());
    for (const std::size_t i : order) {
        ranked.push_back(ids[i]);
    }
    return ranked;
}

// One snapshot for the several statements of a search, so that a writer in
// between cannot make them disagree.
class ReadTransaction {
  public:
    explicit ReadTransaction(Connection& db) : db_(db) { db_.Execute("BEGIN"); }
    ~ReadTransaction() {
        try {
            db_.Execute("COMMIT");
        } catch (const SqliteFailure&) {
            // Nothing was written: a read that cannot end leaves nothing behind.
        }
    }
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

  private:
    Connection& db_;
};

constexpr std::string_view kChartTags = "SELECT tag FROM chart_tag WHERE chart_id = ?1 ORDER BY tag";

void ReadTags(Statement& tags, LibraryChart& chart) {
    tags.Reset();
    tags.Bind(1, chart.Id);
    while (tags.Step()) {
        chart.Tags.push_back(tags.Text(0));
    }
}

}  // namespace

std::vector<LibraryChart> ChartLibrary::Search(std::string_view text) const {
    return Search(text, 0, std::numeric_limits<std::size_t>::max()).Charts;
}

SearchResults ChartLibrary::Search(std::string_view text, std::size_t offset,
                                   std::size_t limit) const {
    const std::string expression = SearchExpression(text);
    const ReadTransaction snapshot(*db_);
    SearchResults results;
    // SQLite counts in signed 64 bits; -1 is no limit.
    const auto count = [](std::size_t n) {
        return n > static_cast<std::size_t>(INT64_MAX) ? std::int64_t{-1}
                                                       : static_cast<std::int64_t>(n);
    };
    if (expression.empty()) {
        results.Total = static_cast<std::size_t>(Count());
        Statement rows(db_->Handle(), "SELECT " + std::string(kChartColumns) +
                                          " FROM chart c ORDER BY c.person_name COLLATE NOCASE, "
                                          "c.id LIMIT ?1 OFFSET ?2");
        rows.Bind(1, count(limit)).Bind(2, count(offset));
        while (rows.Step()) {
            results.Charts.push_back(ReadChartRow(rows));
        }
    } else {
        const std::vector<std::int64_t> ids = RankedIds(*db_, expression);
        results.Total = ids.size();
        Statement row(db_->Handle(),
                      "SELECT " + std::string(kChartColumns) + " FROM chart c WHERE c.id = ?1");
        const std::size_t first = std::min(offset, ids.size());
        const std::size_t end = first + std::min(limit, ids.size() - first);
        for (std::size_t i = first; i < end; ++i) {
            row.Reset();
            row.Bind(1, ids[i]);
            if (row.Step()) {
                results.Charts.push_back(ReadChartRow(row));
            }
        }
    }
    Statement tags(db_->Handle(), kChartTags);
    for (LibraryChart& chart : results.Charts) {
        ReadTags(tags, chart);
    }
    return results;
}

std::vector<std::int64_t> ChartLibrary::SearchIds(std::string_view text, ChartOrder order,
                                                  bool descending) const {
    const std::string expression = SearchExpression(text);
    std::vector<std::string_view> keys;
    switch (order) {
        case ChartOrder::Match:
            if (!expression.empty()) {
                const ReadTransaction snapshot(*db_);
                std::vector<std::int64_t> ranked = RankedIds(*db_, expression);
                if (descending) {
                    std::reverse(ranked.begin(), ranked.end());
                }
                return ranked;
            }
            keys = {"c.person_name COLLATE NOCASE"};
            break;
        case ChartOrder::Name:
            keys = {"c.person_name COLLATE NOCASE"};
            break;
        case ChartOrder::Born:
            keys = {"c.birth_year", "c.birth_month", "c.birth_day", "c.birth_hour",
                    "c.birth_minute"};
            break;
        case ChartOrder::Place:
            keys = {"c.city_name COLLATE NOCASE", "c.state_name COLLATE NOCASE",
                    "c.country_name COLLATE NOCASE"};
            break;
        case ChartOrder::Tags:
            keys = {
                "(SELECT group_concat(tag, ', ') FROM (SELECT tag FROM chart_tag"
                " WHERE chart_id = c.id ORDER BY tag)) COLLATE NOCASE"};
            break;
    }
    std::string sql = "SELECT c.id FROM ";
    sql += expression.empty() ? "chart c"
                              : "chart_search JOIN chart c ON c.id = chart_search.rowid"
                                " WHERE chart_search MATCH ?1";
    sql += " ORDER BY ";
    for (const std::string_view key : keys) {
        sql += key;
        sql += descending ? " DESC, " : ", ";
    }
    sql += "c.id";
    Statement rows(db_->Handle(), sql);
    if (!expression.empty()) {
        rows.Bind(1, expression);
    }
    std::vector<std::int64_t> ids;
    while (rows.Step()) {
        ids.push_back(rows.Integer(0));
    }
    return ids;
}

std::optional<LibraryChart> ChartLibrary::Find(std::int64_t id) const {
    Statement row(db_->Handle(),
                  "SELECT " + std::string(kChartColumns) + " FROM chart c WHERE c.id = ?1");
    row.Bind(1, id);
    if (!row.Step()) {
        return std::nullopt;
    }
    LibraryChart chart = ReadChartRow(row);
    Statement tags(db_->Handle(), kChartTags);
    ReadTags(tags, chart);
    return chart;
}

std::int64_t ChartLibrary::Count() const {
    return db_->Single("SELECT count(*) FROM chart");
}

bool ChartLibrary::Remove(std::int64_t id) {
    WriteTransaction transaction(*db_);
    Statement(db_->Handle(), "DELETE FROM chart WHERE id = ?1").Bind(1, id).Run();
    if (db_->Changes() == 0) {
        return false;
    }
    Statement(db_->Handle(), "DELETE FROM chart_search WHERE rowid = ?1").Bind(1, id).Run();
    transaction.Commit();
    return true;
}

std::optional<std::int64_t> ChartLibrary::Restore(const LibraryChart& chart) {
    WriteTransaction transaction(*db_);
    Statement insert(db_->Handle(), kInsertChart);
    Statement search(db_->Handle(), kNewSearchRow);
    const auto added = InsertChart(*db_, insert, search, NormalisedForm(chart.Form), clock_());
    if (!added) {
        return std::nullopt;
    }
    std::int64_t id = *added;
    Statement taken(db_->Handle(), "SELECT count(*) FROM chart WHERE id = ?1");
    taken.Bind(1, chart.Id);
    if (id != chart.Id && taken.Step() && taken.Integer(0) == 0) {
        Statement(db_->Handle(), "UPDATE chart SET id = ?2 WHERE id = ?1")
            .Bind(1, id)
            .Bind(2, chart.Id)
            .Run();
        Statement(db_->Handle(), "DELETE FROM chart_search WHERE rowid = ?1").Bind(1, id).Run();
        id = chart.Id;
    }
    Statement(db_->Handle(),
              "UPDATE chart SET notes = ?2, added_at = ?3, changed_at = ?4 WHERE id = ?1")
        .Bind(1, id)
        .Bind(2, chart.Notes)
        .Bind(3, chart.AddedAt)
        .Bind(4, chart.ChangedAt)
        .Run();
    Statement tag(db_->Handle(), "INSERT OR IGNORE INTO chart_tag(chart_id, tag) VALUES(?1, ?2)");
    for (const std::string& text : chart.Tags) {
        tag.Reset();
        tag.Bind(1, id).Bind(2, text).Run();
    }
    RefreshSearchRow(*db_, id);
    transaction.Commit();
    return id;
}

namespace {

// Stamps the chart's change time; false when no chart has the Id.
bool MarkChanged(Connection& db, std::int64_t id, std::int64_t now) {
    Statement(db.Handle(), "UPDATE chart SET changed_at = ?2 WHERE id = ?1")
        .Bind(1, id)
        .Bind(2, now)
        .Run();
    return db.Changes() != 0;
}

}  // namespace

bool ChartLibrary::SetNotes(std::int64_t id, std::string_view notes) {
    WriteTransaction transaction(*db_);
    Statement(db_->Handle(), "UPDATE chart SET notes = ?2, changed_at = ?3 WHERE id = ?1")
        .Bind(1, id)
        .Bind(2, notes)
        .Bind(3, clock_())
        .Run();
    if (db_->Changes() == 0) {
        return false;
    }
    RefreshSearchRow(*db_, id);
    transaction.Commit();
    return true;
}

bool ChartLibrary::AddTags(std::int64_t id, const std::vector<std::string>& tags) {
    WriteTransaction transaction(*db_);
    if (!MarkChanged(*db_, id, clock_())) {
        return false;
    }
    Statement insert(db_->Handle(),
                     "INSERT OR IGNORE INTO chart_tag(chart_id, tag) VALUES(?1, ?2)");
    for (const std::string& tag : tags) {
        const std::string text = TagText(tag);
        if (!text.empty()) {
            insert.Reset();
            insert.Bind(1, id).Bind(2, text).Run();
        }
    }
    RefreshSearchRow(*db_, id);
    transaction.Commit();
    return true;
}

bool ChartLibrary::RemoveTags(std::int64_t id, const std::vector<std::string>& tags) {
    WriteTransaction transaction(*db_);
    if (!MarkChanged(*db_, id, clock_())) {
        return false;
    }
    Statement remove(db_->Handle(), "DELETE FROM chart_tag WHERE chart_id = ?1 AND tag = ?2");
    for (const std::string& tag : tags) {
        remove.Reset();
        remove.Bind(1, id).Bind(2, TagText(tag)).Run();
    }
    RefreshSearchRow(*db_, id);
    transaction.Commit();
    return true;
}

std::string ExportFileStem(std::string_view personName) {
    // Room for " (NNNNNN).tvl" within the 255 bytes a file name may take.
    constexpr std::size_t kLongestStem = 200;
    std::string stem;
    for (char c : TrimBlanks(personName)) {
        const auto code = static_cast<unsigned char>(c);
        stem += (c == '/' || code < 0x20 || code == 0x7f) ? '_' : c;
    }
    if (stem.size() > kLongestStem) {
        std::size_t cut = kLongestStem;
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) {
            --cut;  // never in the middle of a character
        }
        stem.resize(cut);
    }
    if (!stem.empty() && stem.front() == '.') {
        stem.front() = '_';  // not a hidden file, nor "." or ".."
    }
    return stem.empty() ? "Chart" : stem;
}

ImportOutcome ChartLibrary::Export(const fs::path& folder) const {
    return ExportCharts(Search({}), folder);
}

ImportOutcome ExportCharts(const std::vector<LibraryChart>& charts, const fs::path& folder) {
    ImportOutcome outcome;
    std::set<std::string> taken;
    for (const LibraryChart& entry : charts) {
        const std::string stem = ExportFileStem(entry.Form.Name);
        fs::path target;
        for (int n = 1;; ++n) {
            const std::string name = (n == 1 ? stem : stem + " (" + std::to_string(n) + ")") + "." +
                                     std::string(kReadingFileExtension);
            std::error_code error;
            target = folder / name;
            if (!taken.contains(name) && !fs::exists(fs::symlink_status(target, error))) {
                taken.insert(name);
                break;
            }
        }
        ChartState chart;
        LoadTimeZoneTables(chart);
        CopyFormToChart(entry.Form, chart);
        // Refused as the window's Save refuses it.
        if (const auto fault = CheckChartForReadingFile(chart)) {
            outcome.Refused.push_back(
                {target.string(), std::string(TextBoxName(fault->Field)) + ": " + fault->Message});
            continue;
        }
        if (const auto error =
                SaveReadingFile(target, WriteReadingFile(chart, entry.Form.ZoneIndex))) {
            outcome.Refused.push_back({target.string(), error->Message});
            continue;
        }
        ++outcome.Imported;
    }
    return outcome;
}

}  // namespace tavrinel::library
