// Batch mode: one chart per line of JSON in, one JSON object per line out.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <variant>

#include "analysis/chart_analysis.h"
#include "calculation/sky_choice.h"
#include "chart/birth_form.h"
#include "cli/place_option.h"

namespace tavrinel::cli {

// The form of one batch line, or the message for a bad line.
std::variant<BirthForm, std::string> ParseBatchLine(const std::string& line);

// A batch line's form, the sky it asks for (its "Sky", "Ayanamsa" and
// "Node" keys) and what its analysis holds (its "Vargas", "Dasha",
// "DashaYear", "On" and "Transits" keys), each defaulting to the command
// line's choice.
struct BatchChart {
    BirthForm Form;
    SkyChoice Sky;
    std::optional<ZoneReport> Zone;  // what a "Place" key decided
    AnalysisRequest Request;
};
std::variant<BatchChart, std::string> ParseBatchChart(const std::string& line,
                                                      const SkyChoice& defaults,
                                                      const AnalysisRequest& analysis = {});

// The longest line a batch reads, newline excluded: a chart takes a few
// hundred bytes, and a longer line is reported without being kept in memory.
inline constexpr std::size_t kMaxBatchLineBytes = 64 * 1024;

struct BatchOutcome {
    bool AnyBadLine = false;
    bool InputFailed = false;  // reading stopped on an error, not at the end
    bool OutputFailed = false;  // the output stream refused a write; the run stopped
};

// Streams every line of `in` to `out`. What was calculated before a failure
// (memory included) has been written when it returns or throws. The sky
// check of a documented chart costs a precise calculation, several times the
// documented one; `skyCheck` false leaves it out for a batch that needs speed.
BatchOutcome RunBatch(std::istream& in, std::ostream& out, const SkyChoice& defaults = {},
                      bool skyCheck = true, const AnalysisRequest& analysis = {});

}  // namespace tavrinel::cli
