// A small writer for the command line's JSON output. The objects have a fixed
// shape and the reading text is long, so writing them directly is several
// times faster than building a document tree and serialising it, which is
// what lets batch mode keep up with the calculation.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrinel::cli {

class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray(std::string_view key);
    void EndArray();
    void Key(std::string_view key);
    void Field(std::string_view key, std::string_view value);
    void Field(std::string_view key, long value);
    // The text, or null where there is none.
    void FieldOrNull(std::string_view key, std::optional<std::string_view> value);
    void Element(std::string_view value);
    // An element already in JSON form: a number, true, false.
    void RawElement(std::string_view json);
    // A value written as it stands: a number with a fraction, true, false.
    void Literal(std::string_view key, std::string_view value);
    // A number in the shortest form that reads back as the same double;
    // null when it is not finite (JSON has no NaN).
    void Number(std::string_view key, double value);
    void NumberElement(double value);

private:
    void Separator();

    std::string& out_;
    bool first_ = true;
};

// Appends text as a JSON string literal. Bytes that are not valid UTF-8
// become U+FFFD, so the output is valid JSON whatever a name holds.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace tavrinel::cli
