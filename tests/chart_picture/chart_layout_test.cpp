// The layout without pixels: where signs and houses go, and that crowded
// cells keep every label apart and inside its cell.
#include "chart_picture/chart_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <set>
#include <string>

#include "chart_picture/svg_picture.h"
#include "ephemeris/position_text.h"

namespace tavrinel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// 600 pixels across, a 7-pixel text is the smallest still read comfortably.
constexpr double kSmallestLegibleSize = 7.0 / 600;

// Grahas at the given longitudes, the Lagna at `lagna`.
PositionsTable TableWith(const std::array<double, kGrahaCount>& longitudes, double lagna,
                         bool retrograde = false) {
    PositionsTable table;
    table.PersonName = "Test & <Co>";
    for (int g = 0; g < kGrahaCount; ++g) {
        PositionRow& row = table.Grahas[static_cast<std::size_t>(g)];
        row = MakePositionRow(kGrahaAbbreviations[static_cast<std::size_t>(g)], "x",
                              longitudes[static_cast<std::size_t>(g)]);
        row.Dignity = Dignity::Peregrine;
        row.Retrograde = retrograde;
    }
    table.Lagna = MakePositionRow(kLagnaAbbreviation, "Lagna", lagna);
    return table;
}

bool Inside(const std::vector<PicturePoint>& polygon, double x, double y) {
    // Convex outline: the point is on the same side of every edge.
    int sign = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const PicturePoint& a = polygon[i];
        const PicturePoint& b = polygon[(i + 1) % polygon.size()];
        const double cross = (b.X - a.X) * (y - a.Y) - (b.Y - a.Y) * (x - a.X);
        if (std::fabs(cross) < 1e-12) {
            continue;
        }
        const int s = cross > 0 ? 1 : -1;
        if (sign != 0 && s != sign) {
            return false;
        }
        sign = s;
    }
    return true;
}

const PictureCell* CellAt(const ChartPicture& picture, double x, double y) {
    for (const PictureCell& cell : picture.Cells) {
        if (Inside(cell.Outline, x, y)) {
            return &cell;
        }
    }
    return nullptr;
}

void ExpectLegibleAndApart(const ChartPicture& picture, const std::string& what) {
    std::set<int> grahas;
    for (std::size_t i = 0; i < picture.Labels.size(); ++i) {
        const PictureLabel& a = picture.Labels[i];
        for (std::size_t j = i + 1; j < picture.Labels.size(); ++j) {
            EXPECT_FALSE(a.Box.Overlaps(picture.Labels[j].Box))
                << what << ": '" << a.Text << "' and '" << picture.Labels[j].Text << "'";
        }
        if (a.Role == LabelRole::Graha || a.Role == LabelRole::Lagna) {
            grahas.insert(a.Graha);
            EXPECT_GE(a.Size, kSmallestLegibleSize) << what << ": " << a.Text;
            const auto& outline = picture.Cells[static_cast<std::size_t>(a.Cell)].Outline;
            for (const auto& [x, y] : {std::pair{a.Box.X, a.Box.Y},
                                       {a.Box.X + a.Box.Width, a.Box.Y},
                                       {a.Box.X, a.Box.Y + a.Box.Height},
                                       {a.Box.X + a.Box.Width, a.Box.Y + a.Box.Height}}) {
                EXPECT_TRUE(Inside(outline, x, y)) << what << ": " << a.Text << " leaves its cell";
            }
        }
    }
    EXPECT_EQ(grahas.size(), 10u) << what;  // nine grahas and the Lagna (-1)
}

TEST(ChartLayout, NineGrahasAndTheLagnaInOneSignStayApart) {
    for (int sign = 0; sign < kSignCount; ++sign) {
        std::array<double, kGrahaCount> longitudes;
        for (int g = 0; g < kGrahaCount; ++g) {
            longitudes[static_cast<std::size_t>(g)] = sign * 30 + 20 + g;  // "Su 20°00' (R)"
        }
        const PositionsTable table = TableWith(longitudes, sign * 30 + 29.5, true);
        ExpectLegibleAndApart(LayoutSouthIndian(table), "south, sign " + std::to_string(sign));
        ExpectLegibleAndApart(LayoutNorthIndian(table),
                              "north, Lagna sign " + std::to_string(sign));
    }
}

