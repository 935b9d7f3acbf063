// Which option does something in which kind of run. An option given where
// it would do nothing is refused, never dropped: a user who adds --dst to a
// batch or --ayanamsa to a chart that uses none must learn that it was not
// used. A new option is one row of the table in option_modes.cpp.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tavrinel::cli {

// The options given, by name as the parser knows them ("--city", and "file"
// for a reading file), with their value as given (empty for a flag).
using GivenOptions = std::map<std::string, std::string, std::less<>>;

// What the run does: the first of --zones, --atlas, a reading file, --batch
// and --save given decides; without any, one chart from its options.
enum class RunMode { Zones, Atlas, File, Batch, Save, Chart };

[[nodiscard]] RunMode ModeOf(const GivenOptions& given);

// The refusal, "OPTION: why", for the first option given that would do
// nothing in this run; nothing when every one is used.
[[nodiscard]] std::optional<std::string> UnusedOption(const GivenOptions& given);

// Whether the table has a row for the option, as every option must.
[[nodiscard]] bool HasModeRow(std::string_view option);

}  // namespace tavrinel::cli
