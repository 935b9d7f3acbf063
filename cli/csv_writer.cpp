#include "cli/csv_writer.h"

#include <charconv>

#include "chart/utf8.h"

namespace tavrinel::cli {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8
constexpr std::string_view kRowEnd = "\r\n";

bool NeedsQuotes(std::string_view text) {
    return text.find_first_of(",\"\r\n") != std::string_view::npos;
}

bool StartsAFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view text) {
    const bool quoted = NeedsQuotes(text);
    if (quoted) {
        out += '"';
    }
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c == '"') {
                out += '"';
            }
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const Utf8Sequence sequence = DecodeUtf8(text, i);
        if (sequence.Valid) {
            out.append(text.substr(i, sequence.Length));
            i += sequence.Length;
        } else {
            out += kReplacement;
            ++i;
        }
    }
    if (quoted) {
        out += '"';
    }
}

void AppendCsvUserText(std::string& out, std::string_view text, bool raw) {
    if (raw || !StartsAFormula(text)) {
        AppendCsvField(out, text);
        return;
    }
    AppendCsvField(out, "'" + std::string(text));
}

void CsvRow::Separator() {
    if (!first_) {
        out_ += ',';
    }
    first_ = false;
}

void CsvRow::Field(std::string_view value) {
    Separator();
    AppendCsvField(out_, value);
}

void CsvRow::UserText(std::string_view value) {
    Separator();
    AppendCsvUserText(out_, value, raw_);
}

void CsvRow::Field(long value) {
    Separator();
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out_.append(digits, end);
}

void CsvRow::Empty() { Separator(); }

void CsvRow::End() {
    out_ += kRowEnd;
    first_ = true;
}

}  // namespace tavrinel::cli
