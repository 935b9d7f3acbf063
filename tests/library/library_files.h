// Reading files for the library's tests, written line by line as the file
// format lays them out, so that the expected values do not come from the
// writer under test.
#pragma once

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "chart/reading_file.h"

namespace tavrinel::library::testing {

// The seventeen lines in file order: name, month, day, year, hour, minute,
// zone index, longitude degrees and minutes, latitude degrees and minutes,
// East ("True"/"False"), South, daylight saving, city, state, country.
using FileLines = std::array<std::string, kReadingFileLineCount>;

inline FileLines AnnLines() {
    return {"Ann", "7",  "15",   "1990",  "12",    "0",         "34",    "77",   "12",
            "28",  "36", "True", "False", "False", "New Delhi", "Delhi", "India"};
}

// A different birth for every n: the name, day and minute follow it.
inline FileLines ClientLines(int n) {
    FileLines lines = AnnLines();
    lines[0] = "Client " + std::to_string(n);
    lines[2] = std::to_string(n % 28 + 1);
    lines[5] = std::to_string(n % 60);
    return lines;
}

// Latin-1 lines (the tests keep to ASCII) scrambled and ended as the program
// writes them.
inline std::string FileBytes(const FileLines& lines, const std::string& extra = {}) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += ScrambleText(line) + "\r\n";
    }
    if (!extra.empty()) {
        bytes += ScrambleText(extra) + "\r\n";
    }
    return bytes;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace tavrinel::library::testing
