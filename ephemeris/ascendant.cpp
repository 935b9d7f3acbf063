#include "ephemeris/ascendant.h"

#include <cmath>
#include <numbers>

#include "ephemeris/angles.h"

namespace tavrinel {

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525;
constexpr double kRadians = std::numbers::pi / 180;

}  // namespace

double GreenwichSiderealDegrees(double julianDateUt) {
    // Meeus, Astronomical Algorithms, eq. 12.4 (IAU 1982 expression).
    const double days = julianDateUt - kJ2000;
    const double T = days / kDaysPerCentury;
    return ReduceDegrees(280.46061837 + 360.98564736629 * days + 0.000387933 * T * T -
                     T * T * T / 38710000);
}

double MeanObliquityDegrees(double julianDate) {
    // Meeus eq. 22.2: 23°26'21.448" and its secular decrease, in arcseconds.
    const double T = (julianDate - kJ2000) / kDaysPerCentury;
    return 23.0 + 26.0 / 60 +
           (21.448 - 46.8150 * T - 0.00059 * T * T + 0.001813 * T * T * T) / 3600;
}

double TropicalAscendant(double localSiderealDegrees, double latitudeDegrees,
                         double obliquityDegrees) {
    // tan(Asc) = cos θ / -(sin θ cos ε + tan φ sin ε); outside the polar
    // circles atan2 with these signs gives the quadrant east of the meridian.
    const double theta = localSiderealDegrees * kRadians;
    const double epsilon = obliquityDegrees * kRadians;
    const double phi = latitudeDegrees * kRadians;
    const double y = std::cos(theta);
    const double x = -(std::sin(theta) * std::cos(epsilon) + std::tan(phi) * std::sin(epsilon));
    double ascendant = std::atan2(y, x);
    // Inside the polar circles that quadrant can be the point setting in the
    // west; the rising one, with its hour angle east of the meridian, is
    // opposite.
    const double rightAscension =
        std::atan2(std::sin(ascendant) * std::cos(epsilon), std::cos(ascendant));
    if (std::sin(theta - rightAscension) > 0) {
        ascendant += std::numbers::pi;
    }
    return ReduceDegrees(ascendant / kRadians);
}

}  // namespace tavrinel
