// The Vimshottari dasha: the 120-year cycle of planetary periods counted from
// the nakshatra the Moon held at birth, and repeated after its end, to five
// levels, each period carrying its lord's natal dignity. Times are Julian
// Days in UT.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "chart/chart_state.h"
#include "reading/dignity_reading.h"

namespace tavrinel {

// The length of the year the periods are counted in. Every output names it,
// since programs of the field differ here and their dates with them.
enum class DashaYear { Sidereal, Julian, Gregorian, Savana };

struct DashaYearLength {
    DashaYear Year;
    std::string_view Key;   // "sidereal", as the command line and settings spell it
    std::string_view Name;  // "sidereal year of 365.256363 days"
    double Days;
};

inline constexpr std::array<DashaYearLength, 4> kDashaYearLengths = {{
    {DashaYear::Sidereal, "sidereal", "sidereal year of 365.256363 days", 365.256363},
    {DashaYear::Julian, "julian", "Julian year of 365.25 days", 365.25},
    {DashaYear::Gregorian, "gregorian", "Gregorian year of 365.2425 days", 365.2425},
    // The savana year: twelve months of thirty civil days.
    {DashaYear::Savana, "savana", "savana year of 360 days", 360},
}};

[[nodiscard]] const DashaYearLength& DashaYearOf(DashaYear year);
[[nodiscard]] std::optional<DashaYear> ParseDashaYear(std::string_view key);

// The lords in the order of the nakshatras from Ashwini, with their years.
struct DashaLord {
    Graha Lord;
    int Years;
};
inline constexpr std::array<DashaLord, 9> kVimshottariLords = {{
    {kKetu, 7},
    {kVenus, 20},
    {kSun, 6},
    {kMoon, 10},
    {kMars, 7},
    {kRahu, 18},
    {kJupiter, 16},
    {kSaturn, 19},
    {kMercury, 17},
}};
inline constexpr int kVimshottariYears = 120;
// The nine of the cycle and the birth lord's return.
inline constexpr std::size_t kListedMahadashas = 10;

// Years of a lord's mahadasha (0 for a graha that is no lord).
[[nodiscard]] int DashaYears(Graha lord);

// Maha, antar, pratyantar, sookshma, prana.
inline constexpr int kDashaLevels = 5;
inline constexpr std::array<std::string_view, kDashaLevels> kDashaLevelNames = {
    "Mahadasha", "Antardasha", "Pratyantardasha", "Sookshma dasha", "Prana dasha"};

struct DashaPeriod {
    double StartUt = 0;  // Julian Day, UT
    double EndUt = 0;    // the next period's start
    Graha Lord = kKetu;
    Dignity LordDignity = Dignity::Peregrine;  // the lord's natal dignity, as given
};

struct DashaOptions {
    DashaYear Year = DashaYear::Sidereal;
    int Levels = 2;  // 1-5; anything else is brought into that range
};

// The periods of one birth. Level 0 holds the nine mahadashas from the birth
// period on and then the birth lord's again, whole, as the cycle starts over:
// ten, so that periods are listed for at least 120 years after birth however
// much of the first one had passed. Each level below holds nine periods for
// every period above it, stored flat: the children of period i of a level are
// i*9 .. i*9+8 of the next, so nothing but the start and lord of each is kept
// and no tree is walked.
struct VimshottariDasha {
    double BirthUt = 0;
    double MoonLongitude = 0;  // sidereal degrees, of the sky counted in
    DashaYear Year = DashaYear::Sidereal;
    double YearDays = 0;
    Graha BirthLord = kKetu;
    double BalanceYears = 0;  // of the birth period still to run at birth
    std::vector<std::vector<DashaPeriod>> Levels;

    [[nodiscard]] int LevelCount() const { return static_cast<int>(Levels.size()); }
    // The nine periods into which period `index` of `level` divides (empty
    // below the last level kept).
    [[nodiscard]] std::span<const DashaPeriod> SubPeriods(int level, std::size_t index) const;
    // Index within its level of each period running at the instant, outermost
    // first, one per level; empty before the first period. On the edge between
    // two periods the later one runs. Past the list the cycle goes on: the
    // answer is the period a whole number of cycles earlier, which has the
    // same lords (its dates are those cycles earlier).
    [[nodiscard]] std::vector<std::size_t> Running(double julianDayUt) const;
    // Whether the instant falls within the periods listed.
    [[nodiscard]] bool Lists(double julianDayUt) const;
};

// The dasha from a birth instant (Julian Day UT), the Moon's sidereal
// longitude and the lords' natal dignities, Sun to Ketu. Nothing for a Moon
// or instant that is not a finite number.
[[nodiscard]] std::optional<VimshottariDasha> ComputeVimshottari(
    double birthUt, double moonLongitude, const std::array<Dignity, kGrahaCount>& dignities,
    const DashaOptions& options);

// The same for a calculated chart: the true instant of birth (the one the
// precise sky uses, whichever sky ran), the Moon of the sky in use and the
// dignities of the chart's reading.
[[nodiscard]] std::optional<VimshottariDasha> ComputeVimshottari(const ChartState& chart,
                                                                 const DashaOptions& options);

}  // namespace tavrinel
