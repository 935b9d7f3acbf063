// Batch mode: one chart per line of JSON in, one JSON object per line out.
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <variant>

#include "chart/birth_form.h"
#include "cli/place_option.h"

namespace tavrinel::cli {

// The form of one batch line, or the message for a bad line.
std::variant<BirthForm, std::string> ParseBatchLine(const std::string& line);
// The same, with what a "Place" key decided about the zone.
std::variant<BirthForm, std::string> ParseBatchLine(const std::string& line,
                                                    std::optional<ZoneReport>& report);

// Streams every line of `in` to `out`; returns 0, or 1 when any line was bad.
int RunBatch(std::istream& in, std::ostream& out);

}  // namespace tavrinel::cli
