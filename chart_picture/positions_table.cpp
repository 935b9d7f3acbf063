#include "chart_picture/positions_table.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "chart/birth_form.h"
#include "chart_picture/nakshatra.h"
#include "ephemeris/angles.h"
#include "ephemeris/documented_sky.h"
#include "ephemeris/position_text.h"

namespace tavrinel {

namespace {

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

std::string Coordinate(int degrees, int minutes, char hemisphere) {
    return std::to_string(degrees) + "°" + TwoDigits(minutes) + "'" + hemisphere;
}

std::string BirthLineOf(const ChartState& chart) {
    std::string line = std::to_string(chart.BirthDay) + " ";
    if (chart.BirthMonth >= 1 && chart.BirthMonth <= kMonthCount) {
        line += kMonthNames[static_cast<std::size_t>(chart.BirthMonth - 1)];
    }
    line += " " + std::to_string(chart.BirthYear) + ", " + TwoDigits(chart.BirthHour) + ":" +
            TwoDigits(chart.BirthMinute);
    constexpr int kSecondsPerMinute = 60;
    constexpr int kMinutesPerHour = 60;
    // The table's shift is what takes the clock to UT; the zone is its
    // opposite. An exact offset is the whole offset in force, daylight
    // saving included, and may keep a local mean time's seconds.
    const int east = chart.ExactUtcOffsetSeconds
                         ? *chart.ExactUtcOffsetSeconds
                         : -(chart.ZoneShiftHours * kMinutesPerHour + chart.ZoneShiftMinutes) *
                               kSecondsPerMinute;
    const int magnitude = std::abs(east);
    const int minutes = magnitude / kSecondsPerMinute;
    line += std::string(" UTC") + (east < 0 ? "-" : "+") +
            std::to_string(minutes / kMinutesPerHour) + ":" + TwoDigits(minutes % kMinutesPerHour);
    if (magnitude % kSecondsPerMinute != 0) {
        line += ":" + TwoDigits(magnitude % kSecondsPerMinute);
    }
    if (!chart.ExactUtcOffsetSeconds && chart.DaylightSaving != kFalse) {
        line += ", daylight saving";
    }
    return line;
}

std::string PlaceLineOf(const ChartState& chart) {
    std::string line;
    for (const std::string* part : {&chart.CityName, &chart.StateName, &chart.CountryName}) {
        if (!part->empty()) {
            line += (line.empty() ? "" : ", ") + *part;
        }
    }
    if (!line.empty()) {
        line += "  ";
    }
    line +=
        Coordinate(chart.LatDegrees, chart.LatMinutes, chart.LatDirection != kFalse ? 'S' : 'N');
    line += " " + Coordinate(chart.LonDegrees, chart.LonMinutes,
                             chart.LonDirection != kFalse ? 'E' : 'W');
    return line;
}

std::string Padded(std::string_view text, std::size_t width) {
    std::string out(text);
    // Widths count characters; the degree sign is two bytes of UTF-8.
    std::size_t shown = 0;
    for (unsigned char c : out) {
        shown += (c & 0xC0) != 0x80;
    }
    if (shown < width) {
        out.append(width - shown, ' ');
    }
    return out;
}

}  // namespace

PositionRow MakePositionRow(std::string_view abbreviation, std::string_view name,
                            double longitude) {
    PositionRow row;
    row.Abbreviation = abbreviation;
    row.Name = name;
    if (!std::isfinite(longitude)) {
        return row;
    }
    const double x = ReduceDegrees(longitude);
    row.Known = true;
    row.Longitude = x;
    // Truncated as the position texts are, so the two never disagree.
    const double whole = std::floor(x);
    row.Sign = static_cast<int>(whole) / 30 % kSignCount;
    row.Degrees = static_cast<int>(whole) % 30;
    row.Minutes = std::min(59, static_cast<int>(std::floor((x - whole) * 60)));
    row.PositionText = ShortSignPosition(x);
    row.Nakshatra = NakshatraIndex(x);
    row.Pada = NakshatraPada(x);
    row.Lord = NakshatraLord(row.Nakshatra);
    return row;
}

PositionsTable BuildPositionsTable(const ChartState& chart) {
    return BuildPositionsTable(chart, ClassifyGrahas(chart));
}

PositionsTable BuildPositionsTable(const ChartState& chart, const DignityAnalysis& analysis) {
    PositionsTable table;
    table.PersonName = chart.PersonName;
    table.BirthLine = BirthLineOf(chart);
    table.PlaceLine = PlaceLineOf(chart);
    table.SkyName = chart.SkyName;
    // A chart no calculation has filled yet has no positions to show.
    const bool calculated = !chart.SkyName.empty();
    for (int g = 0; g < kGrahaCount; ++g) {
        PositionRow& row = table.Grahas[static_cast<std::size_t>(g)];
        row = MakePositionRow(kGrahaAbbreviations[static_cast<std::size_t>(g)], GrahaEnglishName(g),
                              calculated ? chart.GrahaLongitudes[static_cast<std::size_t>(g)]
                                         : std::numeric_limits<double>::quiet_NaN());
        row.Dignity = analysis.Dignities[static_cast<std::size_t>(g)];
        row.Retrograde = chart.GrahaRetrograde[static_cast<std::size_t>(g)];
    }
    table.Lagna = MakePositionRow(kLagnaAbbreviation, "Lagna", chart.LagnaLongitude);
    table.AyanamsaDegrees = chart.AyanamsaDegrees;

    const std::string sky = chart.SkyName.empty() ? std::string("not calculated") : chart.SkyName;
    table.Sources.push_back("Positions, nakshatras and dignities: " + sky);
    if (chart.SkyName == kDocumentedSkyName) {
        table.Sources.push_back("Lagna: " + sky + ", " + std::string(kDocumentedLagnaSource));
        table.Sources.push_back("Retrograde: " + sky + ", " +
                                std::string(kDocumentedRetrogradeSource));
    } else {
        table.Sources.push_back("Lagna: " + sky);
        table.Sources.push_back("Retrograde: " + sky);
    }
    std::string ayanamsa = "Ayanamsa: " + sky;
    if (chart.SkyName == kDocumentedSkyName) {
        ayanamsa += ", the planet engine's own";
    }
    if (std::isfinite(chart.AyanamsaDegrees)) {
        ayanamsa += ", " + ArcSecondsText(chart.AyanamsaDegrees);
    }
    table.Sources.push_back(std::move(ayanamsa));
    return table;
}

std::string DegreesText(const PositionRow& row) {
    return std::to_string(row.Degrees) + "°" + TwoDigits(row.Minutes) + "'";
}

std::string ArcSecondsText(double degrees) {
    constexpr long kSecondsPerDegree = 3600;
    // Rounded as a whole, so that 59.6" carries into the minute.
    const long seconds = std::lround(std::fabs(degrees) * kSecondsPerDegree);
    return std::string(degrees < 0 ? "-" : "") + std::to_string(seconds / kSecondsPerDegree) +
           "°" + TwoDigits(static_cast<int>(seconds / 60 % 60)) + "'" +
           TwoDigits(static_cast<int>(seconds % 60)) + "\"";
}

std::string PositionsTableText(const PositionsTable& table) {
    constexpr std::array<std::size_t, 8> kWidths = {9, 12, 12, 19, 5, 9, 14, 10};
    const std::array<std::string_view, 8> heading = {"Graha", "Position", "Sign",    "Nakshatra",
                                                     "Pada",  "Lord",     "Dignity", "Retrograde"};
    std::string out;
    const auto line = [&out, &kWidths](const std::array<std::string, 8>& cells) {
        std::string text;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            text += i + 1 < cells.size() ? Padded(cells[i], kWidths[i]) : cells[i];
        }
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        out += text + "\n";
    };
    std::array<std::string, 8> head;
    for (std::size_t i = 0; i < heading.size(); ++i) {
        head[i] = heading[i];
    }
    line(head);
    const auto rowLine = [&line](const PositionRow& row) {
        if (!row.Known) {
            line({row.Name, "-", "", "", "", "", "", ""});
            return;
        }
        line({row.Name, row.PositionText,
              std::string(kSignNames[static_cast<std::size_t>(row.Sign)]),
              std::string(kNakshatraNames[static_cast<std::size_t>(row.Nakshatra)]),
              std::to_string(row.Pada), std::string(GrahaEnglishName(row.Lord)),
              row.Dignity ? std::string(DignityTerm(*row.Dignity)) : std::string(),
              row.Retrograde ? "R" : ""});
    };
    rowLine(table.Lagna);
    for (const PositionRow& row : table.Grahas) {
        rowLine(row);
    }
    for (const std::string& source : table.Sources) {
        out += source + "\n";
    }
    return out;
}

}  // namespace tavrinel
