// What the Strength tab shows, as plain values: each graha's bar, the rows
// of the Shadbala table, the Ashtakavarga row the square draws and the
// companions' sentences, all formatted from the chart's analysis.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "analysis/chart_analysis.h"
#include "chart_picture/chart_layout.h"

namespace tavrinel {

struct StrengthBarView {
    QString Graha;  // "Sun"
    double Rupas = 0;
    double RequiredRupas = 0;
    double Ratio = 0;
    int Colour = kInkColour;  // the graha's dignity in the rasi chart
    bool Strongest = false;   // the highest ratio of the seven
    QString RatioText;        // "1.22"
    QString AccessibleName;   // "Sun: 6.12 rupas, minimum 5, ratio 1.22"
};

// Sun to Saturn; empty without Shadbala.
[[nodiscard]] std::vector<StrengthBarView> StrengthBars(const ChartAnalysis& analysis);

// The key to the bars in one line: the dignities' colours, the mark and the
// number, as rich text.
[[nodiscard]] QString StrengthLegendHtml();

// The Shadbala table: its headers, and one row a graha (the sources in
// virupas, then the total, rupas, minimum and ratio).
[[nodiscard]] QStringList ShadbalaColumns();
[[nodiscard]] QStringList ShadbalaRow(const GrahaShadbala& shadbala, Graha graha);
// The parts of Sthana and Kala bala, for their cells' tool tips.
[[nodiscard]] QString SthanaParts(const SthanaBala& sthana);
[[nodiscard]] QString KalaParts(const KalaBala& kala);
// "Lords: year Saturn, month Mercury, weekday Mercury, hora Moon."
[[nodiscard]] QString LordsText(const StrengthLords& lords);

// The Ashtakavarga's chooser: the Sarva first, then the eight Bhinna rows
// in the record's order (Sun to Saturn, the Lagna).
inline constexpr int kSarvaChoice = 0;
inline constexpr int kAshtakavargaChoices = 1 + kAshtakavargaRows;
[[nodiscard]] QString AshtakavargaChoiceName(int choice);
[[nodiscard]] std::array<int, kSignCount> AshtakavargaBindus(const AshtakavargaTable& table,
                                                             int choice);
// The square of a choice, the Lagna's sign marked, its title and total in
// the middle; and the same facts in words for a screen reader.
[[nodiscard]] ChartPicture AshtakavargaPicture(const AshtakavargaTable& table, int choice,
                                               int lagnaSign);
[[nodiscard]] QString AshtakavargaFactsText(const AshtakavargaTable& table, int choice,
                                            int lagnaSign);

// The companions of dignity as sentences, without the one that says why
// there is no Shadbala (the Shadbala part says it).
[[nodiscard]] QStringList CompanionSentences(const ChartAnalysis& analysis);

// A figure as the outputs give it: two decimals, halves away from zero.
[[nodiscard]] QString TwoDecimals(double value);

}  // namespace tavrinel
