#include "ephemeris/planet_positions.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "ephemeris/hemisphere_time.h"
#include "ephemeris/position_text.h"

namespace tavrinel {

namespace {

// The program's literal values, kept digit for digit so that positions match
// the reference charts exactly.
constexpr double kPi = 3.14159265358979;
constexpr double kFullTurn = 6.28318530717958;  // radians
constexpr double kDegreesPerRadian = 180 / kPi;
// The node is converted with 3.1416 for pi (57.29564553 instead of
// 57.29577951 degrees per radian) and then lowered by one degree. Both are
// deliberate: readings of the nodes have always been made this way, and a
// chart calculated again must not move its nodes.
constexpr double kNodeRadToDeg = 180 / 3.1416;
constexpr double kNodeOffsetDegrees = 1;

constexpr double kSecondsPerDegree = 3600;
constexpr double kHoursPerDay = 24;
constexpr double kMinutesPerHour = 60;
constexpr int kMinutesPerDay = 24 * 60;
constexpr double kDaysPerCentury = 36525;
constexpr double kFullCircle = 360;  // degrees
constexpr double kHalfCircle = 180;  // degrees
constexpr double kJd1900 = 2415020;  // JD of 1900 January 0.5, the ayanamsa epoch
// The day number counts from the noon that starts the civil date; half a day
// back reaches its midnight.
constexpr double kNoonToMidnightDays = 0.5;

// Newton's method on these eccentricities (at most 0.21) settles in a handful
// of steps; the cap only guards against a pathological input looping forever.
constexpr int kMaxKeplerIterations = 100;

// Body indices of the theory, the rows of the element table. The Sun's row
// holds the Earth-Moon barycentre's elements; the Sun is seen from there.
constexpr int kBodyMercury = 0;
constexpr int kBodyVenus = 1;
constexpr int kBodySun = 2;
constexpr int kBodyMars = 3;
constexpr int kBodyJupiter = 4;
constexpr int kBodySaturn = 5;

// Mean Keplerian elements of the major planets, mean ecliptic and equinox of
// J2000, valid 1800-2050 (the approximate-positions table, angular rates in
// arcseconds per century). Per element: value at J2000.0, rate per century.
struct ElementRow {
    double a, aRate;        // AU, AU per century
    double e, eRate;        // -, per century
    double i, iRate;        // degrees, arcseconds per century
    double node, nodeRate;  // degrees, arcseconds per century
    double peri, periRate;  // degrees, arcseconds per century
    double mean, meanRate;  // degrees, arcseconds per century
};

constexpr std::array<ElementRow, kTheoryBodyCount> kOrbitElements = {{
    {0.38709893, 0.00000066, 0.20563069, 0.00002527, 7.00487, -23.51, 48.33167, -446.30, 77.45645,
     573.57, 252.25084, 538101628.29},  // Mercury
    {0.72333199, 0.00000092, 0.00677323, -0.00004938, 3.39471, -2.86, 76.68069, -996.89, 131.53298,
     -108.80, 181.97973, 210664136.06},  // Venus
    {1.00000011, -0.00000005, 0.01671022, -0.00003804, 0.00005, -46.94, -11.26064, -18228.25,
     102.94719, 1198.28, 100.46435, 129597740.63},  // Earth-Moon barycentre
    {1.52366231, -0.00007221, 0.09341233, 0.00011902, 1.85061, -25.47, 49.57854, -1020.19,
     336.04084, 1560.78, 355.45332, 68905103.78},  // Mars
    {5.20336301, 0.00060737, 0.04839266, -0.00012880, 1.30530, -4.15, 100.55615, 1217.17, 14.75385,
     839.93, 34.40438, 10925078.35},  // Jupiter
    {9.53707032, -0.00301530, 0.05415060, -0.00036762, 2.48446, 6.11, 113.71504, -1591.05, 92.43194,
     -1948.89, 49.94432, 4401052.95},  // Saturn
}};

// The graha each theory body stands for, in body order.
constexpr std::array<Graha, kTheoryBodyCount> kGrahaOfBody = {kMercury, kVenus, kSun,
                                                                kMars,    kJupiter, kSaturn};

constexpr std::array<const char*, kGrahaCount> kGrahaNames = {
    "Surya", "Chandra", "Budha", "Shukra", "Mangala", "Guru", "Shani", "Rahu", "Ketu"};

// Mean longitude of the lunar ascending node, degrees and degrees per day
// from J2000.0 (the usual linear mean-node formula).
constexpr double kNodeAtJ2000 = 125.1228;
constexpr double kNodeRatePerDay = -0.0529538083;

double Int(double x) {
    return std::floor(x);
}

double AngleWithRate(double baseDegrees, double rateArcsecPerCentury, double T) {
    return (baseDegrees + (rateArcsecPerCentury * T) / kSecondsPerDegree) * kDegToRad;
}

double WithoutAyanamsa(double tropical, double ayanamsaCorrection) {
    double sidereal = tropical - std::fabs(ayanamsaCorrection);
    while (sidereal < 0) {
        sidereal += kFullCircle;
    }
    return sidereal;
}

// Proleptic Gregorian calendar, for moving a civil date across midnight.
bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year)) {
        return 29;
    }
    // A month outside 1..12 never comes from the form; treat it as a long month
    // rather than read outside the table.
    return (month >= 1 && month <= 12) ? kDays[month - 1] : 31;
}

