#include "cli/batch.h"

#include <sched.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <exception>
#include <mutex>
#include <new>
#include <thread>
#include <vector>
#include <nlohmann/json.hpp>

#include "chart/chart_state.h"
#include "chart/time_zone_table.h"
#include "chart/utf8.h"
#include "cli/chart_output.h"
#include "cli/sky_output.h"
#include "calculation/calculation.h"
#include "cli/batch_progress.h"
#include "cli/place_option.h"

namespace tavrinel::cli {

namespace {

using nlohmann::json;

// The keys of a batch line, in the order they are read.
enum Key : int {
    kPersonName,
    kBirthDay,
    kBirthMonth,
    kBirthYear,
    kBirthHour,
    kBirthMinute,
    kTimeZone,
    kLatDegrees,
    kLatMinutes,
    kLatDirection,
    kLonDegrees,
    kLonMinutes,
    kLonDirection,
    kDaylightSaving,
    kCityName,
    kStateName,
    kCountryName,
    kSky,
    kAyanamsa,
    kNode,
    kPlace,
    kVargas,
    kDasha,
    kDashaLevelsKey,  // beside the levels' constant of the dasha
    kDashaYear,
    kOn,
    kTransits,
    kUtcOffset,
    kStrength,
    kId,  // the library's, carried into the answer so that it joins back
    kKeyCount
};

constexpr std::array<std::string_view, kKeyCount> kKeyNames = {
    "PersonName", "BirthDay",     "BirthMonth",   "BirthYear",      "BirthHour",
    "BirthMinute", "TimeZone",    "LatDegrees",   "LatMinutes",     "LatDirection",
    "LonDegrees", "LonMinutes",   "LonDirection", "DaylightSaving", "CityName",
    "StateName",  "CountryName",  "Sky",        "Ayanamsa",       "Node",
    "Place",      "Vargas",       "Dasha",        "DashaLevels",    "DashaYear",
    "On",         "Transits",     "UtcOffset",    "Strength",       "Id"};

struct Missing {};
struct OtherType {};  // null, a fraction, an array or an object
using Value = std::variant<Missing, OtherType, std::int64_t, std::string, bool>;

// Collects the top-level values of one line straight from the parser's
// events, without building a document: a batch spends most of its time here
// otherwise.
class LineReader final : public nlohmann::json_sax<json> {
public:
    std::array<Value, kKeyCount> Values;
    bool TopLevelIsObject = false;

    bool null() override { return Set(OtherType{}); }
    bool boolean(bool value) override { return Set(value); }
    bool number_integer(number_integer_t value) override { return Set(std::int64_t{value}); }
    bool number_unsigned(number_unsigned_t value) override {
        // Too large for any key, the Id included: refused, never wrapped or cut.
        if (value > static_cast<number_unsigned_t>(INT64_MAX)) {
            return Set(OtherType{});
        }
        return Set(static_cast<std::int64_t>(value));
    }
    bool number_float(number_float_t, const string_t&) override { return Set(OtherType{}); }
    bool string(string_t& value) override { return Set(std::move(value)); }
    bool binary(binary_t&) override { return Set(OtherType{}); }
    bool start_object(std::size_t) override { return Open(true); }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(false); }
    bool end_array() override { return Close(); }
    bool key(string_t& name) override {
        if (depth_ == 1) {
            current_ = kKeyCount;
            for (int k = 0; k < kKeyCount; ++k) {
                if (kKeyNames[k] == name) {
                    current_ = k;
                }
            }
        }
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    bool Set(Value value) {
        if (depth_ == 0) {
            return true;  // a bare scalar: not an object, reported later
        }
        if (depth_ == 1 && current_ < kKeyCount) {
            Values[current_] = std::move(value);
        }
        return true;
    }
    bool Open(bool isObject) {
        if (depth_ == 0) {
            TopLevelIsObject = isObject;
        } else if (depth_ == 1 && current_ < kKeyCount) {
            Values[current_] = OtherType{};
        }
        ++depth_;
        return true;
    }
    bool Close() {
        --depth_;
        return true;
    }

    int depth_ = 0;
    int current_ = kKeyCount;
};

struct IntegerRange {
    int Min;
    int Max;
};

// Thrown only inside this file, to give up on one line with its message.
struct BadLine {
    std::string Message;
};

class FormReader {
public:
    explicit FormReader(std::array<Value, kKeyCount>& values) : values_(values) {}

    int Integer(Key key, IntegerRange range) {
        const Value& value = Require(key);
        const auto* number = std::get_if<std::int64_t>(&value);
        if (!number || *number < range.Min || *number > range.Max) {
            throw BadLine{std::string(kKeyNames[key]) + ": accepts a whole number from " +
                          std::to_string(range.Min) + " to " + std::to_string(range.Max)};
        }
        return static_cast<int>(*number);
    }

