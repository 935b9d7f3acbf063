// One whole calculation from a form to the reading, in the fixed order of the
// engines. The window and the command line both come through here.
#pragma once

#include "chart/birth_form.h"
#include "chart/chart_state.h"
#include "reading/dignity_reading.h"

namespace tavrinel {

// Reloads the zone table, copies the (already validated) form into the chart,
// runs the planet time base, the Moon, the planets and nodes, and writes the
// reading into the sink.
void CalculateChart(const BirthForm& form, ChartState& chart, ReadingSink& sink);

// The engines alone, for a chart whose input fields are already set.
void RunEngines(ChartState& chart);

}  // namespace tavrinel
