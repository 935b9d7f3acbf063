// Ann's chart (1990 July 15, 12:00 Indian Standard Time, New Delhi), set
// field by field as the form would, through the documented engines: the
// README's worked example, shared by the dasha and transit tests.
#pragma once

#include "calculation/calculation.h"
#include "chart/chart_state.h"

namespace tavrinel::testing {

inline ChartState AnnsChart() {
    ChartState chart;
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

}  // namespace tavrinel::testing
