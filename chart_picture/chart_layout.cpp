#include "chart_picture/chart_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace tavrinel {

namespace {

constexpr double kFrameLineWidth = 0.004;
constexpr double kInnerLineWidth = 0.0025;
// Largest label in a cell, and the smallest gap kept from a cell's edges.
constexpr double kMaxCellTextSize = 0.026;
constexpr double kCellMargin = 0.012;
constexpr double kSignLabelSize = 0.018;
constexpr double kMaxTitleSize = 0.03;
constexpr double kLegendTextSize = 0.022;
constexpr double kLegendTop = 1.02;
// Labels in a crowded cell sit in columns one character apart.
constexpr double kColumnGapChars = 1;
// North Indian: the sign number sits this far in from a house's inner corner.
constexpr double kNumberInset = 0.06;

constexpr double kSouthCell = 0.25;
// No cell filled for a chart without a Lagna.
constexpr int kNoLagnaSign = -1;
// A number alone in a cell (a count of bindus), read across the room.
constexpr double kNumberTextSize = 0.08;

// South Indian square: (column, row) of each sign, Aries first.
constexpr std::array<std::pair<int, int>, kSignCount> kSouthCells = {{
    {1, 0},
    {2, 0},
    {3, 0},
    {3, 1},
    {3, 2},
    {3, 3},  // Aries .. Virgo
    {2, 3},
    {1, 3},
    {0, 3},
    {0, 2},
    {0, 1},
    {0, 0},  // Libra .. Pisces
}};

PictureBox TextBoxAt(std::string_view text, double size, double left, double top) {
    return {left, top, static_cast<double>(CharacterCount(text)) * kCharAdvanceEm * size,
            kLineHeightEm * size};
}

PictureLabel MakeLabel(std::string text, double size, double left, double top, int colour,
                       bool bold, LabelRole role, int cell = -1) {
    PictureLabel label;
    label.Box = TextBoxAt(text, size, left, top);
    label.Baseline = {left, top + kBaselineEm * size};
    label.Text = std::move(text);
    label.Size = size;
    label.Colour = colour;
    label.Bold = bold;
    label.Role = role;
    label.Cell = cell;
    return label;
}

// What goes into a cell: the Lagna first, then the grahas in their order.
struct CellItem {
    std::string Text;
    int Colour;
    LabelRole Role;
    int Graha;
};

std::vector<CellItem> ItemsInSign(const PositionsTable& table, int sign) {
    std::vector<CellItem> items;
    if (table.Lagna.Known && table.Lagna.Sign == sign) {
        items.push_back({CellLabelText(table.Lagna), kInkColour, LabelRole::Lagna, -1});
    }
    for (int g = 0; g < kGrahaCount; ++g) {
        const PositionRow& row = table.Grahas[static_cast<std::size_t>(g)];
        if (row.Known && row.Sign == sign) {
            const int colour = row.Dignity ? DignityColour(*row.Dignity) : kInkColour;
            items.push_back({CellLabelText(row), colour, LabelRole::Graha, g});
        }
    }
    return items;
}

struct Fit {
    double Size = 0;
    int Columns = 1;
};

// The largest text size at which the items fill a grid inside the box.
Fit BestFit(std::size_t count, std::size_t maxChars, double width, double height) {
    Fit best;
    for (int columns = 1; columns <= static_cast<int>(count); ++columns) {
        const int rows = static_cast<int>((count + columns - 1) / columns);
        const double charsWide =
            columns * static_cast<double>(maxChars) + (columns - 1) * kColumnGapChars;
        const double size = std::min({kMaxCellTextSize, height / (rows * kLineHeightEm),
                                      width / (charsWide * kCharAdvanceEm)});
        if (size > best.Size) {
            best = {size, columns};
        }
    }
    return best;
}

// Places the items in a grid centred in the box, as large as they fit.
void PlaceItems(ChartPicture& picture, const std::vector<CellItem>& items, const PictureBox& box,
                int cell) {
    if (items.empty()) {
        return;
    }
    std::size_t maxChars = 0;
    for (const CellItem& item : items) {
        maxChars = std::max(maxChars, CharacterCount(item.Text));
    }
    const Fit fit = BestFit(items.size(), maxChars, box.Width, box.Height);
    const int rows = static_cast<int>((items.size() + fit.Columns - 1) / fit.Columns);
    const double columnWidth =
        (static_cast<double>(maxChars) + kColumnGapChars) * kCharAdvanceEm * fit.Size;
    const double usedWidth =
        fit.Columns * columnWidth - kColumnGapChars * kCharAdvanceEm * fit.Size;
    const double usedHeight = rows * kLineHeightEm * fit.Size;
    const double left = box.X + (box.Width - usedWidth) / 2;
    const double top = box.Y + (box.Height - usedHeight) / 2;
    for (std::size_t i = 0; i < items.size(); ++i) {
        // Down the first column, then the next, so the order reads naturally.
        const int column = static_cast<int>(i) / rows;
        const int row = static_cast<int>(i) % rows;
        PictureLabel label = MakeLabel(items[i].Text, fit.Size, left + column * columnWidth,
                                       top + row * kLineHeightEm * fit.Size, items[i].Colour, true,
                                       items[i].Role, cell);
        label.Graha = items[i].Graha;
        picture.Labels.push_back(std::move(label));
    }
}

// Picks, among candidate boxes, the one where the items come out largest.
PictureBox BestBox(const std::vector<PictureBox>& candidates, const std::vector<CellItem>& items) {
    std::size_t maxChars = 1;
    for (const CellItem& item : items) {
        maxChars = std::max(maxChars, CharacterCount(item.Text));
    }
    PictureBox best = candidates.front();
    double bestSize = -1;
    for (const PictureBox& box : candidates) {
        const double size =
            BestFit(std::max<std::size_t>(items.size(), 1), maxChars, box.Width, box.Height).Size;
        if (size > bestSize) {
            bestSize = size;
            best = box;
        }
    }
    return best;
}

// A line of text no wider than the given width, centred on x.
PictureLabel CentredLine(std::string text, double maxSize, double centreX, double width, double top,
                         int colour, bool bold) {
    const double chars = std::max<double>(1, static_cast<double>(CharacterCount(text)));
    const double size = std::min(maxSize, width / (chars * kCharAdvanceEm));
    const double textWidth = chars * kCharAdvanceEm * size;
    return MakeLabel(std::move(text), size, centreX - textWidth / 2, top, colour, bold,
                     LabelRole::Title);
}

void AddLegend(ChartPicture& picture) { AddDignityLegend(picture, kLegendTop, true); }

}  // namespace

