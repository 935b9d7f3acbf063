#include "cli/cli_main.h"

#include <fcntl.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <new>
#include <optional>

#include "atlas/zone_choice.h"
#include "chart/birth_form.h"
#include "chart/reading_file.h"
#include "chart/reading_file_check.h"
#include "cli/batch.h"
#include "cli/batch_progress.h"
#include "cli/chart_output.h"
#include "cli/cli_options.h"
#include "cli/library_command.h"
#include "cli/option_modes.h"
#include "cli/place_option.h"
#include "cli/sky_output.h"
#include "cli/terminal_text.h"
#include "calculation/calculation.h"
#include "chart/time_zone_table.h"

namespace tavrinel::cli {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitRefused = 2;

struct Options {
    std::optional<std::string> Name, Date, Time, Zone, Lat, Lon;
    std::optional<std::string> UtcOffset;  // instead of a zone, for the precise sky
    std::string City, State, Country;
    bool DaylightSaving = false;
    std::string Format = "text";
    std::string Chart = "south";  // which picture --format svg draws
    bool ListZones = false;
    std::optional<std::string> Batch;
    std::optional<std::string> File;  // a saved reading to calculate
    std::optional<std::string> Save;  // where to write the reading file
    std::optional<std::string> Place;  // a place of the atlas
    std::optional<std::string> AtlasQuery;
    std::string Sky = "documented", Ayanamsa = "lahiri", Node = "mean";
    bool NoSkyCheck = false;
    bool Dasha = false, Transits = false, Vargas = false, Strength = false;
    std::optional<std::string> DashaLevels, DashaYear, On, Varga;
    std::optional<std::string> Jobs;  // worker threads of a batch
    bool CsvRaw = false;
};

// A refusal: the option it concerns and what went wrong.
struct Refusal {
    std::string Option;
    std::string Message;
};

std::string_view OptionOf(FormField field) {
    switch (field) {
        case FormField::Name:
            return "--name";
        case FormField::LatDeg:
        case FormField::LatMin:
        case FormField::LatitudeNorth:
            return "--lat";
        case FormField::LonDeg:
        case FormField::LonMin:
        case FormField::LongitudeEast:
            return "--lon";
        case FormField::City:
            return "--city";
        case FormField::State:
            return "--state";
        case FormField::Country:
            return "--country";
        case FormField::None:
            break;
    }
    return "--date";  // the two date checks are the only ones without a box
}

template <typename T>
std::optional<T> Take(const Parsed<T>& parsed, const char* option, std::optional<Refusal>& refusal) {
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        if (!refusal) {
            refusal = Refusal{option, *message};
        }
        return std::nullopt;
    }
    return std::get<T>(parsed);
}