struct CivilTime {
    int year, month, day, hour, minute;
};

// Adds whole minutes to a civil date-time. An hour of 24 on the input is the
// midnight that ends the day and comes out as 00:00 of the next one.
CivilTime AddMinutes(int year, int month, int day, int hour, int minute, int addedMinutes) {
    const int total = hour * 60 + minute + addedMinutes;
    int dayShift = total / kMinutesPerDay;
    int minuteOfDay = total % kMinutesPerDay;
    if (minuteOfDay < 0) {
        minuteOfDay += kMinutesPerDay;
        --dayShift;
    }
    for (; dayShift > 0; --dayShift) {
        if (++day > DaysInMonth(year, month)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    for (; dayShift < 0; ++dayShift) {
        if (--day < 1) {
            if (--month < 1) {
                month = 12;
                --year;
            }
            day = DaysInMonth(year, month);
        }
    }
    return {year, month, day, minuteOfDay / 60, minuteOfDay % 60};
}

}  // namespace

void ComputeTimeAndAyanamsa(ChartState& chart) {
    chart.SignAbbreviations = kSignAbbreviations;
    chart.DegToRad = kDegToRad;

    const HemisphereTime time = HemisphereTimeOf(chart);
    chart.PlanetLocalHours = time.LocalHours;
    chart.PlanetZoneHours = time.ZoneHours;
    chart.PlanetWestLongitude = time.WestLongitude;
    chart.PlanetUniversalHours = time.UniversalHours;
    chart.PlanetDayNumber = DateToDayNumber(chart.BirthMonth, chart.BirthDay, chart.BirthYear);
    chart.PlanetCenturies1900 = ((chart.PlanetDayNumber - kJd1900) +
                                 chart.PlanetUniversalHours / kHoursPerDay - kNoonToMidnightDays) /
                                kDaysPerCentury;
    chart.PlanetAyanamsaCorrection = ComputeAyanamsaCorrection1900(chart.PlanetCenturies1900);
}

double DateToDayNumber(int month, int day, int year) {
    // Integer-arithmetic calendar conversion (Julian calendar day number, then
    // the Gregorian correction from 1582 October 15 on).
    constexpr double kLastJulianDay = 2299171;
    const double m = 12.0 * (year + 4800) + month - 3;  // months since March of -4800
    const double q = (365 * m + 2 * (m - 12 * Int(m / 12)) + 7) / 12;
    double j = day + Int(q) + Int(m / 48) - 32083;
    if (j > kLastJulianDay) {
        j = j + Int(m / 4800) - Int(m / 1200) + 38;
    }
    return j;
}

double ComputeAyanamsaCorrection1900(double T) {
    // Ayanamsa from 1900 January 0.5: 80861.27" base, general precession
    // 5025.64" + 1.11"T per century, and the two largest nutation terms
    // in longitude (Moon's node and twice the Sun's mean longitude).
    constexpr double kBaseArcsec = 80861.27;
    constexpr double kPrecessionArcsec = 5025.64;
    constexpr double kPrecessionQuadArcsec = 1.11;
    double node = (933060 - 6962911 * T + 7.5 * T * T) / kSecondsPerDegree;
    while (node >= kFullCircle) {
        node -= kFullCircle;
    }
    const double twiceSun = (2013816 + 259205536 * T) / kSecondsPerDegree;
    double x = 1.27 * std::sin(twiceSun * kDegToRad) + 17.23 * std::sin(node * kDegToRad);
    x -= T * (kPrecessionArcsec + kPrecessionQuadArcsec * T);
    return (x - kBaseArcsec) / kSecondsPerDegree;
}

void LoadOrbitElements(ChartState& chart, int index, double d) {
    if (index < 0 || index >= kTheoryBodyCount) {
        return;
    }
    const ElementRow& row = kOrbitElements[static_cast<std::size_t>(index)];
    const double T = d / kDaysPerCentury;
    chart.OrbitSemiMajorAxis = row.a + row.aRate * T;
    chart.OrbitEccentricity = row.e + row.eRate * T;
    chart.OrbitInclination = AngleWithRate(row.i, row.iRate, T);
    chart.OrbitNodeLongitude = AngleWithRate(row.node, row.nodeRate, T);
    chart.OrbitPerihelionLongitude = AngleWithRate(row.peri, row.periRate, T);
    chart.OrbitMeanLongitude = ReduceRadians(AngleWithRate(row.mean, row.meanRate, T));
}

namespace {

// The Earth's heliocentric position, the observer of every body.
struct EarthPosition {
    double x, y;
};

EarthPosition EarthAt(ChartState& chart, double d) {
    LoadOrbitElements(chart, kBodySun, d);
    const double aE = chart.OrbitSemiMajorAxis;
    const double eE = chart.OrbitEccentricity;
    const double periE = chart.OrbitPerihelionLongitude;
    const double LE = chart.OrbitMeanLongitude;
    // Heliocentric ecliptic coordinates from the conic r = a(1-e^2)/(1+e cos v).
    const double nuE = TrueAnomaly(ReduceRadians(LE - periE), eE);
    const double rE = aE * (1 - eE * eE) / (1 + eE * std::cos(nuE));
    return {rE * std::cos(nuE + periE), rE * std::sin(nuE + periE)};
}

// The body's longitude seen from a given Earth position, into PlanetLongitude.
void LongitudeFromEarth(ChartState& chart, int index, double d, const EarthPosition& earth) {
    LoadOrbitElements(chart, index, d);
    const double a = chart.OrbitSemiMajorAxis;
    const double e = chart.OrbitEccentricity;
    const double i = chart.OrbitInclination;
    const double node = chart.OrbitNodeLongitude;
    const double peri = chart.OrbitPerihelionLongitude;
    const double L = chart.OrbitMeanLongitude;

    double x = 0;
    double y = 0;
    if (index != kBodySun) {
        const double nu = TrueAnomaly(ReduceRadians(L - peri), e);
        const double r = a * (1 - e * e) / (1 + e * std::cos(nu));
        const double u = (nu + peri) - node;  // argument of latitude
        x = r * (std::cos(node) * std::cos(u) - std::sin(u) * std::sin(node) * std::cos(i));
        y = r * (std::sin(node) * std::cos(u) + std::sin(u) * std::cos(node) * std::cos(i));
    }

    double longitude = ArcTan2(y - earth.y, x - earth.x) * kDegreesPerRadian;
    while (longitude > kFullCircle) {
        longitude -= kFullCircle;
    }
    while (longitude < 0) {
        longitude += kFullCircle;
    }
    chart.PlanetLongitude = longitude;
}

}  // namespace

void GeocentricLongitude(ChartState& chart, int index, double d) {
    const EarthPosition earth = EarthAt(chart, d);
    LongitudeFromEarth(chart, index, d, earth);
}

double TrueAnomaly(double M, double e) {
    // Kepler's equation E - e sin E = M by Newton's method from a second-order
    // starting value.
    double E = M + e * std::sin(M) * (1 + e * std::cos(M));
    double previous = 0;
    int iterations = 0;
    do {
        previous = E;
        E = previous - (previous - e * std::sin(previous) - M) / (1 - e * std::cos(previous));
    } while (std::fabs(previous - E) > kKeplerTolerance && ++iterations < kMaxKeplerIterations);
    double nu = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2));
    if (nu < 0) {
        nu += kFullTurn;
    }
    return nu;
}

