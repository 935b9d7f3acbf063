#include "cli/cli_main.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <iomanip>
#include <optional>

#include "chart/birth_form.h"
#include "chart/reading_file.h"
#include "cli/batch.h"
#include "cli/chart_output.h"
#include "cli/cli_options.h"
#include "cli/place_option.h"
#include "cli/sky_output.h"
#include "calculation/calculation.h"
#include "chart/time_zone_table.h"

namespace tavrinel::cli {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitRefused = 2;

struct Options {
    std::optional<std::string> Name, Date, Time, Zone, Lat, Lon;
    std::string City, State, Country;
    bool DaylightSaving = false;
    std::string Format = "text";
    bool ListZones = false;
    std::optional<std::string> Batch;
    std::optional<std::string> File;  // a saved reading to calculate
    std::optional<std::string> Save;  // where to write the reading file
    std::optional<std::string> Place;  // a place of the atlas
    std::optional<std::string> AtlasQuery;
    std::string Sky = "documented", Ayanamsa = "lahiri", Node = "mean";
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
                                          std::optional<ZoneReport>& report) {
    // A place of the atlas stands in for the zone and the coordinates.
    const bool atlas = options.Place.has_value();
    const std::pair<const std::optional<std::string>*, const char*> required[] = {
        {&options.Name, "--name"}, {&options.Date, "--date"}, {&options.Time, "--time"},
        {atlas ? nullptr : &options.Zone, "--zone"}, {atlas ? nullptr : &options.Lat, "--lat"},
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
    const auto lat = options.Lat ? Take(ParseLatitude(*options.Lat), "--lat", refusal) : std::nullopt;
    const auto lon = options.Lon ? Take(ParseLongitude(*options.Lon), "--lon", refusal) : std::nullopt;
    if (refusal) {
        return *refusal;
    }
    BirthForm form;
    form.Name = *options.Name;
    SetDateAndTime(form, *date, *time);
    if (zone) form.ZoneIndex = *zone;
    if (lat) SetLatitude(form, *lat);
    if (lon) SetLongitude(form, *lon);
    form.DaylightSaving = options.DaylightSaving;
    form.City = options.City;
    form.State = options.State;
    form.Country = options.Country;
    if (atlas) {
        const GivenBesidePlace given{!options.City.empty(), !options.State.empty(),
                                     !options.Country.empty(), lat.has_value(), lon.has_value(),
                                     zone.has_value(), options.DaylightSaving};
        auto applied = ApplyPlace(*options.Place, form, given);
        if (const auto* message = std::get_if<std::string>(&applied)) {
            return Refusal{"--place", *message};
        }
        report = std::get<ZoneReport>(std::move(applied));
    }
    if (const auto fault = ValidateBirthForm(form, place)) {
        return Refusal{std::string(OptionOf(fault->Field)), std::string(fault->Message)};
    }
    return form;
}

// The form of a saved reading, refused exactly as the window refuses it.
std::variant<BirthForm, Refusal> FormFromFile(const std::string& path) {
    BirthForm form;  // the window's input panel as it is at start
    if (const auto error = OpenReadingFile(path, form)) {
        return Refusal{path, error->Message};
    }
    if (const auto fault = ValidateBirthForm(form, PlaceRule::Required)) {
        return Refusal{path, std::string(fault->Message)};
    }
    return form;
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
    return std::nullopt;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err) {
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
    app.add_option("--lat", options.Lat, "latitude DEG:MIN and N or S, e.g. 28:36N");
    app.add_option("--lon", options.Lon, "longitude DEG:MIN and E or W, e.g. 77:12E");
    app.add_option("--city", options.City, "city of birth");
    app.add_option("--state", options.State, "state or province of birth");
    app.add_option("--country", options.Country, "country of birth");
    app.add_option("--format", options.Format, "text, ansi or json (default text)");
    app.add_flag("--zones", options.ListZones, "list the time zones with their indices");
    app.add_option("--batch", options.Batch,
                   "JSON Lines file of charts, or - for standard input");
    app.add_option("--save", options.Save, "also write the chart's reading file (.tvl)");
    app.add_option("--place", options.Place,
                   "place of birth from the atlas, e.g. \"Pune\" or \"Springfield, Illinois\": "
                   "fills the place, coordinates, zone and daylight saving");
    app.add_option("--atlas", options.AtlasQuery, "list the atlas's places matching a text");
    app.add_option("--sky", options.Sky,
                   "documented (the default) or precise (Swiss Ephemeris) positions");
    app.add_option("--ayanamsa", options.Ayanamsa,
                   "precise sky and sky check: lahiri (default), raman or krishnamurti");
    app.add_option("--node", options.Node, "precise sky and sky check: mean (default) or true");
    app.add_option("file", options.File, "a saved reading file (.tvl) to calculate");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitOk;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        err << "tavrinel-cli: " << e.what() << '\n';
        return kExitRefused;
    }

    const auto format = FormatFrom(options.Format);
    if (!format) {
        return refuse("--format", "accepts text, ansi or json");
    }
    const Parsed<SkyChoice> skyChoice = ParseSkyOptions(options.Sky, options.Ayanamsa, options.Node);
    if (const auto* message = std::get_if<std::string>(&skyChoice)) {
        const std::size_t colon = message->find(':');
        return refuse(message->substr(0, colon), message->substr(colon + 2));
    }
    const SkyChoice& sky = std::get<SkyChoice>(skyChoice);
    if (options.ListZones) {
        ListZones(out);
        return kExitOk;
    }
    if (options.AtlasQuery) {
        PrintAtlasMatches(out, *options.AtlasQuery, *format == OutputFormat::Json);
        return kExitOk;
    }
    if (options.Batch) {
        if (*options.Batch == "-") {
            return RunBatch(in, out, sky);
        }
        std::ifstream file(*options.Batch, std::ios::binary);
        if (!file) {
            return refuse("--batch", "accepts a readable file or - (cannot read " +
                                         *options.Batch + ")");
        }
        return RunBatch(file, out, sky);
    }

    if (options.File && (options.Name || options.Date || options.Time || options.Zone ||
                         options.Lat || options.Lon || options.Place)) {
        return refuse(*options.File, "a reading file brings its own birth data; give no chart options");
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
                                          zoneReport);
    if (const auto* refusal = std::get_if<Refusal>(&built)) {
        return refuse(refusal->Option, refusal->Message);
    }
    const BirthForm& form = std::get<BirthForm>(built);
    ChartState chart;
    TextCollector reading;
    SkyCheck check;
    if (!CalculateChart(form, chart, reading, sky, &check)) {
        err << "tavrinel-cli: --sky: " << chart.SkyName << '\n';
        return kExitFailed;
    }
    if (options.Save) {
        const std::string bytes = WriteReadingFile(chart, form.ZoneIndex);
        if (const auto error = SaveReadingFile(*options.Save, bytes)) {
            err << "tavrinel-cli: " << error->Message << '\n';
            return kExitFailed;
        }
    }
    if (zoneReport && *format != OutputFormat::Json) {
        err << "tavrinel-cli: " << zoneReport->Line << '\n';
    }
    const SkyOutput skyOutput{sky, &check};
    PrintChart(out, chart, reading.Text(), *format, &skyOutput,
               zoneReport ? &*zoneReport : nullptr);
    return kExitOk;
}

}  // namespace tavrinel::cli
