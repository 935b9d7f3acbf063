#include "atlas/geonames_source.h"

#include <geonames.h>

#include <memory>

namespace tavrinel::atlas {

namespace {

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

struct CityDeleter {
    void operator()(GeonamesCity* city) const { geonames_city_free(city); }
};

}  // namespace

std::vector<Place> LoadPackagedPlaces() {
    std::vector<Place> places;
    const int count = geonames_get_n_cities();
    if (count <= 0) {
        return places;
    }
    places.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::unique_ptr<GeonamesCity, CityDeleter> city(geonames_get_city(i));
        if (!city) {
            continue;
        }
        GeonamesCity* c = city.get();
        places.push_back(Place{Text(geonames_city_get_name(c)), Text(geonames_city_get_state(c)),
                               Text(geonames_city_get_country(c)),
                               Text(geonames_city_get_timezone(c)),
                               geonames_city_get_latitude(c), geonames_city_get_longitude(c),
                               geonames_city_get_population(c)});
    }
    return places;
}

}  // namespace tavrinel::atlas
