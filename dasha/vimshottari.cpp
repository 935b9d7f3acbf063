#include "dasha/vimshottari.h"

#include <algorithm>
#include <cmath>

#include "chart_picture/nakshatra.h"
#include "ephemeris/angles.h"
#include "ephemeris/precise_sky.h"

namespace tavrinel {

namespace {

constexpr double kNakshatraDegrees = 360.0 / kNakshatraCount;  // 13°20'
constexpr std::size_t kLords = kVimshottariLords.size();

// The dasha's order is the nakshatras' order of lords; one list must not
// drift from the other.
constexpr bool SameOrderAsNakshatras() {
    for (std::size_t i = 0; i < kLords; ++i) {
        if (kVimshottariLords[i].Lord != kNakshatraLordCycle[i]) {
            return false;
        }
    }
    return true;
}
static_assert(SameOrderAsNakshatras());

constexpr std::size_t PlaceInOrder(Graha lord) {
    for (std::size_t i = 0; i < kLords; ++i) {
        if (kVimshottariLords[i].Lord == lord) {
            return i;
        }
    }
    return 0;
}

// Nine periods filling [start, end) from `first` on in the order, each its
// lord's share of the 120 years; the last ends exactly where the whole does,
// so the parts add up to their parent whatever the rounding.
void Divide(double start, double end, std::size_t first,
            const std::array<Dignity, kGrahaCount>& dignities, std::vector<DashaPeriod>& out) {
    const double length = end - start;
    int elapsedYears = 0;
    for (std::size_t k = 0; k < kLords; ++k) {
        const DashaLord& lord = kVimshottariLords[(first + k) % kLords];
        DashaPeriod period;
        period.Lord = lord.Lord;
        period.LordDignity = dignities[static_cast<std::size_t>(lord.Lord)];
        period.StartUt = start + length * elapsedYears / kVimshottariYears;
        elapsedYears += lord.Years;
        period.EndUt = k + 1 == kLords ? end
                                       : start + length * elapsedYears / kVimshottariYears;
        out.push_back(period);
    }
}

}  // namespace

const DashaYearLength& DashaYearOf(DashaYear year) {
    for (const DashaYearLength& length : kDashaYearLengths) {
        if (length.Year == year) {
            return length;
        }
    }
    return kDashaYearLengths.front();
}

std::optional<DashaYear> ParseDashaYear(std::string_view key) {
    for (const DashaYearLength& length : kDashaYearLengths) {
        if (length.Key == key) {
            return length.Year;
        }
    }
    return std::nullopt;
}

int DashaYears(Graha lord) {
    for (const DashaLord& entry : kVimshottariLords) {
        if (entry.Lord == lord) {
            return entry.Years;
        }
    }
    return 0;
}

std::span<const DashaPeriod> VimshottariDasha::SubPeriods(int level, std::size_t index) const {
    const auto below = static_cast<std::size_t>(level) + 1;
    if (level < 0 || below >= Levels.size() || (index + 1) * kLords > Levels[below].size()) {
        return {};
    }
    return std::span<const DashaPeriod>(Levels[below]).subspan(index * kLords, kLords);
}

bool VimshottariDasha::Lists(double julianDayUt) const {
    return !Levels.empty() && julianDayUt >= Levels[0].front().StartUt &&
           julianDayUt < Levels[0].back().EndUt;
}

std::vector<std::size_t> VimshottariDasha::Running(double julianDayUt) const {
    std::vector<std::size_t> running;
    if (Levels.empty() || !(julianDayUt >= Levels[0].front().StartUt) ||
        !std::isfinite(julianDayUt)) {
        return running;
    }
    const double listEnd = Levels[0].back().EndUt;
    if (julianDayUt >= listEnd) {
        // Each cycle repeats the first, period for period, 120 years on: the
        // moment whole cycles back lands in the list, within a cycle of its end.
        const double cycle = kVimshottariYears * YearDays;
        julianDayUt -= std::ceil((julianDayUt - listEnd) / cycle) * cycle;
        if (julianDayUt >= listEnd) {
            julianDayUt -= cycle;
        }
    }
    std::size_t first = 0;  // of the candidates on this level
    std::size_t count = Levels[0].size();
    for (const std::vector<DashaPeriod>& level : Levels) {
        std::size_t k = 0;
        // The later period runs on an edge: its start counts, its end not.
        while (k + 1 < count && julianDayUt >= level[first + k + 1].StartUt) {
            ++k;
        }
        running.push_back(first + k);
        first = (first + k) * kLords;
        count = kLords;
    }
    return running;
}

std::optional<VimshottariDasha> ComputeVimshottari(
    double birthUt, double moonLongitude, const std::array<Dignity, kGrahaCount>& dignities,
    const DashaOptions& options) {
    const int nakshatra = NakshatraIndex(moonLongitude);
    if (!std::isfinite(birthUt) || nakshatra < 0) {
        return std::nullopt;
    }
    VimshottariDasha dasha;
    dasha.BirthUt = birthUt;
    dasha.MoonLongitude = ReduceDegrees(moonLongitude);
    dasha.Year = options.Year;
    dasha.YearDays = DashaYearOf(options.Year).Days;

    // The mansion's own rule decides which one the Moon is in, edges
    // included; the part already crossed follows from it.
    const double crossed = std::clamp(
        (dasha.MoonLongitude - nakshatra * kNakshatraDegrees) / kNakshatraDegrees, 0.0, 1.0);
    const std::size_t birthPlace = static_cast<std::size_t>(nakshatra) % kLords;
    const DashaLord& birthLord = kVimshottariLords[birthPlace];
    dasha.BirthLord = birthLord.Lord;
    dasha.BalanceYears = (1 - crossed) * birthLord.Years;

    const int levels = std::clamp(options.Levels, 1, kDashaLevels);
    dasha.Levels.resize(static_cast<std::size_t>(levels));
    const double firstStart = birthUt - crossed * birthLord.Years * dasha.YearDays;
    const double cycleEnd = firstStart + kVimshottariYears * dasha.YearDays;
    dasha.Levels[0].reserve(kListedMahadashas);
    Divide(firstStart, cycleEnd, birthPlace, dignities, dasha.Levels[0]);
    DashaPeriod again = dasha.Levels[0].front();
    again.StartUt = cycleEnd;
    again.EndUt = cycleEnd + birthLord.Years * dasha.YearDays;
    dasha.Levels[0].push_back(again);
    for (std::size_t level = 1; level < dasha.Levels.size(); ++level) {
        const std::vector<DashaPeriod>& above = dasha.Levels[level - 1];
        std::vector<DashaPeriod>& here = dasha.Levels[level];
        here.reserve(above.size() * kLords);
        for (const DashaPeriod& parent : above) {
            Divide(parent.StartUt, parent.EndUt, PlaceInOrder(parent.Lord), dignities, here);
        }
    }
    return dasha;
}

std::optional<VimshottariDasha> ComputeVimshottari(const ChartState& chart,
                                                   const DashaOptions& options) {
    return ComputeVimshottari(PreciseJulianDayUt(chart), chart.GrahaLongitudes[kMoon],
                              ClassifyGrahas(chart).Dignities, options);
}

}  // namespace tavrinel
