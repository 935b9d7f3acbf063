// Runs the command line in-process, with the chart every test starts from.
#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/cli_main.h"

namespace tavrinel::cli {

struct Result {
    int Status;
    std::string Out;
    std::string Err;
};

inline Result RunTool(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), "tavrinel-cli");
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = RunCli(static_cast<int>(argv.size()), argv.data(), in, out, err);
    return {status, out.str(), err.str()};
}

// A batch line's answer as the same chart asked alone would give it: a
// precise position a batch's check left out (null) is taken from `single`;
// every other field is kept, so comparing the result with `single` still
// compares them all. A JSON line's check now works out every position, as
// its longitudes need them, so nothing should be left out.
inline nlohmann::json WithLeftOutPositionsFrom(nlohmann::json batch, const nlohmann::json& single) {
    if (!batch.contains("SkyCheck") || !single.contains("SkyCheck")) {
        return batch;
    }
    nlohmann::json& texts = batch["SkyCheck"]["PrecisePositionTexts"];
    for (std::size_t g = 0; g < texts.size(); ++g) {
        if (texts[g].is_null()) {
            texts[g] = single["SkyCheck"]["PrecisePositionTexts"][g];
        }
    }
    return batch;
}

inline const std::vector<std::string> kAnn = {"--name", "Ann",  "--date", "1990-07-15", "--time",
                                       "12:00",  "--zone", "34",   "--lat",      "28:36N",
                                       "--lon",  "77:12E"};

inline std::vector<std::string> AnnWith(const std::string& option, const std::string& value) {
    std::vector<std::string> args = kAnn;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == option) {
            args[i + 1] = value;
            return args;
        }
    }
    args.push_back(option);
    args.push_back(value);
    return args;
}

// A refusal is one line on standard error naming the option, status 2, and
// nothing at all on standard output.
inline void ExpectRefused(const Result& r, const std::string& option) {
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err.find("tavrinel-cli: " + option + ":"), 0u) << r.Err;
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << r.Err;
}

// A stream that takes a number of bytes and then refuses, as a full disk does.
class FullOutput : public std::streambuf {
public:
    explicit FullOutput(std::size_t room) : room_(room) {}
    std::size_t Taken() const { return taken_; }

protected:
    int_type overflow(int_type c) override {
        return xsputn(reinterpret_cast<const char*>(&c), 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        if (taken_ + static_cast<std::size_t>(n) > room_) {
            return 0;
        }
        taken_ += static_cast<std::size_t>(n);
        return n;
    }

private:
    std::size_t room_;
    std::size_t taken_ = 0;
};

// Ann as one batch line.
inline constexpr const char* kGoodLine =
    R"({"PersonName":"Ann","BirthDay":15,"BirthMonth":7,"BirthYear":1990,"BirthHour":12,)"
    R"("BirthMinute":0,"TimeZone":34,"LatDegrees":28,"LatMinutes":36,"LatDirection":"N",)"
    R"("LonDegrees":77,"LonMinutes":12,"LonDirection":"E","DaylightSaving":false,)"
    R"("CityName":"New Delhi","StateName":"Delhi","CountryName":"India"})";

}  // namespace tavrinel::cli
