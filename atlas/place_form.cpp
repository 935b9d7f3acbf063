#include "atlas/place_form.h"

#include <cmath>
#include <cstdio>

#include "atlas/name_folding.h"

namespace tavrinel::atlas {

BoxAngle ToBoxAngle(double degrees) {
    constexpr int kMinutesPerDegree = 60;
    const long minutes = std::lround(std::fabs(degrees) * kMinutesPerDegree);
    return {static_cast<int>(minutes / kMinutesPerDegree),
            static_cast<int>(minutes % kMinutesPerDegree), degrees >= 0};
}

std::string CoordinatesText(const Place& place) {
    const BoxAngle lat = ToBoxAngle(place.Latitude);
    const BoxAngle lon = ToBoxAngle(place.Longitude);
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d%c %d:%02d%c", lat.Degrees, lat.Minutes,
                  lat.Positive ? 'N' : 'S', lon.Degrees, lon.Minutes, lon.Positive ? 'E' : 'W');
    return text;
}

void FillPlace(const Place& place, BirthForm& form) {
    for (const auto& [text, box] : {std::pair{&place.Name, &form.City},
                                    {&place.State, &form.State},
                                    {&place.Country, &form.Country}}) {
        if (auto folded = FoldForBox(*text)) {
            *box = std::move(*folded);
        }
    }
    const BoxAngle lat = ToBoxAngle(place.Latitude);
    const BoxAngle lon = ToBoxAngle(place.Longitude);
    form.LatDeg = std::to_string(lat.Degrees);
    form.LatMin = std::to_string(lat.Minutes);
    form.Latitude = lat.Positive ? LatitudeChoice::North : LatitudeChoice::South;
    form.LonDeg = std::to_string(lon.Degrees);
    form.LonMin = std::to_string(lon.Minutes);
    form.Longitude = lon.Positive ? LongitudeChoice::East : LongitudeChoice::West;
}

FormLongitude LongitudeOf(const Place& place) {
    const BoxAngle lon = ToBoxAngle(place.Longitude);
    return {lon.Degrees, lon.Minutes, lon.Positive};
}

LocalDateTime LocalTimeOf(const BirthForm& form) {
    return {kFirstYear + form.YearIndex, form.MonthIndex + 1, form.DayIndex + 1, form.HourIndex,
            form.MinuteIndex};
}

}  // namespace tavrinel::atlas
