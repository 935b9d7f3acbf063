#include "cli/json_writer.h"

#include "chart/utf8.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tavrinel::cli {

namespace {

constexpr std::string_view kReplacement = "\\ufffd";

// Bytes that cannot be copied as they are: controls, the quote, the
// backslash, and every non-ASCII byte (checked as UTF-8).
constexpr std::array<bool, 256> kSpecialBytes = [] {
    std::array<bool, 256> special{};
    for (int c = 0; c < 256; ++c) {
        special[c] = c < 0x20 || c == '"' || c == '\\' || c >= 0x80;
    }
    return special;
}();

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size() + 2);
    out += '"';
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        // Copy the longest run of ordinary bytes in one go.
        std::size_t run = i;
        while (run < size && !kSpecialBytes[static_cast<unsigned char>(data[run])]) {
            ++run;
        }
        out.append(data + i, run - i);
        i = run;
        if (i == size) {
            break;
        }
        const auto c = static_cast<unsigned char>(data[i]);
        if (c >= 0x80) {
            const Utf8Sequence sequence = DecodeUtf8(text, i);
            if (sequence.Valid) {
                out.append(data + i, sequence.Length);
                i += sequence.Length;
            } else {
                out += kReplacement;
                ++i;
            }
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            default: {
                static constexpr char kHex[] = "0123456789abcdef";
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            }
        }
        ++i;
    }
    out += '"';
}

void JsonWriter::Separator() {
    if (!first_) {
        out_ += ',';
    }
    first_ = false;
}

void JsonWriter::BeginObject() {
    Separator();
    out_ += '{';
    first_ = true;
}

void JsonWriter::EndObject() {
    out_ += '}';
    first_ = false;
}

void JsonWriter::Key(std::string_view key) {
    Separator();
    AppendJsonString(out_, key);
    out_ += ':';
    first_ = true;  // the value that follows needs no comma
}

void JsonWriter::BeginArray(std::string_view key) {
    Key(key);
    out_ += '[';
    first_ = true;
}

void JsonWriter::EndArray() {
    out_ += ']';
    first_ = false;
}

void JsonWriter::Field(std::string_view key, std::string_view value) {
    Key(key);
    AppendJsonString(out_, value);
    first_ = false;
}

void JsonWriter::Field(std::string_view key, long value) {
    Key(key);
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out_.append(digits, end);
    first_ = false;
}

void JsonWriter::FieldOrNull(std::string_view key, std::optional<std::string_view> value) {
    if (value) {
        Field(key, *value);
    } else {
        Literal(key, "null");
    }
}

void JsonWriter::Literal(std::string_view key, std::string_view value) {
    Key(key);
    out_ += value;
    first_ = false;
}

namespace {

void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

}  // namespace

void JsonWriter::Number(std::string_view key, double value) {
    Key(key);
    AppendNumber(out_, value);
    first_ = false;
}

void JsonWriter::NumberElement(double value) {
    Separator();
    AppendNumber(out_, value);
}

void JsonWriter::Element(std::string_view value) {
    Separator();
    AppendJsonString(out_, value);
}

void JsonWriter::RawElement(std::string_view json) {
    Separator();
    out_ += json;
}

}  // namespace tavrinel::cli