TEST(ChartLayout, SouthIndianSignsSitInTheirFixedCells) {
    // Pisces top left, then clockwise round the frame.
    const struct {
        double Longitude;
        double X, Y;  // a point well inside the expected cell
    } cases[] = {
        {345, 0.125, 0.125}, {5, 0.375, 0.125},   {35, 0.625, 0.125},  {65, 0.875, 0.125},
        {95, 0.875, 0.375},  {125, 0.875, 0.625}, {155, 0.875, 0.875}, {185, 0.625, 0.875},
        {215, 0.375, 0.875}, {245, 0.125, 0.875}, {275, 0.125, 0.625}, {305, 0.125, 0.375},
    };
    for (const auto& c : cases) {
        std::array<double, kGrahaCount> longitudes;
        longitudes.fill(kNaN);
        longitudes[kSun] = c.Longitude;
        const ChartPicture picture = LayoutSouthIndian(TableWith(longitudes, c.Longitude));
        const PictureCell* expected = CellAt(picture, c.X, c.Y);
        ASSERT_NE(expected, nullptr);
        EXPECT_EQ(expected->Fill, kLagnaFillColour) << c.Longitude;
        int found = 0;
        for (const PictureLabel& label : picture.Labels) {
            if (label.Role == LabelRole::Graha) {
                ++found;
                EXPECT_EQ(&picture.Cells[static_cast<std::size_t>(label.Cell)], expected)
                    << c.Longitude;
            }
        }
        EXPECT_EQ(found, 1);
    }
}

TEST(ChartLayout, NorthIndianHousesCountFromTheLagnaCounterClockwise) {
    // Points inside houses 1 (top), 4 (left), 7 (bottom), 10 (right), 2 (top
    // edge, left half) and 12 (top edge, right half).
    const struct {
        int House;
        double X, Y;
    } houses[] = {{1, 0.5, 0.2}, {2, 0.25, 0.05}, {4, 0.2, 0.5},
                  {7, 0.5, 0.8}, {10, 0.8, 0.5},  {12, 0.75, 0.05}};
    for (int lagna = 0; lagna < kSignCount; ++lagna) {
        std::array<double, kGrahaCount> none;
        none.fill(kNaN);
        const ChartPicture picture = LayoutNorthIndian(TableWith(none, lagna * 30 + 10));
        for (const auto& h : houses) {
            const PictureCell* cell = CellAt(picture, h.X, h.Y);
            ASSERT_NE(cell, nullptr);
            // Counting the Lagna's sign as the first house.
            const int expectedSign = (lagna + h.House - 1) % 12;
            EXPECT_EQ(cell->House, h.House);
            EXPECT_EQ(cell->Sign, expectedSign) << "Lagna " << lagna << " house " << h.House;
            EXPECT_EQ(NorthIndianHouseOf(lagna, expectedSign), h.House);
            bool numbered = false;
            for (const PictureLabel& label : picture.Labels) {
                if (label.Role == LabelRole::SignNumber &&
                    Inside(cell->Outline, label.Box.X, label.Box.Y) &&
                    label.Text == std::to_string(expectedSign + 1)) {
                    numbered = true;
                }
            }
            EXPECT_TRUE(numbered) << "Lagna " << lagna << " house " << h.House;
        }
    }
}

