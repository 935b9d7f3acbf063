// The library is opened on the first precise calculation, not linked:
// linked, it would be loaded at every start of the window, which needs it
// only once a precise sky is worked.
#include "ephemeris/swiss_ephemeris.h"

#include <dlfcn.h>
#include <swephexp.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <string_view>

namespace tavrinel {

namespace {

constexpr const char* kPathVariable = "TAVRINEL_EPHEMERIS_PATH";
constexpr const char* kDebianEphemerisPath = "/usr/share/libswe/ephe";
// Any system whose ascendant the library computes; the cusps are not used.
constexpr int kEqualHouses = 'E';

// Beyond the polar circles the ecliptic can lie almost along the horizon,
// where the ascendant turns on the last digits of the sidereal time. Its
// direction is that of (-cos RAMC, sin e tan lat + cos e sin RAMC) (Meeus,
// Astronomical Algorithms, ch. 14); while the vector's squared length stays
// above this floor the ascendant moves at most 200 times as fast as the
// meridian, so rounding stays near 1e-11 degree.
constexpr double kSteadyAscendantFloor = 0.01;

bool SteadyAscendant(double armc, double latitude, double obliquity) {
    constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;
    const double meridian = armc * kRadiansPerDegree;
    const double tilt = obliquity * kRadiansPerDegree;
    const double x = -std::cos(meridian);
    const double y = std::sin(tilt) * std::tan(latitude * kRadiansPerDegree) +
                     std::cos(tilt) * std::sin(meridian);
    return x * x + y * y >= kSteadyAscendantFloor;
}

constexpr std::array<int, 9> kBodyNumbers = {SE_SUN,     SE_MOON,    SE_MERCURY,
                                             SE_VENUS,   SE_MARS,    SE_JUPITER,
                                             SE_SATURN,  SE_MEAN_NODE, SE_TRUE_NODE};

int SiderealMode(SweZodiac zodiac) {
    switch (zodiac) {
    case SweZodiac::Raman:
        return SE_SIDM_RAMAN;
    case SweZodiac::Krishnamurti:
        return SE_SIDM_KRISHNAMURTI;
    case SweZodiac::Lahiri:
        break;
    }
    return SE_SIDM_LAHIRI;
}

// The library replaces a longer folder path by its own default list of
// folders without a word; it keeps 13 bytes of its buffer for a file name.
constexpr std::size_t kLongestPath = AS_MAXCH - 1 - 13;
// It reads this variable in preference to the path it is given.
constexpr const char* kLibraryPathVariable = "SE_EPHE_PATH";
// Both separate the folders of a path, for the library.
constexpr std::string_view kPathSeparators = ":;";
// What it opens for the grahas, the Moon and Delta T at any date from 1800
// to 2399, which holds every year the form offers.
constexpr std::array<std::string_view, 4> kFilesOpened = {"sepl_18.se1", "semo_18.se1",
                                                         "sedeltat.txt", "swe_deltat.txt"};

constexpr const char* kLibrary = "libswe.so.2.0";

struct SweApi {
    decltype(&swe_set_ephe_path) SetPath = nullptr;
    decltype(&swe_set_sid_mode) SetSiderealMode = nullptr;
    decltype(&swe_calc_ut) CalcUt = nullptr;
    decltype(&swe_houses_ex) Houses = nullptr;
    decltype(&swe_get_ayanamsa_ex_ut) AyanamsaUt = nullptr;
    decltype(&swe_get_ayanamsa_ex) AyanamsaEt = nullptr;
    decltype(&swe_deltat_ex) DeltaT = nullptr;
    decltype(&swe_calc) CalcEt = nullptr;
    decltype(&swe_degnorm) DegreesNormalised = nullptr;
    decltype(&swe_sidtime0) SiderealTime = nullptr;
    decltype(&swe_houses_armc) HousesOfMeridian = nullptr;
    decltype(&swe_rise_trans) RiseOrSet = nullptr;
    decltype(&swe_sidtime) SiderealTimeUt = nullptr;
    std::string Problem;  // why the library cannot be used; empty when it can
};

template <typename Function>
bool Bind(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// It stays open for the program's life.
SweApi OpenLibrary() {
    SweApi api;
    void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    const bool bound = library && Bind(library, "swe_set_ephe_path", api.SetPath) &&
                       Bind(library, "swe_set_sid_mode", api.SetSiderealMode) &&
                       Bind(library, "swe_calc_ut", api.CalcUt) &&
                       Bind(library, "swe_houses_ex", api.Houses) &&
                       Bind(library, "swe_get_ayanamsa_ex_ut", api.AyanamsaUt) &&
                       Bind(library, "swe_get_ayanamsa_ex", api.AyanamsaEt) &&
                       Bind(library, "swe_deltat_ex", api.DeltaT) &&
                       Bind(library, "swe_calc", api.CalcEt) &&
                       Bind(library, "swe_degnorm", api.DegreesNormalised) &&
                       Bind(library, "swe_sidtime0", api.SiderealTime) &&
                       Bind(library, "swe_houses_armc", api.HousesOfMeridian) &&
                       Bind(library, "swe_rise_trans", api.RiseOrSet) &&
                       Bind(library, "swe_sidtime", api.SiderealTimeUt);
    if (!bound) {
        const char* why = dlerror();
        api.Problem = std::string("the Swiss Ephemeris library cannot be used: ") +
                      (why ? why : kLibrary);
    }
    return api;
}

const SweApi& Api() {
    static const SweApi api = OpenLibrary();
    return api;
}

// The library as packaged by Debian keeps its files, caches and sidereal mode
// per thread (its state is thread-local), so each thread hands it the folder
// and the mode itself; the folder chosen is the process's, and a thread takes
// it up again when it changed.
struct ChosenPath {
    std::mutex Lock;
    std::string Path;
    std::atomic<unsigned> Version{0};  // 0: nothing chosen yet
};

ChosenPath& Chosen() {
    static ChosenPath chosen;
    return chosen;
}

// What this thread has handed the library.
struct LibraryState {
    unsigned Version = 0;
    std::string Path;
    int Mode = -1;
    std::string Problem;  // why the path cannot be handed over; empty when it can
    bool FilesAnswered = false;  // every body has come from this folder's files
};

// Why the library must not be handed `path`, or nothing. It opens its files
// blocking, so a named pipe (or a device) in place of one would hang every
// calculation; any file that is not a regular file is refused.
std::string PathProblem(const std::string& path) {
    const char* preferred = std::getenv(kLibraryPathVariable);
    const bool overridden =
        preferred && *preferred != '\0' && std::strlen(preferred) <= kLongestPath;
    const std::string used = overridden ? std::string(preferred) : path;
    if (!overridden && path.size() > kLongestPath) {
        return "the ephemeris folder's path is longer than the " + std::to_string(kLongestPath) +
               " bytes the library takes";
    }
    for (std::size_t start = 0; start <= used.size();) {
        const std::size_t end = std::min(used.find_first_of(kPathSeparators, start), used.size());
        const std::string folder = used.substr(start, end - start);
        for (const std::string_view name : kFilesOpened) {
            const std::string file = (folder.empty() ? std::string(".") : folder) + "/" +
                                     std::string(name);
            struct stat status {};
            if (::stat(file.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
                return "the ephemeris file " + file + " is not a regular file";
            }
        }
        start = end + 1;
    }
    return {};
}

LibraryState& State() {
    thread_local LibraryState state;
    return state;
}

// Hands this thread's library the folder chosen last, when it has not yet.
void EnsurePath() {
    ChosenPath& chosen = Chosen();
    if (chosen.Version.load(std::memory_order_acquire) == 0) {
        UseEphemerisPath(DefaultEphemerisPath());
    }
    LibraryState& state = State();
    if (state.Version == chosen.Version.load(std::memory_order_acquire)) {
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(chosen.Lock);
        state.Version = chosen.Version.load(std::memory_order_relaxed);
        if (state.Path == chosen.Path && state.Mode != -1) {
            return;  // the same folder again: its open files stay
        }
        state.Path = chosen.Path;
    }
    state.Problem = PathProblem(state.Path);
    if (state.Problem.empty() && Api().Problem.empty()) {
        Api().SetPath(state.Path.c_str());
    }
    state.Mode = -1;  // the library forgets its sidereal mode with its files
    state.FilesAnswered = false;
}

// Why the calculations are refused: the library, or its folder.
const std::string& Refusal() {
    return Api().Problem.empty() ? State().Problem : Api().Problem;
}

// False, with nothing handed to the library, while it or its folder cannot
// be used; a folder that was mended is taken up again.
bool UseFolder() {
    if (!Api().Problem.empty()) {
        return false;
    }
    EnsurePath();
    LibraryState& state = State();
    if (!state.Problem.empty()) {
        state.Problem = PathProblem(state.Path);
        if (!state.Problem.empty()) {
            return false;
        }
        Api().SetPath(state.Path.c_str());
        state.Mode = -1;
        state.FilesAnswered = false;
    }
    return true;
}

// Setting the mode drops the library's cached positions, so it is set only
// when it changes.
bool UseZodiac(SweZodiac zodiac) {
    if (!UseFolder()) {
        return false;
    }
    LibraryState& state = State();
    const int mode = SiderealMode(zodiac);
    if (state.Mode != mode) {
        Api().SetSiderealMode(mode, 0, 0);
        state.Mode = mode;
    }
    return true;
}

}  // namespace

std::string DefaultEphemerisPath() {
    // An empty path would send the library to its default folders, the
    // current one first.
    const char* chosen = std::getenv(kPathVariable);
    return chosen && *chosen != '\0' ? std::string(chosen) : std::string(kDebianEphemerisPath);
}

void UseEphemerisPath(const std::string& path) {
    ChosenPath& chosen = Chosen();
    {
        const std::lock_guard<std::mutex> lock(chosen.Lock);
        const unsigned version = chosen.Version.load(std::memory_order_relaxed);
        if (version != 0 && chosen.Path == path) {
            return;
        }
        chosen.Path = path;
        chosen.Version.store(version + 1, std::memory_order_release);
    }
    EnsurePath();
}

SweLongitude SweSiderealLongitude(double julianDayUt, SweBody body, SweZodiac zodiac) {
    if (!UseZodiac(zodiac)) {
        SweLongitude refused;
        refused.Error = Refusal();
        return refused;
    }
    std::array<double, 6> values{};
    std::array<char, AS_MAXCH> error{};
    const int wanted = SEFLG_SWIEPH | SEFLG_SIDEREAL | SEFLG_SPEED;
    const int got = Api().CalcUt(julianDayUt, kBodyNumbers[static_cast<std::size_t>(body)], wanted,
                                values.data(), error.data());
    SweLongitude result;
    if (got == ERR || !std::isfinite(values[0])) {
        result.Error = error.data();
        return result;
    }
    result.Ok = true;
    result.Degrees = values[0];
    result.DegreesPerDay = values[3];
    result.Source = (got & SEFLG_SWIEPH) ? SweSource::Files : SweSource::Analytical;
    return result;
}

SweSky SweSiderealSky(double julianDayUt, SweBody node, SweZodiac zodiac,
                      const std::optional<SweSite>& site, unsigned bodies) {
    SweSky sky;
    // Near either end of the files a planet's light left it at a time the
    // next file would hold, and the library answers otherwise than for the
    // instant itself: a year's room at each end.
    constexpr double kFirstSharedDay = 2378861.5;  // 1801 January 1, 0h UT
    constexpr double kLastSharedDay = 2597276.5;   // 2399 January 1
    if (!(julianDayUt >= kFirstSharedDay && julianDayUt <= kLastSharedDay) || !UseZodiac(zodiac)) {
        return sky;
    }
    const SweApi& api = Api();
    std::array<char, AS_MAXCH> error{};
    // As swe_calc_ut converts the instant for each body.
    const double julianDayEt = julianDayUt + api.DeltaT(julianDayUt, SEFLG_SWIEPH, error.data());
    std::array<double, 6> values{};
    const auto tropical = [&](SweBody body, double& degrees) {
        const int got = api.CalcEt(julianDayEt, kBodyNumbers[static_cast<std::size_t>(body)],
                                 SEFLG_SWIEPH, values.data(), error.data());
        degrees = values[0];
        return got != ERR && (got & SEFLG_SWIEPH) && std::isfinite(values[0]);
    };
    LibraryState& state = State();
    const unsigned calculated = state.FilesAnswered ? bodies : kEverySweBody;
    constexpr std::size_t kPlanets = 7;
    for (std::size_t b = 0; b < kPlanets; ++b) {
        if ((calculated >> b & 1U) == 0) {
            sky.Degrees[b] = std::numeric_limits<double>::quiet_NaN();
        } else if (!tropical(static_cast<SweBody>(b), sky.Degrees[b])) {
            return sky;
        }
    }
    if (!tropical(node, sky.Degrees[kPlanets])) {
        return sky;
    }
    // The nutation of this instant, which the bodies above have just had the
    // library work out and keep: true obliquity, then nutation in longitude.
    if (api.CalcEt(julianDayEt, SE_ECL_NUT, 0, values.data(), error.data()) == ERR) {
        return sky;
    }
    const double trueObliquity = values[0];
    const double nutationInLongitude = values[2];
    double meanAyanamsa = 0;
    if (api.AyanamsaEt(julianDayEt, SEFLG_SWIEPH | SEFLG_NONUT, &meanAyanamsa,
                            error.data()) == ERR) {
        return sky;
    }
    // The library's sidereal positions keep no nutation: the true ayanamsa
    // comes off.
    const double ayanamsa = meanAyanamsa + nutationInLongitude;
    for (double& degrees : sky.Degrees) {
        if (std::isfinite(degrees)) {
            degrees = api.DegreesNormalised(degrees - ayanamsa);
        }
    }
    if (site) {
        // The house routine's own steps, its nutation not worked out again:
        // local sidereal time, then the ascendant of that meridian.
        const double siderealHours = api.SiderealTime(julianDayUt, trueObliquity, nutationInLongitude);
        constexpr double kDegreesPerHour = 15;
        const double armc = api.DegreesNormalised(siderealHours * kDegreesPerHour + site->Longitude);
        std::array<double, 13> cusps{};
        std::array<double, 10> points{};
        if (!SteadyAscendant(armc, site->Latitude, trueObliquity)) {
            sky.Ascendant = SweSiderealAscendant(julianDayUt, site->Latitude, site->Longitude, zodiac);
        } else if (api.HousesOfMeridian(armc, site->Latitude, trueObliquity, kEqualHouses, cusps.data(),
                                   points.data()) != ERR) {
            sky.Ascendant = api.DegreesNormalised(points[0] - ayanamsa);
        }
        if (!std::isfinite(sky.Ascendant)) {
            return sky;
        }
    }
    state.FilesAnswered = state.FilesAnswered || calculated == kEverySweBody;
    for (std::size_t b = 0; b < kPlanets; ++b) {
        if ((bodies >> b & 1U) == 0) {
            sky.Degrees[b] = std::numeric_limits<double>::quiet_NaN();
        }
    }
    sky.Ok = true;
    return sky;
}

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadians = kPi / 180;
constexpr double kDegreesPerHour = 15;

double Wrap180(double degrees) {
    double x = std::fmod(degrees, 360.0);
    if (x <= -180) {
        x += 360;
    } else if (x > 180) {
        x -= 360;
    }
    return x;
}

// The Sun's apparent right ascension and declination of date, with their
// daily rates; false when the library fails.
bool SunEquatorial(double julianDayUt, std::array<double, 6>& values) {
    std::array<char, AS_MAXCH> error{};
    const int got = Api().CalcUt(julianDayUt, SE_SUN, SEFLG_SWIEPH | SEFLG_EQUATORIAL | SEFLG_SPEED,
                                 values.data(), error.data());
    return got != ERR && std::isfinite(values[0]) && std::isfinite(values[1]);
}

double HourAngle(double julianDayUt, double longitude, double rightAscension) {
    return Wrap180(kDegreesPerHour * Api().SiderealTimeUt(julianDayUt) + longitude - rightAscension);
}

// The Sun's true altitude (degrees) and its rate (degrees per day).
struct SunAltitude {
    bool Ok = false;
    double Degrees = 0;
    double DegreesPerDay = 0;
};

SunAltitude SunAltitudeAt(double julianDayUt, const SweSite& site) {
    // The sidereal day's length in solar days: the hour angle's rate is this
    // many turns a day less the Sun's own motion in right ascension.
    constexpr double kSiderealTurnsPerDay = 1.00273790935;
    std::array<double, 6> sun{};
    SunAltitude result;
    if (!SunEquatorial(julianDayUt, sun)) {
        return result;
    }
    const double hourAngle = HourAngle(julianDayUt, site.Longitude, sun[0]) * kRadians;
    const double latitude = site.Latitude * kRadians;
    const double declination = sun[1] * kRadians;
    const double sine = std::sin(latitude) * std::sin(declination) +
                        std::cos(latitude) * std::cos(declination) * std::cos(hourAngle);
    const double altitude = std::asin(std::clamp(sine, -1.0, 1.0));
    const double hourAngleRate = (360 * kSiderealTurnsPerDay - sun[3]) * kRadians;
    const double declinationRate = sun[4] * kRadians;
    const double sineRate =
        std::sin(latitude) * std::cos(declination) * declinationRate -
        std::cos(latitude) * std::sin(declination) * std::cos(hourAngle) * declinationRate -
        std::cos(latitude) * std::cos(declination) * std::sin(hourAngle) * hourAngleRate;
    result.Ok = std::cos(altitude) > 0;
    result.Degrees = altitude / kRadians;
    result.DegreesPerDay = result.Ok ? sineRate / std::cos(altitude) / kRadians : 0;
    return result;
}

}  // namespace

SweMotionSky SweSiderealMotionSky(double julianDayUt, SweBody node, SweZodiac zodiac,
                                  const SweSite& site) {
    SweMotionSky sky;
    if (!UseZodiac(zodiac)) {
        sky.Error = Refusal();
        return sky;
    }
    std::array<double, 6> values{};
    std::array<char, AS_MAXCH> error{};
    const auto body = [&](SweBody which, SweBodyMotion& motion) {
        const int got = Api().CalcUt(julianDayUt, kBodyNumbers[static_cast<std::size_t>(which)],
                                     SEFLG_SWIEPH | SEFLG_SIDEREAL | SEFLG_SPEED, values.data(),
                                     error.data());
        if (got == ERR || !std::isfinite(values[0])) {
            sky.Error = error.data();
            return false;
        }
        if ((got & SEFLG_SWIEPH) == 0) {
            sky.Source = SweSource::Analytical;
        }
        motion.Degrees = Api().DegreesNormalised(values[0]);
        motion.Latitude = values[1];
        motion.DegreesPerDay = values[3];
        return true;
    };
    constexpr std::size_t kPlanets = 7;
    for (std::size_t b = 0; b < kPlanets; ++b) {
        if (!body(static_cast<SweBody>(b), sky.Bodies[b])) {
            return sky;
        }
    }
    if (!body(node, sky.Bodies[kPlanets])) {
        return sky;
    }
    sky.Ayanamsa = SweAyanamsaUt(julianDayUt, zodiac, AyanamsaKind::True);
    sky.Ascendant = SweSiderealAscendant(julianDayUt, site.Latitude, site.Longitude, zodiac);
    // The tropical meridian, as the house routine finds it for any system;
    // the ascendant above is the chart's own, found as the chart finds it.
    std::array<double, 13> cusps{};
    std::array<double, 10> points{};
    points.fill(std::numeric_limits<double>::quiet_NaN());
    Api().Houses(julianDayUt, 0, site.Latitude, site.Longitude, kEqualHouses, cusps.data(),
                 points.data());
    sky.Midheaven = Api().DegreesNormalised(points[1] - sky.Ayanamsa);
    std::array<double, 6> sun{};
    if (!SunEquatorial(julianDayUt, sun) || !std::isfinite(sky.Ayanamsa) ||
        !std::isfinite(sky.Ascendant) || !std::isfinite(points[1])) {
        sky.Error = "the library found no ascendant, meridian or Sun for this place and moment";
        return sky;
    }
    sky.SunHourAngle = HourAngle(julianDayUt, site.Longitude, sun[0]);
    sky.Ok = true;
    return sky;
}

std::optional<double> SweHinduSunrise(double julianDayUt, const SweSite& site, bool rising) {
    // The sidereal mode plays no part: left as it is, the positions the
    // library keeps for the chart's zodiac stay.
    if (!UseFolder()) {
        return std::nullopt;
    }
    std::array<double, 3> place = {site.Longitude, site.Latitude, 0};
    std::array<double, 10> found{};
    std::array<char, AS_MAXCH> error{};
    const int which = (rising ? SE_CALC_RISE : SE_CALC_SET) | SE_BIT_HINDU_RISING;
    if (Api().RiseOrSet(julianDayUt, SE_SUN, nullptr, SEFLG_SWIEPH, which, place.data(), 0, 0,
                        found.data(), error.data()) != 0 ||
        !std::isfinite(found[0])) {
        return std::nullopt;
    }
    return SweHinduSunEventNear(found[0], site, rising);
}

std::optional<double> SweHinduSunEventNear(double guess, const SweSite& site, bool rising) {
    if (!UseFolder()) {
        return std::nullopt;
    }
    constexpr double kLastStepDays = 1e-8;
    constexpr int kMostSteps = 12;
    // Farther than this from the guess the root found is another event.
    constexpr double kFarthestPolishDays = 0.1;
    double t = guess;
    for (int step = 0; step < kMostSteps; ++step) {
        const SunAltitude altitude = SunAltitudeAt(t, site);
        if (!altitude.Ok || altitude.DegreesPerDay == 0) {
            return std::nullopt;
        }
        const double change = altitude.Degrees / altitude.DegreesPerDay;
        t -= change;
        if (std::fabs(t - guess) > kFarthestPolishDays) {
            return std::nullopt;
        }
        if (std::fabs(change) < kLastStepDays) {
            // A sunrise is where the altitude rises through zero.
            return (altitude.DegreesPerDay > 0) == rising ? std::optional<double>(t) : std::nullopt;
        }
    }
    return std::nullopt;
}

double SweSiderealAscendant(double julianDayUt, double latitude, double longitude,
                            SweZodiac zodiac) {
    if (!UseZodiac(zodiac)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    std::array<double, 13> cusps{};
    std::array<double, 10> points{};
    if (Api().Houses(julianDayUt, SEFLG_SIDEREAL, latitude, longitude, kEqualHouses,
                      cusps.data(), points.data()) == ERR) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return points[0];
}

double SweAyanamsaUt(double julianDayUt, SweZodiac zodiac, AyanamsaKind kind) {
    if (!UseZodiac(zodiac)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    double value = 0;
    std::array<char, AS_MAXCH> error{};
    const int flags = SEFLG_SWIEPH | (kind == AyanamsaKind::Mean ? SEFLG_NONUT : 0);
    if (Api().AyanamsaUt(julianDayUt, flags, &value, error.data()) == ERR) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return value;
}

double SweAyanamsaEt(double julianDayEt, SweZodiac zodiac, AyanamsaKind kind) {
    if (!UseZodiac(zodiac)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    double value = 0;
    std::array<char, AS_MAXCH> error{};
    const int flags = SEFLG_SWIEPH | (kind == AyanamsaKind::Mean ? SEFLG_NONUT : 0);
    if (Api().AyanamsaEt(julianDayEt, flags, &value, error.data()) == ERR) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return value;
}

}  // namespace tavrinel
