#include "cli/terminal_text.h"

#include <cstdio>

#include "chart/utf8.h"

namespace tavrinel::cli {

namespace {

void AppendByteEscape(std::string& out, unsigned char byte) {
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02X", byte);
    out += escape;
}

}  // namespace

std::string EscapedForMessage(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Sequence sequence = DecodeUtf8(text, i);
        const char32_t code = sequence.Code;
        // C1 controls matter too: some terminals take U+009B as an escape.
        const bool control = code < 0x20 || (code >= 0x7F && code < 0xA0);
        if (!sequence.Valid || control) {
            for (std::size_t k = 0; k < sequence.Length; ++k) {
                AppendByteEscape(out, static_cast<unsigned char>(text[i + k]));
            }
        } else if (code == '\\' || code == '"') {
            out += '\\';
            out += static_cast<char>(code);
        } else {
            out.append(text.substr(i, sequence.Length));
        }
        i += sequence.Length;
    }
    return out;
}

std::string QuotedForMessage(std::string_view text) {
    return "\"" + EscapedForMessage(text) + "\"";
}

}  // namespace tavrinel::cli
