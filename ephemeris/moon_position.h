// The Moon engine: its own time base and ayanamsa and a truncated lunar series.
#pragma once

#include "chart/chart_state.h"

namespace tavrinel {

// The Moon's sidereal position as a long text in chart.MoonPositionText.
void CalculateMoon(ChartState& chart);

// Minus the ayanamsa in degrees, for T in Julian centuries from J2000.0.
[[nodiscard]] double ComputeAyanamsaCorrection(double T);

}  // namespace tavrinel
