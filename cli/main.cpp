#include <iostream>

#include "cli/cli_main.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return tavrinel::cli::RunCli(argc, argv, std::cin, std::cout, std::cerr);
}
