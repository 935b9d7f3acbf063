// The one door to the packaged GeoNames cities.
#pragma once

#include <vector>

#include "atlas/place.h"

namespace tavrinel::atlas {

// Every city of the packaged data (GeoNames, CC-BY 4.0).
[[nodiscard]] std::vector<Place> LoadPackagedPlaces();

}  // namespace tavrinel::atlas