    std::string Text(Key key) {
        Value& value = Require(key);
        auto* text = std::get_if<std::string>(&value);
        if (!text) {
            throw BadLine{std::string(kKeyNames[key]) + ": accepts a text"};
        }
        return std::move(*text);
    }

    bool Boolean(Key key) {
        const Value& value = Require(key);
        const auto* flag = std::get_if<bool>(&value);
        if (!flag) {
            throw BadLine{std::string(kKeyNames[key]) + ": accepts true or false"};
        }
        return *flag;
    }

    // "N"/"S" or "E"/"W": true for the first letter.
    bool Direction(Key key, std::string_view first, std::string_view second) {
        const std::string text = Text(key);
        if (text != first && text != second) {
            throw BadLine{std::string(kKeyNames[key]) + ": accepts \"" + std::string(first) +
                          "\" or \"" + std::string(second) + "\""};
        }
        return text == first;
    }

private:
    Value& Require(Key key) {
        Value& value = values_[key];
        if (std::holds_alternative<Missing>(value)) {
            throw BadLine{std::string(kKeyNames[key]) + ": missing"};
        }
        return value;
    }

    std::array<Value, kKeyCount>& values_;
};

// An optional key of a batch line: absent keeps the default.
template <typename T>
void ReadChoice(std::array<Value, kKeyCount>& values, Key key, Parsed<T> (*parse)(std::string_view),
                T& choice) {
    if (std::holds_alternative<Missing>(values[key])) {
        return;
    }
    const auto* text = std::get_if<std::string>(&values[key]);
    const Parsed<T> parsed = parse(text ? std::string_view(*text) : std::string_view("?"));
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        throw BadLine{std::string(kKeyNames[key]) + ": " + *message};
    }
    choice = std::get<T>(parsed);
}

constexpr IntegerRange kBoxRange{0, 999};  // up to three digits, as the boxes hold

BirthForm ReadForm(std::array<Value, kKeyCount>& values, bool preciseSky,
                   std::optional<ZoneReport>& report) {
    FormReader read(values);
    // With a place of the atlas, the keys it fills are optional; those given
    // win over the atlas.
    const auto given = [&values](std::initializer_list<Key> keys) {
        for (Key key : keys) {
            if (!std::holds_alternative<Missing>(values[key])) {
                return true;
            }
        }
        return false;
    };
    const bool atlas = given({kPlace});
    const GivenBesidePlace beside{given({kCityName}),
                                  given({kStateName}),
                                  given({kCountryName}),
                                  given({kLatDegrees, kLatMinutes, kLatDirection}),
                                  given({kLonDegrees, kLonMinutes, kLonDirection}),
                                  given({kTimeZone, kUtcOffset}),
                                  given({kDaylightSaving})};
    BirthForm form;
    form.Name = read.Text(kPersonName);
    form.DayIndex = read.Integer(kBirthDay, {1, kDayCount}) - 1;
    form.MonthIndex = read.Integer(kBirthMonth, {1, kMonthCount}) - 1;
    form.YearIndex = read.Integer(kBirthYear, {kFirstYear, kLastYear}) - kFirstYear;
    form.HourIndex = read.Integer(kBirthHour, {0, kHourCount - 1});
    form.MinuteIndex = read.Integer(kBirthMinute, {0, kMinuteCount - 1});
    // The whole offset in force, as --utc-offset takes it, instead of a zone.
    const bool offsetGiven = given({kUtcOffset});
    if (offsetGiven && (given({kTimeZone}) || given({kDaylightSaving}))) {
        throw BadLine{std::string(kKeyNames[kUtcOffset]) +
                      ": is the whole offset, daylight saving included; give it without "
                      "\"TimeZone\" or \"DaylightSaving\""};
    }
    if (offsetGiven) {
        int seconds = 0;
        ReadChoice(values, kUtcOffset, ParseUtcOffset, seconds);
        // An offset a zone of the list has is that zone, in either sky.
        const int entry = ZoneEntryWithOffset(seconds);
        form.ZoneIndex = entry >= 0 ? entry : NearestZoneEntry(seconds);
        if (entry < 0) {
            if (!preciseSky) {
                throw BadLine{std::string(kKeyNames[kUtcOffset]) +
                              ": only the precise sky (\"Sky\": \"precise\") can cast a chart "
                              "at an offset of its own; the documented calculation knows only "
                              "the zones of its list"};
            }
            form.UtcOffsetSeconds = seconds;
        }
    } else if (!atlas || beside.Zone) {
        form.ZoneIndex = read.Integer(kTimeZone, {0, kZoneCount - 1});
    }
    if (!atlas || beside.Latitude) {
        form.LatDeg = std::to_string(read.Integer(kLatDegrees, kBoxRange));
        form.LatMin = std::to_string(read.Integer(kLatMinutes, kBoxRange));
        form.Latitude = read.Direction(kLatDirection, "N", "S") ? LatitudeChoice::North
                                                                : LatitudeChoice::South;
    }
    if (!atlas || beside.Longitude) {
        form.LonDeg = std::to_string(read.Integer(kLonDegrees, kBoxRange));
        form.LonMin = std::to_string(read.Integer(kLonMinutes, kBoxRange));
        form.Longitude = read.Direction(kLonDirection, "E", "W") ? LongitudeChoice::East
                                                                 : LongitudeChoice::West;
    }
    if ((!atlas && !offsetGiven) || beside.DaylightSaving) {
        form.DaylightSaving = read.Boolean(kDaylightSaving);
    }
    if (!atlas || beside.City) form.City = read.Text(kCityName);
    if (!atlas || beside.State) form.State = read.Text(kStateName);
    if (!atlas || beside.Country) form.Country = read.Text(kCountryName);
    if (atlas) {
        auto applied = ApplyPlace(read.Text(kPlace), form, beside, preciseSky,
                                  atlas::Atlas::Shared(), kBatchKeyWords);
        if (auto* message = std::get_if<std::string>(&applied)) {
            throw BadLine{std::string(kKeyNames[kPlace]) + ": " + *message};
        }
        report = std::get<ZoneReport>(std::move(applied));
    }
    if (form.UtcOffsetSeconds && offsetGiven) {
        report = GivenOffsetReport(report ? report->Place : std::string(), *form.UtcOffsetSeconds);
    }
    return form;
}


// The analysis a line asks for beyond the reading. "Dasha" takes true,
// false or a number of levels. What shapes the dasha or names its moment is
// refused on a line that asks for neither dasha nor transits, as the command
// line refuses the same options.
AnalysisRequest ReadRequest(std::array<Value, kKeyCount>& values, const AnalysisRequest& defaults,
                            const SkyChoice& sky) {
    AnalysisRequest request = defaults;
    FormReader read(values);
    const auto given = [&values](Key key) { return !std::holds_alternative<Missing>(values[key]); };
    if (given(kVargas)) {
        request.Vargas = read.Boolean(kVargas);
    }
    if (std::holds_alternative<std::int64_t>(values[kDasha])) {
        request.Dasha = true;
        request.DashaSettings.Levels = read.Integer(kDasha, {1, kDashaLevels});
        if (given(kDashaLevelsKey)) {
            throw BadLine{std::string(kKeyNames[kDashaLevelsKey]) +
                          ": the levels are given by \"Dasha\" already"};
        }
    } else if (std::holds_alternative<bool>(values[kDasha])) {
        request.Dasha = read.Boolean(kDasha);
    } else if (given(kDasha)) {
        throw BadLine{std::string(kKeyNames[kDasha]) +
                      ": accepts true, false or a number of levels from 1 to 5"};
    }
    if (given(kTransits)) {
        request.Transits = read.Boolean(kTransits);
    }
    if (given(kStrength)) {
        request.Strength = read.Boolean(kStrength);
    }
    for (const Key key : {kDashaLevelsKey, kDashaYear}) {
        if (given(key) && !request.Dasha) {
            throw BadLine{std::string(kKeyNames[key]) +
                          ": shapes the dasha, which only \"Dasha\" (or --dasha) adds"};
        }
    }
    if (given(kOn) && !request.Dasha && !request.Transits) {
        throw BadLine{std::string(kKeyNames[kOn]) +
                      ": names the moment of the running periods and the transits, which only "
                      "\"Dasha\" or \"Transits\" (or --dasha, --transits) add"};
    }
    if (given(kDashaLevelsKey)) {
        request.DashaSettings.Levels = read.Integer(kDashaLevelsKey, {1, kDashaLevels});
    }
    ReadChoice(values, kDashaYear, ParseDashaYearOption, request.DashaSettings.Year);
    if (given(kOn)) {
        ChosenMoment moment;
        ReadChoice(values, kOn, ParseMoment, moment);
        request.On = moment;
    }
    request.PreciseSky = sky.Precise;
    return request;
}

// The first character of `text` that no output may carry as it is: C0 and
// C1 controls, DEL, and the bidirectional marks, embeddings, overrides and
// isolates, which reorder what a terminal or a spreadsheet shows after them.
std::optional<char32_t> FirstControl(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Sequence sequence = DecodeUtf8(text, i);
        const char32_t code = sequence.Code;
        const bool control = code < 0x20 || (code >= 0x7F && code < 0xA0);
        const bool bidirectional = code == 0x061C || code == 0x200E || code == 0x200F ||
                                   (code >= 0x202A && code <= 0x202E) ||
                                   (code >= 0x2066 && code <= 0x2069);
        if (sequence.Valid && (control || bidirectional)) {
            return code;
        }
        i += sequence.Length;
    }
    return std::nullopt;
}

