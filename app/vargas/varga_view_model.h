// What the Vargas tab shows, as plain values: each cell's text, colour and
// spoken description, and the words that describe a drawn varga.
#pragma once

#include <QString>

#include "chart_picture/positions_table.h"
#include "vargas/vargas.h"

namespace tavrinel {


struct VargaCellView {
    QString Text;    // "Gem", "Gem*" (vargottama), "Sag--" (in a great enemy's sign)
    int Colour = 0;  // picture colour index: the dignity's, or ink for the Lagna
    bool Vargottama = false;
    QString Description;  // "Sun in D9 Navamsa: Gemini, Own, vargottama"
};

// The cell of a point (graha 0-8 or kLagnaPoint) in a varga; empty text for
// a point the chart has no position for.
[[nodiscard]] VargaCellView VargaCell(const VargaTable& table, int point, int varga);

// One line per graha and the Lagna: where each stands in the varga, for a
// screen reader in place of the picture.
[[nodiscard]] QString VargaFactsText(const VargaTable& table, int varga);

// The key to the table's colours and marks, as rich text.
[[nodiscard]] QString VargaLegendHtml();

}  // namespace tavrinel
