// The window program: one instance per user, the start-up steps, then the
// main window until it is closed.
#include <QApplication>
#include <QFileInfo>

#include "app/frm_main.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "app/window_font.h"
#include "chart/chart_state.h"
#include "help/program_icon.h"
#include "help/qt_platform.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The settings store and the lock file are named after the executable.
    QApplication::setApplicationName(
        QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    // Qt lays some controls out once in the application's font before the
    // window's font reaches them; one font for both saves loading another.
    QApplication::setFont(tavrinel::WindowFont(tavrinel::PickWindowFontFamily(),
                                               tavrinel::kDesignPixelSize, false));
    // Every window without an icon of its own, the reminder's box included.
    QApplication::setWindowIcon(tavrinel::ProgramIcon());

    tavrinel::QtMessageService messages;
    tavrinel::QtFileDialogService files;
    tavrinel::QtWebService web;
    tavrinel::QtSettingsStore settings;
    tavrinel::SystemClock clock;
    tavrinel::QtDialogRunner dialogs;
    tavrinel::Platform platform{messages, files, web, settings, clock, dialogs};

    tavrinel::SingleInstance instance(
        tavrinel::SingleInstance::DefaultLockPath(QApplication::applicationName()));
    if (!instance.TryAcquire()) {
        tavrinel::ShowAlreadyRunning(messages);
        return 0;
    }

    tavrinel::RunStartup(platform);

    tavrinel::ChartState chart;
    tavrinel::FrmMain window(chart, platform);
    window.show();
    return QApplication::exec();
}
