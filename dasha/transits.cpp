#include "dasha/transits.h"

#include <cmath>

namespace tavrinel {

namespace {

constexpr double kSignDegrees = 30;

// The sign of a longitude already in [0, 360), or -1 for NaN.
int SignOf(double longitude) {
    return std::isfinite(longitude) ? static_cast<int>(longitude / kSignDegrees) % kSignCount : -1;
}

}  // namespace

std::string_view SadeSatiName(SadeSati phase) {
    switch (phase) {
    case SadeSati::Rising:
        return "rising";
    case SadeSati::Peak:
        return "peak";
    case SadeSati::Setting:
        return "setting";
    case SadeSati::None:
        break;
    }
    return "none";
}

int SignCountedFrom(int from, int sign) {
    return ((sign - from) % kSignCount + kSignCount) % kSignCount + 1;
}

SadeSati SadeSatiPhase(int saturnSign, int natalMoonSign) {
    switch (SignCountedFrom(natalMoonSign, saturnSign)) {
    case 12:
        return SadeSati::Rising;
    case 1:
        return SadeSati::Peak;
    case 2:
        return SadeSati::Setting;
    default:
        return SadeSati::None;
    }
}

TransitTable ComputeTransits(const ChartState& natal, double julianDayUt,
                             const PreciseSettings& settings) {
    return ComputeTransits(natal, natal.GrahaLongitudes[kMoon], natal.LagnaLongitude, julianDayUt,
                           settings);
}

TransitTable ComputeTransits(const ChartState& natal, double natalMoonLongitude,
                             double natalLagnaLongitude, double julianDayUt,
                             const PreciseSettings& settings) {
    TransitTable table;
    table.JulianDayUt = julianDayUt;
    const int moonSign = SignOf(natalMoonLongitude);
    if (moonSign < 0) {
        table.SkyName = "no natal Moon to count from";
        return table;
    }
    // Only the site is carried over: the engine reads nothing else when it
    // is given the instant.
    ChartState sky;
    sky.LatDegrees = natal.LatDegrees;
    sky.LatMinutes = natal.LatMinutes;
    sky.LatDirection = natal.LatDirection;
    sky.LonDegrees = natal.LonDegrees;
    sky.LonMinutes = natal.LonMinutes;
    sky.LonDirection = natal.LonDirection;
    table.Ok = ComputePreciseSkyAt(sky, settings, julianDayUt);
    table.SkyName = sky.SkyName;
    if (!table.Ok) {
        return table;
    }
    table.Dignities = ClassifyGrahas(sky).Dignities;
    const int lagnaSign = SignOf(natalLagnaLongitude);
    for (std::size_t g = 0; g < kGrahaCount; ++g) {
        table.Longitudes[g] = sky.GrahaLongitudes[g];
        table.Retrograde[g] = sky.GrahaRetrograde[g];
        table.PositionTexts[g] = sky.PlanetPositionTexts[g];
        table.Signs[g] = SignOf(sky.GrahaLongitudes[g]);
        table.SignFromLagna[g] = lagnaSign < 0 ? 0 : SignCountedFrom(lagnaSign, table.Signs[g]);
        table.SignFromMoon[g] = SignCountedFrom(moonSign, table.Signs[g]);
    }
    table.SadeSatiPhase = SadeSatiPhase(table.Signs[kSaturn], moonSign);
    return table;
}

}  // namespace tavrinel
