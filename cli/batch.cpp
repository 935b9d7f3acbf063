#include "cli/batch.h"

#include <sched.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <exception>
#include <mutex>
#include <new>
#include <thread>
#include <vector>
#include <nlohmann/json.hpp>

#include "chart/chart_state.h"
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
    kDashaYear,
    kOn,
    kTransits,
    kKeyCount
};

constexpr std::array<std::string_view, kKeyCount> kKeyNames = {
    "PersonName", "BirthDay",     "BirthMonth",   "BirthYear",      "BirthHour",
    "BirthMinute", "TimeZone",    "LatDegrees",   "LatMinutes",     "LatDirection",
    "LonDegrees", "LonMinutes",   "LonDirection", "DaylightSaving", "CityName",
    "StateName",  "CountryName",  "Sky",        "Ayanamsa",       "Node",
    "Place",      "Vargas",       "Dasha",        "DashaYear",      "On",
    "Transits"};

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
        // Too large for any key's range anyway; keep it out of range, not wrapped.
        return Set(value > static_cast<number_unsigned_t>(INT64_MAX)
                       ? std::int64_t{INT64_MAX}
                       : static_cast<std::int64_t>(value));
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
                                  given({kTimeZone}),
                                  given({kDaylightSaving})};
    BirthForm form;
    form.Name = read.Text(kPersonName);
    form.DayIndex = read.Integer(kBirthDay, {1, kDayCount}) - 1;
    form.MonthIndex = read.Integer(kBirthMonth, {1, kMonthCount}) - 1;
    form.YearIndex = read.Integer(kBirthYear, {kFirstYear, kLastYear}) - kFirstYear;
    form.HourIndex = read.Integer(kBirthHour, {0, kHourCount - 1});
    form.MinuteIndex = read.Integer(kBirthMinute, {0, kMinuteCount - 1});
    if (!atlas || beside.Zone) {
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
    if (!atlas || beside.DaylightSaving) {
        form.DaylightSaving = read.Boolean(kDaylightSaving);
    }
    if (!atlas || beside.City) form.City = read.Text(kCityName);
    if (!atlas || beside.State) form.State = read.Text(kStateName);
    if (!atlas || beside.Country) form.Country = read.Text(kCountryName);
    if (atlas) {
        auto applied = ApplyPlace(read.Text(kPlace), form, beside, preciseSky);
        if (auto* message = std::get_if<std::string>(&applied)) {
            throw BadLine{std::string(kKeyNames[kPlace]) + ": " + *message};
        }
        report = std::get<ZoneReport>(std::move(applied));
    }
    return form;
}

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

// The analysis a line asks for beyond the reading. "Dasha" takes true,
// false or a number of levels.
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
    } else if (std::holds_alternative<bool>(values[kDasha])) {
        request.Dasha = read.Boolean(kDasha);
    } else if (given(kDasha)) {
        throw BadLine{std::string(kKeyNames[kDasha]) +
                      ": accepts true, false or a number of levels from 1 to 5"};
    }
    ReadChoice(values, kDashaYear, ParseDashaYearOption, request.DashaSettings.Year);
    if (given(kOn)) {
        ChosenMoment moment;
        ReadChoice(values, kOn, ParseMoment, moment);
        request.On = moment;
    }
    if (given(kTransits)) {
        request.Transits = read.Boolean(kTransits);
    }
    request.PreciseSky = sky.Precise;
    return request;
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
        if (line.TooLong) {
            return Refuse(out, line.Number,
                          "the line is longer than " + std::to_string(kMaxBatchLineBytes) +
                              " bytes");
        }
        auto parsed = ParseBatchChart(line.Text, settings_.Defaults, settings_.Analysis);
        if (const auto* message = std::get_if<std::string>(&parsed)) {
            return Refuse(out, line.Number, *message);
        }
        const BatchChart& batchChart = std::get<BatchChart>(parsed);
        AnalysisRequest request = batchChart.Request;
        request.PreciseLongitudes = settings_.Format == BatchFormat::JsonLines;
        request.PreciseMotion = false;
        if (settings_.Format == BatchFormat::Csv &&
            (request.Vargas || request.Dasha || request.Transits)) {
            return Refuse(out, line.Number,
                          "Vargas, Dasha and Transits: a CSV row has no columns for them (use "
                          "--format json)");
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
        const SkyOutput sky{batchChart.Sky, wanted};
        const ChartOutput chart{chart_, analysis, reading_.Text(), &sky,
                                batchChart.Zone ? &*batchChart.Zone : nullptr};
        if (settings_.Format == BatchFormat::Csv) {
            AppendChartCsv(out, chart, line.Number);
        } else {
            AppendChartJson(out, chart, line.Number);
        }
        return true;
    }

private:
    bool Refuse(std::string& out, long number, std::string_view message) const {
        if (settings_.Format == BatchFormat::Csv) {
            AppendErrorCsv(out, number, message);
        } else {
            AppendErrorJson(out, number, message);
        }
        return false;
    }

    const BatchSettings& settings_;
    ChartState chart_;
    TextCollector reading_;
    SkyCheck check_;
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

// Lines travel to the workers in chunks, so that a thread wakes once for many
// charts; a chunk closes at this many lines or this much text.
constexpr std::size_t kChunkLines = 32;
constexpr std::size_t kChunkBytes = 1 << 16;
// Chunks in flight per worker: enough that none waits for the reader or the
// writer, few enough that memory stays flat.
constexpr std::size_t kChunksPerWorker = 3;

struct Chunk {
    std::vector<BatchLine> Lines = std::vector<BatchLine>(kChunkLines);
    std::size_t Count = 0;        // lines of this chunk in use
    std::string Output;
    bool AnyBadLine = false;
    bool Done = false;
    std::exception_ptr Failure;   // what stopped its worker; Output holds the lines before
    long LastLine = 0;            // the input's line number at its end
    std::uintmax_t InputEnd = 0;  // the input's bytes split at its end
};

