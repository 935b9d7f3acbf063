// Whether a form would come back from a reading file as it went in. The file
// keeps single bytes lifted by the shift, trims the blanks around each text,
// and the window refuses on Open what its boxes would refuse; a save that
// passes this check loses nothing.
#pragma once

#include <optional>
#include <string>

#include "chart/birth_form.h"
#include "chart/reading_file.h"

namespace tavrinel {

// The largest character code a text line can hold: the shift must not carry
// it past 255.
inline constexpr char32_t kMaxReadingFileCode = 255 - ReadingFileShift;

struct ReadingFileFault {
    FormField Field;
    std::string Message;  // why, without the field's name
};

// The first text box that the file cannot hold or the window would refuse,
// in the order of the form, then the window's own check of the whole form.
[[nodiscard]] std::optional<ReadingFileFault> CheckFormForReadingFile(const BirthForm& form);

// The same for a calculated chart about to be saved: the first of its name,
// city, state and country that the file cannot hold or would give back
// empty. The rest was checked when the chart was calculated.
[[nodiscard]] std::optional<ReadingFileFault> CheckChartForReadingFile(const ChartState& chart);

}  // namespace tavrinel
