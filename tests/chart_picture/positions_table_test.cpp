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
        const char* LagnaNote;
    } cases[] = {
        {std::string(kDocumentedSkyName), "Lagna: As documented (v1.15), local sidereal time"},
        {"Another sky", "Lagna: Another sky"},
        {"", "Lagna: not calculated"},
    };
    for (const auto& c : cases) {
        ChartState chart;
        chart.SkyName = c.Sky;
        const PositionsTable table = BuildPositionsTable(chart);
        ASSERT_EQ(table.Sources.size(), 3u);
        EXPECT_EQ(table.Sources[1].rfind(c.LagnaNote, 0), 0u) << table.Sources[1];
        const std::string text = PositionsTableText(table);
        EXPECT_NE(text.find("\nLagna    -\n"), std::string::npos) << text;
        // Nothing calculated, nothing shown: not nine grahas at 0° Aries.
        EXPECT_EQ(text.find("Ashwini") == std::string::npos, c.Sky.empty()) << text;
    }
}

}  // namespace
}  // namespace tavrinel
