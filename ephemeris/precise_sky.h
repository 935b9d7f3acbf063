// The precise sky: the nine grahas and the Lagna from the Swiss Ephemeris,
// filling the same position texts as the documented engines so that the same
// reading can be built on them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "chart/chart_state.h"
#include "ephemeris/swiss_ephemeris.h"

namespace tavrinel {

enum class Ayanamsa { Lahiri, Raman, Krishnamurti };
enum class NodeKind { Mean, True };

struct PreciseSettings {
    Ayanamsa Zodiac = Ayanamsa::Lahiri;
    NodeKind Node = NodeKind::Mean;

    friend bool operator==(const PreciseSettings&, const PreciseSettings&) = default;
};

// "Lahiri", "Raman", "Krishnamurti"; "mean node", "true node".
[[nodiscard]] std::string_view AyanamsaTitle(Ayanamsa ayanamsa);
[[nodiscard]] std::string_view NodeTitle(NodeKind node);

// Which source answered a precise sky: the ephemeris files, or the
// library's analytical theory in their absence; None for a sky that is not
// the precise one with the settings asked about, or that could not be had.
enum class PreciseSource { None, Files, Analytical };

// The source named by a chart's SkyName, for a chart cast in the precise sky
// with `settings`.
[[nodiscard]] PreciseSource PreciseSourceOf(std::string_view skyName,
                                            const PreciseSettings& settings);

// How whatever is built on the precise sky names it: "Swiss Ephemeris,
// Lahiri, mean node", or, where the files were missing,
// "analytical ephemeris, Lahiri, mean node".
[[nodiscard]] std::string PreciseSkyTitle(const PreciseSettings& settings, PreciseSource source);

// The instant of birth as the user meant it: clock time less the signed zone
// offset, and one hour less again when daylight saving was in force, or less
// the chart's exact offset where it has one. The site's hemisphere plays no
// part. Julian Day, Universal Time.
[[nodiscard]] double PreciseJulianDayUt(const ChartState& chart);

// The birth place in degrees, north and east positive; nothing for a place
// off the globe or at a pole, which has no horizon the ecliptic rises over.
[[nodiscard]] std::optional<SweSite> PreciseSite(const ChartState& chart);

// The library's zodiac for an ayanamsa choice.
[[nodiscard]] SweZodiac PreciseZodiac(Ayanamsa ayanamsa);

// A chart holding only what the precise sky reads of the birth: the date,
// the clock, the zone or exact offset, daylight saving and the site. What
// the precise sky fills in it leaves the chart it was taken from as it was.
[[nodiscard]] ChartState PreciseBirthOf(const ChartState& chart);

// Julian Day at 0h UT of a Gregorian calendar date.
[[nodiscard]] double JulianDayAtMidnight(int year, int month, int day);

// Fills GrahaNames, PlanetPositionTexts, MoonPositionText, the long texts of
// the planets and nodes, GrahaLongitudes, GrahaRetrograde, LagnaLongitude and
// SkyName from the chart's birth fields. False, with every position cleared
// and the failure in SkyName, when the library gives no answer.
bool ComputePreciseSky(ChartState& chart, const PreciseSettings& settings);

// What the sky check compares, at less than half the cost: GrahaNames, the
// nine PlanetPositionTexts, GrahaLongitudes, LagnaLongitude and SkyName, the
// texts exactly as ComputePreciseSky writes them and the longitudes to within
// 1e-12 degree. Nothing else is promised: the long texts, the retrograde
// flags and the ayanamsa may be left as they were. False as ComputePreciseSky.
// `bodies` (bit 0 the Sun, to bit 6 Saturn) names the grahas wanted; the
// others may come out with an empty text and a NaN longitude. The nodes and
// the Lagna are always there.
bool ComputePreciseSkyPositions(ChartState& chart, const PreciseSettings& settings,
                                unsigned bodies = kEverySweBody);

// The same sky at another instant (Julian Day, UT) seen from the chart's
// site, as the transits need; the birth date and clock are not read.
bool ComputePreciseSkyAt(ChartState& chart, const PreciseSettings& settings, double julianDayUt);

}  // namespace tavrinel
