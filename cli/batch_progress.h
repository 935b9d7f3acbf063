// A long batch's progress on standard error while it is a terminal: lines
// answered, the rate and the time left, on one line rewritten in place and
// erased at the end.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace tavrinel::cli {

class BatchProgress {
public:
    using Clock = std::chrono::steady_clock;

    // Often enough to look alive, rarely enough to cost nothing and not flicker.
    static constexpr Clock::duration kRedrawInterval = std::chrono::milliseconds(250);

    // `totalBytes` is the input's size; 0 when unknown, and no time left is
    // shown. The line is redrawn at most once per `redrawInterval`.
    BatchProgress(std::ostream& err, std::uintmax_t totalBytes,
                  Clock::time_point start = Clock::now(),
                  Clock::duration redrawInterval = kRedrawInterval);
    ~BatchProgress();
    BatchProgress(const BatchProgress&) = delete;
    BatchProgress& operator=(const BatchProgress&) = delete;

    // Lines answered and bytes of the input read so far.
    void Update(long lines, std::uintmax_t bytes, Clock::time_point now = Clock::now());
    // Erases the line, leaving the cursor where it was before the first one.
    void Finish();

private:
    std::ostream& err_;
    std::uintmax_t totalBytes_;
    Clock::duration redrawInterval_;
    Clock::time_point start_;
    Clock::time_point lastDrawn_;
    std::size_t shownWidth_ = 0;  // characters on the line now
};

// "12000 lines (40%), 9870 lines/s, 1 min 12 s left": the line shown after
// `seconds` of work; without a total, only the lines and the rate.
[[nodiscard]] std::string ProgressText(long lines, double seconds, std::uintmax_t bytes,
                                       std::uintmax_t totalBytes);

}  // namespace tavrinel::cli
