// The program's own modules: parts opened when first used, each linking a
// library the window would otherwise load at every start.
#pragma once

namespace tavrinel {

// Opens the module `fileName` for the program's life: through the library
// path a build gives its programs, else from the modules' folder of the
// installation the program runs from. Null when none has it; dlerror() then
// says why.
[[nodiscard]] void* OpenProgramModule(const char* fileName);

}  // namespace tavrinel
