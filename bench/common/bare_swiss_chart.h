// The yardstick of the precise sky and of the batch: one chart made of bare
// Swiss Ephemeris calls, as a program calling the library directly would make
// it. Seven bodies and the mean node with their speeds, sidereal (Lahiri),
// and the ascendant; no text, no reading.
#pragma once

#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <array>

namespace tavrinel::bench {

// The library must already read its files in Lahiri's zodiac.
inline void BareSwissChart(double julianDayUt, double latitude, double longitude) {
    constexpr std::array<int, 8> kBodies = {SE_SUN,  SE_MOON,    SE_MERCURY, SE_VENUS,
                                            SE_MARS, SE_JUPITER, SE_SATURN,  SE_MEAN_NODE};
    std::array<double, 6> values{};
    std::array<double, 13> cusps{};
    std::array<double, 10> points{};
    std::array<char, AS_MAXCH> error{};
    for (const int body : kBodies) {
        swe_calc_ut(julianDayUt, body, SEFLG_SWIEPH | SEFLG_SIDEREAL | SEFLG_SPEED, values.data(),
                    error.data());
        benchmark::DoNotOptimize(values);
    }
    swe_houses_ex(julianDayUt, SEFLG_SIDEREAL, latitude, longitude, 'E', cusps.data(),
                  points.data());
    benchmark::DoNotOptimize(points);
}

}  // namespace tavrinel::bench
