#include "cli/chart_output.h"

#include <iomanip>

#include "analysis/analysis_text.h"
#include "chart_picture/positions_table.h"
#include "cli/analysis_json.h"
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

void AppendChartJson(std::string& out, const ChartOutput& output, long line) {
    const ChartState& chart = output.Chart;
    const DignityAnalysis& reading = output.Analysis.Reading;
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
        dignities[g] = DignityName(reading.Dignities[g]);
    }
    array("Dignities", dignities);
    array("StatusLines", reading.StatusLines);
    AppendPictureFields(json, output.Analysis.Positions);
    json.Field("Reading", output.Reading);
    if (output.Sky) {
        AppendSkyJson(json, chart, *output.Sky);
    }
    if (output.Zone) {
        WriteZoneReport(json, *output.Zone);
    }
    AppendAnalysisJson(json, output.Analysis);
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
    const std::string sections = AnalysisSectionsText(output.Analysis, output.Chart);
    if (!sections.empty()) {
        out << sections.substr(0, sections.size() - 1);
    }
}

}  // namespace tavrinel::cli
