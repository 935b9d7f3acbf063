// The sixteen Parashari divisional charts (vargas) of a chart, computed once
// from the full-precision sidereal longitudes: the sign of each graha and
// the Lagna in every varga, each graha's dignity there, vargottama, and for
// a planet in no dignity its compound relationship to the sign's lord.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "chart/chart_state.h"
#include "chart/relationships.h"
#include "reading/dignity_reading.h"

namespace tavrinel {

inline constexpr int kVargaCount = 16;
// The rows of a varga: the nine grahas Sun to Ketu, then the Lagna.
inline constexpr int kVargaPoints = kGrahaCount + 1;
inline constexpr int kLagnaPoint = kGrahaCount;
// The sign of a point with no longitude (a chart without a Lagna).
inline constexpr int kNoSign = -1;
// Index of the rasi chart (D1) and the navamsa (D9) in the vargas' order.
inline constexpr int kRasiVarga = 0;
inline constexpr int kNavamsaVarga = 5;

// The vargas in their usual order D1, D2, D3, D4, D7, D9, D10, D12, D16,
// D20, D24, D27, D30, D40, D45, D60.
[[nodiscard]] int VargaDivisions(int varga);          // 1 .. 60
[[nodiscard]] std::string_view VargaKey(int varga);   // "D9"
[[nodiscard]] std::string_view VargaName(int varga);  // "Navamsa"
// The index of the varga that divides a sign into `divisions`, or -1.
[[nodiscard]] int VargaOfDivisions(int divisions);

// The sign (0 Aries .. 11 Pisces) of a sidereal longitude in a varga; a
// longitude on a division's edge belongs to the later division. kNoSign for
// a longitude that is not finite.
[[nodiscard]] int VargaSign(int varga, double longitude);

struct VargaTable {
    // Sign of each graha and of the Lagna (last) in each varga, or kNoSign.
    std::array<std::array<std::int8_t, kVargaPoints>, kVargaCount> Signs{};
    // D1: the reading's classification, degrees included; the other vargas
    // by sign alone.
    std::array<std::array<Dignity, kGrahaCount>, kVargaCount> Dignities{};
    // For Sun to Saturn where the dignity is Peregrine: the compound
    // relationship to the lord of the sign, its temporal half always from
    // the rasi chart. None elsewhere.
    std::array<std::array<Relationship, kGrahaCount>, kVargaCount> Relationships{};
    // The same sign in D1 and D9.
    std::array<bool, kGrahaCount> Vargottama{};
};

inline constexpr char kVargottamaMark = '*';

// A point's cell (graha 0-8 or kLagnaPoint) in a varga: the sign's code,
// with `dignityLetter` the dignity's letter (E, M, O, D; none when
// peregrine), the relationship mark (RelationshipMark), and the vargottama
// mark in D1 and D9: "Gem+*", "SagO", "Sco--". Empty for a point with no
// position.
[[nodiscard]] std::string VargaCellText(const VargaTable& table, int point, int varga,
                                        bool dignityLetter);

// The table from the nine sidereal longitudes (ChartState::GrahaLongitudes)
// and the Lagna's (NaN where the chart has none).
[[nodiscard]] VargaTable ComputeVargas(const std::array<double, kGrahaCount>& longitudes,
                                       double lagnaLongitude);

// The table of a chart: its GrahaLongitudes and LagnaLongitude once a
// calculation has named its sky, every point unknown before.
[[nodiscard]] VargaTable ComputeVargas(const ChartState& chart);

}  // namespace tavrinel
