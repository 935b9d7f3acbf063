// How the command line shows a calculated chart: a table and the reading as
// plain or coloured text, or one JSON object.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "analysis/chart_analysis.h"
#include "chart/chart_state.h"
#include "reading/dignity_reading.h"

namespace tavrinel::cli {

enum class OutputFormat { Text, Ansi, Json, SvgSouth, SvgNorth, SvgDasha, Csv };

struct SkyOutput;
struct ZoneReport;

// Collects the reading's exact text, CR LF line breaks included.
class TextCollector final : public ReadingSink {
public:
    void Clear() override { text_.clear(); }
    void Append(std::string_view text, int, bool) override { text_ += text; }
    void ShowReadingPanel() override {}
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// Writes the runs to a terminal: line breaks as the terminal's, and with
// colour escapes when asked.
class TerminalSink final : public ReadingSink {
public:
    TerminalSink(std::ostream& out, bool colour) : out_(out), colour_(colour) {}
    void Clear() override {}
    void Append(std::string_view text, int colourIndex, bool bold) override;
    void ShowReadingPanel() override {}

private:
    std::ostream& out_;
    bool colour_;
};

// One calculated chart as the outputs show it: the chart, its analysis,
// the text its reading produced, and what is said of its sky and zone.
struct ChartOutput {
    const ChartState& Chart;
    const ChartAnalysis& Analysis;
    std::string_view Reading;
    const SkyOutput* Sky = nullptr;
    const ZoneReport* Zone = nullptr;
    int Varga = kRasiVarga;              // which varga a South or North picture draws
    std::string_view MomentName = "Today";  // how the dasha picture marks its moment
    std::optional<std::int64_t> Id = std::nullopt;  // the chart library's, when the batch line had it
};

// Appends the object written per chart (batch mode and --format json) and a
// newline. A batch gives the input's line number; 0 leaves it out.
void AppendChartJson(std::string& out, const ChartOutput& chart, long line = 0);

// Appends {"line": N, "error": "..."} and a newline; {"line": N, "Id": I,
// "error": "..."} for a line that carried the library's Id.
void AppendErrorJson(std::string& out, long line, std::string_view message,
                     std::optional<std::int64_t> id = std::nullopt);

// A batch's CSV: the header row, then one row per line of the input, a
// chart's or an error's, each ending in CR LF.
void AppendCsvHeader(std::string& out);
// `raw`: the cells of the user's texts as they are, without the quote that
// keeps a spreadsheet from reading them as formulas.
void AppendChartCsv(std::string& out, const ChartOutput& chart, long line, bool raw = false);
void AppendErrorCsv(std::string& out, long line, std::string_view message,
                    std::optional<std::int64_t> id = std::nullopt);

// Prints a calculated chart in the given format (the coloured formats write
// the reading's runs again).
void PrintChart(std::ostream& out, const ChartOutput& chart, OutputFormat format);

}  // namespace tavrinel::cli
