// The whole command line as a function, so tests can run it in-process.
#pragma once

#include <istream>
#include <ostream>

namespace tavrinel::cli {

// Exit status: 0 done, 1 a batch had bad lines or a file could not be written,
// 2 a refused option or reading file. `errIsTerminal`: `err` is a terminal,
// where a batch from a file shows its progress.
int RunCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err, bool errIsTerminal = false);

}  // namespace tavrinel::cli
