// A small writer for the batch's CSV (RFC 4180): a field is quoted only when
// it holds a comma, a quote or a line break, a quote inside is doubled, and
// each row ends in CR LF, as the RFC has it.
#pragma once

#include <string>
#include <string_view>

namespace tavrinel::cli {

class CsvRow {
public:
    explicit CsvRow(std::string& out) : out_(out) {}

    void Field(std::string_view value);
    void Field(long value);
    void Empty();  // a field with nothing in it
    // Ends the row: CR LF.
    void End();

private:
    void Separator();

    std::string& out_;
    bool first_ = true;
};

// Appends text as one CSV field. Bytes that are not valid UTF-8 become
// U+FFFD, so the file is UTF-8 whatever a name holds.
void AppendCsvField(std::string& out, std::string_view text);

}  // namespace tavrinel::cli
