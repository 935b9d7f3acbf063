#include "cli/terminal_text.h"

#include <algorithm>
#include <cstdio>

#include "chart/utf8.h"

namespace tavrinel::cli {

namespace {

void AppendByteEscape(std::string& out, unsigned char byte) {
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02X", byte);
    out += escape;
}

bool NeedsEscape(char32_t code) {
    // C1 controls matter too: some terminals take U+009B as an escape.
    const bool control = code < 0x20 || (code >= 0x7F && code < 0xA0);
    const bool bidirectional = (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
    return control || bidirectional;
}

}  // namespace

std::string EscapedForMessage(std::string_view text, std::size_t most) {
    static constexpr std::string_view kEllipsis = "\u2026";
    std::string out;
    out.reserve(std::min(text.size(), most));
    std::size_t shown = 0;  // characters written, an escape's four included
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Sequence sequence = DecodeUtf8(text, i);
        const char32_t code = sequence.Code;
        std::string piece;
        std::size_t width = 1;
        if (!sequence.Valid || NeedsEscape(code)) {
            for (std::size_t k = 0; k < sequence.Length; ++k) {
                AppendByteEscape(piece, static_cast<unsigned char>(text[i + k]));
            }
            width = piece.size();
        } else if (code == '\\' || code == '"') {
            piece = {'\\', static_cast<char>(code)};
            width = 2;
        } else {
            piece = text.substr(i, sequence.Length);
        }
        if (most != std::string_view::npos && shown + width > most) {
            out += kEllipsis;
            break;
        }
        out += piece;
        shown += width;
        i += sequence.Length;
    }
    return out;
}

std::string QuotedForMessage(std::string_view text) {
    return "\"" + EscapedForMessage(text) + "\"";
}

}  // namespace tavrinel::cli
