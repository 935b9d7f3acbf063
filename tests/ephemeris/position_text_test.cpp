#include "ephemeris/position_text.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace tavrinel {
namespace {

struct TextCase {
    double longitude;
    const char* longText;
    const char* shortText;
};

// Reference rows of the position text formats (truncation, no carry, magnitude).
// 360 is outside the engines' range; it wraps to Aries instead of reading past
// the sign table.
const TextCase kTextCases[] = {
    {256.525641108778, "16\u00B0 31' 32\" Sag", "16 Sag 31"},
    {248.052033458206, "8\u00B0 3' 7\" Sag", "08 Sag 03"},
    {0, "0\u00B0 0' 0\" Ari", "00 Ari 00"},
    {29.9999999, "29\u00B0 59' 59\" Ari", "29 Ari 59"},
    {-15.5, "15\u00B0 30' 0\" Ari", "15 Ari 30"},
    {359.99, "29\u00B0 59' 24\" Pis", "29 Pis 59"},
    {360, "0\u00B0 0' 0\" Ari", "00 Ari 00"},
};

TEST(PositionText, LongAndShortForms) {
    for (const TextCase& c : kTextCases) {
        SCOPED_TRACE(c.longitude);
        const std::string longText = FormatSignPosition(c.longitude);
        EXPECT_EQ(longText, c.longText);
        EXPECT_EQ(ShortPositionText(longText), std::optional<std::string>(c.shortText));
        EXPECT_EQ(ShortSignPosition(c.longitude), c.shortText);
    }
}

TEST(PositionText, ShortFormIgnoresSurroundingSpaces) {
    EXPECT_EQ(ShortPositionText("  5\u00B0 7' 3\" Tau"), std::optional<std::string>("05 Tau 07"));
}

TEST(PositionText, MalformedLongFormIsRefused) {
    for (const char* text :
         {"", "16 Sag 31", "16\u00B0 31 32 Sag", "1'6\u00B0 31 Sag", "16'\u00B0 31 Sag"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ShortPositionText(text), std::nullopt);
    }
}

TEST(PositionText, NonFiniteLongitudeGivesATextThatIsRefused) {
    for (double x :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(ShortPositionText(FormatSignPosition(x)), std::nullopt);
        EXPECT_EQ(ShortSignPosition(x), "");
    }
}

}  // namespace
}  // namespace tavrinel
