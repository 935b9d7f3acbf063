#include "cli/chart_output.h"

#include <iomanip>

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

std::string ReadingText(const ChartState& chart) {
    TextCollector collector;
    BuildDignityReading(chart, collector);
    return collector.Text();
}

void PrintTable(std::ostream& out, const ChartState& chart, const DignityAnalysis& analysis) {
    out << std::left << std::setw(10) << "Graha" << std::setw(10) << "English" << std::setw(12)
        << "Position" << "Dignity\n";
    for (int g = 0; g < kGrahaCount; ++g) {
        out << std::setw(10) << chart.GrahaNames[g] << std::setw(10) << GrahaEnglishName(g)
            << std::setw(12) << chart.PlanetPositionTexts[g] << DignityName(analysis.Dignities[g])
            << '\n';
    }
    out << std::right;
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

nlohmann::json ChartJson(const ChartState& chart, std::string_view reading) {
    const DignityAnalysis analysis = ClassifyGrahas(chart);
    nlohmann::json dignities = nlohmann::json::array();
    nlohmann::json statusLines = nlohmann::json::array();
    for (int g = 0; g < kGrahaCount; ++g) {
        dignities.push_back(DignityName(analysis.Dignities[g]));
        statusLines.push_back(analysis.StatusLines[g]);
    }
    return nlohmann::json{
        {"PersonName", chart.PersonName},
        {"GrahaNames", chart.GrahaNames},
        {"PlanetPositionTexts", chart.PlanetPositionTexts},
        {"MoonPositionText", chart.MoonPositionText},
        {"Dignities", std::move(dignities)},
        {"StatusLines", std::move(statusLines)},
        {"Reading", reading},
    };
}

std::string JsonLine(const nlohmann::json& object) {
    return object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void PrintChart(std::ostream& out, const ChartState& chart, OutputFormat format) {
    if (format == OutputFormat::Json) {
        out << JsonLine(ChartJson(chart, ReadingText(chart))) << '\n';
        return;
    }
    PrintTable(out, chart, ClassifyGrahas(chart));
    out << '\n';
    TerminalSink sink(out, format == OutputFormat::Ansi);
    BuildDignityReading(chart, sink);
}

}  // namespace tavrinel::cli
