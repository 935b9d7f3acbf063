#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "cli/cli_main.h"

int main(int argc, char** argv) {
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
