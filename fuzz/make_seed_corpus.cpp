// Writes the fuzzer's seed files into the folder given: files as the program
// saves them for a few charts, one cast at an exact offset, plus a short and
// a damaged one.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "chart/reading_file.h"

namespace {

using namespace tavrinel;

struct Seed {
    const char* File;
    int Zone;
    ChartState Chart;
};

ChartState Chart(const char* name, int day, int month, int year, int hour, int minute,
                 int latDeg, int latMin, bool south, int lonDeg, int lonMin, bool east, bool dst,
                 const char* city, const char* state, const char* country) {
    ChartState chart;
    chart.PersonName = name;
    chart.BirthDay = static_cast<std::int16_t>(day);
    chart.BirthMonth = static_cast<std::int16_t>(month);
    chart.BirthYear = static_cast<std::int16_t>(year);
    chart.BirthHour = static_cast<std::int16_t>(hour);
    chart.BirthMinute = static_cast<std::int16_t>(minute);
    chart.LatDegrees = static_cast<std::int16_t>(latDeg);
    chart.LatMinutes = static_cast<std::int16_t>(latMin);
    chart.LatDirection = south ? kTrue : kFalse;
    chart.LonDegrees = static_cast<std::int16_t>(lonDeg);
    chart.LonMinutes = static_cast<std::int16_t>(lonMin);
    chart.LonDirection = east ? kTrue : kFalse;
    chart.DaylightSaving = dst ? kTrue : kFalse;
    chart.CityName = city;
    chart.StateName = state;
    chart.CountryName = country;
    return chart;
}

bool Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seed_corpus FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const Seed seeds[] = {
        {"delhi.tvl", 34,
         Chart("Ann", 15, 7, 1990, 12, 0, 28, 36, false, 77, 12, true, false, "New Delhi",
               "Delhi", "India")},
        {"rio-dst.tvl", 14,
         Chart("Joao Silva", 1, 1, 1975, 23, 59, 22, 54, true, 43, 12, false, true,
               "Rio de Janeiro", "Rio de Janeiro", "Brazil")},
        {"leap-hour24-last-zone.tvl", 70,
         Chart("Max", 29, 2, 2000, 24, 0, 999, 999, false, 180, 0, false, false, "Dawson",
               "Yukon", "Canada")},
        {"first-day.tvl", 0,
         Chart("Zo\xC3\xAB", 1, 1, 1901, 0, 0, 0, 0, true, 0, 0, true, true, "Hilo", "Hawaii",
               "USA")},
    };
    bool ok = true;
    for (const Seed& seed : seeds) {
        ok &= Write(folder / seed.File, WriteReadingFile(seed.Chart, seed.Zone));
    }

    // Nepal's UTC+5:45, which no entry has: the line after the seventeen.
    ChartState kathmandu = Chart("Ann", 15, 7, 1990, 12, 0, 27, 42, false, 85, 19, true, false,
                                 "Kathmandu", "Bagmati", "Nepal");
    kathmandu.ExactUtcOffsetSeconds = 20700;
    ok &= Write(folder / "kathmandu-exact-offset.tvl", WriteReadingFile(kathmandu, 34));

    // The first 14 lines only: city, state and country missing.
    std::string shortFile = WriteReadingFile(seeds[0].Chart, seeds[0].Zone);
    std::size_t end = 0;
    for (int line = 0; line < 14; ++line) {
        end = shortFile.find("\r\n", end) + 2;
    }
    ok &= Write(folder / "short-14-lines.tvl", shortFile.substr(0, end));

    // Unix line ends, a month with a fraction, a day with a leading zero, a
    // zone out of range, a lower-case truth and an extra line.
    std::string damaged;
    for (const char* line : {"Ann", "2.5", "05", "1990", "12", "0", "71", "77", "12", "1234",
                             "36", "true", "False", "", "Delhi", "Delhi", "India", "extra"}) {
        damaged += ScrambleText(line);
        damaged += '\n';
    }
    ok &= Write(folder / "damaged.tvl", damaged);
    return ok ? 0 : 1;
}
