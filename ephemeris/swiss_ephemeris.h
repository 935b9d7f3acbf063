// The one door to the Swiss Ephemeris library. Everything past this header
// sees plain degrees, days and flags; swapping the library touches one file.
#pragma once

#include <string>

namespace tavrinel {

// Bodies in the order the library numbers them; the nodes stand apart.
enum class SweBody { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, MeanNode, TrueNode };

// The sidereal zodiacs offered: the library's own definitions of them.
enum class SweZodiac { Lahiri, Raman, Krishnamurti };

// Which source answered: the ephemeris files, or the library's built-in
// analytical theory it falls back to when the files cannot be read.
enum class SweSource { Files, Analytical };

struct SweLongitude {
    bool Ok = false;
    double Degrees = 0;           // sidereal, apparent, [0, 360)
    double DegreesPerDay = 0;     // negative while retrograde
    SweSource Source = SweSource::Files;
    std::string Error;            // the library's message when !Ok
};

// The folder the ephemeris files are read from: TAVRINEL_EPHEMERIS_PATH when
// set (the tests point it at an empty folder to force the fallback),
// otherwise where the Debian package installs them.
[[nodiscard]] std::string DefaultEphemerisPath();

// Reads the files from `path` from now on. Changing the folder closes the
// open files, so the same folder twice costs nothing. A path the library
// cannot be handed (longer than it takes, or with a file it would open that
// is not a regular file) is not: every calculation then fails, its Error
// saying why, until the folder is mended.
void UseEphemerisPath(const std::string& path);

// Geocentric apparent sidereal longitude and speed at a Julian Day in UT.
[[nodiscard]] SweLongitude SweSiderealLongitude(double julianDayUt, SweBody body, SweZodiac zodiac);

// The sidereal ascendant at a Julian Day in UT for a site (degrees, north and
// east positive); NaN when the library cannot find it.
[[nodiscard]] double SweSiderealAscendant(double julianDayUt, double latitude, double longitude,
                                          SweZodiac zodiac);

// The ayanamsa in degrees at a Julian Day in UT or in Ephemeris Time: the mean
// one, or the true one with the nutation in longitude added; NaN on failure.
enum class AyanamsaKind { Mean, True };
[[nodiscard]] double SweAyanamsaUt(double julianDayUt, SweZodiac zodiac, AyanamsaKind kind);
[[nodiscard]] double SweAyanamsaEt(double julianDayEt, SweZodiac zodiac, AyanamsaKind kind);

}  // namespace tavrinel
