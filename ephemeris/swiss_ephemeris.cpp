#include "ephemeris/swiss_ephemeris.h"

#include <swephexp.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tavrinel {

namespace {

constexpr const char* kPathVariable = "TAVRINEL_EPHEMERIS_PATH";
constexpr const char* kDebianEphemerisPath = "/usr/share/libswe/ephe";
// Any system whose ascendant the library computes; the cusps are not used.
constexpr int kEqualHouses = 'E';

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

struct LibraryState {
    bool PathSet = false;
    std::string Path;
    int Mode = -1;
};

LibraryState& State() {
    static LibraryState state;
    return state;
}

void EnsurePath() {
    if (!State().PathSet) {
        UseEphemerisPath(DefaultEphemerisPath());
    }
}

// Setting the mode drops the library's cached positions, so it is set only
// when it changes.
void UseZodiac(SweZodiac zodiac) {
    EnsurePath();
    const int mode = SiderealMode(zodiac);
    if (State().Mode != mode) {
        swe_set_sid_mode(mode, 0, 0);
        State().Mode = mode;
    }
}

}  // namespace

std::string DefaultEphemerisPath() {
    const char* chosen = std::getenv(kPathVariable);
    return chosen ? std::string(chosen) : std::string(kDebianEphemerisPath);
}

void UseEphemerisPath(const std::string& path) {
    LibraryState& state = State();
    if (state.PathSet && state.Path == path) {
        return;
    }
    swe_set_ephe_path(path.c_str());
    state.PathSet = true;
    state.Path = path;
    state.Mode = -1;  // the library forgets its sidereal mode with its files
}

SweLongitude SweSiderealLongitude(double julianDayUt, SweBody body, SweZodiac zodiac) {
    UseZodiac(zodiac);
    std::array<double, 6> values{};
    std::array<char, AS_MAXCH> error{};
    const int wanted = SEFLG_SWIEPH | SEFLG_SIDEREAL | SEFLG_SPEED;
    const int got = swe_calc_ut(julianDayUt, kBodyNumbers[static_cast<std::size_t>(body)], wanted,
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

double SweSiderealAscendant(double julianDayUt, double latitude, double longitude,
                            SweZodiac zodiac) {
    UseZodiac(zodiac);
    std::array<double, 13> cusps{};
    std::array<double, 10> points{};
    if (swe_houses_ex(julianDayUt, SEFLG_SIDEREAL, latitude, longitude, kEqualHouses,
                      cusps.data(), points.data()) == ERR) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return points[0];
}

double SweAyanamsaUt(double julianDayUt, SweZodiac zodiac, AyanamsaKind kind) {
    UseZodiac(zodiac);
    double value = 0;
    std::array<char, AS_MAXCH> error{};
    const int flags = SEFLG_SWIEPH | (kind == AyanamsaKind::Mean ? SEFLG_NONUT : 0);
    if (swe_get_ayanamsa_ex_ut(julianDayUt, flags, &value, error.data()) == ERR) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return value;
}

double SweAyanamsaEt(double julianDayEt, SweZodiac zodiac, AyanamsaKind kind) {
    UseZodiac(zodiac);
    double value = 0;
    std::array<char, AS_MAXCH> error{};
    const int flags = SEFLG_SWIEPH | (kind == AyanamsaKind::Mean ? SEFLG_NONUT : 0);
    if (swe_get_ayanamsa_ex(julianDayEt, flags, &value, error.data()) == ERR) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return value;
}

}  // namespace tavrinel
