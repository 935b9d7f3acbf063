// One save of one of two readings, as a process of its own, for the tests of
// saves racing for one file and of saves killed part way. Exit 0 when saved,
// 1 when refused. A third argument repeats the save that many times, so that
// a signal sent at a random moment finds a save under way.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "chart/reading_file.h"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        return 2;
    }
    tavrinel::ChartState chart;
    const bool first = std::string(argv[2]) == "0";
    chart.PersonName = first ? std::string("First") : std::string(300, 'S');
    const std::string bytes = tavrinel::WriteReadingFile(chart, first ? 29 : 3);
    const long rounds = argc == 4 ? std::strtol(argv[3], nullptr, 10) : 1;
    for (long round = 0; round < rounds; ++round) {
        if (const auto error = tavrinel::SaveReadingFile(argv[1], bytes)) {
            std::fprintf(stderr, "%s\n", error->Message.c_str());
            return 1;
        }
    }
    return 0;
}
