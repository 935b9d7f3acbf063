#include "dasha/dasha_timeline.h"

#include <algorithm>

#include "chart_picture/positions_table.h"
#include "dasha/dasha_time.h"

namespace tavrinel {

namespace {

constexpr int kYearStep = 10;

// The drawing's proportions, in units of its width: a title, the marks'
// names, the bars, then the years.
constexpr double kPictureWidth = 1;
constexpr double kTitleSize = 0.026;
constexpr double kTextSize = 0.02;
constexpr double kMarkTop = 0.045;
constexpr double kBarTop = 0.085;
constexpr double kBarHeight = 0.06;
constexpr double kTickLength = 0.015;
constexpr double kYearGap = 0.03;
constexpr double kLegendTop = 0.2;
constexpr double kLineWidth = 0.002;

PictureLabel Label(std::string text, double x, double top, double size, int colour,
                   LabelRole role, bool bold = false) {
    PictureLabel label;
    const double width = static_cast<double>(CharacterCount(text)) * kCharAdvanceEm * size;
    label.Text = std::move(text);
    label.Size = size;
    label.Box = {x, top, width, kLineHeightEm * size};
    label.Baseline = {x, top + kBaselineEm * size};
    label.Colour = colour;
    label.Role = role;
    label.Bold = bold;
    return label;
}

// A label centred on x, kept inside the picture.
PictureLabel Centred(std::string text, double x, double top, double size, int colour,
                     LabelRole role) {
    const double width = static_cast<double>(CharacterCount(text)) * kCharAdvanceEm * size;
    const double left = std::clamp(x - width / 2, 0.0, kPictureWidth - width);
    return Label(std::move(text), left, top, size, colour, role);
}

}  // namespace

TimelineLayout LayoutDashaTimeline(const VimshottariDasha& dasha, double zoneShiftHours,
                                   double todayUt) {
    TimelineLayout layout;
    if (dasha.Levels.empty()) {
        return layout;
    }
    const double start = dasha.Levels[0].front().StartUt;
    const double span = dasha.Levels[0].back().EndUt - start;
    const auto at = [&](double ut) { return (ut - start) / span; };
    for (const DashaPeriod& maha : dasha.Levels[0]) {
        layout.Bars.push_back({at(maha.StartUt), at(maha.EndUt), maha.Lord,
                               DignityColour(maha.LordDignity)});
    }
    if (dasha.Levels.size() > 1) {
        for (std::size_t i = 0; i < dasha.Levels[1].size(); ++i) {
            // The first antardasha begins with its bar, which already shows.
            if (i % dasha.Levels[0].size() != 0) {
                layout.Ticks.push_back(at(dasha.Levels[1][i].StartUt));
            }
        }
    }
    const CivilTime first = CivilFromJulianDay(start, zoneShiftHours);
    for (int year = (first.Year / kYearStep + 1) * kYearStep;; year += kYearStep) {
        const double x = at(JulianDayFromCivil({year, 1, 1, 0, 0, 0}, zoneShiftHours));
        if (x >= 1) {
            break;
        }
        layout.Years.push_back({x, year});
    }
    layout.Birth = at(dasha.BirthUt);
    const double today = at(todayUt);
    if (today >= 0 && today < 1) {
        layout.Today = today;
    }
    return layout;
}

ChartPicture DashaTimelinePicture(const TimelineLayout& layout, std::string title,
                                  std::string_view momentName) {
    ChartPicture picture;
    picture.Width = kPictureWidth;
    // A long title, such as one naming its sky, is set smaller rather than
    // cut at the picture's edge.
    const double fitting =
        kPictureWidth / (static_cast<double>(CharacterCount(title)) * kCharAdvanceEm);
    picture.Labels.push_back(Label(std::move(title), 0, 0, std::min(kTitleSize, fitting),
                                   kInkColour, LabelRole::Title, true));
    const double barBottom = kBarTop + kBarHeight;
    for (const TimelineBar& bar : layout.Bars) {
        PictureCell cell;
        cell.Outline = {{bar.From, kBarTop}, {bar.To, kBarTop}, {bar.To, barBottom},
                        {bar.From, barBottom}};
        cell.Fill = bar.Colour;
        picture.Cells.push_back(std::move(cell));
        // The name where it fits, else the two letters.
        const std::string name(GrahaEnglishName(bar.Lord));
        const double room = bar.To - bar.From;
        const std::string text =
            static_cast<double>(name.size()) * kCharAdvanceEm * kTextSize < room * 0.9
                ? name
                : std::string(kGrahaAbbreviations[static_cast<std::size_t>(bar.Lord)]);
        picture.Labels.push_back(Centred(text, (bar.From + bar.To) / 2,
                                         kBarTop + (kBarHeight - kLineHeightEm * kTextSize) / 2,
                                         kTextSize, kPaperColour, LabelRole::Graha));
        picture.Lines.push_back({{bar.To, kBarTop}, {bar.To, barBottom}, kLineWidth, kPaperColour});
    }
    for (double tick : layout.Ticks) {
        picture.Lines.push_back(
            {{tick, barBottom - kTickLength}, {tick, barBottom}, kLineWidth, kInkColour});
    }
    for (const TimelineYear& year : layout.Years) {
        picture.Lines.push_back(
            {{year.At, barBottom}, {year.At, barBottom + kTickLength / 2}, kLineWidth, kInkColour});
        picture.Labels.push_back(Centred(std::to_string(year.Year), year.At, barBottom + kYearGap / 2,
                                         kTextSize, kInkColour, LabelRole::SignNumber));
    }
    const auto mark = [&picture, barBottom](double at, std::string_view name) {
        picture.Lines.push_back({{at, kMarkTop + kLineHeightEm * kTextSize},
                                 {at, barBottom + kTickLength / 2},
                                 2 * kLineWidth,
                                 kInkColour});
        picture.Labels.push_back(
            Centred(std::string(name), at, kMarkTop, kTextSize, kInkColour, LabelRole::Legend));
    };
    if (!layout.Bars.empty()) {
        mark(layout.Birth, "Birth");
    }
    if (layout.Today) {
        mark(*layout.Today, momentName);
    }
    AddDignityLegend(picture, kLegendTop, false);
    return picture;
}

}  // namespace tavrinel
