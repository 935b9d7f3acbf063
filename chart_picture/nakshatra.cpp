#include "chart_picture/nakshatra.h"

#include <cmath>

namespace tavrinel {

namespace {

constexpr double kMinutesPerCircle = 360 * 60;
constexpr double kMinutesPerPada = 200;  // 3°20'
// A boundary written in degrees and minutes (13 + 20/60) can land a few
// units in the last place below the exact value; it still belongs to the
// mansion that begins there.
constexpr double kBoundarySlackMinutes = 1e-7;

// Quarters of a mansion counted from 0° Aries, 0-107, or -1.
int PadaCount(double longitude) {
    if (!std::isfinite(longitude)) {
        return -1;
    }
    double minutes = std::fmod(longitude * 60, kMinutesPerCircle);
    if (minutes < 0) {
        minutes += kMinutesPerCircle;
    }
    const int count =
        static_cast<int>(std::floor((minutes + kBoundarySlackMinutes) / kMinutesPerPada));
    return count % (kNakshatraCount * kPadasPerNakshatra);
}

}  // namespace

int NakshatraIndex(double longitude) {
    const int count = PadaCount(longitude);
    return count < 0 ? -1 : count / kPadasPerNakshatra;
}

int NakshatraPada(double longitude) {
    const int count = PadaCount(longitude);
    return count < 0 ? 0 : count % kPadasPerNakshatra + 1;
}

Graha NakshatraLord(int nakshatra) {
    const int n = ((nakshatra % kNakshatraCount) + kNakshatraCount) % kNakshatraCount;
    return kNakshatraLordCycle[static_cast<std::size_t>(n) % kNakshatraLordCycle.size()];
}

}  // namespace tavrinel