// "U+001B".
std::string CodePointText(char32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
    return text;
}

void RefuseControls(const std::array<Value, kKeyCount>& values) {
    for (int key = 0; key < kKeyCount; ++key) {
        const auto* text = std::get_if<std::string>(&values[key]);
        if (const auto code = text ? FirstControl(*text) : std::nullopt) {
            throw BadLine{std::string(kKeyNames[key]) +
                          ": accepts a text without control characters (it holds " +
                          CodePointText(*code) + ")"};
        }
    }
}

// The chart library's Id of the line's chart, carried as it is.
std::optional<std::int64_t> ReadId(const std::array<Value, kKeyCount>& values) {
    const Value& value = values[kId];
    if (std::holds_alternative<Missing>(value)) {
        return std::nullopt;
    }
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        return *number;
    }
    throw BadLine{std::string(kKeyNames[kId]) +
                  ": accepts a whole number (the chart's Id in the library)"};
}

// `id` is set as soon as the line's Id is read, before anything else can
// refuse the line: a bad line's message joins back to its client too.
std::variant<BatchChart, std::string> ParseLine(const std::string& line, const SkyChoice& defaults,
                                                const AnalysisRequest& analysis,
                                                std::optional<std::int64_t>& id) {
    // The parser reads a NUL as the end of its input: whatever followed it
    // would be dropped without a word.
    if (line.find('\0') != std::string::npos) {
        return std::string("malformed JSON (a NUL byte)");
    }
    LineReader reader;
    if (!json::sax_parse(line, &reader)) {
        return std::string("malformed JSON");
    }
    if (!reader.TopLevelIsObject) {
        return std::string("a line must hold one JSON object");
    }
    try {
        id = ReadId(reader.Values);
        RefuseControls(reader.Values);
        SkyChoice sky = defaults;
        ReadChoice(reader.Values, kSky, ParseSkyKey, sky.Engine);
        ReadChoice(reader.Values, kAyanamsa, ParseAyanamsaKey, sky.Precise.Zodiac);
        ReadChoice(reader.Values, kNode, ParseNodeKey, sky.Precise.Node);
        std::optional<ZoneReport> zone;
        BirthForm form = ReadForm(reader.Values, sky.Engine == SkyEngine::Precise, zone);
        if (const auto fault = ValidateBirthForm(form, PlaceRule::Optional)) {
            return std::string(fault->Message);
        }
        return BatchChart{std::move(form), sky, std::move(zone),
                          ReadRequest(reader.Values, analysis, sky), id};
    } catch (const BadLine& bad) {
        return bad.Message;
    }
}

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