// The reader and writer on the calling thread, the answering on workers. The
// chunks form a ring: the reader fills the next free one, the writer waits for
// the oldest, so the output keeps the input's order and no more than the ring
// is ever held.
class ParallelBatch {
public:
    explicit ParallelBatch(const BatchSettings& settings)
        : settings_(settings), ring_(kChunksPerWorker * static_cast<std::size_t>(settings.Jobs)) {}

    ~ParallelBatch() { StopWorkers(); }

    BatchOutcome Run(LineSplitter& lines, std::ostream& out, std::string& buffer) {
        for (int i = 0; i < settings_.Jobs; ++i) {
            workers_.emplace_back([this] { Work(); });
        }
        BatchOutcome outcome;
        long lineNumber = 0;
        bool inputLeft = true;
        std::size_t read = 0;  // chunks handed out
        if (!buffer.empty()) {  // the header row
            out << buffer;
            buffer.clear();
        }
        try {
            while (out) {
                while (inputLeft && read - written_ < ring_.size()) {
                    Chunk& chunk = ring_[read % ring_.size()];
                    inputLeft = Fill(chunk, lines, lineNumber);
                    if (chunk.Count == 0) {
                        break;
                    }
                    Hand(read++);
                }
                if (written_ == read) {
                    break;
                }
                WriteNext(out, outcome);
            }
        } catch (const std::bad_alloc&) {
            // The reader ran out: what the workers answered is still the user's.
            while (!workerFailed_ && written_ < read && out) {
                WriteNext(out, outcome);
            }
            out.flush();
            throw;
        }
        outcome.OutputFailed = !out;
        if (outcome.OutputFailed) {
            // The reason is in errno, which stopping the workers must not lose.
            const int savedErrno = errno;
            StopWorkers();
            errno = savedErrno;
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
        chunk.Output.clear();
        chunk.AnyBadLine = false;
        chunk.Done = false;
        chunk.Failure = nullptr;
        std::size_t bytes = 0;
        bool more = true;
        while (chunk.Count < kChunkLines && bytes < kChunkBytes) {
            BatchLine& line = chunk.Lines[chunk.Count];
            more = ReadBatchLine(lines, lineNumber, line);
            if (!more) {
                break;
            }
            bytes += line.Text.size();
            ++chunk.Count;
        }
        chunk.LastLine = lineNumber;
        chunk.InputEnd = lines.Consumed();
        if (!more) {
            inputErrno_ = errno;  // why the input ended, if it failed
        }
        return more;
    }

    void Hand(std::size_t index) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            todo_.push_back(index);
        }
        workToDo_.notify_one();
    }

    // Writes the oldest chunk once its worker is done with it. A worker's
    // failure is thrown on, after the lines it finished.
    void WriteNext(std::ostream& out, BatchOutcome& outcome) {
        Chunk& chunk = ring_[written_ % ring_.size()];
        {
            std::unique_lock<std::mutex> lock(mutex_);
            chunkDone_.wait(lock, [&chunk] { return chunk.Done; });
        }
        out << chunk.Output;
        outcome.AnyBadLine = outcome.AnyBadLine || chunk.AnyBadLine;
        if (chunk.Failure) {
            workerFailed_ = true;
            out.flush();
            StopWorkers();
            std::rethrow_exception(chunk.Failure);
        }
        if (settings_.Progress) {
            settings_.Progress->Update(chunk.LastLine, chunk.InputEnd);
        }
        ++written_;
    }

    void Work() {
        LineAnswerer answerer(settings_);
        for (;;) {
            std::size_t index = 0;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                workToDo_.wait(lock, [this] { return stop_ || !todo_.empty(); });
                if (stop_) {
                    return;
                }
                index = todo_.front();
                todo_.pop_front();
            }
            Chunk& chunk = ring_[index % ring_.size()];
            std::size_t finished = 0;
            try {
                for (std::size_t i = 0; i < chunk.Count; ++i) {
                    finished = chunk.Output.size();
                    if (!answerer.Answer(chunk.Lines[i], chunk.Output)) {
                        chunk.AnyBadLine = true;
                    }
                }
            } catch (...) {
                chunk.Output.resize(finished);
                chunk.Failure = std::current_exception();
            }
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                chunk.Done = true;
            }
            chunkDone_.notify_one();
        }
    }

    void StopWorkers() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        workToDo_.notify_all();
        for (std::thread& worker : workers_) {
            worker.join();
        }
        workers_.clear();
    }

    const BatchSettings& settings_;
    std::vector<Chunk> ring_;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable workToDo_;
    std::condition_variable chunkDone_;
    std::deque<std::size_t> todo_;
    bool stop_ = false;
    std::size_t written_ = 0;  // chunks written, in order
    bool workerFailed_ = false;  // nothing after its chunk may be written
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
                          ReadRequest(reader.Values, analysis, sky)};
    } catch (const BadLine& bad) {
        return bad.Message;
    }
}

int UsableCores() {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (::sched_getaffinity(0, sizeof cores, &cores) == 0) {
        return std::max(1, CPU_COUNT(&cores));
    }
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

BatchOutcome RunBatch(std::istream& in, std::ostream& out, const BatchSettings& settings) {
    LineSplitter lines(in);
    std::string buffer;
    if (settings.Format == BatchFormat::Csv) {
        AppendCsvHeader(buffer);
    }
    BatchOutcome outcome = settings.Jobs <= 1
                               ? RunOnOneThread(lines, out, settings, buffer)
                               : ParallelBatch(settings).Run(lines, out, buffer);
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
