// Batch mode: one chart per line of JSON in, one JSON object per line out.
#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <variant>

#include "chart/birth_form.h"

namespace tavrinel::cli {

// The form of one batch line, or the message for a bad line.
std::variant<BirthForm, std::string> ParseBatchLine(const std::string& line);

// The longest line a batch reads, newline excluded: a chart takes a few
// hundred bytes, and a longer line is reported without being kept in memory.
inline constexpr std::size_t kMaxBatchLineBytes = 64 * 1024;

struct BatchOutcome {
    bool AnyBadLine = false;
    bool InputFailed = false;  // reading stopped on an error, not at the end
    bool OutputFailed = false;  // the output stream refused a write; the run stopped
};

// Streams every line of `in` to `out`. What was calculated before a failure
// (memory included) has been written when it returns or throws.
BatchOutcome RunBatch(std::istream& in, std::ostream& out);

}  // namespace tavrinel::cli
