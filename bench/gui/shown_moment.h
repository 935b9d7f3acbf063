// The moment a probe's window is on screen, printed as microseconds since the
// epoch so that measure.sh can subtract the moment it launched the probe
// (bash's EPOCHREALTIME) and leave the exit out of the start-up time.
#pragma once

#include <chrono>
#include <cstdio>

inline void PrintShownMoment() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("%lld\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    std::fflush(stdout);
}
