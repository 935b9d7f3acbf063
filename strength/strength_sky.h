// The strength's inputs from the precise sky, whatever sky the documented
// reading uses: Swiss Ephemeris positions with the chosen ayanamsa and node,
// and the day's sunrise and sunset as the Hindu day counts them.
#pragma once

#include <optional>
#include <string>

#include "chart/chart_state.h"
#include "ephemeris/precise_sky.h"
#include "strength/strength.h"

namespace tavrinel {

// The last sunrise at or before the instant, the sunset after it and the
// next sunrise; nothing where the Sun does not rise or set around then. The
// Sun's hour angle at the instant (degrees) guides the search.
[[nodiscard]] std::optional<StrengthDay> FindStrengthDay(double julianDayUt, const SweSite& site,
                                                         double sunHourAngle);

// The inputs at an instant (Julian Day, UT) and a site; nothing, with
// `error` saying why, when the library gives no answer.
[[nodiscard]] std::optional<StrengthInputs> StrengthInputsAt(double julianDayUt, const SweSite& site,
                                                             const PreciseSettings& settings,
                                                             std::string& error);

// The inputs for the chart's birth; nothing, with `error` saying why, for a
// place off the globe or when the library gives no answer.
[[nodiscard]] std::optional<StrengthInputs> PreciseStrengthInputs(const ChartState& chart,
                                                                  const PreciseSettings& settings,
                                                                  std::string& error);

}  // namespace tavrinel
