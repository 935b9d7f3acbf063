#include "cli/batch_progress.h"

#include <algorithm>
#include <cmath>

namespace tavrinel::cli {

namespace {

constexpr long kSecondsPerMinute = 60;
constexpr long kSecondsPerHour = 3600;
constexpr double kPercent = 100;

std::string DurationText(long seconds) {
    if (seconds >= kSecondsPerHour) {
        return std::to_string(seconds / kSecondsPerHour) + " h " +
               std::to_string(seconds % kSecondsPerHour / kSecondsPerMinute) + " min";
    }
    if (seconds >= kSecondsPerMinute) {
        return std::to_string(seconds / kSecondsPerMinute) + " min " +
               std::to_string(seconds % kSecondsPerMinute) + " s";
    }
    return std::to_string(seconds) + " s";
}

}  // namespace

std::string ProgressText(long lines, double seconds, std::uintmax_t bytes,
                         std::uintmax_t totalBytes) {
    std::string text = std::to_string(lines) + (lines == 1 ? " line" : " lines");
    const bool known = totalBytes > 0 && bytes <= totalBytes;
    if (known) {
        const double share = static_cast<double>(bytes) / static_cast<double>(totalBytes);
        text += " (" + std::to_string(static_cast<int>(std::floor(share * kPercent))) + "%)";
    }
    if (seconds <= 0) {
        return text;
    }
    text += ", " + std::to_string(std::lround(static_cast<double>(lines) / seconds)) + " lines/s";
    if (known && bytes > 0) {
        const double left = seconds * static_cast<double>(totalBytes - bytes) /
                            static_cast<double>(bytes);
        text += ", " + DurationText(std::lround(std::ceil(left))) + " left";
    }
    return text;
}

BatchProgress::BatchProgress(std::ostream& err, std::uintmax_t totalBytes, Clock::time_point start,
                             Clock::duration redrawInterval)
    : err_(err),
      totalBytes_(totalBytes),
      redrawInterval_(redrawInterval),
      start_(start),
      lastDrawn_(start) {}

BatchProgress::~BatchProgress() { Finish(); }

void BatchProgress::Update(long lines, std::uintmax_t bytes, Clock::time_point now) {
    if (now - lastDrawn_ < redrawInterval_) {
        return;
    }
    lastDrawn_ = now;
    const std::string text =
        ProgressText(lines, std::chrono::duration<double>(now - start_).count(), bytes, totalBytes_);
    // Blanks rather than a terminal's erase sequence: any terminal shows them.
    err_ << '\r' << text << std::string(shownWidth_ > text.size() ? shownWidth_ - text.size() : 0, ' ')
         << std::flush;
    shownWidth_ = std::max(shownWidth_, text.size());
}

void BatchProgress::Finish() {
    if (shownWidth_ > 0) {
        err_ << '\r' << std::string(shownWidth_, ' ') << '\r' << std::flush;
        shownWidth_ = 0;
    }
}

}  // namespace tavrinel::cli
