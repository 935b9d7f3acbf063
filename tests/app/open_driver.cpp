// The program's own start with the command line it is given, as a file
// manager would launch it; prints what the reading panel shows once the first
// events have run, then ends. The packaging test starts it through the
// desktop entry's Exec line.
#include <QApplication>
#include <QTextEdit>
#include <cstdio>

#include "app/frm_main.h"
#include "app/program.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return tavrinel::RunProgram(application, [](tavrinel::FrmMain& window) {
        QApplication::processEvents();
        const auto* reading = window.findChild<QTextEdit*>(QStringLiteral("RTB"));
        std::printf("%s\n", reading ? qPrintable(reading->toPlainText()) : "");
        return 0;
    });
}
