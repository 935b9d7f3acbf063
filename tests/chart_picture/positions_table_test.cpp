// Rows of the positions table: the short text in the reading's own form
// ("16 Sag 31", truncated, never rounded up into the next sign), and notes
// naming the calculation behind each kind of value.
#include "chart_picture/positions_table.h"

#include <gtest/gtest.h>

#include <limits>

#include "ephemeris/documented_sky.h"

namespace tavrinel {
namespace {

TEST(PositionsTable, RowsTruncateLikeThePositionTexts) {
    const struct {
        double Longitude;
        const char* Text;
        int Sign, Degrees, Minutes;
    } cases[] = {
        {0, "00 Ari 00", 0, 0, 0},
        {256.525641108778, "16 Sag 31", 8, 16, 31},
        {29.9999999, "29 Ari 59", 0, 29, 59},
        {30, "00 Tau 00", 1, 0, 0},
        {359.99999, "29 Pis 59", 11, 29, 59},
        {360, "00 Ari 00", 0, 0, 0},
        {-15.5, "14 Pis 30", 11, 14, 30},  // a turn short of 344°30'
    };
    for (const auto& c : cases) {
        const PositionRow row = MakePositionRow("Su", "Sun", c.Longitude);
        EXPECT_TRUE(row.Known);
        EXPECT_EQ(row.PositionText, c.Text) << c.Longitude;
        EXPECT_EQ(row.Sign, c.Sign) << c.Longitude;
        EXPECT_EQ(row.Degrees, c.Degrees) << c.Longitude;
        EXPECT_EQ(row.Minutes, c.Minutes) << c.Longitude;
    }
    EXPECT_FALSE(MakePositionRow("La", "Lagna", std::numeric_limits<double>::quiet_NaN()).Known);
}

TEST(PositionsTable, NotesNameTheSkyOfEachValue) {
    const struct {
        std::string Sky;
        double Ayanamsa;
        const char* LagnaNote;
        const char* AyanamsaNote;
    } cases[] = {
        {std::string(kDocumentedSkyName), 23.729617292720242,
         "Lagna: As documented (v1.15), local sidereal time at the birth's Universal Time (clock "
         "time less the zone's offset and any daylight-saving hour)",
         "Ayanamsa: As documented (v1.15), the planet engine's own, 23°43'47\""},
        {"Another sky", 23.853222486, "Lagna: Another sky", "Ayanamsa: Another sky, 23°51'12\""},
        {"", std::numeric_limits<double>::quiet_NaN(), "Lagna: not calculated",
         "Ayanamsa: not calculated"},
    };
    for (const auto& c : cases) {
        ChartState chart;
        chart.SkyName = c.Sky;
        chart.AyanamsaDegrees = c.Ayanamsa;
        const PositionsTable table = BuildPositionsTable(chart);
        ASSERT_EQ(table.Sources.size(), 4u);
        EXPECT_EQ(table.Sources[1].rfind(c.LagnaNote, 0), 0u) << table.Sources[1];
        EXPECT_EQ(table.Sources[3], c.AyanamsaNote);
        const std::string text = PositionsTableText(table);
        EXPECT_NE(text.find("\nLagna    -\n"), std::string::npos) << text;
        // Nothing calculated, nothing shown: not nine grahas at 0° Aries.
        EXPECT_EQ(text.find("Ashwini") == std::string::npos, c.Sky.empty()) << text;
    }
}

TEST(PositionsTable, AnglesToTheSecond) {
    const struct {
        double Degrees;
        const char* Text;
    } cases[] = {
        {0, "0°00'00\""},
        {23.729617292720242, "23°43'47\""},  // 23°43'46.62"
        {23 + 59 / 60.0 + 59.6 / 3600, "24°00'00\""},  // the carry reaches the degrees
        {23 + 44.4 / 3600, "23°00'44\""},
        {-1.5, "-1°30'00\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ArcSecondsText(c.Degrees), c.Text) << c.Degrees;
    }
}

}  // namespace
}  // namespace tavrinel
