#include "cli/chart_output.h"

#include <iomanip>

#include "chart_picture/positions_table.h"
#include "cli/json_writer.h"
#include "cli/place_option.h"
#include "cli/sky_output.h"
#include "cli/picture_output.h"

namespace tavrinel::cli {

namespace {

constexpr std::string_view kAnsiReset = "\x1b[0m";

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

void AppendChartJson(std::string& out, const ChartState& chart, std::string_view reading,
                     long line, const SkyOutput* sky, const ZoneReport* zone) {
    const DignityAnalysis analysis = ClassifyGrahas(chart);
    JsonWriter json(out);
    json.BeginObject();
    if (line > 0) {
        json.Field("line", line);
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
        dignities[g] = DignityName(analysis.Dignities[g]);
    }
    array("Dignities", dignities);
    array("StatusLines", analysis.StatusLines);
    AppendPictureFields(json, chart);
    json.Field("Reading", reading);
    if (sky) {
        AppendSkyJson(json, chart, *sky);
    }
    if (zone) {
        WriteZoneReport(json, *zone);
    }
    json.EndObject();
    out += '\n';
}

void AppendErrorJson(std::string& out, long line, std::string_view message) {
    JsonWriter json(out);
    json.BeginObject();
    json.Field("line", line);
    json.Field("error", message);
    json.EndObject();
    out += '\n';
}

void PrintChart(std::ostream& out, const ChartState& chart, std::string_view reading,
                OutputFormat format, const SkyOutput* sky, const ZoneReport* zone) {
    if (format == OutputFormat::Json) {
        std::string text;
        AppendChartJson(text, chart, reading, 0, sky, zone);
        out << text;
        return;
    }
    if (format == OutputFormat::SvgSouth || format == OutputFormat::SvgNorth) {
        out << ChartSvg(chart, format == OutputFormat::SvgSouth ? ChartStyle::South
                                                                 : ChartStyle::North);
        return;
    }
    out << PositionsTableText(BuildPositionsTable(chart));
    if (sky) {
        PrintSkyText(out, chart, *sky);
    }
    out << '\n';
    TerminalSink sink(out, format == OutputFormat::Ansi);
    BuildDignityReading(chart, sink);
}

}  // namespace tavrinel::cli
