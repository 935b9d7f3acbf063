#include "chart_picture/svg_picture.h"

#include <cstdio>

#include "chart/utf8.h"

namespace tavrinel {

namespace {

// Drawing units per picture unit: four decimals of the square are plenty.
constexpr double kUnits = 1000;

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value * kUnits);
    std::string s = text;
    while (s.back() == '0') {
        s.pop_back();
    }
    if (s.back() == '.') {
        s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

std::string Colour(int index) {
    const Rgb rgb = PictureColour(index);
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.Red, rgb.Green, rgb.Blue);
    return text;
}

// Text content and attribute values: the five markup characters escaped.
// What XML 1.0 forbids (controls other than tab and line breaks, U+FFFE,
// U+FFFF) and bytes that are not UTF-8 become U+FFFD, as in the JSON output,
// so a name holding them still gives a picture a viewer opens.
std::string Escaped(std::string_view text) {
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Sequence sequence = DecodeUtf8(text, i);
        const char32_t code = sequence.Code;
        if (!sequence.Valid) {
            out += kReplacement;
            ++i;  // a broken sequence's next byte may start a good one
            continue;
        }
        switch (code) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default: {
                const bool forbidden = (code < 0x20 && code != '\t' && code != '\n' &&
                                        code != '\r') ||
                                       code == 0xFFFE || code == 0xFFFF;
                if (forbidden) {
                    out += kReplacement;
                } else {
                    out.append(text.substr(i, sequence.Length));
                }
            }
        }
        i += sequence.Length;
    }
    return out;
}

}  // namespace

std::string RenderSvg(const ChartPicture& picture, double pixelWidth) {
    const double fullWidth = picture.Width + 2 * picture.Margin;
    const double fullHeight = picture.Height + 2 * picture.Margin;
    const double pixelHeight = pixelWidth * fullHeight / fullWidth;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    char size[128];
    std::snprintf(size, sizeof size, "width=\"%.0f\" height=\"%.0f\"", pixelWidth, pixelHeight);
    const std::string left = Number(-picture.Margin);
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" " + std::string(size) + " viewBox=\"" + left +
           " " + left + " " + Number(fullWidth) + " " + Number(fullHeight) + "\">\n";
    svg += "<rect x=\"" + left + "\" y=\"" + left + "\" width=\"" + Number(fullWidth) +
           "\" height=\"" + Number(fullHeight) + "\" fill=\"" + Colour(kPaperColour) + "\"/>\n";
    for (const PictureCell& cell : picture.Cells) {
        if (cell.Fill == kNoColour) {
            continue;
        }
        svg += "<polygon fill=\"" + Colour(cell.Fill) + "\" points=\"";
        for (std::size_t i = 0; i < cell.Outline.size(); ++i) {
            svg += (i ? " " : "") + Number(cell.Outline[i].X) + "," + Number(cell.Outline[i].Y);
        }
        svg += "\"/>\n";
    }
    for (const PictureLine& line : picture.Lines) {
        svg += "<line x1=\"" + Number(line.From.X) + "\" y1=\"" + Number(line.From.Y) + "\" x2=\"" +
               Number(line.To.X) + "\" y2=\"" + Number(line.To.Y) + "\" stroke=\"" +
               Colour(line.Colour) + "\" stroke-width=\"" + Number(line.Width) +
               "\" stroke-linecap=\"square\"/>\n";
    }
    for (const PictureSwatch& swatch : picture.Swatches) {
        svg += "<rect x=\"" + Number(swatch.Box.X) + "\" y=\"" + Number(swatch.Box.Y) +
               "\" width=\"" + Number(swatch.Box.Width) + "\" height=\"" +
               Number(swatch.Box.Height) + "\" fill=\"" + Colour(swatch.Colour) + "\"/>\n";
    }
    svg += "<g font-family=\"" + std::string(kPictureFontFamily) + ", monospace\">\n";
    for (const PictureLabel& label : picture.Labels) {
        // The text is held to the model's width so it matches the layout even
        // where the viewer substitutes another face.
        svg += "<text x=\"" + Number(label.Baseline.X) + "\" y=\"" + Number(label.Baseline.Y) +
               "\" font-size=\"" + Number(label.Size) + "\" fill=\"" + Colour(label.Colour) + "\"" +
               (label.Bold ? " font-weight=\"bold\"" : "") + " textLength=\"" +
               Number(label.Box.Width) + "\" lengthAdjust=\"spacingAndGlyphs\">" +
               Escaped(label.Text) + "</text>\n";
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

}  // namespace tavrinel
