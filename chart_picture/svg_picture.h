// The chart drawing as SVG text, for the command line (which has no Qt).
#pragma once

#include <string>

#include "chart_picture/chart_layout.h"

namespace tavrinel {

// A standalone SVG document, `pixelWidth` wide, the height in proportion.
[[nodiscard]] std::string RenderSvg(const ChartPicture& picture, double pixelWidth = 600);

}  // namespace tavrinel
