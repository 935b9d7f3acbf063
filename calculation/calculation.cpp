#include "calculation/calculation.h"

#include "calculation/sky_check.h"
#include "ephemeris/moon_position.h"
#include "ephemeris/planet_positions.h"
#include "chart/time_zone_table.h"

namespace tavrinel {

void RunEngines(ChartState& chart) {
    // Each engine reads what the one before it left in the chart.
    ComputeTimeAndAyanamsa(chart);
    CalculateMoon(chart);
    ComputePlanetPositions(chart);
}

void CalculateChart(const BirthForm& form, ChartState& chart, ReadingSink& sink) {
    LoadTimeZoneTables(chart);
    CopyFormToChart(form, chart);
    RunEngines(chart);
    BuildDignityReading(chart, sink);
}

bool CalculateChart(const BirthForm& form, ChartState& chart, ReadingSink& sink,
                    const SkyChoice& sky, SkyCheck* check) {
    if (sky.Engine == SkyEngine::Documented) {
        CalculateChart(form, chart, sink);
        if (check) {
            RunSkyCheck(chart, sky.Precise, *check);
        }
        return true;
    }
    if (check) {
        check->Ran = false;
        check->Differences.clear();
    }
    LoadTimeZoneTables(chart);
    CopyFormToChart(form, chart);
    if (!ComputePreciseSky(chart, sky.Precise)) {
        // A reading of emptied positions would read as nine peregrine grahas.
        sink.Clear();
        return false;
    }
    BuildDignityReading(chart, sink);
    return true;
}

}  // namespace tavrinel
