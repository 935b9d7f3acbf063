#include "app/vargas/varga_view_model.h"

#include <QStringList>

#include "app/chart_painter.h"
#include "chart_picture/chart_layout.h"
#include "chart_picture/varga_picture.h"

namespace tavrinel {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString PointName(int point) {
    return point == kLagnaPoint ? QStringLiteral("Lagna") : Text(GrahaEnglishName(point));
}

}  // namespace

VargaCellView VargaCell(const VargaTable& table, int point, int varga) {
    VargaCellView cell;
    cell.Colour = kInkColour;
    const auto v = static_cast<std::size_t>(varga);
    const auto p = static_cast<std::size_t>(point);
    const int sign = table.Signs[v][p];
    const QString where = PointName(point) + QStringLiteral(" in ") + Text(VargaTitle(varga));
    if (sign == kNoSign) {
        cell.Description = where + QStringLiteral(": not known");
        return cell;
    }
    const auto s = static_cast<std::size_t>(sign);
    cell.Text = QString::fromStdString(VargaCellText(table, point, varga, false));
    QStringList facts = {Text(kSignNames[s])};
    if (point != kLagnaPoint) {
        const Dignity dignity = table.Dignities[v][p];
        cell.Colour = DignityColour(dignity);
        facts << Text(DignityTerm(dignity));
        const Relationship relationship = table.Relationships[v][p];
        if (relationship != Relationship::None) {
            facts << QStringLiteral("sign of ") + Text(GrahaEnglishName(SignLord(sign))) +
                         QStringLiteral(", ") + Text(RelationshipWords(relationship));
        }
        cell.Vargottama = table.Vargottama[p] && (varga == kRasiVarga || varga == kNavamsaVarga);
        if (cell.Vargottama) {
            facts << QStringLiteral("vargottama");
        }
    }
    cell.Description = where + QStringLiteral(": ") + facts.join(QStringLiteral(", "));
    return cell;
}

QString VargaFactsText(const VargaTable& table, int varga) {
    QStringList lines;
    for (int point : {kLagnaPoint, 0, 1, 2, 3, 4, 5, 6, 7, 8}) {
        lines << VargaCell(table, point, varga).Description;
    }
    return lines.join(QLatin1Char('\n'));
}

QString VargaLegendHtml() {
    QStringList parts;
    for (const Dignity dignity : kDignityLegendOrder) {
        parts << QStringLiteral("<span style=\"color:%1\">%2</span>")
                     .arg(PictureQColor(DignityColour(dignity)).name(), Text(DignityTerm(dignity)));
    }
    return parts.join(QStringLiteral(" &nbsp;")) +
           QStringLiteral(
               "<br>%1 vargottama (the same sign in D1 and D9). A peregrine planet in a "
               "great friend's sign ++, a friend's +, a neutral's =, an enemy's -, a great "
               "enemy's --: natural and temporal friendship together, the temporal from the "
               "rasi chart.")
               .arg(QLatin1Char(kVargottamaMark));
}

}  // namespace tavrinel
