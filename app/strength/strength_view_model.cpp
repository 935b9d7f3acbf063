#include "app/strength/strength_view_model.h"

#include <algorithm>
#include <cmath>

#include "app/chart_painter.h"

namespace tavrinel {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString GrahaName(int graha) {
    return Text(StrengthGrahaName(static_cast<Graha>(graha)));
}

// "5", "5.5": the minimums are whole or half rupas.
QString Minimum(double rupas) {
    return QString::number(rupas);
}

QString Parts(const std::vector<std::pair<const char*, double>>& parts) {
    QStringList out;
    for (const auto& [name, value] : parts) {
        out << QString::fromLatin1(name) + QLatin1Char(' ') + TwoDecimals(value);
    }
    return out.join(QStringLiteral(", "));
}

}  // namespace

QString TwoDecimals(double value) {
    // Halves away from zero, as std::round does; 'f' alone would round the
    // binary value, which may lie just under the half.
    const double rounded = std::round(value * 100) / 100;
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', 2);
}

std::vector<StrengthBarView> StrengthBars(const ChartAnalysis& analysis) {
    std::vector<StrengthBarView> bars;
    if (!analysis.Strength || !analysis.Strength->Shadbala) {
        return bars;
    }
    const auto& shadbala = *analysis.Strength->Shadbala;
    const bool dignities = analysis.Precise && analysis.Precise->Ok;
    for (int g = 0; g < kStrengthGrahaCount; ++g) {
        const GrahaShadbala& s = shadbala[static_cast<std::size_t>(g)];
        StrengthBarView bar;
        bar.Graha = GrahaName(g);
        bar.Rupas = s.Rupas;
        bar.RequiredRupas = s.RequiredRupas;
        bar.Ratio = s.Ratio;
        if (dignities) {
            bar.Colour = DignityColour(analysis.Precise->Dignities[static_cast<std::size_t>(g)]);
        }
        bar.RatioText = TwoDecimals(s.Ratio);
        bar.AccessibleName =
            QStringLiteral("%1: %2 rupas, minimum %3, ratio %4")
                .arg(bar.Graha, TwoDecimals(s.Rupas), Minimum(s.RequiredRupas), bar.RatioText);
        bars.push_back(bar);
    }
    const auto strongest = std::max_element(
        bars.begin(), bars.end(),
        [](const StrengthBarView& a, const StrengthBarView& b) { return a.Ratio < b.Ratio; });
    strongest->Strongest = true;
    strongest->AccessibleName += QStringLiteral(", the strongest");
    return bars;
}

QString StrengthLegendHtml() {
    QStringList parts;
    for (const Dignity dignity : kDignityLegendOrder) {
        parts << QStringLiteral("<span style=\"color:%1\">%2</span>")
                     .arg(PictureQColor(DignityColour(dignity)).name(), Text(DignityTerm(dignity)));
    }
    return parts.join(QStringLiteral(" &nbsp;")) +
           QStringLiteral(" &nbsp;<b>|</b> the minimum; at the end, the ratio");
}

QStringList ShadbalaColumns() {
    return {QStringLiteral("Graha"),   QStringLiteral("Sthana"),  QStringLiteral("Dig"),
            QStringLiteral("Kala"),    QStringLiteral("Cheshta"), QStringLiteral("Naisargika"),
            QStringLiteral("Drik"),    QStringLiteral("Virupas"), QStringLiteral("Rupas"),
            QStringLiteral("Minimum"), QStringLiteral("Ratio")};
}

QStringList ShadbalaRow(const GrahaShadbala& s, Graha graha) {
    return {GrahaName(graha),          TwoDecimals(s.Sthana.Total), TwoDecimals(s.Dig),
            TwoDecimals(s.Kala.Total), TwoDecimals(s.Cheshta),      TwoDecimals(s.Naisargika),
            TwoDecimals(s.Drik),       TwoDecimals(s.TotalVirupas), TwoDecimals(s.Rupas),
            Minimum(s.RequiredRupas),  TwoDecimals(s.Ratio)};
}

QString SthanaParts(const SthanaBala& s) {
    return Parts({{"Uccha", s.Uccha},
                  {"Saptavargaja", s.Saptavargaja},
                  {"Ojayugma", s.Ojayugma},
                  {"Kendradi", s.Kendradi},
                  {"Drekkana", s.Drekkana}});
}

QString KalaParts(const KalaBala& k) {
    return Parts({{"Nathonnata", k.Nathonnata},
                  {"Paksha", k.Paksha},
                  {"Tribhaga", k.Tribhaga},
                  {"Abda", k.Abda},
                  {"Masa", k.Masa},
                  {"Vara", k.Vara},
                  {"Hora", k.Hora},
                  {"Ayana", k.Ayana},
                  {"Yuddha", k.Yuddha}});
}

QString LordsText(const StrengthLords& lords) {
    return QStringLiteral("Lords of the birth: year %1, month %2, weekday %3, hora %4.")
        .arg(GrahaName(lords.Year), GrahaName(lords.Month), GrahaName(lords.Weekday),
             GrahaName(lords.Hora));
}

QString AshtakavargaChoiceName(int choice) {
    if (choice == kSarvaChoice) {
        return QStringLiteral("Sarvashtakavarga");
    }
    const int row = choice - 1;
    return (row == kAshtakavargaLagna ? QStringLiteral("Lagna") : GrahaName(row)) +
           QStringLiteral("'s Bhinnashtakavarga");
}

std::array<int, kSignCount> AshtakavargaBindus(const AshtakavargaTable& table, int choice) {
    return choice == kSarvaChoice ? table.Sarva
                                  : table.Bhinna[static_cast<std::size_t>(choice - 1)];
}

ChartPicture AshtakavargaPicture(const AshtakavargaTable& table, int choice, int lagnaSign) {
    const std::array<int, kSignCount> bindus = AshtakavargaBindus(table, choice);
    int total = 0;
    for (const int b : bindus) {
        total += b;
    }
    return LayoutSouthIndianNumbers(bindus, lagnaSign,
                                    {{AshtakavargaChoiceName(choice).toStdString(), true},
                                     {std::to_string(total) + " bindus", false}});
}

QString AshtakavargaFactsText(const AshtakavargaTable& table, int choice, int lagnaSign) {
    const std::array<int, kSignCount> bindus = AshtakavargaBindus(table, choice);
    QStringList signs;
    int total = 0;
    for (int sign = 0; sign < kSignCount; ++sign) {
        const int b = bindus[static_cast<std::size_t>(sign)];
        total += b;
        signs << Text(kSignNames[static_cast<std::size_t>(sign)]) + QLatin1Char(' ') +
                     QString::number(b) +
                     (sign == lagnaSign ? QStringLiteral(" (Lagna)") : QString());
    }
    return QStringLiteral("%1, %2 bindus: %3.")
        .arg(AshtakavargaChoiceName(choice))
        .arg(total)
        .arg(signs.join(QStringLiteral(", ")));
}

QStringList CompanionSentences(const ChartAnalysis& analysis) {
    QStringList sentences;
    if (!analysis.Strength || !analysis.StrengthFrom) {
        return sentences;
    }
    for (const std::string& sentence :
         StrengthSentences(*analysis.Strength, *analysis.StrengthFrom)) {
        if (sentence != analysis.Strength->NoShadbalaReason) {
            sentences << QString::fromStdString(sentence);
        }
    }
    return sentences;
}

}  // namespace tavrinel
