// Place names as the form's boxes can hold them: letters and blanks only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrinel::atlas {

// Folds a UTF-8 name for a letters-and-blanks box: accented Latin letters
// lose their marks ("Bhīmavaram" -> "Bhimavaram", "ß" -> "ss"), hyphens,
// apostrophes, brackets, commas and slashes become blanks, full stops go,
// and runs of blanks shrink to one. Nothing when the name holds a letter of
// another script or a digit, or folds to nothing: such a name cannot be
// typed into the box at all.
[[nodiscard]] std::optional<std::string> FoldForBox(std::string_view utf8);

// The key the atlas is searched by: the folded name in lower case. Text that
// does not fold keeps its unfoldable characters, so it still finds itself.
[[nodiscard]] std::string SearchKey(std::string_view utf8);

}  // namespace tavrinel::atlas
