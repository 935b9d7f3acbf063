#include "cli/library_command.h"

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <limits>
#include <optional>
#include <set>
#include <vector>

#include "cli/csv_writer.h"
#include "cli/json_writer.h"
#include "cli/terminal_text.h"

namespace tavrinel::cli {

namespace {

using library::ChartLibrary;
using library::ImportOutcome;
using library::LibraryChart;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitRefused = 2;

constexpr int kSecondsPerMinute = 60;
constexpr int kSecondsPerHour = 3600;

std::string TwoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

// The keys in the order the batch reads them, then the library's own.
struct ChartFields {
    long Day, Month, Year, Hour, Minute, Zone, LatDegrees, LatMinutes, LonDegrees, LonMinutes;
};

ChartFields FieldsOf(const BirthForm& form) {
    const auto box = [](const std::string& text) -> long { return ParseDigits(text).value_or(0); };
    return {
        form.DayIndex + 1L, form.MonthIndex + 1L, static_cast<long>(form.YearIndex) + kFirstYear,
        form.HourIndex,     form.MinuteIndex,     form.ZoneIndex,
        box(form.LatDeg),   box(form.LatMin),     box(form.LonDeg),
        box(form.LonMin)};
}

constexpr std::string_view kTagSeparator = "; ";

void PrintOutcome(std::ostream& out, const ImportOutcome& outcome, bool exported) {
    std::string text;
    JsonWriter json(text);
    json.BeginObject();
    json.Field(exported ? "Exported" : "Imported", outcome.Imported);
    if (!exported) {
        json.Field("Duplicates", outcome.Duplicates);
    }
    json.BeginArray("Refused");
    for (const library::FileRefusal& refusal : outcome.Refused) {
        json.BeginObject();
        json.Field("File", refusal.File);
        json.Field("Reason", refusal.Reason);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << text << '\n';
}

enum class LineFormat { Json, Csv };

void PrintCharts(std::ostream& out, const std::vector<LibraryChart>& charts, LineFormat format) {
    std::string text;
    if (format == LineFormat::Csv) {
        AppendLibraryCsvHeader(text);
    }
    for (const LibraryChart& chart : charts) {
        if (format == LineFormat::Csv) {
            AppendLibraryChartCsv(text, chart);
        } else {
            AppendLibraryChartJson(text, chart);
        }
        // Written as it comes, so a long list starts at once and stays small.
        if (text.size() > 1 << 16) {
            out << text;
            text.clear();
        }
    }
    out << text;
}

}  // namespace

std::string ImportProgressText(std::size_t done, std::size_t total) {
    constexpr std::size_t kPercent = 100;
    return std::to_string(done) + " of " + std::to_string(total) +
           (total == 1 ? " file (" : " files (") +
           std::to_string(total == 0 ? kPercent : done * kPercent / total) + "%)";
}

std::string UtcOffsetOptionText(int seconds) {
    std::string text = seconds < 0 ? "-" : "+";
    const int magnitude = std::abs(seconds);
    text += std::to_string(magnitude / kSecondsPerHour);
    text += ":" + TwoDigits(magnitude % kSecondsPerHour / kSecondsPerMinute);
    if (magnitude % kSecondsPerMinute != 0) {
        text += ":" + TwoDigits(magnitude % kSecondsPerMinute);
    }
    return text;
}

void AppendLibraryChartJson(std::string& out, const LibraryChart& chart) {
    const BirthForm& form = chart.Form;
    const ChartFields f = FieldsOf(form);
    JsonWriter json(out);
    json.BeginObject();
    json.Field("Id", static_cast<long>(chart.Id));
    json.Field("PersonName", form.Name);
    json.Field("BirthDay", f.Day);
    json.Field("BirthMonth", f.Month);
    json.Field("BirthYear", f.Year);
    json.Field("BirthHour", f.Hour);
    json.Field("BirthMinute", f.Minute);
    // The batch takes an exact offset as the whole offset in force, in place
    // of the zone and the daylight saving, and refuses a line with both.
    const bool exact = form.UtcOffsetSeconds.has_value();
    if (!exact) {
        json.Field("TimeZone", f.Zone);
    }
    json.Field("LatDegrees", f.LatDegrees);
    json.Field("LatMinutes", f.LatMinutes);
    json.Field("LatDirection", form.Latitude == LatitudeChoice::South ? "S" : "N");
    json.Field("LonDegrees", f.LonDegrees);
    json.Field("LonMinutes", f.LonMinutes);
    json.Field("LonDirection", form.Longitude == LongitudeChoice::West ? "W" : "E");
    if (!exact) {
        json.Literal("DaylightSaving", form.DaylightSaving ? "true" : "false");
    }
    json.Field("CityName", form.City);
    json.Field("StateName", form.State);
    json.Field("CountryName", form.Country);
    if (exact) {
        json.Field("UtcOffset", UtcOffsetOptionText(*form.UtcOffsetSeconds));
    }
    json.Field("Notes", chart.Notes);
    json.BeginArray("Tags");
    for (const std::string& tag : chart.Tags) {
        json.Element(tag);
    }
    json.EndArray();
    json.EndObject();
    out += '\n';
}

void AppendLibraryCsvHeader(std::string& out) {
    CsvRow row(out);
    for (std::string_view key :
         {"Id",           "PersonName",  "BirthDay",    "BirthMonth",   "BirthYear",
          "BirthHour",    "BirthMinute", "TimeZone",    "LatDegrees",   "LatMinutes",
          "LatDirection", "LonDegrees",  "LonMinutes",  "LonDirection", "DaylightSaving",
          "CityName",     "StateName",   "CountryName", "UtcOffset",    "Notes",
          "Tags"}) {
        row.Field(key);
    }
    row.End();
}

void AppendLibraryChartCsv(std::string& out, const LibraryChart& chart) {
    const BirthForm& form = chart.Form;
    const ChartFields f = FieldsOf(form);
    CsvRow row(out);
    row.Field(static_cast<long>(chart.Id));
    row.Field(form.Name);
    for (long value :
         {f.Day, f.Month, f.Year, f.Hour, f.Minute, f.Zone, f.LatDegrees, f.LatMinutes}) {
        row.Field(value);
    }
    row.Field(form.Latitude == LatitudeChoice::South ? "S" : "N");
    row.Field(f.LonDegrees);
    row.Field(f.LonMinutes);
    row.Field(form.Longitude == LongitudeChoice::West ? "W" : "E");
    row.Field(form.DaylightSaving ? "true" : "false");
    row.Field(form.City);
    row.Field(form.State);
    row.Field(form.Country);
    if (form.UtcOffsetSeconds) {
        row.Field(UtcOffsetOptionText(*form.UtcOffsetSeconds));
    } else {
        row.Empty();
    }
    row.Field(chart.Notes);
    std::string tags;
    for (const std::string& tag : chart.Tags) {
        tags += (tags.empty() ? "" : std::string(kTagSeparator)) + tag;
    }
    row.Field(tags);
    row.End();
}

namespace {

int RunLibrary(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
               bool errIsTerminal) {
    const auto refuse = [&err](std::string_view message) {
        err << "tavrinel-cli: library: " << message << '\n';
        return kExitRefused;
    };

    CLI::App app{"The chart library: a practice's charts in one file", "tavrinel-cli library"};
    app.require_subcommand(1);
    std::optional<std::string> file;
    app.add_option("--file", file,
                   "the library file (default: $XDG_DATA_HOME/tavrinel/library.sqlite3)");

    std::vector<std::string> paths;
    std::vector<std::int64_t> ids;
    std::int64_t id = 0;
    std::string text;
    std::vector<std::string> tags;
    std::string format = "json";
    const auto addFormat = [&format](CLI::App* command) {
        command->add_option("--format", format, "json (JSON Lines, the default) or csv")
            ->check(CLI::IsMember({"json", "csv"}));
    };

    auto* import = app.add_subcommand("import", "import every *.tvl file under the folders");
    import->add_option("DIR", paths, "folders to search, at any depth")->required();
    auto* add = app.add_subcommand("add", "add reading files");
    add->add_option("FILE", paths, "reading files (.tvl)")->required();
    auto* search = app.add_subcommand(
        "search",
        "charts whose name, place, notes or tags have words starting with every word "
        "of TEXT, best match first; all charts by name without a text");
    std::vector<std::string> words;
    search->add_option("TEXT", words, "the words to look for, quoted or not");
    std::optional<std::int64_t> limit;
    search
        ->add_option("--limit", limit,
                     "at most N charts, 0 for all (default: " +
                         std::to_string(library::kSearchPageSize) + " with a text, all without)")
        ->check(CLI::Validator(
            [](std::string& text) -> std::string {
                const bool digits = !text.empty() && text.size() < 19 &&
                                    text.find_first_not_of("0123456789") == std::string::npos;
                return digits ? "" : "accepts a whole number of charts, 0 for all";
            },
            "N"));
    addFormat(search);
    auto* show = app.add_subcommand("show", "one chart");
    show->add_option("ID", id, "the chart's Id")->required();
    addFormat(show);
    auto* batch = app.add_subcommand("batch", "every chart, as lines for --batch");
    addFormat(batch);
    auto* exportCommand = app.add_subcommand("export", "a reading file per chart in the folder");
    exportCommand->add_option("DIR", paths, "the folder (made when missing)")
        ->required()
        ->expected(1);
    auto* remove = app.add_subcommand("remove", "remove charts");
    remove->add_option("ID", ids, "the charts' Ids")->required();
    auto* note = app.add_subcommand("note", "replace a chart's notes");
    note->add_option("ID", id, "the chart's Id")->required();
    note->add_option("TEXT", text, "the notes (\"\" clears them)")->required();
    auto* tag = app.add_subcommand("tag", "add tags to a chart");
    tag->add_option("ID", id, "the chart's Id")->required();
    tag->add_option("TAG", tags, "tags, any text")->required();
    auto* untag = app.add_subcommand("untag", "remove tags from a chart");
    untag->add_option("ID", id, "the chart's Id")->required();
    untag->add_option("TAG", tags, "tags")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        return refuse(EscapedForMessage(e.what(), 2 * kMostEchoedCharacters));
    }

