// One whole calculation from a form to the reading, in the fixed order of the
// engines. The window and the command line both come through here.
#pragma once

#include "chart/birth_form.h"
#include "calculation/sky_choice.h"
#include "chart/chart_state.h"
#include "reading/dignity_reading.h"

namespace tavrinel {

inline constexpr const char* kExactOffsetNeedsPreciseSky =
    "The documented calculation knows only the zones of its list, and this birth's offset "
    "from UTC is none of them: only the precise sky can cast it.";

// Reloads the zone table, copies the (already validated) form into the chart,
// runs the planet time base, the Moon, the planets and nodes, and writes the
// reading into the sink.
void CalculateChart(const BirthForm& form, ChartState& chart, ReadingSink& sink);

struct SkyCheck;

// The same in the chosen sky. The precise sky fills the same texts from the
// Swiss Ephemeris, so the same reading is built on them. With the documented
// sky and a `check` to fill, the birth is also calculated in the precise sky
// and compared; the reading stays the documented one. False, with the sink
// cleared, when the precise sky could not be calculated or the documented
// sky was asked for a form at an exact offset (SkyName says why).
bool CalculateChart(const BirthForm& form, ChartState& chart, ReadingSink& sink,
                    const SkyChoice& sky, SkyCheck* check = nullptr);

// The engines alone, for a chart whose input fields are already set.
void RunEngines(ChartState& chart);

}  // namespace tavrinel