// Splits the input into lines of at most kMaxBatchLineBytes. It takes what
// the stream has ready rather than waiting for a full block, so a batch fed
// through a pipe answers each line as it comes.
class LineSplitter {
public:
    enum class Result { Line, TooLong, End };

    explicit LineSplitter(std::istream& in) : in_(in) {}

    Result Next(std::string& line) {
        line.clear();
        bool tooLong = false;
        bool any = false;
        for (;;) {
            if (next_ == end_ && !Refill()) {
                return !any ? Result::End : tooLong ? Result::TooLong : Result::Line;
            }
            any = true;
            const char* newline =
                static_cast<const char*>(std::memchr(next_, '\n', static_cast<std::size_t>(end_ - next_)));
            const char* stop = newline ? newline : end_;
            const auto size = static_cast<std::size_t>(stop - next_);
            if (!tooLong && line.size() + size <= kMaxBatchLineBytes) {
                line.append(next_, size);
            } else if (!tooLong) {
                tooLong = true;
                line.clear();
            }
            consumed_ += size + (newline ? 1 : 0);
            next_ = newline ? newline + 1 : end_;
            if (newline) {
                return tooLong ? Result::TooLong : Result::Line;
            }
        }
    }

    // Whether the next line can be had without waiting: it is buffered
    // already, or the stream has bytes ready (a file has, a quiet pipe has
    // not).
    bool Ready() const {
        if (next_ != end_ &&
            std::memchr(next_, '\n', static_cast<std::size_t>(end_ - next_)) != nullptr) {
            return true;
        }
        return in_.good() && in_.rdbuf()->in_avail() > 0;
    }