// The form of a single chart given by options, or why it is refused.
std::variant<BirthForm, Refusal> BuildForm(const Options& options, PlaceRule place,
                                          bool preciseSky, std::optional<ZoneReport>& report) {
    // A place of the atlas stands in for the zone and the coordinates.
    const bool atlas = options.Place.has_value();
    const bool zoneGiven = atlas || options.UtcOffset;
    const std::pair<const std::optional<std::string>*, const char*> required[] = {
        {&options.Name, "--name"}, {&options.Date, "--date"}, {&options.Time, "--time"},
        {zoneGiven ? nullptr : &options.Zone, "--zone"}, {atlas ? nullptr : &options.Lat, "--lat"},
        {atlas ? nullptr : &options.Lon, "--lon"},
    };
    for (const auto& [value, option] : required) {
        if (value && !*value) {
            return Refusal{option, "is required for a chart (or give --place, --batch or --zones)"};
        }
    }
    std::optional<Refusal> refusal;
    const auto date = Take(ParseDate(*options.Date), "--date", refusal);
    const auto time = Take(ParseTime(*options.Time), "--time", refusal);
    const auto zone = options.Zone ? Take(ParseZone(*options.Zone), "--zone", refusal) : std::nullopt;
    const auto offset =
        options.UtcOffset ? Take(ParseUtcOffset(*options.UtcOffset), "--utc-offset", refusal)
                          : std::nullopt;
    const auto lat = options.Lat ? Take(ParseLatitude(*options.Lat), "--lat", refusal) : std::nullopt;
    const auto lon = options.Lon ? Take(ParseLongitude(*options.Lon), "--lon", refusal) : std::nullopt;
    if (refusal) {
        return *refusal;
    }
    BirthForm form;
    form.Name = *options.Name;
    SetDateAndTime(form, *date, *time);
    if (zone) form.ZoneIndex = *zone;
    form.UtcOffsetSeconds = offset;
    if (form.UtcOffsetSeconds) {
        // An offset a zone of the list has is that zone, in either sky.
        const int entry = ZoneEntryWithOffset(*form.UtcOffsetSeconds);
        form.ZoneIndex = entry >= 0 ? entry : NearestZoneEntry(*form.UtcOffsetSeconds);
        if (entry >= 0) {
            form.UtcOffsetSeconds.reset();
        }
    }
    if (lat) SetLatitude(form, *lat);
    if (lon) SetLongitude(form, *lon);
    form.DaylightSaving = options.DaylightSaving;
    form.City = options.City;
    form.State = options.State;
    form.Country = options.Country;
    if (atlas) {
        const GivenBesidePlace given{!options.City.empty(), !options.State.empty(),
                                     !options.Country.empty(), lat.has_value(), lon.has_value(),
                                     zone || offset, options.DaylightSaving};
        auto applied = ApplyPlace(*options.Place, form, given, preciseSky);
        if (const auto* message = std::get_if<std::string>(&applied)) {
            return Refusal{"--place", *message};
        }
        report = std::get<ZoneReport>(std::move(applied));
    }
    if (form.UtcOffsetSeconds && offset) {
        report = GivenOffsetReport(report ? report->Place : std::string(), *form.UtcOffsetSeconds);
    }
    if (const auto fault = ValidateBirthForm(form, place)) {
        return Refusal{std::string(OptionOf(fault->Field)), std::string(fault->Message)};
    }
    return form;
}

// Why Open refused a file, in words a command-line user can act on; the
// window only says "Please Check The File.".
std::string WhyNotOpened(const std::string& path, const ReadingFileError& error) {
    switch (error.Problem) {
        case ReadingFileProblem::DamagedOffset:
            return "the file is damaged: " + EscapedForMessage(error.Detail);
        case ReadingFileProblem::WrongExtension:
            return "the name does not end in tvl";
        case ReadingFileProblem::Missing:
            return "the file does not exist";
        case ReadingFileProblem::NotRegularFile: {
            std::error_code error;
            return std::filesystem::is_directory(path, error) ? "it is a folder, not a file"
                                                              : "it is not a regular file";
        }
        case ReadingFileProblem::Unreadable:
        case ReadingFileProblem::NotSaved:
            break;
    }
    // The loader's own errno may have been overwritten since; ask again.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return "the file cannot be read (" + std::string(std::strerror(errno)) + ")";
    }
    ::close(fd);
    return "the file cannot be read";
}

// The form of a saved reading, refused exactly as the window refuses it.
std::variant<BirthForm, Refusal> FormFromFile(const std::string& path) {
    const std::string shownPath = QuotedForMessage(path);
    BirthForm form;  // the window's input panel as it is at start
    if (const auto error = OpenReadingFile(path, form)) {
        return Refusal{shownPath,
                       EscapedForMessage(error->Message) + " (" + WhyNotOpened(path, *error) + ")"};
    }
    if (const auto fault = ValidateBirthForm(form, PlaceRule::Required)) {
        return Refusal{shownPath, std::string(fault->Message)};
    }
    return form;
}

// What the chart's analysis holds beyond the reading, and which varga a
// picture draws, from the options.
struct AnalysisChoice {
    AnalysisRequest Request;
    int Varga = kRasiVarga;
};

