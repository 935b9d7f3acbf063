// A divisional chart as a positions table, so the South and North Indian
// layouts draw it as they draw the rasi chart: each graha and the Lagna in
// its sign of the varga, coloured by its dignity there, without degrees.
#pragma once

#include "chart_picture/positions_table.h"
#include "vargas/vargas.h"

namespace tavrinel {

// "D9 Navamsa".
[[nodiscard]] std::string VargaTitle(int varga);

// The rasi table's rows moved into their signs of the varga; the North
// Indian houses then count from the Lagna's sign in that varga. `skyName`,
// the sky the vargas were built on, takes the place of the rasi's where it
// is given.
[[nodiscard]] PositionsTable VargaPositionsTable(const PositionsTable& rasi,
                                                 const VargaTable& vargas, int varga,
                                                 std::string_view skyName = {});

}  // namespace tavrinel