TEST(SvgPicture, EscapesTextAndNamesEveryGraha) {
    std::array<double, kGrahaCount> longitudes;
    for (int g = 0; g < kGrahaCount; ++g) {
        longitudes[static_cast<std::size_t>(g)] = g * 40 + 3;
    }
    const std::string svg = RenderSvg(LayoutSouthIndian(TableWith(longitudes, 100)));
    EXPECT_NE(svg.find("Test &amp; &lt;Co&gt;"), std::string::npos);
    EXPECT_EQ(svg.find("<Co>"), std::string::npos);
    for (const char* abbreviation :
         {">Su ", ">Mo ", ">Me ", ">Ve ", ">Ma ", ">Ju ", ">Sa ", ">Ra ", ">Ke ", ">La "}) {
        EXPECT_NE(svg.find(abbreviation), std::string::npos) << abbreviation;
    }
}

// A chart as the window would leave it after Calculate: place, zone and one
// set of grahas that meets every dignity of the documented rules.
struct Birth {
    const char* City;
    int LatDegrees, LatMinutes;
    bool South;
    int LonDegrees, LonMinutes;
    bool East;
    int ShiftHours, ShiftMinutes;  // added to the clock to reach UT
    bool Dst;
    const char* BirthLine;
    const char* PlaceLine;
    std::optional<int> Exact = std::nullopt;  // seconds east, beside the nearest entry
};

ChartState ChartAt(const Birth& b) {
    ChartState chart;
    chart.PersonName = "Ann";
    chart.BirthYear = 1990;
    chart.BirthMonth = 7;
    chart.BirthDay = 5;
    chart.BirthHour = 9;
    chart.BirthMinute = 7;
    chart.ZoneShiftHours = static_cast<std::int16_t>(b.ShiftHours);
    chart.ZoneShiftMinutes = static_cast<std::int16_t>(b.ShiftMinutes);
    chart.DaylightSaving = b.Dst ? kTrue : kFalse;
    chart.ExactUtcOffsetSeconds = b.Exact;
    chart.CityName = b.City;
    chart.LatDegrees = static_cast<std::int16_t>(b.LatDegrees);
    chart.LatMinutes = static_cast<std::int16_t>(b.LatMinutes);
    chart.LatDirection = b.South ? kTrue : kFalse;
    chart.LonDegrees = static_cast<std::int16_t>(b.LonDegrees);
    chart.LonMinutes = static_cast<std::int16_t>(b.LonMinutes);
    chart.LonDirection = b.East ? kTrue : kFalse;
    chart.SkyName = "Test sky";
    chart.GrahaLongitudes = {130, 100, 160, 220, 10, 275, 15, 70, 250};
    for (int g = 0; g < kGrahaCount; ++g) {
        chart.PlanetPositionTexts[static_cast<std::size_t>(g)] =
            ShortPositionText(FormatSignPosition(chart.GrahaLongitudes[static_cast<std::size_t>(g)]))
                .value_or("");
    }
    chart.LagnaLongitude = 200;
    chart.GrahaRetrograde[kSaturn] = chart.GrahaRetrograde[kRahu] = chart.GrahaRetrograde[kKetu] = true;
    return chart;
}

// The legend's words for the dignity of each graha of ChartAt, by the
// documented rules: Sun 10° Leo, Moon in Cancer, Mercury 10° Virgo, Venus in
// Scorpio, Mars in Aries, Jupiter in Capricorn, Saturn in Aries, Rahu in
// Gemini, Ketu in Sagittarius.
constexpr std::array<std::string_view, kGrahaCount> kLegendWordOf = {
    "Moolatrikona", "Own sign",    "Exalted",     "Peregrine", "Own sign",
    "Debilitated",  "Debilitated", "Exalted",     "Exalted"};

// The swatch drawn just before a legend entry's words gives its colour.
int LegendColour(const ChartPicture& picture, std::string_view words) {
    for (const PictureLabel& label : picture.Labels) {
        if (label.Role != LabelRole::Legend || label.Text != words) {
            continue;
        }
        const PictureSwatch* nearest = nullptr;
        for (const PictureSwatch& swatch : picture.Swatches) {
            const double right = swatch.Box.X + swatch.Box.Width;
            if (swatch.Box.Y >= label.Box.Y && swatch.Box.Y < label.Box.Y + label.Box.Height &&
                right <= label.Box.X &&
                (nearest == nullptr || right > nearest->Box.X + nearest->Box.Width)) {
                nearest = &swatch;
            }
        }
        return nearest == nullptr ? kNoColour : nearest->Colour;
    }
    return kNoColour;
}

