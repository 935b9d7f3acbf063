#include "cli/json_writer.h"

#include <array>
#include <charconv>

namespace tavrinel::cli {

namespace {

constexpr std::string_view kReplacement = "\\ufffd";

// Length of the valid UTF-8 sequence starting at text[i], or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned int minimum = 0;
    unsigned int code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return (code < minimum || code > 0x10FFFF || surrogate) ? 0 : length;
}

}  // namespace

// Bytes that cannot be copied as they are: controls, the quote, the
// backslash, and every non-ASCII byte (checked as UTF-8).
constexpr std::array<bool, 256> kSpecialBytes = [] {
    std::array<bool, 256> special{};
    for (int c = 0; c < 256; ++c) {
        special[c] = c < 0x20 || c == '"' || c == '\\' || c >= 0x80;
    }
    return special;
}();

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
            const std::size_t length = Utf8SequenceLength(text, i);
            if (length == 0) {
                out += kReplacement;
                ++i;
            } else {
                out.append(data + i, length);
                i += length;
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

void JsonWriter::Element(std::string_view value) {
    Separator();
    AppendJsonString(out_, value);
}

}  // namespace tavrinel::cli
