// Batch mode: one chart per line of JSON in, one JSON object per line out.
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <variant>

#include "calculation/sky_choice.h"
#include "chart/birth_form.h"
#include "cli/place_option.h"

namespace tavrinel::cli {

// The form of one batch line, or the message for a bad line.
std::variant<BirthForm, std::string> ParseBatchLine(const std::string& line);

// A batch line's form and the sky it asks for: its "Sky", "Ayanamsa" and
// "Node" keys, each defaulting to the command line's choice.
struct BatchChart {
    BirthForm Form;
    SkyChoice Sky;
    std::optional<ZoneReport> Zone;  // what a "Place" key decided
};
std::variant<BatchChart, std::string> ParseBatchChart(const std::string& line,
                                                      const SkyChoice& defaults);

// Streams every line of `in` to `out`; returns 0, or 1 when any line was bad.
int RunBatch(std::istream& in, std::ostream& out, const SkyChoice& defaults = {});

}  // namespace tavrinel::cli