void AddDignityLegend(ChartPicture& picture, double top, bool chartNotes) {
    const double size = kLegendTextSize;
    const double swatch = 0.8 * size;
    const double gap = 1.5 * kCharAdvanceEm * size;
    double x = 0;
    const auto place = [&](int colour, std::string_view text) {
        const double textWidth = static_cast<double>(CharacterCount(text)) * kCharAdvanceEm * size;
        const double entryWidth = (colour == kNoColour ? 0 : swatch + gap / 2) + textWidth;
        if (x > 0 && x + entryWidth > picture.Width) {
            x = 0;
            top += kLineHeightEm * size * 1.2;
        }
        if (colour != kNoColour) {
            const double lineHeight = kLineHeightEm * size;
            picture.Swatches.push_back(
                {{x, top + (lineHeight - swatch) / 2, swatch, swatch}, colour});
            x += swatch + gap / 2;
        }
        picture.Labels.push_back(
            MakeLabel(std::string(text), size, x, top, kInkColour, false, LabelRole::Legend));
        x += textWidth + gap;
    };
    for (const Dignity dignity : kDignityLegendOrder) {
        place(DignityColour(dignity), DignityTerm(dignity));
    }
    if (chartNotes) {
        place(kNoColour, "(R) retrograde");
        place(kNoColour, "La Lagna");
    }
    picture.Height = top + kLineHeightEm * size + 0.01;
}

