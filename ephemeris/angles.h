// Bringing an angle in degrees into [0, 360), the one rule for every value
// the new skies, the Lagna and the pictures share. (The documented engines
// keep their own loops and bounds, as they were written.)
#pragma once

#include <cmath>

namespace tavrinel {

[[nodiscard]] inline double ReduceDegrees(double degrees) {
    double x = std::fmod(degrees, 360.0);
    if (x < 0) {
        x += 360.0;
    }
    // A tiny negative angle comes back as 360 itself after the addition.
    return x >= 360.0 ? 0.0 : x;
}

}  // namespace tavrinel
