// The sky on a chosen date laid over a birth chart: the nine grahas in the
// precise sky at the birth place, their dignities by the reading's table, the
// signs counted from the natal Lagna and Moon, and Saturn's seven and a half
// years over the natal Moon (Sade Sati).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "chart/chart_state.h"
#include "ephemeris/precise_sky.h"
#include "reading/dignity_reading.h"

namespace tavrinel {

// Saturn in the 12th sign from the natal Moon, in its sign, or in the 2nd.
enum class SadeSati { None, Rising, Peak, Setting };

// "none", "rising", "peak", "setting".
[[nodiscard]] std::string_view SadeSatiName(SadeSati phase);

// The sign (1-12) that `sign` is, counted from `from` as the first (signs
// 0 Aries .. 11 Pisces).
[[nodiscard]] int SignCountedFrom(int from, int sign);

// The phase for Saturn's sign and the natal Moon's (0-11 each).
[[nodiscard]] SadeSati SadeSatiPhase(int saturnSign, int natalMoonSign);

struct TransitTable {
    bool Ok = false;
    double JulianDayUt = 0;
    std::string SkyName;  // which sky, or why there is none
    std::array<double, kGrahaCount> Longitudes{};  // sidereal degrees [0, 360)
    std::array<bool, kGrahaCount> Retrograde{};
    std::array<std::string, kGrahaCount> PositionTexts{};  // "16 Sag 31"
    std::array<int, kGrahaCount> Signs{};                  // 0 Aries .. 11 Pisces
    std::array<Dignity, kGrahaCount> Dignities{};
    std::array<int, kGrahaCount> SignFromLagna{};  // 1-12; 0 when the chart has no Lagna
    std::array<int, kGrahaCount> SignFromMoon{};   // 1-12
    SadeSati SadeSatiPhase = SadeSati::None;
};

// The transits at an instant (Julian Day, UT) at the chart's site, against
// the natal Lagna and Moon of whichever sky the chart was calculated in.
// Not Ok, with SkyName saying why, when the precise sky gives no answer or
// the chart has no Moon.
[[nodiscard]] TransitTable ComputeTransits(const ChartState& natal, double julianDayUt,
                                           const PreciseSettings& settings);

// The same against a natal Moon and Lagna given apart (sidereal degrees;
// NaN where there is none), at the site of `site`.
[[nodiscard]] TransitTable ComputeTransits(const ChartState& site, double natalMoonLongitude,
                                           double natalLagnaLongitude, double julianDayUt,
                                           const PreciseSettings& settings);

}  // namespace tavrinel
