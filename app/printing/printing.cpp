#include "app/printing/printing.h"

#include <dlfcn.h>

#include "chart/program_module.h"

namespace tavrinel {

std::optional<QString> RunPrintDialog(const PrintRequest& request, const char* moduleName) {
    // It stays open, like the print support library it brings.
    void* module = OpenProgramModule(moduleName);
    if (!module) {
        return QString::fromLocal8Bit(dlerror());
    }
    const auto entry = reinterpret_cast<PrintEntry>(dlsym(module, kPrintEntryName));
    if (!entry) {
        return QString::fromLocal8Bit(dlerror());
    }
    entry(&request);
    return std::nullopt;
}

}  // namespace tavrinel
