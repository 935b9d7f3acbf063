// Batch mode: one chart per line of JSON in, one JSON object (or one CSV row)
// per line out, in the order of the input however many threads answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
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
// "DashaYear", "On", "Transits" and "Strength" keys), each defaulting to the command
// line's choice.
struct BatchChart {
    BirthForm Form;
    SkyChoice Sky;
    std::optional<ZoneReport> Zone;  // what a "Place" key decided
    AnalysisRequest Request;
    // The chart library's "Id", when the line came from it: the answer
    // carries it so that a study's results join back to the clients.
    std::optional<std::int64_t> Id;
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
    // The most output held at once, answered but not yet written.
    std::size_t PeakBytesInFlight = 0;
};

enum class BatchFormat { JsonLines, Csv };

// Answers made but not yet written. A dasha five levels deep writes some
// 6.6 MB for one line: the budget holds one such line beside the one next
// in order, or well over a thousand plain ones, enough for any number of
// threads to keep busy.
inline constexpr std::size_t kMostBatchBytesInFlight = 8 * 1024 * 1024;

class BatchProgress;

struct BatchSettings {
    SkyChoice Defaults;  // the sky of a line that names none
    // The sky check of a documented chart costs a precise calculation,
    // several times the documented one; false leaves it out for speed.
    bool SkyCheck = true;
    BatchFormat Format = BatchFormat::JsonLines;
    AnalysisRequest Analysis;  // what a line's analysis holds unless it says
    // Worker threads. With 1 the calling thread answers every line itself.
    int Jobs = 1;
    BatchProgress* Progress = nullptr;  // told as lines are written; may be null
    // CSV cells from the user's texts are written as they are, without the
    // quote that keeps a spreadsheet from reading them as formulas.
    bool CsvRaw = false;
    // Output answered but not yet written, in bytes, beyond which a worker
    // waits with its next answer; the line next in order is taken whatever
    // its size, so one huge line cannot stop the batch.
    std::size_t MostBytesInFlight = kMostBatchBytesInFlight;
    // The present instant (Julian Day, UT), read once at the start: every
    // line without "On" is answered for the same moment.
    std::function<double()> Now = NowUt;
};

// The most worker threads a batch takes: past the cores they only cost
// memory, a chart record and a line being answered each.
inline constexpr int kMostBatchJobs = 64;

// The cores this process may run on (its affinity), at least 1.
[[nodiscard]] int UsableCores();

// Streams every line of `in` to `out`. What was calculated before a failure
// (memory included) has been written when it returns or throws; a refused
// write stops every worker.
BatchOutcome RunBatch(std::istream& in, std::ostream& out, const BatchSettings& settings);

inline BatchOutcome RunBatch(std::istream& in, std::ostream& out, const SkyChoice& defaults = {},
                             bool skyCheck = true, const AnalysisRequest& analysis = {}) {
    return RunBatch(in, out, BatchSettings{defaults, skyCheck, BatchFormat::JsonLines, analysis});
}

}  // namespace tavrinel::cli
