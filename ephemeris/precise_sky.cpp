#include "ephemeris/precise_sky.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <limits>

#include "ephemeris/position_text.h"
#include "ephemeris/angles.h"
#include "ephemeris/swiss_ephemeris.h"

namespace tavrinel {

namespace {

constexpr double kHoursPerDay = 24;
constexpr double kMinutesPerHour = 60;
constexpr double kSecondsPerHour = 3600;
constexpr double kHalfCircle = 180;
constexpr double kQuarterCircle = 90;
constexpr double kDaylightSavingHours = 1;
// A Julian Day begins at noon; the civil date's midnight is half a day earlier.
constexpr double kNoonToMidnightDays = 0.5;

constexpr std::array<const char*, kGrahaCount> kGrahaNames = {
    "Surya", "Chandra", "Budha", "Shukra", "Mangala", "Guru", "Shani", "Rahu", "Ketu"};

// Sun to Saturn in graha order; the nodes are handled apart.
constexpr std::array<SweBody, 7> kGrahaBodies = {SweBody::Sun,   SweBody::Moon,    SweBody::Mercury,
                                                 SweBody::Venus, SweBody::Mars,    SweBody::Jupiter,
                                                 SweBody::Saturn};

// Where each theory body's long text goes (Mercury, Venus, Sun, Mars,
// Jupiter, Saturn), as the documented engine orders them.
constexpr std::array<int, kTheoryBodyCount> kTheoryGrahas = {kMercury, kVenus,   kSun,
                                                             kMars,    kJupiter, kSaturn};

SweZodiac ZodiacOf(Ayanamsa ayanamsa) {
    switch (ayanamsa) {
    case Ayanamsa::Raman:
        return SweZodiac::Raman;
    case Ayanamsa::Krishnamurti:
        return SweZodiac::Krishnamurti;
    case Ayanamsa::Lahiri:
        break;
    }
    return SweZodiac::Lahiri;
}

std::string SkyNameOf(const PreciseSettings& settings, std::string_view source) {
    std::string name = "Precise (Swiss Ephemeris), ";
    name += AyanamsaTitle(settings.Zodiac);
    name += ", ";
    name += NodeTitle(settings.Node);
    name += ", ";
    name += source;
    return name;
}

constexpr std::string_view kFilesSource = "ephemeris files";
constexpr std::string_view kAnalyticalSource = "analytical ephemeris";

SweBody NodeBody(NodeKind node) {
    return node == NodeKind::True ? SweBody::TrueNode : SweBody::MeanNode;
}

// The birth place, or nothing for one off the globe. The form takes any
// three digits; such a place has no horizon and so no Lagna, rather than
// whatever the formulas make of it. At a pole the whole ecliptic lies on the
// horizon and no point of it rises.
std::optional<SweSite> SiteOf(const ChartState& chart) {
    SweSite site;
    site.Latitude = (chart.LatDegrees + chart.LatMinutes / kMinutesPerHour) *
                    (chart.LatDirection != kFalse ? -1 : 1);
    site.Longitude = (chart.LonDegrees + chart.LonMinutes / kMinutesPerHour) *
                     (chart.LonDirection != kFalse ? 1 : -1);
    if (std::fabs(site.Latitude) < kQuarterCircle && std::fabs(site.Longitude) <= kHalfCircle) {
        return site;
    }
    return std::nullopt;
}

// The shared instant's longitudes differ from the per-body calls' by
// rounding alone, a few 1e-13 degree. Every text truncates to whole
// arc-minutes, and every edge the check compares (sign, nakshatra, dignity
// degree) lies on one; within this margin of one the rounding could move a
// text, so the chart is calculated the per-body way instead.
constexpr double kRoundingMarginDegrees = 1e-9;

bool NearWholeMinute(double degrees) {
    const double minutes = degrees * kMinutesPerHour;
    return std::fabs(minutes - std::round(minutes)) < kRoundingMarginDegrees * kMinutesPerHour;
}

void ClearPositions(ChartState& chart) {
    chart.PlanetPositionTexts.fill({});
    chart.TheoryPositionTexts.fill({});
    chart.MoonPositionText.clear();
    chart.RahuText.clear();
    chart.KetuText.clear();
    chart.GrahaLongitudes.fill(std::numeric_limits<double>::quiet_NaN());
    chart.GrahaRetrograde.fill(false);
    chart.LagnaLongitude = std::numeric_limits<double>::quiet_NaN();
    chart.AyanamsaDegrees = std::numeric_limits<double>::quiet_NaN();
}

// The positions from one shared instant's figures; false, with the chart
// untouched, where the per-body calls must answer instead.
bool FromSharedInstant(ChartState& chart, const PreciseSettings& settings, double jd,
                       unsigned bodies) {
    const std::optional<SweSite> site = SiteOf(chart);
    const SweSky sky =
        SweSiderealSky(jd, NodeBody(settings.Node), ZodiacOf(settings.Zodiac), site, bodies);
    if (!sky.Ok) {
        return false;
    }
    std::array<double, kGrahaCount> longitudes{};
    std::copy(sky.Degrees.begin(), sky.Degrees.end(), longitudes.begin());
    longitudes[kKetu] = ReduceDegrees(longitudes[kRahu] + kHalfCircle);
    const bool nearEdge =
        std::any_of(longitudes.begin(), longitudes.end(), NearWholeMinute) ||
        (std::isfinite(sky.Ascendant) && NearWholeMinute(sky.Ascendant));
    if (nearEdge) {
        return false;
    }
    for (std::size_t g = 0; g < kGrahaNames.size(); ++g) {
        chart.GrahaNames[g] = kGrahaNames[g];
        chart.GrahaLongitudes[g] = longitudes[g];
        chart.PlanetPositionTexts[g] = ShortSignPosition(longitudes[g]);  // empty for NaN
    }
    chart.LagnaLongitude = std::isfinite(sky.Ascendant) ? ReduceDegrees(sky.Ascendant) : sky.Ascendant;
    chart.SkyName = SkyNameOf(settings, kFilesSource);
    return true;
}

}  // namespace

std::optional<SweSite> PreciseSite(const ChartState& chart) {
    return SiteOf(chart);
}

SweZodiac PreciseZodiac(Ayanamsa ayanamsa) {
    return ZodiacOf(ayanamsa);
}

std::string_view AyanamsaTitle(Ayanamsa ayanamsa) {
    switch (ayanamsa) {
    case Ayanamsa::Raman:
        return "Raman";
    case Ayanamsa::Krishnamurti:
        return "Krishnamurti";
    case Ayanamsa::Lahiri:
        break;
    }
    return "Lahiri";
}

std::string_view NodeTitle(NodeKind node) {
    return node == NodeKind::True ? "true node" : "mean node";
}

PreciseSource PreciseSourceOf(std::string_view skyName, const PreciseSettings& settings) {
    if (skyName == SkyNameOf(settings, kFilesSource)) {
        return PreciseSource::Files;
    }
    if (skyName == SkyNameOf(settings, kAnalyticalSource)) {
        return PreciseSource::Analytical;
    }
    return PreciseSource::None;
}

std::string PreciseSkyTitle(const PreciseSettings& settings, PreciseSource source) {
    std::string title(source == PreciseSource::Analytical ? kAnalyticalSource : "Swiss Ephemeris");
    title += ", ";
    title += AyanamsaTitle(settings.Zodiac);
    title += ", ";
    title += NodeTitle(settings.Node);
    return title;
}

ChartState PreciseBirthOf(const ChartState& chart) {
    ChartState birth;
    birth.BirthYear = chart.BirthYear;
    birth.BirthMonth = chart.BirthMonth;
    birth.BirthDay = chart.BirthDay;
    birth.BirthHour = chart.BirthHour;
    birth.BirthMinute = chart.BirthMinute;
    birth.ZoneShiftHours = chart.ZoneShiftHours;
    birth.ZoneShiftMinutes = chart.ZoneShiftMinutes;
    birth.DaylightSaving = chart.DaylightSaving;
    birth.ExactUtcOffsetSeconds = chart.ExactUtcOffsetSeconds;
    birth.LatDegrees = chart.LatDegrees;
    birth.LatMinutes = chart.LatMinutes;
    birth.LatDirection = chart.LatDirection;
    birth.LonDegrees = chart.LonDegrees;
    birth.LonMinutes = chart.LonMinutes;
    birth.LonDirection = chart.LonDirection;
    return birth;
}

double JulianDayAtMidnight(int year, int month, int day) {
    // Fliegel and Van Flandern's integer form of the Gregorian day number
    // (Communications of the ACM 11, 1968), which names the day from noon.
    const int a = (month - 14) / 12;
    const long dayNumber = day - 32075L + 1461L * (year + 4800 + a) / 4 +
                           367L * (month - 2 - 12 * a) / 12 -
                           3L * ((year + 4900 + a) / 100) / 4;
    return static_cast<double>(dayNumber) - kNoonToMidnightDays;
}

double PreciseJulianDayUt(const ChartState& chart) {
    double hours = chart.BirthHour + chart.BirthMinute / kMinutesPerHour;
    if (chart.ExactUtcOffsetSeconds) {
        // Daylight saving is already part of an exact offset.
        hours -= *chart.ExactUtcOffsetSeconds / kSecondsPerHour;
    } else {
        // The table's signed offset is what takes clock time to UT (positive
        // west of Greenwich), so it is added.
        hours += chart.ZoneShiftHours + chart.ZoneShiftMinutes / kMinutesPerHour;
        if (chart.DaylightSaving != kFalse) {
            hours -= kDaylightSavingHours;
        }
    }
    return JulianDayAtMidnight(chart.BirthYear, chart.BirthMonth, chart.BirthDay) +
           hours / kHoursPerDay;
}

bool ComputePreciseSky(ChartState& chart, const PreciseSettings& settings) {
    return ComputePreciseSkyAt(chart, settings, PreciseJulianDayUt(chart));
}

bool ComputePreciseSkyAt(ChartState& chart, const PreciseSettings& settings, double jd) {
    const SweZodiac zodiac = ZodiacOf(settings.Zodiac);
    for (std::size_t g = 0; g < kGrahaNames.size(); ++g) {
        chart.GrahaNames[g] = kGrahaNames[g];
    }

    bool analytical = false;
    const auto take = [&](int graha, SweBody body) {
        const SweLongitude found = SweSiderealLongitude(jd, body, zodiac);
        if (!found.Ok) {
            ClearPositions(chart);
            chart.SkyName = SkyNameOf(settings, "unavailable: " + found.Error);
            return false;
        }
        analytical = analytical || found.Source == SweSource::Analytical;
        chart.GrahaLongitudes[graha] = ReduceDegrees(found.Degrees);
        chart.GrahaRetrograde[graha] = found.DegreesPerDay < 0;
        return true;
    };
    for (std::size_t g = 0; g < kGrahaBodies.size(); ++g) {
        if (!take(static_cast<int>(g), kGrahaBodies[g])) {
            return false;
        }
    }
    if (!take(kRahu, NodeBody(settings.Node))) {
        return false;
    }
    chart.GrahaLongitudes[kKetu] = ReduceDegrees(chart.GrahaLongitudes[kRahu] + kHalfCircle);
    chart.GrahaRetrograde[kKetu] = chart.GrahaRetrograde[kRahu];

    const std::optional<SweSite> site = SiteOf(chart);
    const double lagna = site ? SweSiderealAscendant(jd, site->Latitude, site->Longitude, zodiac)
                              : std::numeric_limits<double>::quiet_NaN();
    chart.LagnaLongitude = std::isfinite(lagna) ? ReduceDegrees(lagna) : lagna;
    // The positions are apparent ones, so the ayanamsa taken off them is the
    // true one, nutation included.
    chart.AyanamsaDegrees = SweAyanamsaUt(jd, zodiac, AyanamsaKind::True);

    for (int b = 0; b < kTheoryBodyCount; ++b) {
        chart.TheoryPositionTexts[b] = FormatSignPosition(chart.GrahaLongitudes[kTheoryGrahas[b]]);
    }
    chart.MoonPositionText = FormatSignPosition(chart.GrahaLongitudes[kMoon]);
    chart.RahuText = FormatSignPosition(chart.GrahaLongitudes[kRahu]);
    chart.KetuText = FormatSignPosition(chart.GrahaLongitudes[kKetu]);
    for (int g = 0; g < kGrahaCount; ++g) {
        chart.PlanetPositionTexts[g] = ShortSignPosition(chart.GrahaLongitudes[g]);
    }
    chart.SkyName = SkyNameOf(settings, analytical ? kAnalyticalSource : kFilesSource);
    return true;
}

bool ComputePreciseSkyPositions(ChartState& chart, const PreciseSettings& settings,
                                unsigned bodies) {
    const double jd = PreciseJulianDayUt(chart);
    if (!FromSharedInstant(chart, settings, jd, bodies) && !ComputePreciseSkyAt(chart, settings, jd)) {
        return false;
    }
    // Only what was asked for, whichever way it was found: the answer then
    // depends on the birth alone, not on what the thread did before.
    for (int g = kSun; g <= kSaturn; ++g) {
        if ((bodies >> g & 1U) == 0) {
            chart.GrahaLongitudes[g] = std::numeric_limits<double>::quiet_NaN();
            chart.PlanetPositionTexts[g].clear();
        }
    }
    return true;
}

}  // namespace tavrinel
