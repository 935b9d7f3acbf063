// The window's fonts. The layout was made for Verdana at 11 pixels; where
// Verdana is missing, a related sans-serif is used, with its captions at a
// size at which every one of them still fits the rectangle it was designed
// for.
#pragma once

#include <QFont>
#include <QString>
#include <optional>
#include <vector>

class QWidget;

namespace tavrinel {

inline constexpr int kDesignPixelSize = 11;  // Verdana 8.25 pt at 96 dpi
inline constexpr int kSmallestPixelSize = 7;

// Verdana where installed, else the closest installed fallback.
[[nodiscard]] QString PickWindowFontFamily();

// The bold caption size at which the layout was measured for this family
// (Verdana and the DejaVu fallbacks); nothing for any other family.
[[nodiscard]] std::optional<int> MeasuredCaptionPixelSize(const QString& family);


[[nodiscard]] QFont WindowFont(const QString& family, int pixelSize, bool bold);

// True when the widget's caption (label, button, option, check box, frame
// title) or, for a list, every entry, is fully visible with the font.
[[nodiscard]] bool CaptionFits(const QWidget& widget, const QFont& font);

// The largest pixel size, from `largest` down, at which every widget's
// caption fits; the smallest size when none does.
[[nodiscard]] int FittingPixelSize(const std::vector<const QWidget*>& widgets,
                                   const QString& family, bool bold,
                                   int largest = kDesignPixelSize);

}  // namespace tavrinel