    bool Failed() const { return in_.bad(); }
    // The bytes of the input split so far.
    std::uintmax_t Consumed() const { return consumed_; }

private:
    bool Refill() {
        if (in_.peek() == std::char_traits<char>::eof()) {
            return false;  // the end, or an error that Failed() reports
        }
        std::streamsize got =
            in_.readsome(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        if (got == 0) {
            // A stream without a buffer of its own shows nothing ready: take
            // the character that peek() saw, one at a time.
            buffer_[0] = static_cast<char>(in_.get());
            got = 1;
        }
        next_ = buffer_.data();
        end_ = next_ + got;
        return got > 0;
    }

    std::istream& in_;
    std::array<char, 1 << 16> buffer_;
    const char* next_ = nullptr;
    const char* end_ = nullptr;
    std::uintmax_t consumed_ = 0;
};

// One line of the input as the reader hands it to whoever answers it.
struct BatchLine {
    long Number = 0;
    bool TooLong = false;  // its text was not kept
    std::string Text;
};

// Answers lines one at a time with a chart record, a reading and a check of
// its own: each worker has one, so no two threads share any engine's state.
class LineAnswerer {
public:
    explicit LineAnswerer(const BatchSettings& settings) : settings_(settings) {
        // No output of a batch shows the precise retrograde. A CSV row
        // wants the check's verdict, not a second sky's every position:
        // those far from any edge are left out. A JSON line gives every
        // precise longitude, so the check works them all out once for both.
        check_.WithMotion = false;
        check_.OnlyWhatCouldDiffer = settings.Format == BatchFormat::Csv;
    }

    // Appends the answer to one line, a chart or an error; false for an error.
    bool Answer(const BatchLine& line, std::string& out) {
        // Before anything can refuse the line: the Id of the line before must
        // never answer for this one.
        id_.reset();
        if (line.TooLong) {
            return Refuse(out, line.Number,
                          "the line is longer than " + std::to_string(kMaxBatchLineBytes) +
                              " bytes");
        }
        auto parsed = ParseLine(line.Text, settings_.Defaults, settings_.Analysis, id_);
        if (const auto* message = std::get_if<std::string>(&parsed)) {
            return Refuse(out, line.Number, *message);
        }
        const BatchChart& batchChart = std::get<BatchChart>(parsed);
        AnalysisRequest request = batchChart.Request;
        request.PreciseLongitudes = settings_.Format == BatchFormat::JsonLines;
        request.PreciseMotion = false;
        if (settings_.Format == BatchFormat::Csv &&
            (request.Vargas || request.Dasha || request.Transits || request.Strength)) {
            return Refuse(out, line.Number,
                          "Vargas, Dasha, Transits and Strength: a CSV row has no columns for "
                          "them (use --format json)");
        }
        SkyCheck* const wanted = settings_.SkyCheck ? &check_ : nullptr;
        if (!CalculateChart(batchChart.Form, chart_, reading_, batchChart.Sky, wanted)) {
            return Refuse(out, line.Number, chart_.SkyName);
        }
        const ChartAnalysis analysis = AnalyseChart(chart_, request, wanted);
        if (analysis.Precise && !analysis.Precise->Ok && (request.Vargas || request.Dasha)) {
            return Refuse(
                out, line.Number,
                std::string(request.Vargas ? "Vargas: " : "Dasha: ") + analysis.Precise->Name);
        }
        if (analysis.Transits && !analysis.Transits->Ok) {
            return Refuse(out, line.Number, "Transits: " + analysis.Transits->SkyName);
        }
        if (request.Strength && !analysis.Strength) {
            return Refuse(out, line.Number, "Strength: " + analysis.StrengthError);
        }
        const SkyOutput sky{batchChart.Sky, wanted};
        ChartOutput chart{chart_, analysis, reading_.Text(), &sky,
                          batchChart.Zone ? &*batchChart.Zone : nullptr};
        chart.Id = batchChart.Id;
        if (settings_.Format == BatchFormat::Csv) {
            AppendChartCsv(out, chart, line.Number, settings_.CsvRaw);
        } else {
            AppendChartJson(out, chart, line.Number);
        }
        return true;
    }

private:
    bool Refuse(std::string& out, long number, std::string_view message) const {
        if (settings_.Format == BatchFormat::Csv) {
            AppendErrorCsv(out, number, message, id_);
        } else {
            AppendErrorJson(out, number, message, id_);
        }
        return false;
    }