std::variant<AnalysisChoice, Refusal> RequestFrom(const Options& options, OutputFormat format,
                                                  const SkyChoice& sky) {
    AnalysisChoice choice;
    AnalysisRequest& request = choice.Request;
    std::optional<Refusal> refusal;
    request.Vargas = options.Vargas || options.Varga;
    request.Dasha = options.Dasha || format == OutputFormat::SvgDasha;
    request.Transits = options.Transits;
    request.Strength = options.Strength;
    if (options.DashaLevels) {
        if (const auto levels = Take(ParseDashaLevels(*options.DashaLevels), "--dasha-levels", refusal)) {
            request.DashaSettings.Levels = *levels;
        }
    }
    if (options.DashaYear) {
        if (const auto year = Take(ParseDashaYearOption(*options.DashaYear), "--dasha-year", refusal)) {
            request.DashaSettings.Year = *year;
        }
    }
    if (options.On) {
        request.On = Take(ParseMoment(*options.On), "--on", refusal);
    }
    if (options.Varga) {
        choice.Varga = Take(ParseVarga(*options.Varga), "--varga", refusal).value_or(kRasiVarga);
    }
    if (refusal) {
        return *refusal;
    }
    request.PreciseSky = sky.Precise;
    request.PreciseLongitudes = format == OutputFormat::Json;
    request.PreciseMotion = false;
    return choice;
}

void ListZones(std::ostream& out) {
    for (int i = 0; i < kZoneCount; ++i) {
        out << std::setw(2) << i << "  " << kTimeZoneTable[i].Name << '\n';
    }
}

std::optional<OutputFormat> FormatFrom(std::string_view name) {
    if (name == "text") return OutputFormat::Text;
    if (name == "ansi") return OutputFormat::Ansi;
    if (name == "json") return OutputFormat::Json;
    if (name == "csv") return OutputFormat::Csv;
    return std::nullopt;
}

// A stream's failed write leaves errno as the system call set it; that is the
// reason worth printing.
int ReportOutputFailure(std::ostream& err, int savedErrno) {
    err << "tavrinel-cli: standard output: the output could not be written"
        << (savedErrno != 0 ? " (" + std::string(std::strerror(savedErrno)) + ")" : "") << '\n';
    return kExitFailed;
}

// --jobs: a whole number of worker threads.
Parsed<int> ParseJobs(std::string_view text) {
    int jobs = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
    if (error != std::errc() || end != text.data() + text.size() || jobs < 1 ||
        jobs > kMostBatchJobs) {
        return "accepts a whole number of threads from 1 to " + std::to_string(kMostBatchJobs);
    }
    return jobs;
}

// How often the progress line is redrawn. The test of what a terminal
// receives sets TAVRINEL_BATCH_PROGRESS_INTERVAL_MS (0: whenever answers
// are written), so that it sees the line however fast the machine answers.
BatchProgress::Clock::duration ProgressRedrawInterval() {
    const char* text = std::getenv("TAVRINEL_BATCH_PROGRESS_INTERVAL_MS");
    int milliseconds = 0;
    if (text) {
        const std::string_view digits(text);
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), milliseconds);
        if (error == std::errc() && end == digits.data() + digits.size() && milliseconds >= 0) {
            return std::chrono::milliseconds(milliseconds);
        }
    }
    return BatchProgress::kRedrawInterval;
}

// The input's size for the progress line, 0 when it has none (a pipe).
std::uintmax_t InputSize(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::is_regular_file(path, error)
                                    ? std::filesystem::file_size(path, error)
                                    : 0;
    return error ? 0 : size;
}

