// A calculated chart as a drawing in an abstract square of side 1 (y grows
// downward; a legend strip follows below the square): cells, lines and
// labels with their boxes, sizes and colour indices. The back ends (SVG
// text, QPainter) only draw this data, so every layout rule lives here once.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chart_picture/positions_table.h"
#include "reading/dignity_reading.h"

namespace tavrinel {

// Font-metric model shared by every back end: a monospaced face (DejaVu Sans
// Mono) whose every character advances the same width, in ems, and whose
// ascent and descent fit a line of kLineHeightEm.
inline constexpr double kCharAdvanceEm = 0.602;
inline constexpr double kLineHeightEm = 1.2;
inline constexpr double kBaselineEm = 0.946;  // from the top of a line box
inline constexpr std::string_view kPictureFontFamily = "DejaVu Sans Mono";

// Colour indices: the reading's 1-6, and a few of the picture's own.
inline constexpr int kNoColour = -1;
inline constexpr int kInkColour = 0;
inline constexpr int kFaintColour = 7;
inline constexpr int kLagnaFillColour = 8;
inline constexpr int kPaperColour = 9;
[[nodiscard]] Rgb PictureColour(int colourIndex);

// The reading's colour that marks a dignity in the pictures and the table.
[[nodiscard]] int DignityColour(Dignity dignity);

struct PicturePoint {
    double X = 0;
    double Y = 0;
};

struct PictureBox {
    double X = 0;  // left
    double Y = 0;  // top
    double Width = 0;
    double Height = 0;
    [[nodiscard]] bool Overlaps(const PictureBox& other) const;
};

enum class LabelRole { Title, SignName, SignNumber, Graha, Lagna, Legend, Number };

struct PictureLabel {
    std::string Text;  // UTF-8
    PictureBox Box;    // the model's estimate of the ink box
    PicturePoint Baseline;
    double Size = 0;  // em, in picture units
    int Colour = kInkColour;
    bool Bold = false;
    LabelRole Role = LabelRole::Title;
    int Graha = -1;  // for Graha labels
    int Cell = -1;   // index into Cells, or -1
};

struct PictureCell {
    std::vector<PicturePoint> Outline;  // convex, in drawing order
    int Fill = kNoColour;
    int Sign = 0;   // 0 Aries .. 11 Pisces
    int House = 0;  // 1-12 in the North Indian chart, 0 in the South Indian
};

struct PictureLine {
    PicturePoint From;
    PicturePoint To;
    double Width = 0;
    int Colour = kInkColour;
};

struct PictureSwatch {
    PictureBox Box;
    int Colour = kInkColour;
};

struct ChartPicture {
    double Width = 1;
    double Height = 1;
    // Room kept round the drawing so the frame's outer half-line is not cut.
    double Margin = 0.01;
    std::vector<PictureCell> Cells;
    std::vector<PictureLine> Lines;
    std::vector<PictureSwatch> Swatches;
    std::vector<PictureLabel> Labels;
};

// Characters (not bytes) of a UTF-8 text, as the font model counts them.
[[nodiscard]] std::size_t CharacterCount(std::string_view utf8);

// The label of a graha or the Lagna in a cell: "Sa 28°16' (R)".
[[nodiscard]] std::string CellLabelText(const PositionRow& row);

// The fixed square: Pisces top left, then clockwise; the centre shows the
// birth data.
[[nodiscard]] ChartPicture LayoutSouthIndian(const PositionsTable& table);

// The fixed square with one number a sign (the Ashtakavarga's bindus), the
// Lagna's sign (0-11; any other value for none) filled and marked "La", and `centre`'s lines
// (text, bold) in the open middle. No legend: the picture is the square.
[[nodiscard]] ChartPicture LayoutSouthIndianNumbers(
    const std::array<int, kSignCount>& numbers, int lagnaSign,
    const std::vector<std::pair<std::string, bool>>& centre);

// The diamond: house 1 at the top, counted counter-clockwise from the
// Lagna's sign, each house showing its sign's number (Aries 1).
[[nodiscard]] ChartPicture LayoutNorthIndian(const PositionsTable& table);

// The key to the dignities' colours from `top` down, wrapped to the
// picture's width, and with `chartNotes` the retrograde and Lagna marks; the
// picture's height then ends below it.
void AddDignityLegend(ChartPicture& picture, double top, bool chartNotes);

// Sign (0-11) of house 1-12 for a Lagna in sign 0-11, and the reverse.
[[nodiscard]] int NorthIndianHouseSign(int lagnaSign, int house);
[[nodiscard]] int NorthIndianHouseOf(int lagnaSign, int sign);

}  // namespace tavrinel
