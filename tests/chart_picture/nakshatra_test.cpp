// Mansions of 13°20' from 0° Aries, quarters of 3°20', lords in the cycle
// Ketu, Venus, Sun, Moon, Mars, Rahu, Jupiter, Saturn, Mercury: the expected
// values below are read off those definitions by hand.
#include "chart_picture/nakshatra.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace tavrinel {
namespace {

double Dm(int degrees, double minutes) {
    return degrees + minutes / 60;
}

struct Boundary {
    double Longitude;
    const char* Name;
    int Pada;
    Graha Lord;
};

TEST(Nakshatra, BoundariesPadasAndLords) {
    const Boundary cases[] = {
        {0, "Ashwini", 1, kKetu},
        {Dm(3, 19.99), "Ashwini", 1, kKetu},
        {Dm(3, 20), "Ashwini", 2, kKetu},
        {Dm(6, 40), "Ashwini", 3, kKetu},
        {Dm(10, 0), "Ashwini", 4, kKetu},
        {Dm(13, 19.99), "Ashwini", 4, kKetu},
        {Dm(13, 20), "Bharani", 1, kVenus},
        {Dm(26, 40), "Krittika", 1, kSun},
        {Dm(40, 0), "Rohini", 1, kMoon},
        {Dm(53, 20), "Mrigashira", 1, kMars},
        {Dm(66, 40), "Ardra", 1, kRahu},
        {Dm(80, 0), "Punarvasu", 1, kJupiter},
        {Dm(93, 20), "Pushya", 1, kSaturn},
        {Dm(106, 40), "Ashlesha", 1, kMercury},
        {120, "Magha", 1, kKetu},
        {Dm(146, 40), "Uttara Phalguni", 1, kSun},
        {240, "Mula", 1, kKetu},
        {Dm(253, 20), "Purva Ashadha", 1, kVenus},
        {Dm(333, 20), "Uttara Bhadrapada", 1, kSaturn},
        {Dm(346, 40), "Revati", 1, kMercury},
        {Dm(356, 40), "Revati", 4, kMercury},
        {Dm(359, 59), "Revati", 4, kMercury},
        {360, "Ashwini", 1, kKetu},
        {-Dm(0, 1), "Revati", 4, kMercury},
        {Dm(388, 40), "Krittika", 1, kSun},  // 28°40' past a whole turn
    };
    for (const Boundary& c : cases) {
        const int index = NakshatraIndex(c.Longitude);
        ASSERT_GE(index, 0) << c.Longitude;
        EXPECT_EQ(std::string(kNakshatraNames[static_cast<std::size_t>(index)]), c.Name)
            << c.Longitude;
        EXPECT_EQ(NakshatraPada(c.Longitude), c.Pada) << c.Longitude;
        EXPECT_EQ(NakshatraLord(index), c.Lord) << c.Longitude;
    }
}

TEST(Nakshatra, EveryMansionByNameInOrder) {
    // The traditional order, from 0° Aries; each checked at its middle.
    const char* const names[] = {
        "Ashwini",        "Bharani",       "Krittika",          "Rohini",
        "Mrigashira",     "Ardra",         "Punarvasu",         "Pushya",
        "Ashlesha",       "Magha",         "Purva Phalguni",    "Uttara Phalguni",
        "Hasta",          "Chitra",        "Swati",             "Vishakha",
        "Anuradha",       "Jyeshtha",      "Mula",              "Purva Ashadha",
        "Uttara Ashadha", "Shravana",      "Dhanishta",         "Shatabhisha",
        "Purva Bhadrapada", "Uttara Bhadrapada", "Revati"};
    ASSERT_EQ(std::size(names), kNakshatraNames.size());
    for (std::size_t i = 0; i < std::size(names); ++i) {
        const int index = NakshatraIndex(Dm(static_cast<int>(i) * 13 + 6, i * 20.0 + 40));
        ASSERT_GE(index, 0) << i;
        EXPECT_EQ(std::string(kNakshatraNames[static_cast<std::size_t>(index)]), names[i]) << i;
    }
}

TEST(Nakshatra, NoNumberHasNoMansion) {
    for (double x :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(NakshatraIndex(x), -1);
        EXPECT_EQ(NakshatraPada(x), 0);
    }
}

}  // namespace
}  // namespace tavrinel
