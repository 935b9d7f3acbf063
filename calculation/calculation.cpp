#include "calculation/calculation.h"

#include "ephemeris/documented_sky.h"
#include "ephemeris/moon_position.h"
#include "ephemeris/planet_positions.h"
#include "chart/time_zone_table.h"

namespace tavrinel {

void RunEngines(ChartState& chart) {
    // Each engine reads what the one before it left in the chart.
    ComputeTimeAndAyanamsa(chart);
    CalculateMoon(chart);
    ComputePlanetPositions(chart);
    CompleteDocumentedSky(chart);
}

void CalculateChart(const BirthForm& form, ChartState& chart, ReadingSink& sink) {
    LoadTimeZoneTables(chart);
    CopyFormToChart(form, chart);
    RunEngines(chart);
    BuildDignityReading(chart, sink);
}

}  // namespace tavrinel
