#include "app/printing/printing.h"

#include <dlfcn.h>

#include <string>

namespace tavrinel {

namespace {

// The module stays open for the program's life, like the print support
// library it brings.
void* OpenModule(const char* name) {
    // By name first: a build finds its own module through the program's
    // library path, which an installed program does not have.
    if (void* module = dlopen(name, RTLD_NOW | RTLD_LOCAL)) {
        return module;
    }
    const std::string installed = std::string(TAVRINEL_INSTALL_MODULEDIR "/") + name;
    return dlopen(installed.c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

std::optional<QString> RunPrintDialog(const PrintRequest& request, const char* moduleName) {
    void* module = OpenModule(moduleName);
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