Rgb PictureColour(int colourIndex) {
    switch (colourIndex) {
        case kFaintColour:
            return {110, 110, 110};
        case kLagnaFillColour:
            return {255, 246, 214};
        case kPaperColour:
            return {255, 255, 255};
        default:
            // 0 and anything unknown come out as the reading's black.
            return ReadingColour(colourIndex);
    }
}

int DignityColour(Dignity dignity) {
    switch (dignity) {
        case Dignity::Exaltation:
            return 1;
        case Dignity::Own:
            return 2;
        case Dignity::Moolatrikona:
            return 3;
        case Dignity::Debilitation:
            return 4;
        case Dignity::Peregrine:
            break;
    }
    return 6;
}

bool PictureBox::Overlaps(const PictureBox& other) const {
    // Boxes that only touch, give or take the last bits of a sum, are apart.
    constexpr double kTouch = 1e-9;
    return X + kTouch < other.X + other.Width && other.X + kTouch < X + Width &&
           Y + kTouch < other.Y + other.Height && other.Y + kTouch < Y + Height;
}

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (unsigned char c : utf8) {
        count += (c & 0xC0) != 0x80;
    }
    return count;
}

std::string CellLabelText(const PositionRow& row) {
    std::string text = row.Abbreviation;
    if (row.ShowsDegrees) {
        text += " " + DegreesText(row);
    }
    if (row.Retrograde) {
        text += " (R)";
    }
    return text;
}

namespace {

// The twelve cells in their fixed places, the Lagna's filled, each with its
// sign's code in the corner; `fill` puts the cell's contents into the area
// left free, before the next cell is drawn.
void AddSouthIndianSquare(
    ChartPicture& picture, int lagnaSign,
    const std::function<void(int sign, const PictureBox& area, int cell)>& fill) {
    for (int sign = 0; sign < kSignCount; ++sign) {
        const auto [column, row] = kSouthCells[static_cast<std::size_t>(sign)];
        const double x = column * kSouthCell;
        const double y = row * kSouthCell;
        PictureCell cell;
        cell.Outline = {
            {x, y}, {x + kSouthCell, y}, {x + kSouthCell, y + kSouthCell}, {x, y + kSouthCell}};
        cell.Sign = sign;
        cell.Fill = lagnaSign == sign ? kLagnaFillColour : kNoColour;
        const int cellIndex = static_cast<int>(picture.Cells.size());
        picture.Cells.push_back(cell);

        // The sign's code in the bottom right corner, out of the labels' way.
        const std::string_view code =
            std::string_view(kSignAbbreviations).substr(3 * static_cast<std::size_t>(sign), 3);
        const PictureBox codeBox = TextBoxAt(code, kSignLabelSize, 0, 0);
        picture.Labels.push_back(MakeLabel(std::string(code), kSignLabelSize,
                                           x + kSouthCell - kCellMargin / 2 - codeBox.Width,
                                           y + kSouthCell - kCellMargin / 2 - codeBox.Height,
                                           kFaintColour, false, LabelRole::SignName, cellIndex));
        const PictureBox area{x + kCellMargin, y + kCellMargin, kSouthCell - 2 * kCellMargin,
                              kSouthCell - 2 * kCellMargin - codeBox.Height};
        fill(sign, area, cellIndex);
    }
    // Outer frame and the edges of the twelve cells; the centre stays open.
    const std::array<std::pair<PicturePoint, PicturePoint>, 4> frame = {
        {{{0, 0}, {1, 0}}, {{1, 0}, {1, 1}}, {{1, 1}, {0, 1}}, {{0, 1}, {0, 0}}}};
    for (const auto& [from, to] : frame) {
        picture.Lines.push_back({from, to, kFrameLineWidth, kInkColour});
    }
    for (int i = 1; i <= 3; ++i) {
        const double p = i * kSouthCell;
        const bool middle = i == 2;
        // Lines through the centre stop at the open middle square.
        if (middle) {
            picture.Lines.push_back({{p, 0}, {p, kSouthCell}, kInnerLineWidth, kInkColour});
            picture.Lines.push_back({{p, 1 - kSouthCell}, {p, 1}, kInnerLineWidth, kInkColour});
            picture.Lines.push_back({{0, p}, {kSouthCell, p}, kInnerLineWidth, kInkColour});
            picture.Lines.push_back({{1 - kSouthCell, p}, {1, p}, kInnerLineWidth, kInkColour});
        } else {
            picture.Lines.push_back({{p, 0}, {p, 1}, kInnerLineWidth, kInkColour});
            picture.Lines.push_back({{0, p}, {1, p}, kInnerLineWidth, kInkColour});
        }
    }
}

// Lines of text centred in the open middle square, the bold ones larger.
void AddCentreLines(ChartPicture& picture, const std::vector<std::pair<std::string, bool>>& lines) {
    const double centreX = 0.5;
    const double width = 2 * kSouthCell - 2 * kCellMargin;
    std::vector<PictureLabel> centre;
    double height = 0;
    for (const auto& [text, bold] : lines) {
        if (text.empty()) {
            continue;
        }
        centre.push_back(CentredLine(text, bold ? kMaxTitleSize : kMaxTitleSize * 0.75, centreX,
                                     width, 0, kInkColour, bold));
        height += centre.back().Box.Height * 1.15;
    }
    double top = 0.5 - height / 2;
    for (PictureLabel& label : centre) {
        const double shift = top - label.Box.Y;
        label.Box.Y += shift;
        label.Baseline.Y += shift;
        top += label.Box.Height * 1.15;
        picture.Labels.push_back(std::move(label));
    }
}

}  // namespace

