// Texts from outside (file names above all) made safe for a one-line message
// on a terminal: no line breaks, no escape sequences.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrinel::cli {

// About what a terminal line shows of a text a refusal repeats.
inline constexpr std::size_t kMostEchoedCharacters = 80;

// Control characters (C0, DEL and C1), the bidirectional embeddings,
// overrides and isolates (which reorder what a terminal shows after them),
// bytes that are not UTF-8, '\' and '"' written as escapes; everything else
// as it is. With `most`, the escaped text ends after at most that many
// characters, with "…" where it was cut (never inside a character or an
// escape).
[[nodiscard]] std::string EscapedForMessage(std::string_view text,
                                            std::size_t most = std::string_view::npos);

// The same between double quotes.
[[nodiscard]] std::string QuotedForMessage(std::string_view text);

}  // namespace tavrinel::cli
