// How the command line shows a calculated chart: a table and the reading as
// plain or coloured text, or one JSON object.
#pragma once

#include <ostream>
#include <string>

#include "chart/chart_state.h"
#include "reading/dignity_reading.h"

namespace tavrinel::cli {

enum class OutputFormat { Text, Ansi, Json, SvgSouth, SvgNorth };

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

// Appends the object written per chart (batch mode and --format json) for a
// calculated chart and the text its reading produced, and a newline. A batch
// gives the input's line number; 0 leaves it out.
void AppendChartJson(std::string& out, const ChartState& chart, std::string_view reading,
                     long line = 0, const SkyOutput* sky = nullptr,
                     const ZoneReport* zone = nullptr);

// Appends {"line": N, "error": "..."} and a newline.
void AppendErrorJson(std::string& out, long line, std::string_view message);

// Prints a calculated chart and the text its reading produced, in the given
// format (the coloured formats write the reading's runs again).
void PrintChart(std::ostream& out, const ChartState& chart, std::string_view reading,
                OutputFormat format, const SkyOutput* sky = nullptr,
                const ZoneReport* zone = nullptr);

}  // namespace tavrinel::cli
