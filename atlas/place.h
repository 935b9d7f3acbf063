// A place of the atlas and a local clock reading, as plain values: whatever
// source the places come from, the rest of the program sees only these.
#pragma once

#include <cstdint>
#include <string>

namespace tavrinel::atlas {

struct Place {
    std::string Name;     // UTF-8, as the source spells it
    std::string State;
    std::string Country;
    std::string Zone;     // IANA time-zone name, e.g. "Asia/Kolkata"
    double Latitude = 0;  // degrees, north positive
    double Longitude = 0; // degrees, east positive
    std::uint32_t Population = 0;
};

// A civil date and clock time at a place. Hour 24 is the midnight that ends
// the day, as the form's hour list offers it.
struct LocalDateTime {
    int Year = 0;
    int Month = 0;  // 1 = January
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
};

}  // namespace tavrinel::atlas
