// The reading file (.tvl): the birth data of a chart as 17 lightly scrambled
// single-byte lines, and the text transform that the remembered reminder date
// shares. Plain bytes in, plain bytes out, so the window, the command line and
// the fuzzer all go through the same code.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "chart/birth_form.h"
#include "chart/chart_state.h"

namespace tavrinel {

// Added to every character code on scrambling and taken off on unscrambling;
// files and the settings store both depend on it, so it never changes.
// 14 is the smallest shift that lifts every scrambled byte above CR (13) and
// LF (10): no content, not even a control character, can ever split a line of
// a file. Kept that small so only the codes 242-255 are lost on saving, and it
// turns the settings key "Duration" into characters that are neither '/' nor
// '\' (which the settings store would read as group separators).
inline constexpr int ReadingFileShift = 14;

inline constexpr int kReadingFileLineCount = 17;
inline constexpr std::string_view kReadingFileExtension = "tvl";
inline constexpr std::string_view kReadingFileLineEnd = "\r\n";
inline constexpr std::string_view kCheckFileMessage = "Please Check The File.";
inline constexpr std::string_view kTrueText = "True";
inline constexpr std::string_view kFalseText = "False";

// A file larger than this cannot have been written by the program (17 short
// lines); only its beginning is read, so a wrongly chosen huge file costs
// nothing.
inline constexpr std::size_t kMaxReadingFileBytes = 1 << 20;

// Both work on single-byte (Latin-1) text: the input in reverse order with
// every code moved by the shift; a character that would leave 0..255 is left
// out.
[[nodiscard]] std::string ScrambleText(std::string_view latin1);
[[nodiscard]] std::string UnscrambleText(std::string_view latin1);

// The form keeps UTF-8; the file and the settings keep Latin-1. A character
// outside Latin-1, and any byte that is not valid UTF-8, becomes '?'.
[[nodiscard]] std::string Utf8ToLatin1(std::string_view utf8);
[[nodiscard]] std::string Latin1ToUtf8(std::string_view latin1);

// The exact bytes of the file for a calculated chart. Line 7 is the zone's
// list index as the window shows it at saving time, not taken from the chart.
// A chart cast at an exact offset that this entry with the chart's
// daylight-saving hour does not give gets one line more after the seventeen,
// which a reader that follows the documents never reads.
[[nodiscard]] std::string WriteReadingFile(const ChartState& chart, int zoneIndex);

// The 17 lines of a file, still scrambled. Lines end at CR LF, and also at a
// lone LF or CR so a file that passed through another system's editor still
// opens. Missing lines are empty; anything after the 17th line is ignored.
[[nodiscard]] std::array<std::string, kReadingFileLineCount> SplitReadingFile(
    std::string_view bytes);

// Sets the form from a file's bytes. Nothing in the seventeen documented
// lines can make this fail: a damaged line leaves its list selection as it
// was, a direction or daylight-saving line that is neither "True" nor "False"
// selects East, South or checked, and a text line replaces its box unchanged
// (empty empties it). A degree or minute line longer than the box's three
// characters is kept whole, so that ValidateBirthForm refuses it as too long
// rather than a shortened number being calculated. The exact offset comes
// from the line after the seventeenth, and is cleared when it has none or
// when the file's zone entry, with its daylight-saving hour, gives that
// offset anyway. That line is ours alone, so anything in it but an offset as
// WriteReadingFile writes it is damage: the form is then left as it was and
// the answer says what is wrong with the line.
[[nodiscard]] std::optional<std::string> ApplyReadingFile(std::string_view bytes, BirthForm& form);

// The only extension check: the last three characters are exactly "tvl".
[[nodiscard]] bool HasReadingFileExtension(std::string_view path);

// Why a file was refused, for a caller that words it further (the window
// shows the one message for all of them).
enum class ReadingFileProblem {
    WrongExtension,
    Missing,
    Unreadable,
    NotRegularFile,  // a folder, a named pipe, a device
    DamagedOffset,   // the line after the seventeen holds no offset Save writes
    NotSaved,
};

struct ReadingFileError {
    std::string Message;  // shown with the error icon
    ReadingFileProblem Problem = ReadingFileProblem::NotSaved;
    // What exactly is damaged, for a caller that can say more than Message;
    // it quotes the file's own text, so it needs escaping before a terminal.
    std::string Detail;
};

// Open as the window and the command line do it: refuses a path without the
// extension ("Please Check The File.") before touching the file, a file that
// cannot be read or is no regular file, without ever waiting on it (a named
// pipe with no writer), and a file whose line after the seventeen is
// damaged; either way the form is left as it was.
[[nodiscard]] std::optional<ReadingFileError> OpenReadingFile(const std::filesystem::path& path,
                                                              BirthForm& form);

// Open's reading without its look at the name, for a caller that has chosen
// the file by a rule of its own (a folder's "*.TVL" files): the same limits
// and the same refusals otherwise.
[[nodiscard]] std::optional<ReadingFileError> ReadReadingFileWhateverItsName(
    const std::filesystem::path& path, BirthForm& form);

// Writes the bytes through SafeSave, so that the file is either the new one
// or the old one. A failure names the file and leaves any earlier file
// untouched.
[[nodiscard]] std::optional<ReadingFileError> SaveReadingFile(const std::filesystem::path& path,
                                                              std::string_view bytes);

}  // namespace tavrinel
