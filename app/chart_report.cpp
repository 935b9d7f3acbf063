#include "app/chart_report.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>

#include "analysis/analysis_text.h"
#include "app/chart_painter.h"
#include "chart_picture/varga_picture.h"
#include "chart_picture/chart_layout.h"
#include "chart_picture/nakshatra.h"
#include "reading/dignity_reading.h"

namespace tavrinel {

namespace {

constexpr double kPointsPerInch = 72;
constexpr double kMarginPoints = 36;
constexpr double kPictureGapPoints = 14;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The reading's runs, with their colours and weights, in a text document.
class DocumentSink final : public ReadingSink {
  public:
    explicit DocumentSink(QTextDocument& document) : caret_(&document) {}
    void Clear() override {}
    void Append(std::string_view text, int colourIndex, bool bold) override {
        QTextCharFormat format;
        const Rgb rgb = ReadingColour(colourIndex);
        format.setForeground(QColor(rgb.Red, rgb.Green, rgb.Blue));
        format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        QString piece = Text(text);
        piece.remove(QLatin1Char('\r'));
        caret_.insertText(piece, format);
    }
    void ShowReadingPanel() override {}

  private:
    QTextCursor caret_;
};

// Shaping joins "ff", "fi" and the like into one ligature glyph, which a
// PDF's text then holds as one character (U+FB00 ...): searching or copying
// "effect" would fail. Latin needs no shaping.
QFont PlainLettersFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The pictures' monospaced face, for the tables of text whose columns must
// line up; unshaped, as the reading's.
QFont ColumnsFont() {
    QFont font(QString::fromUtf8(kPictureFontFamily.data()));
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The painter works in points on a device of any resolution, while a font's
// point size is taken at the device's resolution: it is given in those units.
QFont ReportFont(const QPainter& painter, double points, bool bold = false) {
    QFont font = PlainLettersFont();
    font.setPointSizeF(points * kPointsPerInch / painter.device()->logicalDpiY());
    font.setBold(bold);
    return font;
}

// Draws a line of text at the pen position and moves it down.
void Line(QPainter& painter, double& y, double left, const QString& text, const QFont& font,
          const QColor& colour = Qt::black) {
    painter.setFont(font);
    painter.setPen(colour);
    const QFontMetricsF metrics(font, painter.device());
    painter.drawText(QPointF(left, y + metrics.ascent()), text);
    y += metrics.height() * 1.15;
}

// Draws wrapped text in the painter's font and pen at the pen position and
// moves it down.
void Paragraph(QPainter& painter, double& y, double left, double width, const QString& text) {
    constexpr int kFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
    const QRectF room(left, y, width, 1000);
    const QRectF used = painter.boundingRect(room, kFlags, text);
    painter.drawText(room, kFlags, text);
    y += used.height() + 1;
}

void PaintTable(QPainter& painter, double& y, double left, double width,
                const PositionsTable& table) {
    // Column shares of the width: name, position, sign, nakshatra, pada,
    // lord, dignity, retrograde.
    constexpr std::array<double, 8> kShares = {0.10, 0.12, 0.13, 0.20, 0.06, 0.10, 0.19, 0.10};
    const QStringList heading = {"Graha", "Position", "Sign",    "Nakshatra",
                                 "Pada",  "Lord",     "Dignity", "Retrograde"};
    const auto row = [&](const QStringList& cells, bool bold, const QColor& colour) {
        const QFont font = ReportFont(painter, 9, bold);
        painter.setFont(font);
        const QFontMetricsF metrics(font, painter.device());
        double x = left;
        for (int c = 0; c < cells.size(); ++c) {
            painter.setPen(c == 0 || c == 6 ? colour : QColor(Qt::black));
            painter.drawText(QPointF(x, y + metrics.ascent()), cells[c]);
            x += kShares[static_cast<std::size_t>(c)] * width;
        }
        y += metrics.height() * 1.25;
    };
    row(heading, true, Qt::black);
    painter.setPen(QPen(Qt::black, 0.5));
    painter.drawLine(QPointF(left, y - 2), QPointF(left + width, y - 2));
    const auto rowOf = [&](const PositionRow& r) {
        QStringList cells = {Text(r.Name)};
        if (r.Known) {
            cells << Text(r.PositionText) << Text(kSignNames[static_cast<std::size_t>(r.Sign)])
                  << Text(kNakshatraNames[static_cast<std::size_t>(r.Nakshatra)])
                  << QString::number(r.Pada) << Text(GrahaEnglishName(r.Lord))
                  << (r.Dignity ? Text(DignityTerm(*r.Dignity)) : QString())
                  << (r.Retrograde ? QStringLiteral("R") : QString());
        }
        row(cells, false, r.Dignity ? PictureQColor(DignityColour(*r.Dignity)) : QColor(Qt::black));
    };
    rowOf(table.Lagna);
    for (const PositionRow& r : table.Grahas) {
        rowOf(r);
    }
    y += 4;
    const QFont notes = ReportFont(painter, 6.5);
    painter.setFont(notes);
    painter.setPen(QColor(90, 90, 90));
    for (const std::string& source : table.Sources) {
        Paragraph(painter, y, left, width, Text(source));
    }
}

// Lays a document out in page-high slices, each on a page of its own.
void PaintPages(QPagedPaintDevice& device, QPainter& painter, QTextDocument& document,
                double left, double width, double bodyHeight) {
    document.setPageSize(QSizeF(width, bodyHeight));
    const QSizeF size = document.documentLayout()->documentSize();
    for (double top = 0; top < size.height(); top += bodyHeight) {
        device.newPage();
        painter.save();
        painter.translate(left, kMarginPoints - top);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, top, width, bodyHeight);
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
}

}  // namespace

void PaintReport(QPagedPaintDevice& device, const ChartState& chart, const ChartAnalysis& analysis,
                 const SkyCheck* check) {
    QPainter painter(&device);
    if (!painter.isActive()) {
        return;
    }
    // Work in points from the top left of the printable area.
    const double dpi = device.logicalDpiX();
    painter.scale(dpi / kPointsPerInch, dpi / kPointsPerInch);
    const double pageWidth = device.width() * kPointsPerInch / dpi;
    const double pageHeight = device.height() * kPointsPerInch / dpi;
    const double left = kMarginPoints;
    const double width = pageWidth - 2 * kMarginPoints;

    const PositionsTable& table = analysis.Positions;
    double y = kMarginPoints;
    Line(painter, y, left, QStringLiteral("Tavrinel reading for ") + Text(table.PersonName),
         ReportFont(painter, 15, true));
    Line(painter, y, left, Text(table.BirthLine), ReportFont(painter, 10));
    Line(painter, y, left, Text(table.PlaceLine), ReportFont(painter, 10));
    y += 8;
    PaintTable(painter, y, left, width, table);
    y += 4;
    painter.setFont(ReportFont(painter, 9));
    painter.setPen(Qt::black);
    for (const std::string& line : SkyLines(chart, check)) {
        Paragraph(painter, y, left, width, Text(line));
    }
    y += 10;

    const ChartPicture south = LayoutSouthIndian(table);
    const ChartPicture north = LayoutNorthIndian(table);
    const double pictureWidth = (width - kPictureGapPoints) / 2;
    const double pictureHeight =
        std::min(pageHeight - kMarginPoints - y, pictureWidth * south.Height / south.Width);
    PaintChartPicture(painter, south, QRectF(left, y, pictureWidth, pictureHeight));
    PaintChartPicture(
        painter, north,
        QRectF(left + pictureWidth + kPictureGapPoints, y, pictureWidth, pictureHeight));

    // The reading on the pages that follow, cut into page-high slices.
    QTextDocument document;
    // Pixel sizes are taken as they are in the painter's units (points here);
    // point sizes would be converted at the screen's resolution.
    QFont readingFont = PlainLettersFont();
    readingFont.setPixelSize(10);
    document.setDefaultFont(readingFont);
    DocumentSink sink(document);
    BuildDignityReading(chart, analysis.Reading, sink);
    const double bodyHeight = pageHeight - 2 * kMarginPoints;
    PaintPages(device, painter, document, left, width, bodyHeight);

    // The vargas' table and the navamsa drawn on a page of their own.
    if (analysis.Vargas) {
        device.newPage();
        y = kMarginPoints;
        QFont mono = ColumnsFont();
        mono.setPointSizeF(8 * kPointsPerInch / painter.device()->logicalDpiY());
        painter.setFont(mono);
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(mono, painter.device());
        for (const QString& line : Text(VargaTableText(*analysis.Vargas, PreciseSkyNote(analysis)))
                                       .split(QLatin1Char('\n'))) {
            painter.drawText(QPointF(left, y + metrics.ascent()), line);
            y += metrics.height();
        }
        const ChartPicture navamsa = LayoutSouthIndian(
            VargaPositionsTable(table, *analysis.Vargas, kNavamsaVarga, PreciseSkyLine(analysis)));
        const double side = std::min(pictureWidth * 1.3, pageHeight - kMarginPoints - y - 10);
        PaintChartPicture(painter, navamsa,
                          QRectF(left, y + 10, side, side * navamsa.Height / navamsa.Width));
    }
    // The dasha and the strength as text, in the same face so their
    // columns line up, each from a page of its own.
    const auto columns = [&](const std::string& text) {
        QTextDocument document;
        QFont mono = ColumnsFont();
        mono.setPixelSize(8);
        document.setDefaultFont(mono);
        document.setPlainText(Text(text));
        PaintPages(device, painter, document, left, width, bodyHeight);
    };
    if (analysis.DashaAsked) {
        columns(DashaText(analysis, chart));
    }
    if (analysis.Strength || !analysis.StrengthError.empty()) {
        columns(StrengthText(analysis));
    }
}

QByteArray ReportPdf(const ChartState& chart, const ChartAnalysis& analysis, const SkyCheck* check) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("Tavrinel reading for ") +
                        QString::fromStdString(chart.PersonName));
        writer.setCreator(QStringLiteral("Tavrinel"));
        PaintReport(writer, chart, analysis, check);
    }
    return bytes;
}

std::string ReportText(const ChartState& chart, const ChartAnalysis& analysis,
                       const SkyCheck* check) {
    const PositionsTable& table = analysis.Positions;
    std::string text = "Tavrinel reading for " + table.PersonName + "\n" + table.BirthLine + "\n" +
                       table.PlaceLine + "\n\n" + PositionsTableText(table);
    for (const std::string& line : SkyLines(chart, check)) {
        text += line + "\n";
    }
    text += "\n";
    struct Collector final : ReadingSink {
        std::string Text;
        void Clear() override {}
        void Append(std::string_view piece, int, bool) override {
            for (char c : piece) {
                if (c != '\r') {
                    Text += c;
                }
            }
        }
        void ShowReadingPanel() override {}
    } reading;
    BuildDignityReading(chart, analysis.Reading, reading);
    return text + reading.Text + AnalysisSectionsText(analysis, chart);
}

}  // namespace tavrinel
