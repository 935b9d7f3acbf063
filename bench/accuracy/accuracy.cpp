// How far the documented engines stand from the precise sky: N seeded random
// charts from 1901 to 2050, per graha the mean and largest difference in arc
// minutes, and how many readings name another sign or dignity.
//
//   build/bench/accuracy/accuracy 5000            (seed 1)
//   build/bench/accuracy/accuracy 5000 7 --any-site
//   build/bench/accuracy/accuracy 1000000 1 --engine-instants
//
// By default each site lies in its zone's own hemisphere and no daylight
// saving is set, so both skies are asked about the very same instant and
// only the engines differ. --any-site puts the site anywhere and sets
// daylight saving at random, which adds the documented time rules' share.
// --engine-instants asks the precise sky about the instant each documented
// engine took instead of the birth's (any site, daylight saving at random)
// and prints, Sun to Saturn, the largest distance from the documented
// chart's estimate of it: the error the batch's check allows for, before the
// motion over the time an engine's instant misses.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "calculation/calculation.h"
#include "calculation/sky_check.h"
#include "ephemeris/documented_sky.h"
#include "ephemeris/precise_sky.h"
#include "chart/birth_form.h"
#include "chart/time_zone_table.h"
#include "reading/dignity_reading.h"

namespace tavrinel {
namespace {

class NoSink final : public ReadingSink {
public:
    void Clear() override {}
    void Append(std::string_view, int, bool) override {}
    void ShowReadingPanel() override {}
};

constexpr double kArcminutesPerDegree = 60;

// Degrees from a long position text such as 16° 31' 32" Sag; NaN if none.
double LongitudeOf(std::string_view text) {
    int degrees = 0, minutes = 0, seconds = 0;
    char sign[4] = {};
    const std::string copy(text);
    if (std::sscanf(copy.c_str(), "%d\xC2\xB0 %d' %d\" %3s", &degrees, &minutes, &seconds, sign) != 4) {
        return NAN;
    }
    const std::string_view signs = kSignAbbreviations;
    const std::size_t index = signs.find(sign);
    if (index == std::string_view::npos || index % 3 != 0) {
        return NAN;
    }
    return static_cast<double>(index / 3 * 30) + degrees + minutes / 60.0 + seconds / 3600.0;
}

double Arc(double a, double b) {
    double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180 ? 360 - d : d;
}

BirthForm RandomForm(std::mt19937_64& random, bool anySite) {
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    BirthForm form;
    form.Name = "Accuracy";
    form.YearIndex = pick(0, kYearCount - 1);
    form.MonthIndex = pick(0, kMonthCount - 1);
    form.DayIndex = pick(0, 27);  // every month has it
    form.HourIndex = pick(0, 23);
    form.MinuteIndex = pick(0, kMinuteCount - 1);
    form.ZoneIndex = pick(0, kZoneCount - 1);
    const bool zoneEast = kTimeZoneTable[form.ZoneIndex].Hours <= 0;
    const bool east = anySite ? pick(0, 1) == 1 : zoneEast;
    form.Longitude = east ? LongitudeChoice::East : LongitudeChoice::West;
    form.LonDeg = std::to_string(pick(0, 179));
    form.LonMin = std::to_string(pick(0, 59));
    form.Latitude = pick(0, 1) == 1 ? LatitudeChoice::North : LatitudeChoice::South;
    form.LatDeg = std::to_string(pick(0, 60));
    form.LatMin = std::to_string(pick(0, 59));
    form.DaylightSaving = anySite && pick(0, 1) == 1;
    return form;
}

int Run(long count, unsigned long seed, bool anySite) {
    std::mt19937_64 random(seed);
    ChartState chart;
    NoSink sink;
    SkyCheck check;
    const SkyChoice documented{};
    std::array<double, kGrahaCount> sum{};
    std::array<double, kGrahaCount> largest{};
    std::array<long, kGrahaCount> differing{};
    std::array<long, kGrahaCount> dignityDiffering{};
    long readingsDiffering = 0;
    long readingsDignityDiffering = 0;
    long charts = 0;
    for (long i = 0; i < count; ++i) {
        const BirthForm form = RandomForm(random, anySite);
        if (ValidateBirthForm(form, PlaceRule::Optional)) {
            continue;  // never happens with the ranges above
        }
        CalculateChart(form, chart, sink, documented, &check);
        const std::array<const std::string*, kGrahaCount> texts = {
            &chart.TheoryPositionTexts[2], &chart.MoonPositionText, &chart.TheoryPositionTexts[0],
            &chart.TheoryPositionTexts[1], &chart.TheoryPositionTexts[3],
            &chart.TheoryPositionTexts[4], &chart.TheoryPositionTexts[5], &chart.RahuText,
            &chart.KetuText};
        for (int g = 0; g < kGrahaCount; ++g) {
            const double arc =
                Arc(LongitudeOf(*texts[g]), check.PreciseLongitudes[g]) * kArcminutesPerDegree;
            sum[g] += arc;
            largest[g] = std::max(largest[g], arc);
        }
        bool dignityChanged = false;
        for (const SkyDifference& difference : check.Differences) {
            ++differing[difference.Graha];
            if (difference.DocumentedDignity != difference.PreciseDignity) {
                ++dignityDiffering[difference.Graha];
                dignityChanged = true;
            }
        }
        readingsDiffering += check.Differences.empty() ? 0 : 1;
        readingsDignityDiffering += dignityChanged ? 1 : 0;
        ++charts;
    }
    std::printf("%ld charts 1901-2050, seed %lu, %s; precise sky: %s\n\n", charts, seed,
                anySite ? "any site, daylight saving at random"
                        : "site in its zone's hemisphere, no daylight saving",
                check.PreciseSkyName.c_str());
    std::printf("| Graha   | mean (') | largest (') | sign or dignity differs | dignity differs |\n");
    std::printf("|---------|---------:|------------:|------------------------:|----------------:|\n");
    for (int g = 0; g < kGrahaCount; ++g) {
        std::printf("| %-7s | %8.1f | %11.1f | %14ld (%5.2f%%) | %6ld (%5.2f%%) |\n",
                    std::string(GrahaEnglishName(g)).c_str(), sum[g] / charts, largest[g],
                    differing[g], 100.0 * differing[g] / charts, dignityDiffering[g],
                    100.0 * dignityDiffering[g] / charts);
    }
    std::printf("\nReadings with another sign or dignity for at least one graha: %ld of %ld (%.1f%%)\n",
                readingsDiffering, charts, 100.0 * readingsDiffering / charts);
    std::printf("Readings with another dignity for at least one graha: %ld of %ld (%.1f%%)\n",
                readingsDignityDiffering, charts, 100.0 * readingsDignityDiffering / charts);
    return 0;
}

int RunAtEngineInstants(long count, unsigned long seed) {
    std::mt19937_64 random(seed);
    ChartState chart;
    NoSink sink;
    constexpr int kPlanetsAndMoon = 7;  // Sun to Saturn; the nodes are always recalculated
    std::array<double, kPlanetsAndMoon> largest{};
    std::array<double, 2> largestMissedHours{};
    long charts = 0;
    for (long i = 0; i < count; ++i) {
        const BirthForm form = RandomForm(random, true);
        if (ValidateBirthForm(form, PlaceRule::Optional)) {
            continue;
        }
        CalculateChart(form, chart, sink, SkyChoice{}, nullptr);
        const DocumentedInstants instants = DocumentedInstantsOf(chart);
        const double birth = PreciseJulianDayUt(chart);
        largestMissedHours[0] = std::max(largestMissedHours[0], std::fabs(instants.Planets - birth) * 24);
        largestMissedHours[1] = std::max(largestMissedHours[1], std::fabs(instants.Moon - birth) * 24);
        ChartState planets = chart;
        ChartState moon = chart;
        if (!ComputePreciseSkyAt(planets, kDocumentedDefinitions, instants.Planets) ||
            !ComputePreciseSkyAt(moon, kDocumentedDefinitions, instants.Moon)) {
            std::fprintf(stderr, "accuracy: no precise sky: %s\n", planets.SkyName.c_str());
            return 1;
        }
        for (int g = 0; g < kPlanetsAndMoon; ++g) {
            const ChartState& precise = g == kMoon ? moon : planets;
            largest[static_cast<std::size_t>(g)] =
                std::max(largest[static_cast<std::size_t>(g)],
                         Arc(DocumentedEstimate(chart, g, instants), precise.GrahaLongitudes[g]) *
                             kArcminutesPerDegree);
        }
        ++charts;
    }
    std::printf("%ld charts 1901-2050, seed %lu, any site, daylight saving at random; the precise "
                "sky at each engine's own instant\n\n",
                charts, seed);
    std::printf("| Graha   | largest (') |\n|---------|------------:|\n");
    for (int g = 0; g < kPlanetsAndMoon; ++g) {
        std::printf("| %-7s | %11.2f |\n", std::string(GrahaEnglishName(g)).c_str(),
                    largest[static_cast<std::size_t>(g)]);
    }
    std::printf("\nLargest time missed: planets %.2f h, Moon %.2f h\n", largestMissedHours[0],
                largestMissedHours[1]);
    return 0;
}

}  // namespace
}  // namespace tavrinel

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: accuracy N [SEED] [--any-site]\n");
        return 2;
    }
    const long count = std::strtol(argv[1], nullptr, 10);
    unsigned long seed = 1;
    bool anySite = false;
    bool engineInstants = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--any-site") == 0) {
            anySite = true;
        } else if (std::strcmp(argv[i], "--engine-instants") == 0) {
            engineInstants = true;
        } else {
            seed = std::strtoul(argv[i], nullptr, 10);
        }
    }
    if (count <= 0) {
        std::fprintf(stderr, "accuracy: N must be a positive number of charts\n");
        return 2;
    }
    return engineInstants ? tavrinel::RunAtEngineInstants(count, seed)
                          : tavrinel::Run(count, seed, anySite);
}
