#include "chart/reading_file_check.h"

#include <array>
#include <cstdio>

#include "chart/utf8.h"

namespace tavrinel {

namespace {

struct TextBox {
    std::string BirthForm::*Text;
    FormField Field;
    std::string_view EmptyMessage;  // what the window says on Open
};

constexpr std::array<TextBox, 4> kTextBoxes = {{
    {&BirthForm::Name, FormField::Name, "Please Enter Your Name"},
    {&BirthForm::City, FormField::City, "Please Enter Your City name"},
    {&BirthForm::State, FormField::State, "Please Enter Your State name"},
    {&BirthForm::Country, FormField::Country, "Please Enter Your Country name"},
}};

// "U+00FC" and, when it can be shown safely on one line, the character too.
std::string Describe(char32_t code) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(code));
    const bool printable = code >= 0x20 && code != 0x7F && !(code >= 0x80 && code < 0xA0) &&
                           code != 0xFFFD;
    if (!printable) {
        return number;
    }
    std::string text = "\"";
    if (code < 0x80) {
        text.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (code >> 6)));
        text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xE0 | (code >> 12)));
        text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
    return text + "\" (" + number + ")";
}

std::optional<std::string> WhyNotHeld(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Sequence sequence = DecodeUtf8(utf8, i);
        if (!sequence.Valid) {
            return std::string("is not valid UTF-8, so the reading file cannot hold it");
        }
        if (sequence.Code > kMaxReadingFileCode) {
            return "the reading file cannot hold " + Describe(sequence.Code) +
                   ": it keeps characters up to " + Describe(kMaxReadingFileCode) + " only";
        }
        i += sequence.Length;
    }
    return std::nullopt;
}

std::optional<ReadingFileFault> CheckTexts(const BirthForm& form) {
    for (const TextBox& box : kTextBoxes) {
        const std::string& text = form.*box.Text;
        if (TrimBlanks(text).empty()) {
            return ReadingFileFault{
                box.Field, "would be saved empty (the file drops the blanks around a text) and "
                           "the window refuses that on Open: " +
                               std::string(box.EmptyMessage)};
        }
        if (auto why = WhyNotHeld(text)) {
            return ReadingFileFault{box.Field, std::move(*why)};
        }
        if (const auto refused = FirstRefusedCharacter(FilterFamily::Letters, text)) {
            return ReadingFileFault{box.Field, "the window's box takes only the letters A-Z and "
                                               "a-z and blanks, not " +
                                                   Describe(*refused) + " (" +
                                                   std::string(kLettersMessage) + ")"};
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<ReadingFileFault> CheckFormForReadingFile(const BirthForm& form) {
    if (auto fault = CheckTexts(form)) {
        return fault;
    }
    if (const auto fault = ValidateBirthForm(form, PlaceRule::Required)) {
        return ReadingFileFault{fault->Field, std::string(fault->Message)};
    }
    return std::nullopt;
}

std::optional<ReadingFileFault> CheckChartForReadingFile(const ChartState& chart) {
    BirthForm texts;
    texts.Name = chart.PersonName;
    texts.City = chart.CityName;
    texts.State = chart.StateName;
    texts.Country = chart.CountryName;
    return CheckTexts(texts);
}

}  // namespace tavrinel