int RunCommand(int argc, const char* const* argv, std::istream& in, std::ostream& out,
               std::ostream& err, bool errIsTerminal) {
    const auto refuse = [&err](std::string_view option, std::string_view message) {
        err << "tavrinel-cli: " << option << ": " << message << '\n';
        return kExitRefused;
    };

    Options options;
    CLI::App app{"Tavrinel: a Vedic reading of planetary dignities", "tavrinel-cli"};
    app.set_version_flag("--version", "tavrinel-cli " TAVRINEL_VERSION);
    app.add_option("--name", options.Name, "the person's name");
    app.add_option("--date", options.Date, "date of birth, YYYY-MM-DD (1901-2050)");
    app.add_option("--time", options.Time, "clock time of birth, H:MM (hours 0-24)");
    app.add_option("--zone", options.Zone, "time-zone index 0-70 or abbreviation (see --zones)");
    app.add_flag("--dst", options.DaylightSaving, "daylight-saving time was in force");
    app.add_option("--utc-offset", options.UtcOffset,
                   "instead of --zone and --dst: the offset from UTC in force, e.g. +5:45 (the "
                   "sign an ASCII hyphen-minus or plus); one that no zone of the list has needs "
                   "--sky precise");
    app.add_option("--lat", options.Lat, "latitude DEG:MIN and N or S, e.g. 28:36N");
    app.add_option("--lon", options.Lon, "longitude DEG:MIN and E or W, e.g. 77:12E");
    app.add_option("--city", options.City, "city of birth");
    app.add_option("--state", options.State, "state or province of birth");
    app.add_option("--country", options.Country, "country of birth");
    app.add_option("--format", options.Format,
                   "text, ansi, json or svg (default text); a batch: json or csv (default json)");
    app.add_option("--chart", options.Chart,
                   "with --format svg: south, north (default south) or dasha (the dasha's time line)");
    app.add_option("--varga", options.Varga,
                   "with --format svg and a south or north chart: the divisional chart to draw, "
                   "1, 2, 3, 4, 7, 9, 10, 12, 16, 20, 24, 27, 30, 40, 45 or 60, with or without "
                   "a D before it (D9)");
    app.add_flag("--vargas", options.Vargas,
                 "add the sixteen divisional charts with each graha's dignity in them");
    app.add_flag("--dasha", options.Dasha, "add the Vimshottari dasha");
    app.add_option("--dasha-levels", options.DashaLevels,
                   "with --dasha: levels of periods, 1 to 5 (default 2)");
    app.add_option("--dasha-year", options.DashaYear,
                   "with --dasha: sidereal (default), julian, gregorian or savana years, in "
                   "any case");
    app.add_option("--on", options.On,
                   "with --dasha or --transits: the moment, YYYY-MM-DD[THH:MM][Z], on the birth "
                   "zone's standard clock (or the chart's exact offset) or with Z in UTC "
                   "(default now)");
    app.add_flag("--transits", options.Transits,
                 "add the sky at --on (default now) over the chart, in the precise sky");
    app.add_flag("--strength", options.Strength,
                 "add Shadbala, the Ashtakavarga and the companions of dignity (combustion, "
                 "planetary war, cancelled debilitation, the Mahapurusha yogas, the avasthas), "
                 "in the precise sky");
    app.add_flag("--zones", options.ListZones, "list the time zones with their indices");
    app.add_option("--batch", options.Batch,
                   "JSON Lines file of charts, or - for standard input");
    app.add_option("--jobs", options.Jobs,
                   "with --batch: threads answering lines, 1 to 64 (default: the cores this "
                   "process may use); the output keeps the input's order");
    app.add_flag("--csv-raw", options.CsvRaw,
                 "with --batch and --format csv: write texts that begin with =, +, -, @, a tab "
                 "or a carriage return as they are, without the leading ' that keeps a "
                 "spreadsheet from running them as formulas");
    app.add_option("--save", options.Save, "also write the chart's reading file (.tvl)");
    app.add_option("--place", options.Place,
                   "place of birth from the atlas, e.g. \"Pune\" or \"Springfield, Illinois\": "
                   "fills the place, coordinates, zone and daylight saving");
    app.add_option("--atlas", options.AtlasQuery, "list the atlas's places matching a text");
    app.add_option("--sky", options.Sky,
                   "documented (the default) or precise (Swiss Ephemeris) positions, in any "
                   "case");
    app.add_option("--ayanamsa", options.Ayanamsa,
                   "precise sky (also of the vargas, dasha, transits, strength and JSON "
                   "longitudes): "
                   "lahiri (default), raman or krishnamurti, in any case");
    app.add_option("--node", options.Node,
                   "precise sky (also of the vargas, dasha, transits, strength and JSON "
                   "longitudes): mean (default) or true, in any case");
    app.add_flag("--no-sky-check", options.NoSkyCheck,
                 "leave out the check of a documented reading against the precise sky");
    app.add_option("file", options.File, "a saved reading file (.tvl) to calculate");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        errno = 0;
        out << app.help();
        return kExitOk;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        // The parser's words come first, then what was typed.
        err << "tavrinel-cli: " << EscapedForMessage(e.what(), 2 * kMostEchoedCharacters) << '\n';
        return kExitRefused;
    }

    // An option that this kind of run would not use is refused, not dropped.
    GivenOptions given;
    for (const CLI::Option* option : app.get_options()) {
        if (option->count() > 0) {
            const auto& results = option->results();
            given.emplace(option->get_name(), results.empty() ? std::string() : results.back());
        }
    }
    if (const auto unused = UnusedOption(given)) {
        err << "tavrinel-cli: " << *unused << '\n';
        return kExitRefused;
    }
    if (options.UtcOffset && (options.Zone || options.DaylightSaving)) {
        return refuse("--utc-offset", "is the whole offset, daylight saving included; give it "
                                      "without --zone or --dst");
    }

    auto format = FormatFrom(options.Format);
    if (!format && options.Format == "svg") {
        if (options.Chart != "south" && options.Chart != "north" && options.Chart != "dasha") {
            return refuse("--chart", "accepts south, north or dasha");
        }
        format = options.Chart == "south"   ? OutputFormat::SvgSouth
                 : options.Chart == "north" ? OutputFormat::SvgNorth
                                            : OutputFormat::SvgDasha;
    }
    if (!format) {
        return refuse("--format", "accepts text, ansi, json, svg or csv");
    }
    const Parsed<SkyChoice> skyChoice = ParseSkyOptions(options.Sky, options.Ayanamsa, options.Node);
    if (const auto* message = std::get_if<std::string>(&skyChoice)) {
        const std::size_t colon = message->find(':');
        return refuse(message->substr(0, colon), message->substr(colon + 2));
    }
    const SkyChoice& sky = std::get<SkyChoice>(skyChoice);
    const bool precise = sky.Engine == SkyEngine::Precise;
    auto requested = RequestFrom(options, *format, sky);
    if (const auto* refusal = std::get_if<Refusal>(&requested)) {
        return refuse(refusal->Option, refusal->Message);
    }
    const AnalysisChoice& choice = std::get<AnalysisChoice>(requested);
    const AnalysisRequest& request = choice.Request;
    const auto givenOffset = options.UtcOffset ? ParseUtcOffset(*options.UtcOffset) : Parsed<int>{0};
    if (options.UtcOffset && !precise && std::holds_alternative<int>(givenOffset) &&
        ZoneEntryWithOffset(std::get<int>(givenOffset)) < 0) {
        return refuse("--utc-offset",
                      "only the precise sky (--sky precise) can cast a chart at an offset of its "
                      "own; the documented calculation knows only the zones of its list");
    }
    if (options.ListZones) {
        errno = 0;
        ListZones(out);
        return kExitOk;
    }
    if (options.AtlasQuery) {
        if (NamesNoPlace(*options.AtlasQuery)) {
            return refuse("--atlas", "accepts the beginning of a place's name, with its state or "
                                     "country after a comma if need be (e.g. Pun)");
        }
        errno = 0;
        if (const auto none = PrintAtlasMatches(out, *options.AtlasQuery,
                                                *format == OutputFormat::Json)) {
            return refuse("--atlas", *none);
        }
        return kExitOk;
    }
    if (options.Batch) {
        const bool fromStandardInput = *options.Batch == "-";
        const std::string shownPath =
            fromStandardInput ? "standard input" : QuotedForMessage(*options.Batch);
        std::ifstream file;
        if (!fromStandardInput) {
            std::error_code error;
            if (std::filesystem::is_directory(*options.Batch, error)) {
                return refuse("--batch", "accepts a readable file or - (" + shownPath +
                                             " is a folder)");
            }
            errno = 0;
            file.open(*options.Batch, std::ios::binary);
            if (!file) {
                return refuse("--batch", "accepts a readable file or - (cannot read " +
                                             shownPath +
                                             (errno ? ": " + std::string(std::strerror(errno))
                                                    : std::string()) +
                                             ")");
            }
        }
        BatchSettings settings{sky, !options.NoSkyCheck,
                               *format == OutputFormat::Csv ? BatchFormat::Csv
                                                            : BatchFormat::JsonLines,
                               request, std::min(UsableCores(), kMostBatchJobs)};
        if (options.Jobs) {
            const auto jobs = ParseJobs(*options.Jobs);
            if (const auto* message = std::get_if<std::string>(&jobs)) {
                return refuse("--jobs", *message);
            }
            settings.Jobs = std::get<int>(jobs);
        }
        settings.CsvRaw = options.CsvRaw;
        // Only a file has a size to measure by, and only a person watching
        // a terminal wants to see it.
        std::optional<BatchProgress> progress;
        if (errIsTerminal && !fromStandardInput) {
            settings.Progress = &progress.emplace(err, InputSize(*options.Batch),
                                                  BatchProgress::Clock::now(),
                                                  ProgressRedrawInterval());
        }
        errno = 0;
        const BatchOutcome outcome = RunBatch(fromStandardInput ? in : file, out, settings);
        if (progress) {
            const int batchErrno = errno;
            progress->Finish();
            errno = batchErrno;
        }
        const int savedErrno = errno;
        if (outcome.OutputFailed) {
            return ReportOutputFailure(err, savedErrno);
        }
        if (outcome.InputFailed) {
            // What came before was answered; the rest of the input was not.
            err << "tavrinel-cli: --batch: reading " << shownPath << " failed"
                << (savedErrno ? " (" + std::string(std::strerror(savedErrno)) + ")" : "")
                << "; the lines before were answered\n";
            return kExitFailed;
        }
        return outcome.AnyBadLine ? kExitFailed : kExitOk;
    }

    if (options.Save && !HasReadingFileExtension(*options.Save)) {
        return refuse("--save", "accepts a file name ending in tvl, as the window's Open expects");
    }
    // A file that is saved must open again in the window, which insists on the
    // place of birth; a chart that is only shown does not need it.
    std::optional<ZoneReport> zoneReport;
    auto built = options.File ? FormFromFile(*options.File)
                              : BuildForm(options, options.Save ? PlaceRule::Required
                                                                : PlaceRule::Optional,
                                          precise, zoneReport);
    if (const auto* refusal = std::get_if<Refusal>(&built)) {
        return refuse(refusal->Option, refusal->Message);
    }
    const BirthForm& form = std::get<BirthForm>(built);
    // Only a reading file brings an exact offset to the documented sky.
    if (form.UtcOffsetSeconds && !precise && options.File) {
        return refuse(QuotedForMessage(*options.File),
                      "the reading was cast at " + atlas::UtcOffsetText(*form.UtcOffsetSeconds) +
                          ", which no zone of the list has: only the precise sky (--sky precise) "
                          "can cast it");
    }
    // The file must give back what was asked for, as the window will open it.
    if (options.Save) {
        if (const auto fault = CheckFormForReadingFile(form)) {
            return refuse(OptionOf(fault->Field), fault->Message);
        }
    }
    ChartState chart;
    TextCollector reading;
    SkyCheck check;
    // No output of the command line shows the precise retrograde; without
    // it a chart's precise longitudes are the same to the last digit as a
    // batch line's.
    check.WithMotion = false;
    SkyCheck* const wanted = options.NoSkyCheck ? nullptr : &check;
    if (!CalculateChart(form, chart, reading, sky, wanted)) {
        // The reason may name an ephemeris file, from a folder the
        // environment chose.
        err << "tavrinel-cli: --sky: " << EscapedForMessage(chart.SkyName) << '\n';
        return kExitFailed;
    }
    if (options.Save) {
        const std::string bytes = WriteReadingFile(chart, form.ZoneIndex);
        if (const auto error = SaveReadingFile(*options.Save, bytes)) {
            err << "tavrinel-cli: " << EscapedForMessage(error->Message) << '\n';
            return kExitFailed;
        }
    }
    if (zoneReport && *format != OutputFormat::Json) {
        err << "tavrinel-cli: " << zoneReport->Line << '\n';
    }
    // The text shows no zone; a file's exact offset is said beside it, as a
    // place's zone line is (JSON carries it as UtcOffsetSeconds).
    if (options.File && form.UtcOffsetSeconds && *format != OutputFormat::Json) {
        err << "tavrinel-cli: " << QuotedForMessage(*options.File) << ": the reading was cast at "
            << atlas::UtcOffsetText(*form.UtcOffsetSeconds)
            << ", which no zone of the list has; the precise sky casts it at exactly that "
               "offset\n";
    }
    const ChartAnalysis analysis = AnalyseChart(chart, request, wanted);
    // The vargas and the dasha of another sky than the one named would be
    // wrong without a word: none rather than those.
    if (analysis.Precise && !analysis.Precise->Ok && (request.Vargas || request.Dasha)) {
        err << "tavrinel-cli: " << (request.Vargas ? "--vargas" : "--dasha") << ": "
            << EscapedForMessage(analysis.Precise->Name) << '\n';
        return kExitFailed;
    }
    if (analysis.Transits && !analysis.Transits->Ok) {
        err << "tavrinel-cli: --transits: " << EscapedForMessage(analysis.Transits->SkyName) << '\n';
        return kExitFailed;
    }
    if (request.Strength && !analysis.Strength) {
        err << "tavrinel-cli: --strength: " << EscapedForMessage(analysis.StrengthError) << '\n';
        return kExitFailed;
    }
    if (*format == OutputFormat::SvgDasha && !analysis.Dasha) {
        return refuse("--chart", "dasha needs a Moon to count from, and this chart has none");
    }
    const SkyOutput skyOutput{sky, wanted};
    ChartOutput output{chart, analysis, reading.Text(), &skyOutput,
                       zoneReport ? &*zoneReport : nullptr};
    output.Varga = choice.Varga;
    output.MomentName = options.On ? "On" : "Today";
    errno = 0;
    PrintChart(out, output, *format);
    return kExitOk;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err, bool errIsTerminal) {
    int status = kExitOk;
    try {
        status = argc > 1 && std::string_view(argv[1]) == "library"
                     ? RunLibraryCommand(argc - 1, argv + 1, out, err, errIsTerminal)
                     : RunCommand(argc, argv, in, out, err, errIsTerminal);
    } catch (const std::bad_alloc&) {
        // Memory is bounded by design; this is the last resort, and what was
        // written so far stays written.
        out.flush();
        err << "tavrinel-cli: out of memory\n";
        return kExitFailed;
    }
    if (status != kExitOk) {
        return status;  // a failed write of a batch has been reported already
    }
    // A full disk or a size limit shows only here for output still buffered.
    int savedErrno = errno;
    if (out) {
        errno = 0;
        out.flush();
        savedErrno = errno;
    }
    return out ? kExitOk : ReportOutputFailure(err, savedErrno);
}

}  // namespace tavrinel::cli
