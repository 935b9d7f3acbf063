// Imports the reading files under a folder into a library, as a process of
// its own: `library_driver LIBRARY FOLDER BATCH`. Prints "done total" after
// each committed batch and "imported duplicates refused" at the end; exit 0,
// or 2 when the library was refused.
#include <cstdio>
#include <cstdlib>

#include "library/chart_library.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    using namespace tavrinel::library;
    try {
        ChartLibrary library(argv[1]);
        const auto files = FindReadingFiles({argv[2]});
        const ImportOutcome outcome = library.Import(
            files,
            [](std::size_t done, std::size_t total) {
                std::printf("%zu %zu\n", done, total);
                std::fflush(stdout);
            },
            static_cast<std::size_t>(std::strtoul(argv[3], nullptr, 10)));
        std::printf("%ld %ld %zu\n", outcome.Imported, outcome.Duplicates, outcome.Refused.size());
        return 0;
    } catch (const LibraryError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }
}
