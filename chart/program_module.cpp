#include "chart/program_module.h"

#include <dlfcn.h>

#include <string>

namespace tavrinel {

void* OpenProgramModule(const char* fileName) {
    // By name first: a build finds its own modules through the programs'
    // library path, which an installed program does not have.
    if (void* module = dlopen(fileName, RTLD_NOW | RTLD_LOCAL)) {
        return module;
    }
    const std::string installed = std::string(TAVRINEL_INSTALL_MODULEDIR "/") + fileName;
    return dlopen(installed.c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace tavrinel
