#include "dasha/dasha_time.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstdio>

#include "ephemeris/precise_sky.h"

namespace tavrinel {

namespace {

constexpr double kSecondsPerDay = 86400;
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;
constexpr double kMinutesPerHour = 60;
constexpr double kHoursPerDay = 24;
// A Julian Day begins at noon, the civil day at the midnight before it.
constexpr double kNoonToMidnightDays = 0.5;

struct CalendarDay {
    int Year;
    int Month;
    int Day;
};

// Fliegel and Van Flandern's inverse (Communications of the ACM 11, 1968):
// Gregorian date of the day whose noon has this Julian Day number.
CalendarDay DateOfDayNumber(long dayNumber) {
    long l = dayNumber + 68569;
    const long n = 4 * l / 146097;
    l = l - (146097 * n + 3) / 4;
    const long i = 4000 * (l + 1) / 1461001;
    l = l - 1461 * i / 4 + 31;
    const long j = 80 * l / 2447;
    const long day = l - 2447 * j / 80;
    l = j / 11;
    const long month = j + 2 - 12 * l;
    const long year = 100 * (n - 49) + i + l;
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

}  // namespace

double ZoneShiftHoursOf(const ChartState& chart) {
    if (chart.ExactUtcOffsetSeconds) {
        return -*chart.ExactUtcOffsetSeconds / static_cast<double>(kSecondsPerHour);
    }
    return chart.ZoneShiftHours + chart.ZoneShiftMinutes / kMinutesPerHour;
}

CivilTime CivilFromJulianDay(double julianDayUt, double zoneShiftHours) {
    // Whole seconds from the civil midnight that begins day number 0.
    const double local = julianDayUt + kNoonToMidnightDays - zoneShiftHours / kHoursPerDay;
    const auto seconds = static_cast<long long>(std::llround(local * kSecondsPerDay));
    const auto perDay = static_cast<long long>(kSecondsPerDay);
    long long days = seconds / perDay;
    long long within = seconds % perDay;
    if (within < 0) {
        within += perDay;
        --days;
    }
    const CalendarDay date = DateOfDayNumber(static_cast<long>(days));
    CivilTime civil;
    civil.Year = date.Year;
    civil.Month = date.Month;
    civil.Day = date.Day;
    civil.Hour = static_cast<int>(within / kSecondsPerHour);
    civil.Minute = static_cast<int>(within % kSecondsPerHour / kSecondsPerMinute);
    civil.Second = static_cast<int>(within % kSecondsPerMinute);
    return civil;
}

double JulianDayFromCivil(const CivilTime& civil, double zoneShiftHours) {
    const double hours = civil.Hour + civil.Minute / kMinutesPerHour +
                         civil.Second / (kMinutesPerHour * kMinutesPerHour) + zoneShiftHours;
    return JulianDayAtMidnight(civil.Year, civil.Month, civil.Day) + hours / kHoursPerDay;
}

std::string IsoUtc(double julianDayUt) {
    const CivilTime t = CivilFromJulianDay(julianDayUt);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.Year, t.Month, t.Day,
                  t.Hour, t.Minute, t.Second);
    return text;
}

namespace {

std::string MinuteText(const CivilTime& civil) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", civil.Year, civil.Month,
                  civil.Day, civil.Hour, civil.Minute);
    return text;
}

CivilTime WholeMinute(CivilTime civil) {
    civil.Second = 0;
    return civil;
}

}  // namespace

std::string CivilText(const CivilTime& civil) {
    if (civil.Second == 0) {
        return MinuteText(civil);
    }
    // The calendar's carries (into the hour, the day, the year) are the
    // Julian Day's to make.
    const double next = JulianDayFromCivil(WholeMinute(civil)) + kSecondsPerMinute / kSecondsPerDay;
    return MinuteText(WholeMinute(CivilFromJulianDay(next)));
}

std::string CivilText(double julianDayUt, double zoneShiftHours) {
    if (!std::isfinite(julianDayUt) || !std::isfinite(zoneShiftHours)) {
        return {};
    }
    // The minute is found with the conversion a typed moment goes through,
    // so the comparison with the instant is the one the running periods make.
    CivilTime minute = WholeMinute(CivilFromJulianDay(julianDayUt, zoneShiftHours));
    double at = JulianDayFromCivil(minute, zoneShiftHours);
    while (at < julianDayUt) {
        minute = WholeMinute(
            CivilFromJulianDay(at + kSecondsPerMinute / kSecondsPerDay, zoneShiftHours));
        at = JulianDayFromCivil(minute, zoneShiftHours);
    }
    return MinuteText(minute);
}

double MomentUt(const ChosenMoment& moment, const ChartState& chart) {
    return JulianDayFromCivil(moment.Civil, moment.Utc ? 0.0 : ZoneShiftHoursOf(chart));
}

double NowUt() {
    // The Unix epoch, 1970-01-01 00:00 UT.
    constexpr double kUnixEpochJulianDay = 2440587.5;
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return kUnixEpochJulianDay + std::chrono::duration<double>(since).count() / kSecondsPerDay;
}

std::string ZoneOffsetText(double zoneShiftHours) {
    const long east = std::lround(-zoneShiftHours * kSecondsPerHour);
    const long seconds = std::labs(east);
    char text[48];
    std::snprintf(text, sizeof text, "%c%02ld:%02ld", east < 0 ? '-' : '+',
                  seconds / kSecondsPerHour, seconds % kSecondsPerHour / kSecondsPerMinute);
    std::string offset = text;
    // A local mean time kept its seconds; the dates are read on that clock.
    if (seconds % kSecondsPerMinute != 0) {
        std::snprintf(text, sizeof text, ":%02ld", seconds % kSecondsPerMinute);
        offset += text;
    }
    return offset;
}

}  // namespace tavrinel
