#include "strength/strength_sky.h"

#include <cmath>

#include "ephemeris/angles.h"

namespace tavrinel {

namespace {

constexpr double kHalfCircle = 180;
// Degrees the Sun's hour angle turns in a day.
constexpr double kCircle = 360;
// Searched from this far past a sunrise, the library's estimate of the next
// event cannot be the same sunrise again: its estimate is at most minutes off.
constexpr double kPastEventDays = 0.01;
// A sunrise a day before the birth is where the search for the last one
// begins; when none came since, it begins a day earlier.
constexpr double kDay = 1;

}  // namespace

std::optional<StrengthDay> FindStrengthDay(double jd, const SweSite& site, double sunHourAngle) {
    std::optional<double> sunrise = SweHinduSunrise(jd - kDay, site, true);
    if (sunrise && *sunrise > jd) {
        sunrise = SweHinduSunrise(jd - 2 * kDay, site, true);
    }
    if (!sunrise || *sunrise > jd) {
        return std::nullopt;
    }
    // The library's search costs as much as a chart; away from the polar
    // circles the next sunrise comes a day later give or take minutes, and
    // the steps polish that guess into the same instant. The search answers
    // where they do not settle.
    const auto nextSunrise = [&](double after) {
        std::optional<double> next = SweHinduSunEventNear(after + kDay, site, true);
        if (!next || *next <= after + kPastEventDays) {
            next = SweHinduSunrise(after + kPastEventDays, site, true);
        }
        return next;
    };
    std::optional<double> next = nextSunrise(*sunrise);
    // Days shorter than a clock day can put two sunrises within the day
    // before the birth: the later one is the day's.
    while (next && *next <= jd) {
        sunrise = next;
        next = nextSunrise(*sunrise);
    }
    if (!next) {
        return std::nullopt;
    }
    // The sunset falls as long after the day's transit as the sunrise
    // before it; the birth's hour angle dates the transit.
    const double nearestTransit = jd - sunHourAngle / kCircle;
    const double transit = nearestTransit + std::ceil(*sunrise - nearestTransit);
    std::optional<double> sunset = SweHinduSunEventNear(2 * transit - *sunrise, site, false);
    if (!sunset || *sunset <= *sunrise || *sunset >= *next) {
        sunset = SweHinduSunrise(*sunrise + kPastEventDays, site, false);
    }
    if (!sunset || *sunset >= *next) {
        return std::nullopt;
    }
    return StrengthDay{*sunrise, *sunset, *next};
}

std::optional<StrengthInputs> PreciseStrengthInputs(const ChartState& chart,
                                                    const PreciseSettings& settings,
                                                    std::string& error) {
    const std::optional<SweSite> place = PreciseSite(chart);
    if (!place) {
        error = "the birth place is off the globe or at a pole, where nothing rises";
        return std::nullopt;
    }
    return StrengthInputsAt(PreciseJulianDayUt(chart), *place, settings, error);
}

std::optional<StrengthInputs> StrengthInputsAt(double jd, const SweSite& site,
                                               const PreciseSettings& settings, std::string& error) {
    const SweBody node = settings.Node == NodeKind::True ? SweBody::TrueNode : SweBody::MeanNode;
    const SweMotionSky sky = SweSiderealMotionSky(jd, node, PreciseZodiac(settings.Zodiac), site);
    if (!sky.Ok) {
        error = sky.Error;
        return std::nullopt;
    }
    StrengthInputs in;
    in.SkyName = "Precise (Swiss Ephemeris), ";
    in.SkyName += AyanamsaTitle(settings.Zodiac);
    in.SkyName += ", ";
    in.SkyName += NodeTitle(settings.Node);
    in.SkyName += sky.Source == SweSource::Analytical ? ", analytical ephemeris" : ", ephemeris files";
    in.JulianDayUt = jd;
    in.Latitude = site.Latitude;
    in.Longitude = site.Longitude;
    in.AyanamsaDegrees = sky.Ayanamsa;
    for (int g = kSun; g <= kRahu; ++g) {
        const SweBodyMotion& body = sky.Bodies[static_cast<std::size_t>(g)];
        in.Longitudes[g] = body.Degrees;
        in.DegreesPerDay[g] = body.DegreesPerDay;
        in.EclipticLatitudes[g] = body.Latitude;
    }
    in.Longitudes[kKetu] = ReduceDegrees(in.Longitudes[kRahu] + kHalfCircle);
    in.DegreesPerDay[kKetu] = in.DegreesPerDay[kRahu];
    in.EclipticLatitudes[kKetu] = -in.EclipticLatitudes[kRahu];
    in.Lagna = ReduceDegrees(sky.Ascendant);
    in.Midheaven = sky.Midheaven;
    in.SunHourAngle = sky.SunHourAngle;
    in.Day = FindStrengthDay(jd, site, sky.SunHourAngle);
    return in;
}

}  // namespace tavrinel
