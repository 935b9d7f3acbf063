#include "cli/batch.h"

#include <nlohmann/json.hpp>

#include "chart/chart_state.h"
#include "cli/chart_output.h"
#include "reading/calculation.h"

namespace tavrinel::cli {

namespace {

using nlohmann::json;

struct IntegerKey {
    const char* Name;
    int Min;
    int Max;
};

constexpr IntegerKey kBirthDay{"BirthDay", 1, kDayCount};
constexpr IntegerKey kBirthMonth{"BirthMonth", 1, kMonthCount};
constexpr IntegerKey kBirthYear{"BirthYear", kFirstYear, kLastYear};
constexpr IntegerKey kBirthHour{"BirthHour", 0, kHourCount - 1};
constexpr IntegerKey kBirthMinute{"BirthMinute", 0, kMinuteCount - 1};
constexpr IntegerKey kTimeZone{"TimeZone", 0, kZoneCount - 1};
constexpr IntegerKey kLatDegrees{"LatDegrees", 0, 999};
constexpr IntegerKey kLatMinutes{"LatMinutes", 0, 999};
constexpr IntegerKey kLonDegrees{"LonDegrees", 0, 999};
constexpr IntegerKey kLonMinutes{"LonMinutes", 0, 999};

// Thrown only inside this file, to give up on one line with its message.
struct BadLine {
    std::string Message;
};

const json& Require(const json& object, const char* key) {
    const auto it = object.find(key);
    if (it == object.end()) {
        throw BadLine{std::string(key) + ": missing"};
    }
    return *it;
}

int ReadInteger(const json& object, const IntegerKey& key) {
    const json& value = Require(object, key.Name);
    const std::string accepts = std::string(key.Name) + ": accepts a whole number from " +
                                std::to_string(key.Min) + " to " + std::to_string(key.Max);
    if (!value.is_number_integer()) {
        throw BadLine{accepts};
    }
    const auto number = value.get<std::int64_t>();
    if (number < key.Min || number > key.Max) {
        throw BadLine{accepts};
    }
    return static_cast<int>(number);
}

std::string ReadText(const json& object, const char* key) {
    const json& value = Require(object, key);
    if (!value.is_string()) {
        throw BadLine{std::string(key) + ": accepts a text"};
    }
    return value.get<std::string>();
}

bool ReadBool(const json& object, const char* key) {
    const json& value = Require(object, key);
    if (!value.is_boolean()) {
        throw BadLine{std::string(key) + ": accepts true or false"};
    }
    return value.get<bool>();
}

// "N"/"S" or "E"/"W": true for the first letter.
bool ReadDirection(const json& object, const char* key, const char* first, const char* second) {
    const std::string text = ReadText(object, key);
    if (text != first && text != second) {
        throw BadLine{std::string(key) + ": accepts \"" + first + "\" or \"" + second + "\""};
    }
    return text == first;
}

BirthForm ReadForm(const json& object) {
    if (!object.is_object()) {
        throw BadLine{"a line must hold one JSON object"};
    }
    BirthForm form;
    form.Name = ReadText(object, "PersonName");
    form.DayIndex = ReadInteger(object, kBirthDay) - 1;
    form.MonthIndex = ReadInteger(object, kBirthMonth) - 1;
    form.YearIndex = ReadInteger(object, kBirthYear) - kFirstYear;
    form.HourIndex = ReadInteger(object, kBirthHour);
    form.MinuteIndex = ReadInteger(object, kBirthMinute);
    form.ZoneIndex = ReadInteger(object, kTimeZone);
    form.LatDeg = std::to_string(ReadInteger(object, kLatDegrees));
    form.LatMin = std::to_string(ReadInteger(object, kLatMinutes));
    form.Latitude = ReadDirection(object, "LatDirection", "N", "S") ? LatitudeChoice::North
                                                                    : LatitudeChoice::South;
    form.LonDeg = std::to_string(ReadInteger(object, kLonDegrees));
    form.LonMin = std::to_string(ReadInteger(object, kLonMinutes));
    form.Longitude = ReadDirection(object, "LonDirection", "E", "W") ? LongitudeChoice::East
                                                                     : LongitudeChoice::West;
    form.DaylightSaving = ReadBool(object, "DaylightSaving");
    form.City = ReadText(object, "CityName");
    form.State = ReadText(object, "StateName");
    form.Country = ReadText(object, "CountryName");
    return form;
}

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

}  // namespace

std::variant<BirthForm, std::string> ParseBatchLine(const std::string& line) {
    const json object = json::parse(line, nullptr, /*allow_exceptions=*/false);
    if (object.is_discarded()) {
        return std::string("malformed JSON");
    }
    try {
        BirthForm form = ReadForm(object);
        if (const auto fault = ValidateBirthForm(form, PlaceRule::Optional)) {
            return std::string(fault->Message);
        }
        return form;
    } catch (const BadLine& bad) {
        return bad.Message;
    }
}

int RunBatch(std::istream& in, std::ostream& out) {
    // One chart record and one output buffer for the whole run, as the window
    // has one record for its life: memory stays flat however long the input.
    ChartState chart;
    TextCollector reading;
    std::string buffer;
    std::string line;
    long lineNumber = 0;
    bool anyBad = false;
    constexpr std::size_t kFlushBytes = 1 << 16;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (IsBlank(line)) {
            continue;
        }
        auto parsed = ParseBatchLine(line);
        if (auto* message = std::get_if<std::string>(&parsed)) {
            anyBad = true;
            AppendErrorJson(buffer, lineNumber, *message);
        } else {
            CalculateChart(std::get<BirthForm>(parsed), chart, reading);
            AppendChartJson(buffer, chart, reading.Text(), lineNumber);
        }
        if (buffer.size() >= kFlushBytes) {
            out << buffer;
            buffer.clear();
        }
    }
    out << buffer;
    out.flush();
    return anyBad ? 1 : 0;
}

}  // namespace tavrinel::cli
