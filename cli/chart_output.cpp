#include "cli/chart_output.h"

#include <array>
#include <iomanip>

#include "analysis/analysis_text.h"
#include "chart_picture/positions_table.h"
#include "chart_picture/nakshatra.h"
#include "cli/analysis_json.h"
#include "cli/csv_writer.h"
#include "cli/json_writer.h"
#include "cli/place_option.h"
#include "cli/sky_output.h"
#include "cli/picture_output.h"

namespace tavrinel::cli {

namespace {

constexpr std::string_view kAnsiReset = "\x1b[0m";

// The columns of a batch's CSV before and after the grahas' four each. The
// library's Id stands beside the line's number, both saying which input the
// row answers; it is empty for a line that has none, so that every row has
// the same columns.
constexpr std::array<std::string_view, 16> kCsvBirthColumns = {
    "line",         "Id",               "PersonName",     "BirthYear",  "BirthMonth",
    "BirthDay",
    "BirthHour",    "BirthMinute",      "UtcOffsetSeconds", "DaylightSaving", "Latitude",
    "Longitude",    "CityName",         "StateName",      "CountryName", "Place"};
constexpr std::array<std::string_view, 4> kCsvGrahaColumns = {"", "Dignity", "Nakshatra", "Pada"};
constexpr std::array<std::string_view, 7> kCsvChartColumns = {
    "Lagna", "LagnaNakshatra", "LagnaPada", "SkyName", "SkyCheck", "SkyDifferences", "error"};
constexpr std::size_t kCsvColumnCount = kCsvBirthColumns.size() +
                                        kGrahaCount * kCsvGrahaColumns.size() +
                                        kCsvChartColumns.size();

constexpr int kSecondsPerMinute = 60;
constexpr int kSecondsPerHour = 3600;

// The offset from UTC the chart was cast at: the exact one, or the zone
// entry's with the daylight-saving hour.
long UtcOffsetSecondsOf(const ChartState& chart) {
    if (chart.ExactUtcOffsetSeconds) {
        return *chart.ExactUtcOffsetSeconds;
    }
    // The table's shift takes the clock to UT; the offset is its opposite.
    return -(chart.ZoneShiftHours * kSecondsPerHour + chart.ZoneShiftMinutes * kSecondsPerMinute) +
           (chart.DaylightSaving != kFalse ? kSecondsPerHour : 0);
}

// "28:36N", as --lat and --lon take it.
std::string CoordinateText(int degrees, int minutes, char hemisphere) {
    std::string text = std::to_string(degrees) + ":";
    if (minutes < 10) {
        text += '0';
    }
    return text + std::to_string(minutes) + hemisphere;
}

void AppendCsvId(CsvRow& row, std::optional<std::int64_t> id) {
    if (id) {
        row.Field(long{*id});
    } else {
        row.Empty();
    }
}

void WriteWithoutCarriageReturns(std::ostream& out, std::string_view text) {
    for (char c : text) {
        if (c != '\r') {
            out.put(c);
        }
    }
}

}  // namespace

void TerminalSink::Append(std::string_view text, int colourIndex, bool bold) {
    if (!colour_) {
        WriteWithoutCarriageReturns(out_, text);
        return;
    }
    // The colour is switched off before each line break so a terminal that is
    // scrolled or cut mid-reading never bleeds colour into what follows.
    const Rgb rgb = ReadingColour(colourIndex);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(kLineBreak, start);
        const std::string_view piece =
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!piece.empty()) {
            out_ << (bold ? "\x1b[1m" : "") << "\x1b[38;2;" << int(rgb.Red) << ';'
                 << int(rgb.Green) << ';' << int(rgb.Blue) << 'm' << piece << kAnsiReset;
        }
        if (end == std::string_view::npos) {
            break;
        }
        out_ << '\n';
        start = end + kLineBreak.size();
    }
}

void AppendChartJson(std::string& out, const ChartOutput& output, long line) {
    const ChartState& chart = output.Chart;
    const DignityAnalysis& reading = output.Analysis.Reading;
    JsonWriter json(out);
    json.BeginObject();
    if (line > 0) {
        json.Field("line", line);
    }
    if (output.Id) {
        json.Field("Id", *output.Id);
    }
    json.Field("PersonName", chart.PersonName);
    const auto array = [&json](std::string_view key, const auto& values) {
        json.BeginArray(key);
        for (const auto& value : values) {
            json.Element(value);
        }
        json.EndArray();
    };
    array("GrahaNames", chart.GrahaNames);
    array("PlanetPositionTexts", chart.PlanetPositionTexts);
    json.Field("MoonPositionText", chart.MoonPositionText);
    std::array<std::string_view, kGrahaCount> dignities;
    for (int g = 0; g < kGrahaCount; ++g) {
        dignities[g] = DignityName(reading.Dignities[g]);
    }
    array("Dignities", dignities);
    array("StatusLines", reading.StatusLines);
    AppendPictureFields(json, output.Analysis);
    json.Field("Reading", output.Reading);
    if (output.Sky) {
        AppendSkyJson(json, chart, *output.Sky);
    }
    // Every chart says which offset it was cast at; a zone report says it
    // among its own fields.
    if (output.Zone) {
        WriteZoneReport(json, *output.Zone);
    } else {
        json.Field("UtcOffsetSeconds", UtcOffsetSecondsOf(chart));
    }
    AppendAnalysisJson(json, output.Analysis);
    json.EndObject();
    out += '\n';
}

