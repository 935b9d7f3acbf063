// The library and the GLib it brings are opened on the first look-up, not
// linked: linked, they would be loaded at every start of the window, which
// only needs them once the user types a city.
#include "atlas/geonames_source.h"

#include <dlfcn.h>
#include <geonames.h>

#include <memory>

namespace tavrinel::atlas {

namespace {

constexpr const char* kLibrary = "libgeonames.so.0";

struct GeonamesApi {
    decltype(&geonames_get_n_cities) Count = nullptr;
    decltype(&geonames_get_city) City = nullptr;
    decltype(&geonames_city_free) Free = nullptr;
    decltype(&geonames_city_get_name) Name = nullptr;
    decltype(&geonames_city_get_state) State = nullptr;
    decltype(&geonames_city_get_country) Country = nullptr;
    decltype(&geonames_city_get_timezone) Zone = nullptr;
    decltype(&geonames_city_get_latitude) Latitude = nullptr;
    decltype(&geonames_city_get_longitude) Longitude = nullptr;
    decltype(&geonames_city_get_population) Population = nullptr;
};

template <typename Function>
bool Bind(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// The functions, or nothing when the library cannot be opened; it stays
// open for the program's life.
std::unique_ptr<GeonamesApi> OpenLibrary() {
    void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        return nullptr;
    }
    auto api = std::make_unique<GeonamesApi>();
    const bool bound =
        Bind(library, "geonames_get_n_cities", api->Count) &&
        Bind(library, "geonames_get_city", api->City) &&
        Bind(library, "geonames_city_free", api->Free) &&
        Bind(library, "geonames_city_get_name", api->Name) &&
        Bind(library, "geonames_city_get_state", api->State) &&
        Bind(library, "geonames_city_get_country", api->Country) &&
        Bind(library, "geonames_city_get_timezone", api->Zone) &&
        Bind(library, "geonames_city_get_latitude", api->Latitude) &&
        Bind(library, "geonames_city_get_longitude", api->Longitude) &&
        Bind(library, "geonames_city_get_population", api->Population);
    return bound ? std::move(api) : nullptr;
}

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

}  // namespace

std::vector<Place> LoadPackagedPlaces() {
    std::vector<Place> places;
    const std::unique_ptr<GeonamesApi> api = OpenLibrary();
    if (!api) {
        return places;
    }
    const int count = api->Count();
    if (count <= 0) {
        return places;
    }
    places.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        GeonamesCity* city = api->City(i);
        if (!city) {
            continue;
        }
        places.push_back(Place{Text(api->Name(city)), Text(api->State(city)),
                               Text(api->Country(city)), Text(api->Zone(city)),
                               api->Latitude(city), api->Longitude(city), api->Population(city)});
        api->Free(city);
    }
    return places;
}

}  // namespace tavrinel::atlas