    const BatchSettings& settings_;
    ChartState chart_;
    TextCollector reading_;
    SkyCheck check_;
    std::optional<std::int64_t> id_;  // the line's, once read
};

// Reads the next line worth answering (blank ones are skipped, their numbers
// counted); false at the end of the input.
bool ReadBatchLine(LineSplitter& lines, long& lineNumber, BatchLine& line) {
    for (;;) {
        const LineSplitter::Result result = lines.Next(line.Text);
        if (result == LineSplitter::Result::End) {
            return false;
        }
        ++lineNumber;
        line.Number = lineNumber;
        line.TooLong = result == LineSplitter::Result::TooLong;
        if (line.TooLong || !IsBlank(line.Text)) {
            return true;
        }
    }
}

constexpr std::size_t kFlushBytes = 1 << 16;

// The batch on the calling thread, line by line. One chart record and one
// output buffer for the whole run, as the window has one record for its
// life: memory stays flat however long the input.
BatchOutcome RunOnOneThread(LineSplitter& lines, std::ostream& out, const BatchSettings& settings,
                            std::string& buffer) {
    LineAnswerer answerer(settings);
    BatchLine line;
    long lineNumber = 0;
    BatchOutcome outcome;
    const auto write = [&] {
        outcome.PeakBytesInFlight = std::max(outcome.PeakBytesInFlight, buffer.size());
        out << buffer;
        buffer.clear();
        if (!out) {
            outcome.OutputFailed = true;
        }
        if (settings.Progress) {
            settings.Progress->Update(lineNumber, lines.Consumed());
        }
    };
    std::size_t finished = 0;  // bytes of the buffer that hold whole lines
    try {
        for (;;) {
            finished = buffer.size();
            if (!lines.Ready()) {
                // Whoever feeds the input may be waiting for these answers
                // before it writes the next line.
                write();
                out.flush();
                if (!out) {
                    outcome.OutputFailed = true;
                    return outcome;
                }
            }
            if (!ReadBatchLine(lines, lineNumber, line)) {
                break;
            }
            if (!answerer.Answer(line, buffer)) {
                outcome.AnyBadLine = true;
            }
            if (buffer.size() >= kFlushBytes) {
                write();
                if (outcome.OutputFailed) {
                    return outcome;
                }
            }
        }
    } catch (const std::bad_alloc&) {
        // The lines finished so far are the user's: write them (shortening
        // the buffer allocates nothing), and let the caller say the rest.
        buffer.resize(finished);
        out << buffer;
        out.flush();
        throw;
    }
    outcome.InputFailed = lines.Failed();
    write();
    return outcome;
}

// Lines travel from the reader in chunks, handed over under one lock and one
// wake-up; a chunk closes at this many lines or this much text, or when the
// input has nothing more ready.
constexpr std::size_t kChunkLines = 32;
constexpr std::size_t kChunkBytes = 1 << 16;
// Chunks in flight per worker: enough that none waits for the reader or the
// writer, few enough that memory stays flat.
constexpr std::size_t kChunksPerWorker = 3;

// One line's answer, from the worker that made it to whoever writes it.
struct LineAnswer {
    std::string Output;
    bool Bad = false;
    bool Done = false;
    std::exception_ptr Failure;  // what stopped its worker instead
};

struct Chunk {
    std::vector<BatchLine> Lines = std::vector<BatchLine>(kChunkLines);
    std::vector<LineAnswer> Answers = std::vector<LineAnswer>(kChunkLines);
    std::size_t Count = 0;        // lines of this chunk in use
    std::size_t Number = 0;       // chunks handed out before it
    long LastLine = 0;            // the input's line number at its end
    std::uintmax_t InputEnd = 0;  // the input's bytes split at its end
};

// The reader on the calling thread, the answering on workers. The chunks form
// a ring: the reader fills the next free one, and the oldest is free again
// once all its lines are written. Lines are written one by one, in the
// input's order, by whichever thread holds the turn to write (the worker
// that hands in the next line takes it when nobody has it): the calling
// thread may then wait for input while the answers so far go out. Answers
// made but not yet written stay under the byte budget.
class ParallelBatch {
public:
    ParallelBatch(const BatchSettings& settings, std::ostream& out)
        : settings_(settings),
          out_(out),
          ring_(kChunksPerWorker * static_cast<std::size_t>(settings.Jobs)) {}

    ~ParallelBatch() { StopWorkers(); }

    BatchOutcome Run(LineSplitter& lines, std::string& buffer) {
        if (!buffer.empty()) {  // the header row, before any worker may write
            out_ << buffer;
            buffer.clear();
        }
        for (int i = 0; i < settings_.Jobs; ++i) {
            workers_.emplace_back([this] { Work(); });
        }
        long lineNumber = 0;
        try {
            for (bool more = out_.good(); more;) {
                {
                    std::unique_lock<std::mutex> lock(mutex_);
                    ringFree_.wait(
                        lock, [this] { return stop_ || handed_ - writtenChunks_ < ring_.size(); });
                    if (stop_) {
                        break;
                    }
                }
                Chunk& chunk = ring_[handed_ % ring_.size()];
                more = Fill(chunk, lines, lineNumber);
                if (chunk.Count > 0) {
                    Hand(chunk);
                }
            }
        } catch (const std::bad_alloc&) {
            // The reader ran out: what the workers answer is still the user's.
            FinishWriting();
            StopWorkers();
            out_.flush();
            throw;
        }
        FinishWriting();
        StopWorkers();
        if (failure_) {
            out_.flush();
            std::rethrow_exception(failure_);
        }
        BatchOutcome outcome;
        outcome.AnyBadLine = anyBadLine_;
        outcome.PeakBytesInFlight = peakInFlight_;
        outcome.OutputFailed = outputFailed_ || !out_;
        if (outcome.OutputFailed) {
            errno = outputErrno_;  // why the write failed, from the thread that saw it
            return outcome;
        }
        outcome.InputFailed = lines.Failed();
        if (outcome.InputFailed) {
            errno = inputErrno_;  // why reading failed; the writes since may have changed errno
        }
        return outcome;
    }

private:
    // Reads lines into the chunk; false when the input has ended.
    bool Fill(Chunk& chunk, LineSplitter& lines, long& lineNumber) {
        chunk.Count = 0;
        std::size_t bytes = 0;
        bool more = true;
        while (chunk.Count < kChunkLines && bytes < kChunkBytes) {
            const bool waiting = !lines.Ready();
            if (waiting) {
                if (chunk.Count > 0) {
                    break;  // answer these rather than hold them while input is awaited
                }
                WantFlush(true);
            }
            BatchLine& line = chunk.Lines[chunk.Count];
            more = ReadBatchLine(lines, lineNumber, line);
            if (waiting) {
                WantFlush(false);
            }
            if (!more) {
                break;
            }
            bytes += line.Text.size();
            chunk.Answers[chunk.Count] = LineAnswer{};
            ++chunk.Count;
        }
        chunk.LastLine = lineNumber;
        chunk.InputEnd = lines.Consumed();
        if (!more) {
            inputErrno_ = errno;  // why the input ended, if it failed
        }
        return more;
    }

