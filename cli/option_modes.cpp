#include "cli/option_modes.h"

#include <algorithm>
#include <array>
#include <utility>

#include "cli/cli_options.h"
#include "cli/terminal_text.h"

namespace tavrinel::cli {

namespace {

using Modes = unsigned;

constexpr Modes Bit(RunMode mode) { return 1u << static_cast<unsigned>(mode); }

constexpr Modes kZones = Bit(RunMode::Zones);
constexpr Modes kAtlas = Bit(RunMode::Atlas);
constexpr Modes kFile = Bit(RunMode::File);
constexpr Modes kBatch = Bit(RunMode::Batch);
constexpr Modes kSave = Bit(RunMode::Save);
constexpr Modes kChart = Bit(RunMode::Chart);
// Every run that calculates one chart.
constexpr Modes kOneChart = kChart | kSave | kFile;
// A chart typed as options (a reading file brings its own).
constexpr Modes kTypedChart = kChart | kSave;

constexpr std::string_view kFileOption = "file";

// What else an option needs, beyond the kind of run, where one chart is
// calculated (a batch line may choose its own sky).
enum class Needs {
    Nothing,
    SvgFormat,             // it shapes the picture
    PreciseSky,            // it shapes the precise positions (the check keeps Lahiri, mean)
    DocumentedSky,         // only the documented sky is checked
    TextOrJson,            // it adds to the text and JSON output, which a picture has not
    Dasha,                 // it shapes the dasha's periods
    DashaOrTimeline,       // it shapes the dasha, listed or drawn
    Moment,                // it names the moment of the running periods or the transits
    SignPicture,           // it chooses what the South or North picture draws
    CsvFormat,             // it shapes the CSV's cells
};

struct ModeRow {
    std::string_view Option;
    std::string_view Value;  // the row holds for this value only; empty: any
    Modes WorksIn;
    Needs Also = Needs::Nothing;
};

// The options that choose the kind of run, in the order that decides it.
constexpr std::array<std::pair<std::string_view, RunMode>, 5> kModeOptions = {{
    {"--zones", RunMode::Zones},
    {"--atlas", RunMode::Atlas},
    {kFileOption, RunMode::File},
    {"--batch", RunMode::Batch},
    {"--save", RunMode::Save},
}};

// Those come first, so that a second one is named before the options beside
// it; an option is checked against the first row that fits it.
constexpr std::array kModeRows = {
    ModeRow{"--zones", "", kZones},
    ModeRow{"--atlas", "", kAtlas},
    ModeRow{kFileOption, "", kFile},
    ModeRow{"--batch", "", kBatch},
    ModeRow{"--save", "", kSave},
    ModeRow{"--name", "", kTypedChart},
    ModeRow{"--date", "", kTypedChart},
    ModeRow{"--time", "", kTypedChart},
    ModeRow{"--zone", "", kTypedChart},
    ModeRow{"--dst", "", kTypedChart},
    ModeRow{"--lat", "", kTypedChart},
    ModeRow{"--lon", "", kTypedChart},
    ModeRow{"--city", "", kTypedChart},
    ModeRow{"--state", "", kTypedChart},
    ModeRow{"--country", "", kTypedChart},
    ModeRow{"--place", "", kTypedChart},
    ModeRow{"--utc-offset", "", kTypedChart},
    ModeRow{"--csv-raw", "", kBatch, Needs::CsvFormat},  // named before the --format it needs
    ModeRow{"--format", "text", kOneChart | kZones | kAtlas},
    ModeRow{"--format", "json", kOneChart | kBatch | kAtlas},
    ModeRow{"--format", "ansi", kOneChart},
    ModeRow{"--format", "svg", kOneChart},
    ModeRow{"--format", "csv", kBatch},
    ModeRow{"--format", "", kOneChart | kBatch | kZones | kAtlas},  // refused later as unknown
    ModeRow{"--chart", "", kOneChart, Needs::SvgFormat},
    ModeRow{"--varga", "", kOneChart, Needs::SignPicture},
    ModeRow{"--vargas", "", kOneChart | kBatch, Needs::TextOrJson},
    ModeRow{"--dasha", "", kOneChart | kBatch, Needs::TextOrJson},
    ModeRow{"--transits", "", kOneChart | kBatch, Needs::TextOrJson},
    ModeRow{"--strength", "", kOneChart | kBatch, Needs::TextOrJson},
    ModeRow{"--dasha-levels", "", kOneChart | kBatch, Needs::Dasha},
    ModeRow{"--dasha-year", "", kOneChart | kBatch, Needs::DashaOrTimeline},
    ModeRow{"--on", "", kOneChart | kBatch, Needs::Moment},
    ModeRow{"--ayanamsa", "", kOneChart | kBatch, Needs::PreciseSky},
    ModeRow{"--node", "", kOneChart | kBatch, Needs::PreciseSky},
    ModeRow{"--sky", "", kOneChart | kBatch},
    ModeRow{"--no-sky-check", "", kOneChart | kBatch, Needs::DocumentedSky},
    ModeRow{"--jobs", "", kBatch},
};

// The kind of run as the refusal names it, and what it does instead.
constexpr std::array<std::string_view, 6> kModeNames = {
    "--zones, which only lists the time zones",
    "--atlas, which only lists places",
    "a reading file (FILE.tvl), which brings its own birth data",
    "--batch, which reads each chart, its place and its zone from its line and writes JSON "
    "Lines or CSV",
    "--save",
    "a chart given by options",
};

bool Has(const GivenOptions& given, std::string_view option, std::string_view value = {}) {
    const auto found = given.find(option);
    return found != given.end() && (value.empty() || found->second == value);
}

// Why the option does nothing for want of another, or nothing.
std::optional<std::string_view> MissingNeed(const GivenOptions& given, Needs needs) {
    const auto sky = given.find("--sky");
    const bool precise = sky != given.end() && LowerCase(sky->second) == "precise";
    const bool svg = Has(given, "--format", "svg");
    const bool timeline = svg && Has(given, "--chart", "dasha");
    switch (needs) {
        case Needs::TextOrJson:
            if (svg) {
                return "adds to the text and JSON output, not to a picture (--format svg)";
            }
            break;
        case Needs::Dasha:
            if (!Has(given, "--dasha")) {
                return "shapes the periods that only --dasha lists";
            }
            break;
        case Needs::DashaOrTimeline:
            if (!Has(given, "--dasha") && !timeline) {
                return "shapes the dasha, which only --dasha or --format svg --chart dasha shows";
            }
            break;
        case Needs::Moment:
            if (!Has(given, "--dasha") && !Has(given, "--transits") && !timeline) {
                return "names the moment of the running periods and the transits, which only "
                       "--dasha, --transits or --format svg --chart dasha show";
            }
            break;
        case Needs::SignPicture:
            if (!svg || timeline) {
                return "chooses the divisional chart of a South or North Indian picture (--format "
                       "svg --chart south or north)";
            }
            break;
        case Needs::SvgFormat:
            if (!Has(given, "--format", "svg")) {
                return "draws a picture only with --format svg";
            }
            break;
        case Needs::PreciseSky:
            // The vargas, the dasha, the transits, the strength and the JSON's
            // longitudes are the precise sky's whichever sky the reading is cast in.
            if (!precise && !Has(given, "--vargas") && !Has(given, "--dasha") &&
                !Has(given, "--transits") && !Has(given, "--strength") &&
                !Has(given, "--format", "json") && !timeline && !Has(given, "--varga")) {
                return "chooses the precise sky, which a documented chart uses only for --vargas, "
                       "--dasha, --transits, --strength and the longitudes of --format json (its "
                       "check keeps Lahiri and the mean node)";
            }
            break;
        case Needs::DocumentedSky:
            if (precise) {
                return "leaves out the documented sky's check, which --sky precise does not make";
            }
            break;
        case Needs::CsvFormat:
            if (!Has(given, "--format", "csv")) {
                return "writes the CSV's cells as they are typed, and only --format csv writes CSV";
            }
            break;
        case Needs::Nothing:
            break;
    }
    return std::nullopt;
}

// Whether the option adds to a chart's object (the vargas, the dasha, the
// transits, the strength and what shapes them), which a batch's CSV does not carry.
bool AddsToObject(Needs needs) {
    return needs == Needs::TextOrJson || needs == Needs::Dasha ||
           needs == Needs::DashaOrTimeline || needs == Needs::Moment;
}

const ModeRow* RowOf(std::string_view option, std::string_view value) {
    const auto row = std::find_if(kModeRows.begin(), kModeRows.end(), [&](const ModeRow& r) {
        return r.Option == option && (r.Value.empty() || r.Value == value);
    });
    return row == kModeRows.end() ? nullptr : &*row;
}

}  // namespace

RunMode ModeOf(const GivenOptions& given) {
    for (const auto& [option, mode] : kModeOptions) {
        if (Has(given, option)) {
            return mode;
        }
    }
    return RunMode::Chart;
}

std::optional<std::string> UnusedOption(const GivenOptions& given) {
    const RunMode mode = ModeOf(given);
    for (const ModeRow& row : kModeRows) {
        const auto option = given.find(row.Option);
        if (option == given.end() || RowOf(row.Option, option->second) != &row) {
            continue;
        }
        const std::string shown =
            row.Option == kFileOption ? QuotedForMessage(option->second) : std::string(row.Option);
        const std::string value = row.Value.empty() ? std::string() : std::string(row.Value) + " ";
        if ((row.WorksIn & Bit(mode)) == 0) {
            return shown + ": " + value + "cannot be combined with " +
                   std::string(kModeNames[static_cast<std::size_t>(mode)]);
        }
        if (mode != RunMode::Batch || row.Also == Needs::CsvFormat) {
            if (const auto missing = MissingNeed(given, row.Also)) {
                return shown + ": " + std::string(*missing);
            }
        } else if (AddsToObject(row.Also) && Has(given, "--format", "csv")) {
            return shown + ": adds to each line's JSON object; a CSV row has no columns for it";
        }
    }
    return std::nullopt;
}

bool HasModeRow(std::string_view option) {
    return std::any_of(kModeRows.begin(), kModeRows.end(),
                       [option](const ModeRow& r) { return r.Option == option; });
}

}  // namespace tavrinel::cli
