#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstdio>
#include <iostream>

#include "cli/cli_main.h"

namespace {

// A batch line with a deep dasha answers in megabytes. Left to itself the
// allocator raises its threshold after the first such block is freed and
// keeps the next ones in its heaps, where freed pages stay resident; a fixed
// threshold gives every large answer back to the system once it is written.
constexpr int kLargeBlockBytes = 1 << 20;

}  // namespace

int main(int argc, char** argv) {
#if defined(__GLIBC__)
    ::mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
#endif
    std::ios::sync_with_stdio(false);
    const int status = tavrinel::cli::RunCli(argc, argv, std::cin, std::cout, std::cerr,
                                                  ::isatty(STDERR_FILENO) == 1);
    // Some file systems report a failed write only when the file is closed.
    if (std::fclose(stdout) != 0 && status == 0) {
        std::cerr << "tavrinel-cli: standard output: the output could not be written\n";
        return 1;
    }
    return status;
}