    const std::filesystem::path path =
        file ? std::filesystem::path(*file) : library::DefaultLibraryPath();
    const LineFormat lines = format == "csv" ? LineFormat::Csv : LineFormat::Json;
    const auto unknown = [&](std::int64_t missing) {
        return refuse("no chart has the Id " + std::to_string(missing) + " in " +
                      QuotedForMessage(path.string()));
    };
    try {
        ChartLibrary charts(path);
        if (*import || *add) {
            std::vector<std::filesystem::path> files;
            if (*import) {
                std::vector<std::filesystem::path> folders;
                for (const std::string& folder : paths) {
                    std::error_code error;
                    if (!std::filesystem::is_directory(folder, error)) {
                        return refuse("import: " + QuotedForMessage(folder) + " is not a folder");
                    }
                    folders.emplace_back(folder);
                }
                files = library::FindReadingFiles(folders);
            } else {
                files.assign(paths.begin(), paths.end());
            }
            // On a terminal, one line rewritten after every committed batch
            // and erased at the end, as the batch's is.
            std::size_t shownWidth = 0;
            library::ImportProgress told;
            if (errIsTerminal) {
                told = [&err, &shownWidth](std::size_t done, std::size_t total) {
                    const std::string line = ImportProgressText(done, total);
                    err << '\r' << line
                        << std::string(shownWidth > line.size() ? shownWidth - line.size() : 0, ' ')
                        << std::flush;
                    shownWidth = line.size();
                };
            }
            const ImportOutcome outcome = charts.Import(files, told);
            if (shownWidth > 0) {
                err << '\r' << std::string(shownWidth, ' ') << '\r' << std::flush;
            }
            PrintOutcome(out, outcome, false);
            return outcome.Refused.empty() ? kExitOk : kExitFailed;
        }
        if (*batch) {
            PrintCharts(out, charts.Search({}), lines);
            return kExitOk;
        }
        if (*search) {
            std::string joined;
            for (const std::string& word : words) {
                joined += (joined.empty() ? "" : " ") + word;
            }
            auto most = static_cast<std::size_t>(
                limit.value_or(joined.empty() ? 0 : library::kSearchPageSize));
            if (most == 0) {
                most = std::numeric_limits<std::size_t>::max();
            }
            const library::SearchResults found = charts.Search(joined, 0, most);
            PrintCharts(out, found.Charts, lines);
            // Never a list cut short without a word: the rest are a --limit away.
            if (found.Charts.size() < found.Total) {
                err << "tavrinel-cli: library: search: the first " << found.Charts.size()
                    << " of " << found.Total << " charts found; --limit 0 gives them all\n";
            }
            return kExitOk;
        }
        if (*show) {
            const auto chart = charts.Find(id);
            if (!chart) {
                return unknown(id);
            }
            PrintCharts(out, {*chart}, lines);
            return kExitOk;
        }
        if (*exportCommand) {
            std::error_code error;
            std::filesystem::create_directories(paths.front(), error);
            if (!std::filesystem::is_directory(paths.front(), error)) {
                return refuse("export: " + QuotedForMessage(paths.front()) +
                              " is not a folder and cannot be made");
            }
            const ImportOutcome outcome = charts.Export(paths.front());
            PrintOutcome(out, outcome, true);
            return outcome.Refused.empty() ? kExitOk : kExitFailed;
        }
        if (*remove) {
            // All or nothing: a mistyped Id leaves the others in place too.
            for (std::int64_t each : ids) {
                if (!charts.Find(each)) {
                    return unknown(each);
                }
            }
            for (std::int64_t each : std::set<std::int64_t>(ids.begin(), ids.end())) {
                charts.Remove(each);
            }
            return kExitOk;
        }
        const bool known = *note  ? charts.SetNotes(id, text)
                           : *tag ? charts.AddTags(id, tags)
                                  : charts.RemoveTags(id, tags);
        return known ? kExitOk : unknown(id);
    } catch (const library::LibraryError& error) {
        return refuse("the chart library " + QuotedForMessage(error.Path.string()) + " " +
                      EscapedForMessage(error.Problem));
    } catch (const std::runtime_error& failure) {
        // SQLite's own words, for a fault found past the opening.
        return refuse("the chart library " + QuotedForMessage(path.string()) +
                      " cannot be used: " + EscapedForMessage(failure.what()));
    }
}

}  // namespace

int RunLibraryCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                      bool errIsTerminal) {
    const int status = RunLibrary(argc, argv, out, err, errIsTerminal);
    // A run that refused a file has still answered: the answer must reach
    // the output before the exit status says what went wrong.
    out.flush();
    return status;
}

}  // namespace tavrinel::cli
