// Positions leave the engines only as text: a long form with seconds and a
// nine-character short form that the reading takes apart again.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrinel {

// Long form of a longitude in degrees, e.g. 16° 31' 32" Sag (UTF-8 degree
// sign). The magnitude is formatted; every number is truncated; 360 and above
// wrap round to Aries. NaN and infinity give an empty text.
[[nodiscard]] std::string FormatSignPosition(double x);

// The short form of a longitude straight away: what ShortPositionText makes
// of FormatSignPosition(x), or the empty text for NaN and infinity.
[[nodiscard]] std::string ShortSignPosition(double x);

// Short form of a long-form text, e.g. "16 Sag 31". Nothing when the text has
// no degree sign followed by an apostrophe.
[[nodiscard]] std::optional<std::string> ShortPositionText(std::string_view longText);

}  // namespace tavrinel
