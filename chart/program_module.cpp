#include "chart/program_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace tavrinel {

void* OpenProgramModule(const char* fileName) {
    constexpr int kMode = RTLD_NOW | RTLD_LOCAL;
    // By name first: a build finds its own modules through the programs'
    // library path, which an installed program does not have.
    if (void* module = dlopen(fileName, kMode)) {
        return module;
    }
    // Installed, beside the program's own folder, wherever the prefix was
    // given at installation; else where the configured prefix put it.
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path beside =
            program.parent_path().parent_path() / TAVRINEL_MODULE_LIBDIR / fileName;
        if (void* module = dlopen(beside.c_str(), kMode)) {
            return module;
        }
    }
    const std::string installed = std::string(TAVRINEL_INSTALL_MODULEDIR "/") + fileName;
    return dlopen(installed.c_str(), kMode);
}

}  // namespace tavrinel
