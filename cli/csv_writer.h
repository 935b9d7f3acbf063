// A small writer for the batch's CSV (RFC 4180): a field is quoted only when
// it holds a comma, a quote or a line break, a quote inside is doubled, and
// each row ends in CR LF, as the RFC has it.
#pragma once

#include <string>
#include <string_view>

namespace tavrinel::cli {

class CsvRow {
public:
    // `raw`: UserText writes the text as it is.
    explicit CsvRow(std::string& out, bool raw = false) : out_(out), raw_(raw) {}

    void Field(std::string_view value);
    // A text the user typed, which a spreadsheet must not run as a formula.
    void UserText(std::string_view value);
    void Field(long value);
    void Empty();  // a field with nothing in it
    // Ends the row: CR LF.
    void End();

private:
    void Separator();

    std::string& out_;
    bool raw_;
    bool first_ = true;
};

// Appends text as one CSV field. Bytes that are not valid UTF-8 become
// U+FFFD, so the file is UTF-8 whatever a name holds.
void AppendCsvField(std::string& out, std::string_view text);

// The same for a text the user typed: one that starts with =, +, -, @, a tab
// or a carriage return, which a spreadsheet reads as a formula, gets a
// leading ' (as OWASP advises against CSV injection), unless `raw`.
void AppendCsvUserText(std::string& out, std::string_view text, bool raw);

}  // namespace tavrinel::cli