TEST(ChartPicture, BirthAndPlaceLinesAndGrahaColoursSayWhatTheChartHolds) {
    const Birth births[] = {
        {"New Delhi", 28, 36, false, 77, 12, true, -5, -30, false,
         "5 July 1990, 09:07 UTC+5:30", "New Delhi  28°36'N 77°12'E"},
        {"Los Angeles", 34, 3, false, 118, 15, false, 8, 0, true,
         "5 July 1990, 09:07 UTC-8:00, daylight saving", "Los Angeles  34°03'N 118°15'W"},
        {"Rio de Janeiro", 22, 54, true, 43, 12, false, 3, 0, false,
         "5 July 1990, 09:07 UTC-3:00", "Rio de Janeiro  22°54'S 43°12'W"},
        {"Gander", 48, 57, false, 54, 36, false, 3, 30, false,
         "5 July 1990, 09:07 UTC-3:30", "Gander  48°57'N 54°36'W"},
        {"Sydney", 33, 52, true, 151, 13, true, -10, 0, true,
         "5 July 1990, 09:07 UTC+10:00, daylight saving", "Sydney  33°52'S 151°13'E"},
        // Cast at an offset no entry has: the header gives that offset, not
        // the nearest entry's the zone line keeps.
        {"Kathmandu", 27, 42, false, 85, 19, true, -5, -30, false,
         "5 July 1990, 09:07 UTC+5:45", "Kathmandu  27°42'N 85°19'E", 20700},
        {"Caracas", 10, 29, false, 66, 54, false, 4, 0, false,
         "5 July 1990, 09:07 UTC-4:30", "Caracas  10°29'N 66°54'W", -16200},
        {"Madras", 13, 5, false, 80, 17, true, -5, -30, false,
         "5 July 1990, 09:07 UTC+5:21:10", "Madras  13°05'N 80°17'E", 19270},
    };
    for (const Birth& b : births) {
        const PositionsTable table = BuildPositionsTable(ChartAt(b));
        EXPECT_EQ(table.BirthLine, b.BirthLine) << b.City;
        EXPECT_EQ(table.PlaceLine, b.PlaceLine) << b.City;
        const ChartPicture south = LayoutSouthIndian(table);
        const std::string svg = RenderSvg(south);
        for (std::string line : {b.BirthLine, b.PlaceLine}) {
            for (std::size_t at = line.find('\''); at != std::string::npos;
                 at = line.find('\'', at)) {
                line.replace(at, 1, "&apos;");
            }
            EXPECT_NE(svg.find(">" + line + "<"), std::string::npos) << line << " in\n" << svg;
        }
        for (const ChartPicture& picture : {south, LayoutNorthIndian(table)}) {
            int coloured = 0;
            for (const PictureLabel& label : picture.Labels) {
                if (label.Role != LabelRole::Graha) {
                    continue;
                }
                ++coloured;
                EXPECT_EQ(label.Text.find("(R)") != std::string::npos,
                          table.Grahas[static_cast<std::size_t>(label.Graha)].Retrograde)
                    << b.City << ": " << label.Text;
                const std::string_view words = kLegendWordOf[static_cast<std::size_t>(label.Graha)];
                EXPECT_NE(label.Colour, kNoColour) << label.Text;
                EXPECT_EQ(label.Colour, LegendColour(picture, words))
                    << b.City << ": " << label.Text << " should be drawn as " << words;
            }
            EXPECT_EQ(coloured, kGrahaCount) << b.City;
        }
    }
}

}  // namespace
}  // namespace tavrinel
