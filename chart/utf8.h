// One UTF-8 sequence at a time, for the places that must cope with any bytes
// a user or a file hands them: the reading file's Latin-1 lines and the
// command line's JSON.
#pragma once

#include <cstddef>
#include <string_view>

namespace tavrinel {

struct Utf8Sequence {
    char32_t Code;  // meaningful only when Valid
    std::size_t Length;  // bytes the sequence takes, a broken one included (at least 1)
    bool Valid;  // well-formed, shortest form, no surrogate, at most U+10FFFF
};

// The sequence that starts at text[i] (i < text.size()).
[[nodiscard]] constexpr Utf8Sequence DecodeUtf8(std::string_view text, std::size_t i) {
    const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        return {lead, 1, true};
    }
    std::size_t length = 0;
    char32_t code = 0;
    char32_t smallest = 0;  // below this the sequence is overlong
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, smallest = 0x10000;
    } else {
        return {0, 1, false};  // a stray continuation byte or 0xF8..0xFF
    }
    std::size_t taken = 1;
    while (taken < length && i + taken < text.size() && (byte(i + taken) & 0xC0) == 0x80) {
        code = (code << 6) | (byte(i + taken) & 0x3F);
        ++taken;
    }
    if (taken < length) {
        return {0, taken, false};  // cut short: what follows is read afresh
    }
    const bool valid = code >= smallest && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    return {code, length, valid};
}

}  // namespace tavrinel
