// `tavrinel-cli library [--file PATH] COMMAND`: the chart library from the
// command line. Its chart lines carry the batch's input keys, so that
// `tavrinel-cli library batch | tavrinel-cli --batch -` runs a study over
// the whole practice.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "library/chart_library.h"

namespace tavrinel::cli {

// argv[0] is "library". Exit 0 done; 1 when a file was refused (the others
// were imported or exported); 2 for a refused command, an unknown Id, or a
// library that cannot be used.
int RunLibraryCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                      bool errIsTerminal = false);

// One chart as a line of JSON, newline included: the batch's input keys
// ("UtcOffset" in place of "TimeZone" and "DaylightSaving" where the chart
// has an exact offset), and "Id", "Notes" and "Tags".
void AppendLibraryChartJson(std::string& out, const library::LibraryChart& chart);

// The same as CSV: the header row, then a row per chart with every column
// (the zone and daylight saving beside an exact offset too), tags joined by
// "; ".
void AppendLibraryCsvHeader(std::string& out);
void AppendLibraryChartCsv(std::string& out, const library::LibraryChart& chart);

// The import's progress line: "1500 of 4000 files (37%)".
[[nodiscard]] std::string ImportProgressText(std::size_t done, std::size_t total);

// An exact offset as --utc-offset takes it: +5:30, -4:00, +5:21:10.
[[nodiscard]] std::string UtcOffsetOptionText(int seconds);

}  // namespace tavrinel::cli
