// Texts from outside (file names above all) made safe for a one-line message
// on a terminal: no line breaks, no escape sequences.
#pragma once

#include <string>
#include <string_view>

namespace tavrinel::cli {

// Control characters (C0, DEL and C1), bytes that are not UTF-8, '\' and '"'
// written as escapes; everything else as it is.
[[nodiscard]] std::string EscapedForMessage(std::string_view text);

// The same between double quotes.
[[nodiscard]] std::string QuotedForMessage(std::string_view text);

}  // namespace tavrinel::cli
