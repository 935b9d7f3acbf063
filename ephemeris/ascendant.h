// The rising point of the ecliptic: the textbook spherical-astronomy formula
// from local sidereal time, latitude and the obliquity of the ecliptic.
#pragma once

namespace tavrinel {

// Greenwich mean sidereal time in degrees [0, 360) at a Julian Date (UT).
[[nodiscard]] double GreenwichSiderealDegrees(double julianDateUt);

// Mean obliquity of the ecliptic in degrees at a Julian Date.
[[nodiscard]] double MeanObliquityDegrees(double julianDate);

// Tropical ascendant in degrees [0, 360) for the local sidereal time (the
// right ascension of the meridian), the geographic latitude (north positive)
// and the obliquity, all in degrees.
[[nodiscard]] double TropicalAscendant(double localSiderealDegrees, double latitudeDegrees,
                                       double obliquityDegrees);

}  // namespace tavrinel