    // While the reader waits for input, every answer written goes out at
    // once: whoever feeds the input may be waiting for it.
    void WantFlush(bool wanted) {
        std::unique_lock<std::mutex> lock(mutex_);
        flushWanted_ = wanted;
        if (wanted) {
            Drain(lock);
        }
    }

    void Hand(Chunk& chunk) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            chunk.Number = handed_;
            ++handed_;
        }
        workToDo_.notify_all();
    }

    // Waits until every line handed out is written, or the run has stopped.
    void FinishWriting() {
        std::unique_lock<std::mutex> lock(mutex_);
        flushWanted_ = true;
        Drain(lock);
        ringFree_.wait(lock, [this] { return stop_ || (writtenChunks_ == handed_ && !writing_); });
    }

    // Each worker takes the next line not yet taken, so that the lines in
    // the making are neighbours and few answers wait for one before them.
    void Work() {
        LineAnswerer answerer(settings_);
        for (;;) {
            Chunk* chunk = nullptr;
            std::size_t index = 0;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                workToDo_.wait(lock, [this] { return stop_ || takenChunks_ < handed_; });
                if (stop_) {
                    return;
                }
                chunk = &ring_[takenChunks_ % ring_.size()];
                index = takenLines_;
                if (++takenLines_ == chunk->Count) {
                    ++takenChunks_;
                    takenLines_ = 0;
                }
            }
            LineAnswer answer;
            try {
                answer.Bad = !answerer.Answer(chunk->Lines[index], answer.Output);
            } catch (...) {
                answer.Output = std::string();
                answer.Failure = std::current_exception();
            }
            if (!HandIn(*chunk, index, std::move(answer))) {
                return;
            }
        }
    }

    // Gives a finished line to the writer once the budget has room for it
    // (the next line to be written always has); false when the run stopped.
    bool HandIn(Chunk& chunk, std::size_t index, LineAnswer answer) {
        std::unique_lock<std::mutex> lock(mutex_);
        const std::size_t size = answer.Output.size();
        ++budgetWaiters_;
        budgetFreed_.wait(lock, [&] {
            const bool next = chunk.Number == writtenChunks_ && index == writtenLines_;
            return stop_ || next || inFlight_ + size <= settings_.MostBytesInFlight;
        });
        --budgetWaiters_;
        if (stop_) {
            return false;
        }
        inFlight_ += size;
        peakInFlight_ = std::max(peakInFlight_, inFlight_);
        answer.Done = true;
        chunk.Answers[index] = std::move(answer);
        Drain(lock);
        return !stop_;
    }

    // Writes the lines that are next in order and answered, unless another
    // thread is at it. A line whose worker failed stops the run, its failure
    // thrown on by Run after the lines before it.
    void Drain(std::unique_lock<std::mutex>& lock) {
        if (writing_) {
            return;
        }
        writing_ = true;
        bool chunkWritten = false;
        while (!stop_) {
            if (writtenChunks_ < handed_) {
                Chunk& chunk = ring_[writtenChunks_ % ring_.size()];
                LineAnswer& answer = chunk.Answers[writtenLines_];
                if (answer.Done) {
                    if (answer.Failure) {
                        failure_ = answer.Failure;
                        Stop();
                        break;
                    }
                    std::string text = std::move(answer.Output);
                    answer.Output = std::string();
                    anyBadLine_ = anyBadLine_ || answer.Bad;
                    const bool chunkEnds = writtenLines_ + 1 == chunk.Count;
                    lock.unlock();
                    out_ << text;
                    const bool failed = !out_;
                    const int error = errno;
                    if (chunkEnds && !failed && settings_.Progress) {
                        settings_.Progress->Update(chunk.LastLine, chunk.InputEnd);
                    }
                    const std::size_t size = text.size();
                    text = std::string();  // its memory goes back before the budget does
                    lock.lock();
                    inFlight_ -= size;
                    unflushed_ = true;
                    if (failed) {
                        FailOutput(error);
                        break;
                    }
                    if (chunkEnds) {
                        ++writtenChunks_;
                        writtenLines_ = 0;
                        chunkWritten = true;
                    } else {
                        ++writtenLines_;
                    }
                    if (budgetWaiters_ > 0) {
                        budgetFreed_.notify_all();
                    }
                    continue;
                }
            }
            if (unflushed_ && flushWanted_) {
                unflushed_ = false;
                lock.unlock();
                out_.flush();
                const bool failed = !out_;
                const int error = errno;
                lock.lock();
                if (failed) {
                    FailOutput(error);
                    break;
                }
                continue;
            }
            break;
        }
        writing_ = false;
        if (chunkWritten || stop_ || writtenChunks_ == handed_) {
            ringFree_.notify_all();
        }
    }

    void FailOutput(int error) {
        outputFailed_ = true;
        outputErrno_ = error;
        Stop();
    }

    // With the lock held.
    void Stop() {
        stop_ = true;
        workToDo_.notify_all();
        ringFree_.notify_all();
        budgetFreed_.notify_all();
    }

    void StopWorkers() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            Stop();
        }
        for (std::thread& worker : workers_) {
            worker.join();
        }
        workers_.clear();
    }

    const BatchSettings& settings_;
    std::ostream& out_;
    std::vector<Chunk> ring_;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    // Each wakes only those who wait for it: a wake-up per line written would
    // cost more than the line.
    std::condition_variable workToDo_;
    std::condition_variable ringFree_;     // a chunk written whole, or the turn to write given up
    std::condition_variable budgetFreed_;  // a line written
    int budgetWaiters_ = 0;
    bool stop_ = false;
    std::size_t handed_ = 0;         // chunks handed out
    std::size_t takenChunks_ = 0;    // chunks whose every line a worker took
    std::size_t takenLines_ = 0;     // lines taken of the next chunk
    std::size_t writtenChunks_ = 0;  // chunks written whole, in order
    std::size_t writtenLines_ = 0;   // lines written of the next chunk
    std::size_t inFlight_ = 0;       // bytes answered, not yet written
    std::size_t peakInFlight_ = 0;
    bool writing_ = false;           // a thread holds the turn to write
    bool flushWanted_ = false;       // the reader waits for input
    bool unflushed_ = false;         // written since the last flush
    bool anyBadLine_ = false;
    bool outputFailed_ = false;
    int outputErrno_ = 0;
    std::exception_ptr failure_;
    int inputErrno_ = 0;
};

}  // namespace

