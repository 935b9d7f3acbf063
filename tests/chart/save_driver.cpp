// One save of one of two readings, as a process of its own, for the test of
// two saves racing for one file. Exit 0 when saved, 1 when refused.
#include <cstdio>
#include <string>

#include "chart/reading_file.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    tavrinel::ChartState chart;
    const bool first = std::string(argv[2]) == "0";
    chart.PersonName = first ? std::string("First") : std::string(300, 'S');
    const auto error =
        tavrinel::SaveReadingFile(argv[1], tavrinel::WriteReadingFile(chart, first ? 29 : 3));
    if (error) {
        std::fprintf(stderr, "%s\n", error->Message.c_str());
        return 1;
    }
    return 0;
}