double ReduceRadians(double x) {
    const double turns = x / kFullTurn;
    const double whole = turns >= 0 ? Int(turns) : Int(turns) + 1;  // toward zero
    double r = (turns - whole) * kFullTurn;
    if (r < 0) {
        r += kFullTurn;
    }
    return r;
}

double ArcTan2(double y, double x) {
    const double signY = (y > 0) - (y < 0);
    if (x > 0) {
        return std::atan(y / x);
    }
    if (x < 0) {
        return signY * (kPi - std::atan(std::fabs(y / x)));
    }
    return signY * kPi / 2;
}

double DaysFromJ2000(int year, int month, int day, int hour, int minute) {
    // Day count without the century leap rule: equals JD - 2451545.0 from
    // 1900 March 1 to 2100 February 28.
    constexpr double kDayOffset = 730531.5;
    return 367.0 * year - Int(7 * (year + Int((month + 9) / 12.0)) / 4.0) + Int(275.0 * month / 9) +
           day - kDayOffset + (hour + minute / kMinutesPerHour) / kHoursPerDay;
}

double PlanetEngineDays(const ChartState& chart) {
    const CivilTime ut =
        AddMinutes(chart.BirthYear, chart.BirthMonth, chart.BirthDay, chart.BirthHour,
                   chart.BirthMinute, chart.ZoneShiftHours * 60 + chart.ZoneShiftMinutes);
    return DaysFromJ2000(ut.year, ut.month, ut.day, ut.hour, ut.minute);
}

