// Arbitrary bytes as a reading file: Open must never crash, hang or leave the
// form outside what the window's lists can show, and whatever it lets through
// the check must calculate and save back to the same selections.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "chart/birth_form.h"
#include "chart/reading_file.h"
#include "calculation/calculation.h"

namespace {

using namespace tavrinel;

// A broken property is reported by libFuzzer like any crash, with the input.
void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

class DiscardingSink final : public ReadingSink {
public:
    void Clear() override {}
    void Append(std::string_view, int colourIndex, bool) override {
        Require(colourIndex >= kFirstColourIndex && colourIndex <= kLastColourIndex);
    }
    void ShowReadingPanel() override {}
};

bool InRange(int value, int count) { return value >= 0 && value < count; }

void CheckSelections(const BirthForm& form) {
    Require(InRange(form.DayIndex, kDayCount));
    Require(InRange(form.MonthIndex, kMonthCount));
    Require(InRange(form.YearIndex, kYearCount));
    Require(InRange(form.HourIndex, kHourCount));
    Require(InRange(form.MinuteIndex, kMinuteCount));
    Require(InRange(form.ZoneIndex, kZoneCount));
    Require(form.Latitude != LatitudeChoice::None);
    Require(form.Longitude != LongitudeChoice::None);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The transform alone: unscrambling a scramble gives the text back less
    // the characters that had no room above.
    const std::string scrambled = ScrambleText(bytes);
    const std::string back = UnscrambleText(scrambled);
    Require(back.size() == scrambled.size() && back.size() <= bytes.size());

    BirthForm form;
    if (ApplyReadingFile(bytes, form)) {
        // Refused: the form must be the one it was before.
        Require(!form.UtcOffsetSeconds && form.Name.empty() && form.ZoneIndex == 0);
        return 0;
    }
    CheckSelections(form);
    if (ValidateBirthForm(form)) {
        return 0;
    }

    ChartState chart;
    DiscardingSink sink;
    CalculateChart(form, chart, sink);
    for (const std::string& text : chart.PlanetPositionTexts) {
        Require(!text.empty());
    }

    BirthForm reopened;
    Require(!ApplyReadingFile(WriteReadingFile(chart, form.ZoneIndex), reopened));
    Require(reopened.UtcOffsetSeconds == form.UtcOffsetSeconds);
    Require(reopened.DayIndex == form.DayIndex);
    Require(reopened.MonthIndex == form.MonthIndex);
    Require(reopened.YearIndex == form.YearIndex);
    Require(reopened.HourIndex == form.HourIndex);
    Require(reopened.MinuteIndex == form.MinuteIndex);
    Require(reopened.ZoneIndex == form.ZoneIndex);
    Require(reopened.Latitude == form.Latitude);
    Require(reopened.Longitude == form.Longitude);
    Require(reopened.DaylightSaving == form.DaylightSaving);
    Require(ParseDigits(reopened.LatDeg) == ParseDigits(form.LatDeg));
    Require(ParseDigits(reopened.LonMin) == ParseDigits(form.LonMin));
    return 0;
}
