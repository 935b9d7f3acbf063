// Start-up probe: the program's own start (single-instance lock, start-up
// steps, the main window) up to the moment the window is on screen, which it
// prints as microseconds since the epoch, then exit. With --calculate it also
// fills the form and calculates once, so the peak memory includes a reading.
// Run by measure.sh beside startup_minimal.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <cstring>

#include "ann_form.h"
#include "app/frm_main.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "app/window_font.h"
#include "help/qt_platform.h"
#include "shown_moment.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(
        QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    // Qt lays some controls out once in the application's font before the
    // window's font reaches them; one font for both saves loading another.
    QApplication::setFont(tavrinel::WindowFont(tavrinel::PickWindowFontFamily(),
                                               tavrinel::kDesignPixelSize, false));

    tavrinel::QtMessageService messages;
    tavrinel::QtFileDialogService files;
    tavrinel::QtWebService web;
    tavrinel::QtSettingsStore settings;
    tavrinel::SystemClock clock;
    tavrinel::Platform platform{messages, files, web, settings, clock};

    tavrinel::SingleInstance instance(
        tavrinel::SingleInstance::DefaultLockPath(QApplication::applicationName()));
    if (!instance.TryAcquire()) {
        std::fputs("another probe holds the lock\n", stderr);
        return 1;
    }
    tavrinel::RunStartup(platform);

    tavrinel::ChartState chart;
    tavrinel::FrmMain window(chart, platform);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    PrintShownMoment();
    if (argc > 1 && std::strcmp(argv[1], "--calculate") == 0) {
        tavrinel::bench::FillAnn(window);
        window.findChild<QPushButton*>(QStringLiteral("cmdCalculate"))->click();
        QApplication::processEvents();
    }
    return 0;
}