void ComputePlanetPositions(ChartState& chart) {
    chart.SignAbbreviations = kSignAbbreviations;
    chart.DegToRad = kDegToRad;
    chart.KeplerTolerance = kKeplerTolerance;
    for (std::size_t g = 0; g < kGrahaNames.size(); ++g) {
        chart.GrahaNames[g] = kGrahaNames[g];
    }

    // The signed zone of the table is applied to the civil date and time;
    // unlike the ayanamsa's time base it ignores daylight saving, because the
    // zone list has daylight-time zones of its own.
    const double d = PlanetEngineDays(chart);

    // The Earth's orbit is the same for every body at this moment: solving it
    // once gives the very same numbers as solving it six times.
    const EarthPosition earth = EarthAt(chart, d);
    for (int body = 0; body < kTheoryBodyCount; ++body) {
        LongitudeFromEarth(chart, body, d, earth);
        chart.PlanetLongitude =
            WithoutAyanamsa(chart.PlanetLongitude, chart.PlanetAyanamsaCorrection);
        chart.TheoryPositionTexts[static_cast<std::size_t>(body)] =
            FormatSignPosition(chart.PlanetLongitude);
        chart.GrahaLongitudes[kGrahaOfBody[static_cast<std::size_t>(body)]] = chart.PlanetLongitude;
    }

    double rahu = ReduceRadians((kNodeAtJ2000 + kNodeRatePerDay * d) * kDegToRad);
    rahu = rahu * kNodeRadToDeg - kNodeOffsetDegrees;
    rahu = WithoutAyanamsa(rahu, chart.PlanetAyanamsaCorrection);
    chart.RahuText = FormatSignPosition(rahu);
    chart.GrahaLongitudes[kRahu] = rahu;

    double ketu = rahu + kHalfCircle;
    while (ketu >= kFullCircle) {
        ketu -= kFullCircle;
    }
    chart.KetuText = FormatSignPosition(ketu);
    chart.GrahaLongitudes[kKetu] = ketu;

    const std::array<const std::string*, kGrahaCount> sources = {
        &chart.TheoryPositionTexts[kBodySun],
        &chart.MoonPositionText,
        &chart.TheoryPositionTexts[kBodyMercury],
        &chart.TheoryPositionTexts[kBodyVenus],
        &chart.TheoryPositionTexts[kBodyMars],
        &chart.TheoryPositionTexts[kBodyJupiter],
        &chart.TheoryPositionTexts[kBodySaturn],
        &chart.RahuText,
        &chart.KetuText};
    // A text that cannot be shortened stops the step there; the entries after
    // it keep what the previous chart left.
    for (std::size_t g = 0; g < sources.size(); ++g) {
        std::optional<std::string> shortText = ShortPositionText(*sources[g]);
        if (!shortText) {
            return;
        }
        chart.PlanetPositionTexts[g] = std::move(*shortText);
    }
}

}  // namespace tavrinel
