#include "chart_picture/varga_picture.h"

namespace tavrinel {

namespace {

void MoveRow(PositionRow& row, int sign) {
    row.ShowsDegrees = false;
    row.Degrees = 0;
    row.Minutes = 0;
    row.Known = row.Known && sign != kNoSign;
    if (row.Known) {
        row.Sign = sign;
        row.PositionText = kSignNames[static_cast<std::size_t>(sign)];
    }
}

}  // namespace

std::string VargaTitle(int varga) {
    return std::string(VargaKey(varga)) + " " + std::string(VargaName(varga));
}

PositionsTable VargaPositionsTable(const PositionsTable& rasi, const VargaTable& vargas, int varga,
                                   std::string_view skyName) {
    PositionsTable table = rasi;
    if (varga < 0 || varga >= kVargaCount) {
        return table;
    }
    const auto v = static_cast<std::size_t>(varga);
    table.ChartName = VargaTitle(varga);
    if (!skyName.empty()) {
        table.SkyName = skyName;
    }
    for (std::size_t g = 0; g < kGrahaCount; ++g) {
        MoveRow(table.Grahas[g], vargas.Signs[v][g]);
        table.Grahas[g].Dignity = vargas.Dignities[v][g];
    }
    MoveRow(table.Lagna, vargas.Signs[v][kLagnaPoint]);
    return table;
}

}  // namespace tavrinel