ChartPicture LayoutSouthIndian(const PositionsTable& table) {
    ChartPicture picture;
    AddSouthIndianSquare(picture, table.Lagna.Known ? table.Lagna.Sign : kNoLagnaSign,
                         [&](int sign, const PictureBox& area, int cell) {
                             PlaceItems(picture, ItemsInSign(table, sign), area, cell);
                         });
    // The birth data in the open centre.
    std::vector<std::pair<std::string, bool>> lines = {
        {table.PersonName, true}, {table.BirthLine, false}, {table.PlaceLine, false}};
    lines.push_back({table.ChartName, true});
    if (table.Lagna.Known) {
        lines.push_back({"Lagna " + table.Lagna.PositionText, false});
    }
    lines.push_back({table.SkyName, false});
    AddCentreLines(picture, lines);
    AddLegend(picture);
    return picture;
}

ChartPicture LayoutSouthIndianNumbers(const std::array<int, kSignCount>& numbers, int lagnaSign,
                                      const std::vector<std::pair<std::string, bool>>& centre) {
    ChartPicture picture;
    AddSouthIndianSquare(picture, lagnaSign, [&](int sign, const PictureBox& area, int cell) {
        if (sign == lagnaSign) {
            picture.Labels.push_back(MakeLabel("La", kSignLabelSize * 1.2, area.X, area.Y,
                                               kInkColour, true, LabelRole::Lagna, cell));
        }
        const std::string text = std::to_string(numbers[static_cast<std::size_t>(sign)]);
        picture.Labels.push_back(CentredLine(
            text, kNumberTextSize, area.X + area.Width / 2, area.Width,
            area.Y + (area.Height - kLineHeightEm * kNumberTextSize) / 2, kInkColour, true));
        picture.Labels.back().Role = LabelRole::Number;
        picture.Labels.back().Cell = cell;
    });
    AddCentreLines(picture, centre);
    return picture;
}