std::variant<BirthForm, std::string> ParseBatchLine(const std::string& line) {
    auto parsed = ParseBatchChart(line, SkyChoice{});
    if (auto* chart = std::get_if<BatchChart>(&parsed)) {
        return std::move(chart->Form);
    }
    return std::get<std::string>(std::move(parsed));
}

std::variant<BatchChart, std::string> ParseBatchChart(const std::string& line,
                                                      const SkyChoice& defaults,
                                                      const AnalysisRequest& analysis) {
    std::optional<std::int64_t> id;
    return ParseLine(line, defaults, analysis, id);
}

int UsableCores() {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (::sched_getaffinity(0, sizeof cores, &cores) == 0) {
        return std::max(1, CPU_COUNT(&cores));
    }
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

BatchOutcome RunBatch(std::istream& in, std::ostream& out, const BatchSettings& batch) {
    BatchSettings settings = batch;
    if (!settings.Analysis.On && settings.Now) {
        // "Now" is one instant for the whole batch, however long it runs.
        settings.Analysis.On = ChosenMoment{CivilFromJulianDay(settings.Now()), true};
    }
    // A stream tied to the output (standard input is, to standard output)
    // flushes it before each read, from the reader's thread, while a worker
    // may be writing; the batch flushes by itself before it waits for input.
    struct Untie {
        std::istream& In;
        std::ostream* Tied = In.tie(nullptr);
        ~Untie() { In.tie(Tied); }
    } untie{in};
    LineSplitter lines(in);
    std::string buffer;
    if (settings.Format == BatchFormat::Csv) {
        AppendCsvHeader(buffer);
    }
    BatchOutcome outcome = settings.Jobs <= 1
                               ? RunOnOneThread(lines, out, settings, buffer)
                               : ParallelBatch(settings, out).Run(lines, buffer);
    if (outcome.OutputFailed) {
        return outcome;
    }
    out.flush();
    if (!out) {
        outcome.OutputFailed = true;
    }
    return outcome;
}

}  // namespace tavrinel::cli
