#include "ephemeris/position_text.h"

#include <charconv>
#include <cmath>

#include "chart/chart_state.h"

namespace tavrinel {

namespace {

constexpr std::string_view kDegreeSign = "\xC2\xB0";  // U+00B0 in UTF-8, two bytes
constexpr std::string_view kMinuteMark = "'";
constexpr std::size_t kCodeLength = 3;
constexpr double kDegreesPerSign = 30;
constexpr double kSignsPerCircle = 12;
constexpr double kSixty = 60;  // minutes per degree, seconds per minute

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::string TwoDigits(std::string_view number) {
    std::string result = number.size() <= 1 ? "0" : "";
    result += number;
    return result;
}

// The truncated parts of a finite longitude's magnitude.
struct SignParts {
    int Degrees = 0;  // within the sign
    int Minutes = 0;
    int Seconds = 0;
    std::size_t Sign = 0;  // 0 Aries .. 11 Pisces
};

SignParts PartsOf(double x) {
    x = std::fabs(x);
    const double wholeDegrees = std::floor(x);
    const double minutes = kSixty * (x - wholeDegrees);
    const double wholeMinutes = std::floor(minutes);
    const double wholeSeconds = std::floor(kSixty * (minutes - wholeMinutes));
    // fmod is exact on whole numbers, so this equals subtracting 30 (and 12)
    // until the value is small enough, without looping on huge inputs. The
    // sign index wraps so that 360 and beyond still name a sign.
    SignParts parts;
    parts.Degrees = static_cast<int>(std::fmod(wholeDegrees, kDegreesPerSign));
    parts.Minutes = static_cast<int>(wholeMinutes);
    parts.Seconds = static_cast<int>(wholeSeconds);
    parts.Sign = static_cast<std::size_t>(
        std::fmod(std::floor(wholeDegrees / kDegreesPerSign), kSignsPerCircle));
    return parts;
}

void AppendNumber(std::string& result, int value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    result.append(digits, end);
}

std::string_view SignCodeOf(const SignParts& parts) {
    return std::string_view(kSignAbbreviations).substr(parts.Sign * kCodeLength, kCodeLength);
}

}  // namespace

std::string FormatSignPosition(double x) {
    // Nothing sensible can be written for these, and the integer conversions
    // would be undefined; the empty text is refused by ShortPositionText.
    if (!std::isfinite(x)) {
        return {};
    }
    const SignParts parts = PartsOf(x);
    // One allocation per text: this runs ten times per chart.
    std::string result;
    result.reserve(24);
    AppendNumber(result, parts.Degrees);
    result += kDegreeSign;
    result += ' ';
    AppendNumber(result, parts.Minutes);
    result += "' ";
    AppendNumber(result, parts.Seconds);
    result += "\" ";
    result += SignCodeOf(parts);
    return result;
}

std::string ShortSignPosition(double x) {
    if (!std::isfinite(x)) {
        return {};
    }
    const SignParts parts = PartsOf(x);
    const auto twoDigits = [](std::string& result, int value) {
        if (value < 10) {
            result += '0';
        }
        AppendNumber(result, value);
    };
    std::string result;
    twoDigits(result, parts.Degrees);
    result += ' ';
    result += SignCodeOf(parts);
    result += ' ';
    twoDigits(result, parts.Minutes);
    return result;
}

std::optional<std::string> ShortPositionText(std::string_view longText) {
    const std::string_view trimmed = TrimSpaces(longText);
    const std::size_t degreeAt = trimmed.find(kDegreeSign);
    const std::size_t minuteAt = trimmed.find(kMinuteMark);
    if (degreeAt == std::string_view::npos || minuteAt == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t minutesStart = degreeAt + kDegreeSign.size();
    if (minuteAt < minutesStart) {
        return std::nullopt;
    }
    const std::string_view degrees = TrimSpaces(trimmed.substr(0, degreeAt));
    const std::string_view minutes =
        TrimSpaces(trimmed.substr(minutesStart, minuteAt - minutesStart));
    // The code is taken from the untrimmed text, as the reading has always
    // received it; a long form never ends in a space.
    const std::size_t codeStart = longText.size() > kCodeLength ? longText.size() - kCodeLength : 0;
    const std::string_view code = TrimSpaces(longText.substr(codeStart));

    std::string result = TwoDigits(degrees);
    result += ' ';
    result += code;
    result += ' ';
    result += TwoDigits(minutes);
    return result;
}

}  // namespace tavrinel