int NorthIndianHouseSign(int lagnaSign, int house) {
    return ((lagnaSign + house - 1) % kSignCount + kSignCount) % kSignCount;
}

int NorthIndianHouseOf(int lagnaSign, int sign) {
    return ((sign - lagnaSign) % kSignCount + kSignCount) % kSignCount + 1;
}

namespace {

// The diamond's houses, counter-clockwise from the top, by their corners.
enum class HouseShape { Kite, TopTriangle, BottomTriangle, LeftTriangle, RightTriangle };

struct HouseGeometry {
    HouseShape Shape;
    std::array<PicturePoint, 4> Corners;  // a triangle repeats no corner; see Count
    int Count;
    PicturePoint Anchor;  // the kite's centre, or the middle of the triangle's base
    PicturePoint Inner;   // the corner toward the chart's centre
};

constexpr PicturePoint kO{0.5, 0.5};
constexpr double kQ = 0.25;

const std::array<HouseGeometry, 12> kHouses = {{
    {HouseShape::Kite, {{{0.5, 0}, {0.75, 0.25}, kO, {0.25, 0.25}}}, 4, {0.5, 0.25}, kO},
    {HouseShape::TopTriangle, {{{0, 0}, {0.5, 0}, {0.25, 0.25}}}, 3, {0.25, 0}, {0.25, 0.25}},
    {HouseShape::LeftTriangle, {{{0, 0}, {0.25, 0.25}, {0, 0.5}}}, 3, {0, 0.25}, {0.25, 0.25}},
    {HouseShape::Kite, {{{0, 0.5}, {0.25, 0.25}, kO, {0.25, 0.75}}}, 4, {0.25, 0.5}, kO},
    {HouseShape::LeftTriangle, {{{0, 0.5}, {0.25, 0.75}, {0, 1}}}, 3, {0, 0.75}, {0.25, 0.75}},
    {HouseShape::BottomTriangle, {{{0, 1}, {0.25, 0.75}, {0.5, 1}}}, 3, {0.25, 1}, {0.25, 0.75}},
    {HouseShape::Kite, {{{0.5, 1}, {0.25, 0.75}, kO, {0.75, 0.75}}}, 4, {0.5, 0.75}, kO},
    {HouseShape::BottomTriangle, {{{0.5, 1}, {0.75, 0.75}, {1, 1}}}, 3, {0.75, 1}, {0.75, 0.75}},
    {HouseShape::RightTriangle, {{{1, 1}, {0.75, 0.75}, {1, 0.5}}}, 3, {1, 0.75}, {0.75, 0.75}},
    {HouseShape::Kite, {{{1, 0.5}, {0.75, 0.75}, kO, {0.75, 0.25}}}, 4, {0.75, 0.5}, kO},
    {HouseShape::RightTriangle, {{{1, 0.5}, {0.75, 0.25}, {1, 0}}}, 3, {1, 0.25}, {0.75, 0.25}},
    {HouseShape::TopTriangle, {{{0.5, 0}, {1, 0}, {0.75, 0.25}}}, 3, {0.75, 0}, {0.75, 0.25}},
}};

// Axis-aligned boxes that fit inside a house, from tall and narrow to wide
// and flat, kept clear of the sign number at the inner corner.
std::vector<PictureBox> HouseBoxes(const HouseGeometry& house) {
    constexpr std::array<double, 10> kShares = {0.2, 0.28, 0.36, 0.44, 0.52,
                                                0.6, 0.68, 0.76, 0.84, 0.9};
    // What a box may take of the distance to the inner corner, leaving the
    // number's room free.
    constexpr double kReach = kQ - kNumberInset - 0.025;
    std::vector<PictureBox> boxes;
    const PicturePoint a = house.Anchor;
    for (double f : kShares) {
        switch (house.Shape) {
            case HouseShape::Kite: {
                // |dx|/q + |dy|/q <= 1 around the centre, less a margin.
                const double room = kQ - kCellMargin * 1.5;
                const double u = room * f;
                const double v = std::min(room * (1 - f), kReach);
                boxes.push_back({a.X - u, a.Y - v, 2 * u, 2 * v});
                break;
            }
            case HouseShape::TopTriangle:
            case HouseShape::BottomTriangle: {
                const double h = kReach * f;
                // Half-width of the triangle at the box's far edge.
                const double half = kQ - (kCellMargin + h) - kCellMargin;
                if (half <= 0) {
                    continue;
                }
                const double top =
                    house.Shape == HouseShape::TopTriangle ? kCellMargin : 1 - kCellMargin - h;
                boxes.push_back({a.X - half, top, 2 * half, h});
                break;
            }
            case HouseShape::LeftTriangle:
            case HouseShape::RightTriangle: {
                const double w = kReach * f;
                const double half = kQ - (kCellMargin + w) - kCellMargin;
                if (half <= 0) {
                    continue;
                }
                const double left =
                    house.Shape == HouseShape::LeftTriangle ? kCellMargin : 1 - kCellMargin - w;
                boxes.push_back({left, a.Y - half, w, 2 * half});
                break;
            }
        }
    }
    return boxes;
}

}  // namespace

