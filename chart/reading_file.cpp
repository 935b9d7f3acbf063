#include "chart/reading_file.h"

#include "chart/safe_save.h"
#include "chart/time_zone_table.h"
#include "chart/utf8.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace tavrinel {

namespace {

constexpr int kMaxLatin1 = 255;
constexpr char kUnrepresentable = '?';
// Written after the seventeen documented lines for a chart cast at an exact
// offset; a reader that follows the documents never looks past them.
constexpr std::string_view kExactOffsetKey = "UtcOffsetSeconds=";

// Line numbers, counted from 0, of the fields in the file.
enum Line : int {
    kNameLine = 0,
    kMonthLine = 1,
    kDayLine = 2,
    kYearLine = 3,
    kHourLine = 4,
    kMinuteLine = 5,
    kZoneLine = 6,
    kLonDegLine = 7,
    kLonMinLine = 8,
    kLatDegLine = 9,
    kLatMinLine = 10,
    kLonDirectionLine = 11,
    kLatDirectionLine = 12,
    kDaylightSavingLine = 13,
    kCityLine = 14,
    kStateLine = 15,
    kCountryLine = 16,
};

struct TextLine {
    int Line;
    std::string BirthForm::*Text;
};

constexpr std::array<TextLine, 8> kTextLines = {{
    {kNameLine, &BirthForm::Name},
    {kLonDegLine, &BirthForm::LonDeg},
    {kLonMinLine, &BirthForm::LonMin},
    {kLatDegLine, &BirthForm::LatDeg},
    {kLatMinLine, &BirthForm::LatMin},
    {kCityLine, &BirthForm::City},
    {kStateLine, &BirthForm::State},
    {kCountryLine, &BirthForm::Country},
}};

// The lists whose entry is chosen by its text: "1".."31", "1901".."2050", ...
struct TextList {
    int Line;
    int BirthForm::*Index;
    int FirstValue;
    int Count;
};

constexpr std::array<TextList, 4> kTextLists = {{
    {kDayLine, &BirthForm::DayIndex, 1, kDayCount},
    {kYearLine, &BirthForm::YearIndex, kFirstYear, kYearCount},
    {kHourLine, &BirthForm::HourIndex, 0, kHourCount},
    {kMinuteLine, &BirthForm::MinuteIndex, 0, kMinuteCount},
}};

std::string_view TruthText(Truth value) { return value != kFalse ? kTrueText : kFalseText; }

// The field's text for the file: single-byte, blanks trimmed, scrambled.
std::string FileLine(std::string_view utf8) {
    return ScrambleText(TrimBlanks(Utf8ToLatin1(utf8)));
}

std::string FileLine(int value) { return ScrambleText(std::to_string(value)); }

// The list position whose entry reads exactly like the text, if any. The
// entries are plain decimals, so a text matches one only when it is written
// the same way: digits alone, no leading zero, no sign or blank ("05", "+5"
// and " 5" match nothing).
std::optional<int> FindListEntry(std::string_view text, int firstValue, int count) {
    constexpr std::size_t kLongestEntry = 4;  // "2050"
    const auto value = ParseUnsignedDigits(text, kLongestEntry);
    if (!value || (text.size() > 1 && text.front() == '0')) {
        return std::nullopt;
    }
    const int index = *value - firstValue;
    if (index < 0 || index >= count) {
        return std::nullopt;
    }
    return index;
}

// A whole line read as a decimal number: optional blanks around, an optional
// sign, digits and an optional fraction. Exponents, hex and trailing words are
// not numbers here.
std::optional<double> ReadDecimal(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    bool anyDigit = false;
    bool point = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else if (c == '-' && i == 0) {
            continue;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// A list index from a line read as a number: the first entry's value is
// taken off and halves go to the even neighbour, as every integer conversion
// of the program rounds. The month and zone lines share it.
std::optional<int> ReadListNumber(std::string_view line, int firstValue, int count) {
    const std::optional<double> value = ReadDecimal(line);
    if (!value) {
        return std::nullopt;
    }
    const double index = std::nearbyint(*value - firstValue);
    if (index < 0 || index >= count) {
        return std::nullopt;
    }
    return static_cast<int>(index);
}

void ApplyMonth(std::string_view line, BirthForm& form) {
    if (const auto index = ReadListNumber(line, 1, kMonthCount)) {
        form.MonthIndex = *index;
    }
}

void ApplyZone(std::string_view line, BirthForm& form) {
    if (const auto index = ReadListNumber(line, 0, kZoneCount)) {
        form.ZoneIndex = *index;
    }
}

// Only "False" chooses the second option; anything else, an empty line
// included, chooses the first.
bool ReadsFalse(std::string_view line) { return line == kFalseText; }

// The lines of a file, still scrambled, as SplitReadingFile describes them.
template <int Count>
std::array<std::string, Count> SplitLines(std::string_view bytes) {
    std::array<std::string, Count> lines{};
    std::size_t start = 0;
    for (int line = 0; line < Count && start < bytes.size(); ++line) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines[line] = std::string(bytes.substr(start));
            break;
        }
        lines[line] = std::string(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

// The line after the documented ones: nothing, or "UtcOffsetSeconds=20700"
// exactly as WriteReadingFile writes it. Only this program writes that line,
// so anything else there (a misspelt key, a sign, a blank, a fraction, an
// offset no clock has kept) is a damaged file, never a reason to fall back on
// the zone entry without a word.
struct ExactOffsetLine {
    std::optional<int> Seconds;
    std::optional<std::string> Damage;
};

ExactOffsetLine ReadExactOffset(std::string_view line) {
    if (line.empty()) {
        return {};
    }
    const auto damaged = [line](std::string_view why) {
        // Enough of the line to recognise it; a whole megabyte would bury why.
        constexpr std::size_t kMostQuoted = 40;
        const std::string quoted = line.size() > kMostQuoted
                                       ? std::string(line.substr(0, kMostQuoted)) + "..."
                                       : std::string(line);
        return ExactOffsetLine{
            std::nullopt, "the line after the seventeen, \"" + quoted + "\", " + std::string(why)};
    };
    if (!line.starts_with(kExactOffsetKey)) {
        return damaged("is not \"UtcOffsetSeconds=\" and the offset from UTC in seconds");
    }
    const std::string_view digits = line.substr(kExactOffsetKey.size());
    int seconds = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), seconds);
    const bool whole = error == std::errc() && end == digits.data() + digits.size();
    // Written back, the number must give the same text: no '+', no leading
    // zero, no "-0".
    if (!whole || std::to_string(seconds) != digits) {
        const bool onlyDigits =
            !digits.empty() && digits.find_first_not_of("-0123456789") == std::string_view::npos;
        return damaged(onlyDigits && error == std::errc::result_out_of_range
                           ? "is out of range: an offset from UTC is at most 15 hours"
                           : "does not give the offset as a whole number of seconds, east "
                             "positive, written as Save writes it");
    }
    if (std::abs(seconds) > kMostUtcOffsetSeconds) {
        return damaged("is out of range: an offset from UTC is at most 15 hours");
    }
    return {seconds, std::nullopt};
}

// The offset the file's own zone line and daylight-saving line give.
std::optional<int> EntryOffsetSeconds(int zoneIndex, bool daylightSaving) {
    constexpr int kSecondsPerHour = 3600;
    if (zoneIndex < 0 || zoneIndex >= kZoneCount) {
        return std::nullopt;
    }
    return ZoneEntryOffsetSeconds(zoneIndex) + (daylightSaving ? kSecondsPerHour : 0);
}

}  // namespace

std::string ScrambleText(std::string_view latin1) {
    std::string result;
    result.reserve(latin1.size());
    for (auto it = latin1.rbegin(); it != latin1.rend(); ++it) {
        const int code = static_cast<unsigned char>(*it) + ReadingFileShift;
        if (code <= kMaxLatin1) {
            result.push_back(static_cast<char>(code));
        }
    }
    return result;
}

std::string UnscrambleText(std::string_view latin1) {
    std::string result;
    result.reserve(latin1.size());
    for (auto it = latin1.rbegin(); it != latin1.rend(); ++it) {
        const int code = static_cast<unsigned char>(*it) - ReadingFileShift;
        if (code >= 0) {
            result.push_back(static_cast<char>(code));
        }
    }
    return result;
}

std::string Utf8ToLatin1(std::string_view utf8) {
    std::string result;
    result.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Sequence sequence = DecodeUtf8(utf8, i);
        // A broken sequence gives one '?'; a cut-short one is read afresh
        // after the bytes it did take.
        result.push_back(sequence.Valid && sequence.Code <= kMaxLatin1
                             ? static_cast<char>(sequence.Code)
                             : kUnrepresentable);
        i += sequence.Length;
    }
    return result;
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string result;
    result.reserve(latin1.size() * 2);
    for (char c : latin1) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            result.push_back(c);
        } else {
            result.push_back(static_cast<char>(0xC0 | (code >> 6)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return result;
}

std::string WriteReadingFile(const ChartState& chart, int zoneIndex) {
    const std::array<std::string, kReadingFileLineCount> lines = {
        FileLine(chart.PersonName),
        FileLine(chart.BirthMonth),
        FileLine(chart.BirthDay),
        FileLine(chart.BirthYear),
        FileLine(chart.BirthHour),
        FileLine(chart.BirthMinute),
        FileLine(zoneIndex),
        FileLine(chart.LonDegrees),
        FileLine(chart.LonMinutes),
        FileLine(chart.LatDegrees),
        FileLine(chart.LatMinutes),
        FileLine(TruthText(chart.LonDirection)),
        FileLine(TruthText(chart.LatDirection)),
        FileLine(TruthText(chart.DaylightSaving)),
        FileLine(chart.CityName),
        FileLine(chart.StateName),
        FileLine(chart.CountryName),
    };
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += kReadingFileLineEnd;
    }
    // An offset the zone line already gives needs no line of its own: a
    // reader that follows the documents then gets the same sky.
    if (chart.ExactUtcOffsetSeconds &&
        chart.ExactUtcOffsetSeconds !=
            EntryOffsetSeconds(zoneIndex, chart.DaylightSaving != kFalse)) {
        bytes += FileLine(std::string(kExactOffsetKey) +
                          std::to_string(*chart.ExactUtcOffsetSeconds));
        bytes += kReadingFileLineEnd;
    }
    return bytes;
}

std::array<std::string, kReadingFileLineCount> SplitReadingFile(std::string_view bytes) {
    return SplitLines<kReadingFileLineCount>(bytes);
}

std::optional<std::string> ApplyReadingFile(std::string_view bytes, BirthForm& form) {
    std::array<std::string, kReadingFileLineCount + 1> lines =
        SplitLines<kReadingFileLineCount + 1>(bytes);
    for (std::string& line : lines) {
        line = UnscrambleText(line);
    }
    const ExactOffsetLine exact = ReadExactOffset(lines[kReadingFileLineCount]);
    if (exact.Damage) {
        return exact.Damage;
    }

    // Applied in file order, as the form is filled on screen.
    form.Name = Latin1ToUtf8(lines[kNameLine]);
    ApplyMonth(lines[kMonthLine], form);
    for (const TextList& list : kTextLists) {
        if (auto index = FindListEntry(lines[list.Line], list.FirstValue, list.Count)) {
            form.*list.Index = *index;
        }
    }
    ApplyZone(lines[kZoneLine], form);
    for (const TextLine& text : kTextLines) {
        form.*text.Text = Latin1ToUtf8(lines[text.Line]);
    }
    form.Longitude =
        ReadsFalse(lines[kLonDirectionLine]) ? LongitudeChoice::West : LongitudeChoice::East;
    form.Latitude =
        ReadsFalse(lines[kLatDirectionLine]) ? LatitudeChoice::North : LatitudeChoice::South;
    form.DaylightSaving = !ReadsFalse(lines[kDaylightSavingLine]);
    // The file brings its own zone: without the line, no exact offset, and
    // with one that the zone gives anyway, the zone's own.
    form.UtcOffsetSeconds = exact.Seconds;
    if (form.UtcOffsetSeconds == EntryOffsetSeconds(form.ZoneIndex, form.DaylightSaving)) {
        form.UtcOffsetSeconds.reset();
    }
    return std::nullopt;
}

bool HasReadingFileExtension(std::string_view path) {
    return path.size() >= kReadingFileExtension.size() && path.ends_with(kReadingFileExtension);
}

std::optional<ReadingFileError> OpenReadingFile(const std::filesystem::path& path,
                                                BirthForm& form) {
    if (!HasReadingFileExtension(path.native())) {
        return ReadingFileError{std::string(kCheckFileMessage), ReadingFileProblem::WrongExtension,
                                {}};
    }
    return ReadReadingFileWhateverItsName(path, form);
}

std::optional<ReadingFileError> ReadReadingFileWhateverItsName(const std::filesystem::path& path,
                                                               BirthForm& form) {
    const auto refuse = [](ReadingFileProblem problem) {
        return ReadingFileError{std::string(kCheckFileMessage), problem, {}};
    };
    // Without O_NONBLOCK, opening a named pipe waits until something writes
    // to it; the type is checked on what was opened, not on the name, which
    // another process could swap in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return refuse(errno == ENOENT || errno == ENOTDIR ? ReadingFileProblem::Missing
                      : errno == ENXIO                    ? ReadingFileProblem::NotRegularFile
                                                          : ReadingFileProblem::Unreadable);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return refuse(ReadingFileProblem::NotRegularFile);
    }
    std::string bytes(kMaxReadingFileBytes, '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ::ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ::close(fd);
            return refuse(ReadingFileProblem::Unreadable);
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    if (auto damage = ApplyReadingFile(bytes, form)) {
        return ReadingFileError{std::string(kCheckFileMessage), ReadingFileProblem::DamagedOffset,
                                std::move(*damage)};
    }
    return std::nullopt;
}

std::optional<ReadingFileError> SaveReadingFile(const std::filesystem::path& path,
                                                std::string_view bytes) {
    if (auto failure = SafeSave(path, bytes)) {
        return ReadingFileError{std::move(failure->Message), ReadingFileProblem::NotSaved, {}};
    }
    return std::nullopt;
}

}  // namespace tavrinel
