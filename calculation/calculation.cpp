#include "calculation/calculation.h"

#include <limits>

#include "calculation/sky_check.h"
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

bool CalculateChart(const BirthForm& form, ChartState& chart, ReadingSink& sink,
                    const SkyChoice& sky, SkyCheck* check) {
    if (sky.Engine == SkyEngine::Documented && form.UtcOffsetSeconds) {
        // The documented engines would take the zone entry, which is only the
        // nearest to the true offset: no reading rather than a wrong one.
        sink.Clear();
        chart.SkyName = kExactOffsetNeedsPreciseSky;
        return false;
    }
    if (sky.Engine == SkyEngine::Documented) {
        // Nothing a precise run left in the record may pass for documented.
        chart.SkyName = kDocumentedSkyName;
        chart.GrahaLongitudes.fill(std::numeric_limits<double>::quiet_NaN());
        chart.GrahaRetrograde.fill(false);
        chart.LagnaLongitude = std::numeric_limits<double>::quiet_NaN();
        chart.AyanamsaDegrees = std::numeric_limits<double>::quiet_NaN();
        CalculateChart(form, chart, sink);
        if (check) {
            RunSkyCheck(chart, *check);
        }
        return true;
    }
    if (check) {
        check->Ran = false;
        check->Differences.clear();
        check->Sentences.clear();
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
