// The window was laid out in twips (1/1440 inch); at 96 dots per inch fifteen
// of them make one pixel. Positions are rounded to the nearest pixel so that
// controls designed edge to edge stay edge to edge.
#pragma once

#include <QRect>

namespace tavrinel {

inline constexpr int kTwipsPerPixel = 15;

[[nodiscard]] constexpr int TwipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

[[nodiscard]] constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

}  // namespace tavrinel