ChartPicture LayoutNorthIndian(const PositionsTable& table) {
    ChartPicture picture;
    // Without a Lagna the houses are counted from Aries, and the chart says so.
    const int lagnaSign = table.Lagna.Known ? table.Lagna.Sign : 0;
    for (int h = 1; h <= kSignCount; ++h) {
        const HouseGeometry& house = kHouses[static_cast<std::size_t>(h - 1)];
        PictureCell cell;
        cell.Outline.assign(house.Corners.begin(), house.Corners.begin() + house.Count);
        cell.House = h;
        cell.Sign = NorthIndianHouseSign(lagnaSign, h);
        cell.Fill = (h == 1 && table.Lagna.Known) ? kLagnaFillColour : kNoColour;
        const int cellIndex = static_cast<int>(picture.Cells.size());
        picture.Cells.push_back(cell);

        // The sign number just inside the inner corner.
        const double dx = house.Anchor.X - house.Inner.X;
        const double dy = house.Anchor.Y - house.Inner.Y;
        const double length = std::hypot(dx, dy);
        const PicturePoint centre{house.Inner.X + dx / length * kNumberInset,
                                  house.Inner.Y + dy / length * kNumberInset};
        const std::string number = std::to_string(cell.Sign + 1);
        const PictureBox numberBox = TextBoxAt(number, kSignLabelSize, 0, 0);
        picture.Labels.push_back(MakeLabel(number, kSignLabelSize, centre.X - numberBox.Width / 2,
                                           centre.Y - numberBox.Height / 2, kFaintColour, false,
                                           LabelRole::SignNumber, cellIndex));

        const std::vector<CellItem> items = ItemsInSign(table, cell.Sign);
        if (!items.empty()) {
            PlaceItems(picture, items, BestBox(HouseBoxes(house), items), cellIndex);
        }
    }
    const std::array<std::pair<PicturePoint, PicturePoint>, 10> lines = {{
        {{0, 0}, {1, 0}},
        {{1, 0}, {1, 1}},
        {{1, 1}, {0, 1}},
        {{0, 1}, {0, 0}},
        {{0, 0}, {1, 1}},
        {{1, 0}, {0, 1}},
        {{0.5, 0}, {1, 0.5}},
        {{1, 0.5}, {0.5, 1}},
        {{0.5, 1}, {0, 0.5}},
        {{0, 0.5}, {0.5, 0}},
    }};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        picture.Lines.push_back({lines[i].first, lines[i].second,
                                 i < 4 ? kFrameLineWidth : kInnerLineWidth, kInkColour});
    }
    AddLegend(picture);
    return picture;
}

}  // namespace tavrinel
