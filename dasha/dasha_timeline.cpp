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

bool Apart(const TimelineName& a, const TimelineName& b, double gap) {
    return a.Row != b.Row || a.Left + a.Width + gap <= b.Left || b.Left + b.Width + gap <= a.Left;
}

bool ApartFromAll(const TimelineName& name, const std::vector<TimelineName>& placed,
                  std::size_t count, double gap) {
    for (std::size_t i = 0; i < count; ++i) {
        if (!Apart(name, placed[i], gap)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<TimelineName> PlaceMarkNames(const std::vector<double>& at,
                                         const std::vector<double>& widths, double gap) {
    std::vector<TimelineName> names(at.size());
    for (std::size_t i = 0; i < at.size(); ++i) {
        const double width = widths[i];
        names[i] = {std::clamp(at[i] - width / 2, 0.0, std::max(0.0, kPictureWidth - width)), width,
                    0};
    }
    for (std::size_t j = 0; j < at.size(); ++j) {
        if (ApartFromAll(names[j], names, j, gap)) {
            continue;
        }
        std::size_t i = 0;
        while (Apart(names[i], names[j], gap)) {
            ++i;
        }
        // Flags on either side of the two lines, the earlier mark's to the left.
        const bool iFirst = at[i] <= at[j];
        TimelineName left = iFirst ? names[i] : names[j];
        TimelineName right = iFirst ? names[j] : names[i];
        left.Left = (iFirst ? at[i] : at[j]) - gap / 2 - left.Width;
        right.Left = (iFirst ? at[j] : at[i]) + gap / 2;
        bool fits = left.Left >= 0 && right.Left + right.Width <= kPictureWidth;
        for (std::size_t k = 0; k < j && fits; ++k) {
            fits = k == i || (Apart(names[k], left, gap) && Apart(names[k], right, gap));
        }
        if (fits) {
            names[i] = iFirst ? left : right;
            names[j] = iFirst ? right : left;
            continue;
        }
        while (!ApartFromAll(names[j], names, j, gap)) {
            ++names[j].Row;
        }
    }
    return names;
}

int MarkNameRows(const std::vector<TimelineName>& names) {
    int rows = 1;
    for (const TimelineName& name : names) {
        rows = std::max(rows, name.Row + 1);
    }
    return rows;
}

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
            if (i % kVimshottariLords.size() != 0) {
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
    std::vector<double> marks;
    std::vector<std::string> markNames;
    if (!layout.Bars.empty()) {
        marks.push_back(layout.Birth);
        markNames.emplace_back("Birth");
    }
    if (layout.Today) {
        marks.push_back(*layout.Today);
        markNames.emplace_back(momentName);
    }
    std::vector<double> widths;
    for (const std::string& name : markNames) {
        widths.push_back(static_cast<double>(CharacterCount(name)) * kCharAdvanceEm * kTextSize);
    }
    const std::vector<TimelineName> places =
        PlaceMarkNames(marks, widths, kCharAdvanceEm * kTextSize);
    // A second row of names pushes everything below it down by a line.
    const double nameLine = kLineHeightEm * kTextSize;
    const double below = (MarkNameRows(places) - 1) * nameLine;
    const double barTop = kBarTop + below;
    const double barBottom = barTop + kBarHeight;
    for (const TimelineBar& bar : layout.Bars) {
        PictureCell cell;
        cell.Outline = {{bar.From, barTop}, {bar.To, barTop}, {bar.To, barBottom},
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
                                         barTop + (kBarHeight - nameLine) / 2, kTextSize,
                                         kPaperColour, LabelRole::Graha));
        picture.Lines.push_back({{bar.To, barTop}, {bar.To, barBottom}, kLineWidth, kPaperColour});
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
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const double top = kMarkTop + below - places[i].Row * nameLine;
        picture.Lines.push_back({{marks[i], top + nameLine},
                                 {marks[i], barBottom + kTickLength / 2},
                                 2 * kLineWidth,
                                 kInkColour});
        picture.Labels.push_back(Label(std::move(markNames[i]), places[i].Left, top, kTextSize,
                                       kInkColour, LabelRole::Legend));
    }
    AddDignityLegend(picture, kLegendTop + below, false);
    return picture;
}

}  // namespace tavrinel