void AppendErrorJson(std::string& out, long line, std::string_view message,
                     std::optional<std::int64_t> id) {
    JsonWriter json(out);
    json.BeginObject();
    json.Field("line", line);
    if (id) {
        json.Field("Id", *id);
    }
    json.Field("error", message);
    json.EndObject();
    out += '\n';
}

void AppendCsvHeader(std::string& out) {
    CsvRow row(out);
    for (std::string_view column : kCsvBirthColumns) {
        row.Field(column);
    }
    for (int g = 0; g < kGrahaCount; ++g) {
        for (std::string_view column : kCsvGrahaColumns) {
            row.Field(std::string(GrahaEnglishName(g)) + std::string(column));
        }
    }
    for (std::string_view column : kCsvChartColumns) {
        row.Field(column);
    }
    row.End();
}

void AppendChartCsv(std::string& out, const ChartOutput& output, long line, bool raw) {
    const ChartState& chart = output.Chart;
    const PositionsTable& table = output.Analysis.Positions;
    CsvRow row(out, raw);
    row.Field(line);
    AppendCsvId(row, output.Id);
    row.UserText(chart.PersonName);
    for (const std::int16_t part : {chart.BirthYear, chart.BirthMonth, chart.BirthDay,
                                    chart.BirthHour, chart.BirthMinute}) {
        row.Field(long{part});
    }
    row.Field(UtcOffsetSecondsOf(chart));
    row.Field(chart.DaylightSaving != kFalse ? "true" : "false");
    row.Field(CoordinateText(chart.LatDegrees, chart.LatMinutes,
                             chart.LatDirection != kFalse ? 'S' : 'N'));
    row.Field(CoordinateText(chart.LonDegrees, chart.LonMinutes,
                             chart.LonDirection != kFalse ? 'E' : 'W'));
    row.UserText(chart.CityName);
    row.UserText(chart.StateName);
    row.UserText(chart.CountryName);
    row.UserText(output.Zone ? std::string_view(output.Zone->Place) : std::string_view());
    const auto nakshatra = [](const PositionRow& position) {
        return position.Known ? kNakshatraNames[static_cast<std::size_t>(position.Nakshatra)]
                              : std::string_view();
    };
    for (int g = 0; g < kGrahaCount; ++g) {
        const PositionRow& position = table.Grahas[static_cast<std::size_t>(g)];
        row.Field(chart.PlanetPositionTexts[static_cast<std::size_t>(g)]);
        row.Field(DignityName(output.Analysis.Reading.Dignities[static_cast<std::size_t>(g)]));
        row.Field(nakshatra(position));
        if (position.Known) {
            row.Field(long{position.Pada});
        } else {
            row.Empty();
        }
    }
    const PositionRow& lagna = table.Lagna;
    row.Field(lagna.Known ? std::string_view(lagna.PositionText) : std::string_view());
    row.Field(nakshatra(lagna));
    if (lagna.Known) {
        row.Field(long{lagna.Pada});
    } else {
        row.Empty();
    }
    row.Field(SkyNameOf(chart));
    const SkyCheckTexts check = output.Sky ? SkyCheckTextsOf(*output.Sky) : SkyCheckTexts{};
    row.Field(check.PreciseSkyName);
    row.Field(check.Differences);
    row.Empty();  // no error
    row.End();
}

void AppendErrorCsv(std::string& out, long line, std::string_view message,
                    std::optional<std::int64_t> id) {
    CsvRow row(out);
    row.Field(line);
    AppendCsvId(row, id);
    for (std::size_t column = 3; column < kCsvColumnCount; ++column) {
        row.Empty();
    }
    row.Field(message);
    row.End();
}

void PrintChart(std::ostream& out, const ChartOutput& output, OutputFormat format) {
    switch (format) {
        case OutputFormat::Json: {
            std::string text;
            AppendChartJson(text, output);
            out << text;
            return;
        }
        case OutputFormat::SvgSouth:
        case OutputFormat::SvgNorth:
            out << ChartSvg(output.Analysis,
                            format == OutputFormat::SvgSouth ? ChartStyle::South : ChartStyle::North,
                            output.Varga);
            return;
        case OutputFormat::SvgDasha:
            out << DashaSvg(output.Analysis, output.Chart, output.MomentName);
            return;
        case OutputFormat::Csv: {
            std::string text;
            AppendCsvHeader(text);
            AppendChartCsv(text, output, 0);
            out << text;
            return;
        }
        case OutputFormat::Text:
        case OutputFormat::Ansi:
            break;
    }
    out << PositionsTableText(output.Analysis.Positions);
    if (output.Sky) {
        PrintSkyText(out, output.Chart, *output.Sky);
    }
    out << '\n';
    if (format == OutputFormat::Ansi) {
        TerminalSink sink(out, true);
        BuildDignityReading(output.Chart, output.Analysis.Reading, sink);
    } else {
        WriteWithoutCarriageReturns(out, output.Reading);
    }
    out << AnalysisSectionsText(output.Analysis, output.Chart);
}

}  // namespace tavrinel::cli
