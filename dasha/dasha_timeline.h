// The listed periods of a Vimshottari dasha as a picture: a bar for each
// mahadasha in its lord's dignity colour, a tick at each antardasha, the
// birth and a chosen moment marked. The layout is plain data in fractions of
// the width, so a test reads it without pixels; the window draws it with its
// own fonts, the command line and the exports as a chart picture.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart_picture/chart_layout.h"
#include "dasha/vimshottari.h"

namespace tavrinel {

struct TimelineBar {
    double From = 0;  // fraction of the span of the mahadashas listed
    double To = 0;
    Graha Lord = kKetu;
    int Colour = 0;  // the reading's colour index for the lord's dignity
};

struct TimelineYear {
    double At = 0;
    int Year = 0;  // civil year on the birth zone's clock
};

struct TimelineLayout {
    std::vector<TimelineBar> Bars;
    std::vector<double> Ticks;  // antardasha starts inside each bar
    std::vector<TimelineYear> Years;  // every tenth year
    double Birth = 0;
    std::optional<double> Today;  // the moment marked; none outside the span
};

// Where a mark's name goes above the bars: its box's left edge and width, in
// fractions of the width, and its row counted up from the bars.
struct TimelineName {
    double Left = 0;
    double Width = 0;
    int Row = 0;
};

// Places the names of marks at `at` with widths `widths` (fractions of the
// width) so that no two come nearer than `gap`: each centred on its line and
// kept inside the width; two that would meet stand as flags on either side of
// their lines, and where the edge leaves no room for that, the later one goes
// up a row. A birth and a moment months apart thus read "Birth" and "Today",
// not one over the other.
[[nodiscard]] std::vector<TimelineName> PlaceMarkNames(const std::vector<double>& at,
                                                       const std::vector<double>& widths,
                                                       double gap);
// The rows the names take, at least one.
[[nodiscard]] int MarkNameRows(const std::vector<TimelineName>& names);

[[nodiscard]] TimelineLayout LayoutDashaTimeline(const VimshottariDasha& dasha, double zoneShiftHours,
                                                 double todayUt);

// The layout as a drawing under a title line, with the moment marked by
// `momentName` ("Today", "On"): what --format svg --chart dasha writes.
[[nodiscard]] ChartPicture DashaTimelinePicture(const TimelineLayout& layout, std::string title,
                                                std::string_view momentName);

}  // namespace tavrinel
