// The one door to the Swiss Ephemeris library. Everything past this header
// sees plain degrees, days and flags; swapping the library touches one file.
#pragma once

#include <array>
#include <limits>
#include <optional>
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

// A place on the globe in degrees, north and east positive.
struct SweSite {
    double Latitude = 0;
    double Longitude = 0;
};

// Sun to Saturn and one node at one instant, and a site's ascendant: what a
// chart needs, without speeds. The per-body calls work out Delta T, the
// nutation and the ayanamsa again for every body, and the ayanamsa twice more
// for each speed; here each is worked out once and the ayanamsa is taken off
// the tropical positions as the library takes it off. The results differ from
// the per-body calls' by rounding alone: at most 2.3e-13 degree over 300,000
// random instants from 1801 to 2100 and sites at every latitude to 89.98
// degrees. Ok false, with nothing else filled, within a year of either end of
// the files or whenever an answer did not come from them (the library's
// analytical fallback has a Delta T of its own): the caller then asks the
// per-body calls, which say why.
//
// `bodies` picks which of Sun to Saturn are wanted (bit 0 the Sun, in
// SweBody order); the others are NaN. Each costs the library a read of its
// files for a new date, while the node and the ascendant need none, so a
// caller that needs only some bodies pays only for those. Until this thread
// has had every body from the files in its folder, all are calculated, so
// that "from the files" is never said of an answer that read none.
inline constexpr unsigned kEverySweBody = 0x7f;
struct SweSky {
    bool Ok = false;
    std::array<double, 8> Degrees{};  // sidereal, [0, 360): Sun to Saturn, then the node
    double Ascendant = std::numeric_limits<double>::quiet_NaN();  // NaN without a site
};
[[nodiscard]] SweSky SweSiderealSky(double julianDayUt, SweBody node, SweZodiac zodiac,
                                    const std::optional<SweSite>& site,
                                    unsigned bodies = kEverySweBody);

// What a chart's strength reads beyond the chart itself, at one instant and
// site: Sun to Saturn and the node with their daily motion and geocentric
// apparent ecliptic latitude, the true ayanamsa taken off, and the sidereal
// ascendant and upper meridian (MC). Ok false, with Error saying why, when
// the library gives no answer.
struct SweBodyMotion {
    double Degrees = 0;        // sidereal, [0, 360)
    double DegreesPerDay = 0;  // negative while retrograde
    double Latitude = 0;       // ecliptic, degrees north
};
struct SweMotionSky {
    bool Ok = false;
    std::string Error;
    std::array<SweBodyMotion, 8> Bodies{};  // Sun to Saturn, then the node
    double Ayanamsa = 0;   // true, nutation included
    double Ascendant = 0;  // sidereal
    double Midheaven = 0;  // sidereal
    double SunHourAngle = 0;  // the Sun's local hour angle, (-180, 180], 0 at apparent noon
    SweSource Source = SweSource::Files;  // Analytical when any body came from the fallback
};
[[nodiscard]] SweMotionSky SweSiderealMotionSky(double julianDayUt, SweBody node, SweZodiac zodiac,
                                                const SweSite& site);

// The first sunrise (or sunset) after `julianDayUt` as the Hindu day counts
// it: the centre of the Sun's disc on the true geocentric horizon, no
// refraction. The library's estimate is polished by Newton steps on the
// Sun's true altitude until a step is below 1e-8 day, since near 60 degrees
// of latitude the estimate alone moves by minutes with the search's start.
// Nothing where the Sun does not rise (or set) there then, or the library
// fails.
[[nodiscard]] std::optional<double> SweHinduSunrise(double julianDayUt, const SweSite& site, bool rising);
// The same event polished from a guess of the caller's own, within an hour
// or two of it: what the library's search would give, at a fraction of its
// cost. Nothing when the steps do not settle near the guess.
[[nodiscard]] std::optional<double> SweHinduSunEventNear(double guess, const SweSite& site, bool rising);

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
