// What the benchmarks share: a sink that keeps nothing, and one known chart.
#pragma once

#include <benchmark/benchmark.h>

#include <string_view>

#include "calculation/calculation.h"
#include "chart/chart_state.h"

namespace tavrinel::bench {

class DiscardingSink final : public ReadingSink {
public:
    void Clear() override {}
    void Append(std::string_view text, int, bool) override { benchmark::DoNotOptimize(text.data()); }
    void ShowReadingPanel() override {}
};

// Ann's chart (1990 July 15, 12:00 Indian Time, New Delhi), set field by
// field as the form would, through the documented engines.
inline ChartState AnnsChart() {
    ChartState chart;
    chart.PersonName = "Ann";
    chart.BirthYear = 1990;
    chart.BirthMonth = 7;
    chart.BirthDay = 15;
    chart.BirthHour = 12;
    chart.ZoneHours = 5;
    chart.ZoneMinutes = 30;
    chart.ZoneShiftHours = -5;
    chart.ZoneShiftMinutes = -30;
    chart.LonDegrees = 77;
    chart.LonMinutes = 12;
    chart.LonDirection = kTrue;
    chart.LatDegrees = 28;
    chart.LatMinutes = 36;
    RunEngines(chart);
    return chart;
}

}  // namespace tavrinel::bench
