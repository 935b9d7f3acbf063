// Opens the printing module on first use and runs its dialogs.
#pragma once

#include <QString>
#include <optional>

#include "app/printing/print_module.h"

namespace tavrinel {

// The module's file name (see chart/program_module.h).
inline constexpr const char* kPrintModuleName = "libtavrinel_print.so";

// Runs the request's dialog from the module `moduleName`; what went wrong
// when the module cannot be opened, and nothing was shown.
std::optional<QString> RunPrintDialog(const PrintRequest& request,
                                      const char* moduleName = kPrintModuleName);

}  // namespace tavrinel
