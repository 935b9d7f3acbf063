#include "atlas/name_folding.h"

#include <array>

#include "chart/utf8.h"

namespace tavrinel::atlas {

namespace {

// The unmarked letter of each code point of a block, from the Unicode
// canonical decompositions. '#' sends the letter to kMultiLetter, '*' marks
// a character that has no plain Latin letter.
struct LetterBlock {
    char32_t First;
    std::string_view Letters;
};

constexpr std::array<LetterBlock, 3> kLetterBlocks = {{
    // Latin-1 Supplement, U+00C0-U+00FF (x and division sign are '*')
    {0x00C0, "AAAAAA#CEEEEIIIIDNOOOOO*OUUUUY##aaaaaa#ceeeeiiiidnooooo*ouuuuy#y"},
    // Latin Extended-A, U+0100-U+017F
    {0x0100,
     "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi##JjKkkLlLlLlLlLlNnNnNnnNnOoOoOo##RrRrRrSs"
     "SsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs"},
    // Latin Extended Additional, U+1E00-U+1EFF: the dots below and macrons
    // of transliterated Indian names, and Vietnamese.
    {0x1E00,
     "AaBbBbBbCcDdDdDdDdDdEeEeEeEeEeFfGgHhHhHhHhHhIiIiKkKkKkLlLlLlLlMmMmMmNnNnNnNnOoOoOoOoPpPpRrRrRr"
     "RrSsSsSsSsSsTtTtTtTtUuUuUuUuUuVvVvWwWwWwWwWwXxXxYyZzZzZzhtwy******AaAaAaAaAaAaAaAaAaAaAaAaEe"
     "EeEeEeEeEeEeEeIiIiOoOoOoOoOoOoOoOoOoOoOoOoUuUuUuUuUuUuUuYyYyYyYy******"},
}};

struct MultiLetter {
    char32_t Code;
    std::string_view Letters;
};

// Letters that are written with two plain letters, and the few Latin
// Extended-B letters that occur in place names.
constexpr std::array<MultiLetter, 21> kOtherLetters = {{
    {0x00C6, "Ae"}, {0x00DE, "Th"}, {0x00DF, "ss"}, {0x00E6, "ae"}, {0x00FE, "th"},
    {0x0132, "IJ"}, {0x0133, "ij"}, {0x0152, "Oe"}, {0x0153, "oe"}, {0x1E9E, "SS"},
    {0x018F, "E"},  {0x0259, "e"},  {0x01DD, "e"},  {0x01A0, "O"},  {0x01A1, "o"},
    {0x01AF, "U"},  {0x01B0, "u"},  {0x0218, "S"},  {0x0219, "s"},  {0x021A, "T"},
    {0x021B, "t"},
}};

// Marks between words that a box can only show as a blank.
constexpr std::u32string_view kWordBreaks = U"-'`(),/\u2010\u2011\u2012\u2013\u2014\u2018\u2019\u02BC\u02BB";

enum class Fold { Letters, Blank, Drop, Unfit };

struct Folded {
    Fold Kind;
    std::string_view Letters;
};

Folded FoldCode(char32_t code) {
    static constexpr std::string_view kAscii =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if ((code >= U'A' && code <= U'Z') || (code >= U'a' && code <= U'z')) {
        const std::size_t at = code <= U'Z' ? code - U'A' : 26 + (code - U'a');
        return {Fold::Letters, kAscii.substr(at, 1)};
    }
    if (code == U' ' || kWordBreaks.find(code) != std::u32string_view::npos) {
        return {Fold::Blank, {}};
    }
    // Full stops of abbreviations and combining marks left over from
    // decomposed text carry no letter of their own.
    if (code == U'.' || (code >= 0x0300 && code <= 0x036F)) {
        return {Fold::Drop, {}};
    }
    for (const MultiLetter& other : kOtherLetters) {
        if (other.Code == code) {
            return {Fold::Letters, other.Letters};
        }
    }
    for (const LetterBlock& block : kLetterBlocks) {
        if (code >= block.First && code < block.First + block.Letters.size()) {
            const std::string_view letter = block.Letters.substr(code - block.First, 1);
            if (letter != "*" && letter != "#") {
                return {Fold::Letters, letter};
            }
        }
    }
    return {Fold::Unfit, {}};
}

// Folds into `out`; false when a character has no place in a box. With
// keepUnfit the character is copied as it stands instead.
bool FoldInto(std::string_view utf8, std::string& out, bool keepUnfit) {
    bool fit = true;
    bool pendingBlank = false;
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Sequence sequence = DecodeUtf8(utf8, i);
        const Folded folded = sequence.Valid ? FoldCode(sequence.Code) : Folded{Fold::Unfit, {}};
        switch (folded.Kind) {
        case Fold::Blank:
            pendingBlank = !out.empty();
            break;
        case Fold::Drop:
            break;
        case Fold::Letters:
        case Fold::Unfit:
            if (folded.Kind == Fold::Unfit) {
                fit = false;
                if (!keepUnfit) {
                    break;
                }
            }
            if (pendingBlank) {
                out += ' ';
                pendingBlank = false;
            }
            out += folded.Kind == Fold::Letters ? folded.Letters : utf8.substr(i, sequence.Length);
            break;
        }
        i += sequence.Length;
    }
    return fit;
}

}  // namespace

std::optional<std::string> FoldForBox(std::string_view utf8) {
    std::string out;
    if (!FoldInto(utf8, out, false) || out.empty()) {
        return std::nullopt;
    }
    return out;
}

std::string SearchKey(std::string_view utf8) {
    std::string out;
    FoldInto(utf8, out, true);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

}  // namespace tavrinel::atlas
