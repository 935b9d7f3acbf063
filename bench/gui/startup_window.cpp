// Start-up probe: the program's own start (the very steps of main(): lock,
// start-up, the main window) up to the moment the window is on screen, which
// it prints as microseconds since the epoch, then exit. With --calculate it
// also fills the form and calculates once, so the peak memory includes a
// reading. Run by measure.sh beside startup_minimal.
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <cstring>

#include "ann_form.h"
#include "app/frm_main.h"
#include "app/program.h"
#include "shown_moment.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const bool calculate = argc > 1 && std::strcmp(argv[1], "--calculate") == 0;
    return tavrinel::RunProgram(application, [calculate](tavrinel::FrmMain& window) {
        if (!QTest::qWaitForWindowExposed(&window)) {
            return 1;
        }
        PrintShownMoment();
        if (calculate) {
            tavrinel::testing::FillAnn(window);
            window.findChild<QPushButton*>(QStringLiteral("cmdCalculate"))->click();
            QApplication::processEvents();
        }
        return 0;
    });
}
