#include "app/program.h"

#include <QFileInfo>
#include <QStringList>
#include <QTimer>
#include <cstdio>

#include "app/frm_main.h"
#include "app/program_style.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "app/window_font.h"
#include "chart/chart_state.h"
#include "help/program_icon.h"
#include "platform/qt_platform.h"

namespace tavrinel {

int RunProgram(QApplication& application, const std::function<int(FrmMain&)>& whenShown) {
    // The settings store and the lock file are named after the executable.
    QApplication::setApplicationName(
        QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    // Qt lays some controls out once in the application's font before the
    // window's font reaches them; one font for both saves loading another.
    QApplication::setFont(WindowFont(PickWindowFontFamily(), kDesignPixelSize, false));
    // Before the first widget is polished in the style it stands in for.
    QApplication::setStyle(new ProgramStyle(QApplication::style()));
    // Every window without an icon of its own, the reminder's box included.
    QApplication::setWindowIcon(ProgramIcon());

    QtPlatform services;
    QtMessageService& messages = services.messages;
    Platform& platform = services.platform;

    QString whyNoLock;
    const QString lockPath =
        SingleInstance::DefaultLockPath(QApplication::applicationName(), &whyNoLock);
    SingleInstance instance(lockPath, whyNoLock);
    // The window is built while the lock is taken, and shown only when this
    // copy turns out to be the only one.
    instance.StartAcquiring();
    // The one chart record, alive until the program ends.
    ChartState chart;
    FrmMain window(chart, platform);
    if (!instance.Acquired()) {
        ShowAlreadyRunning(messages);
        return 0;
    }
    if (!instance.Warning().isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QApplication::applicationName()),
                     qPrintable(instance.Warning()));
    }

    RunStartup(platform);

    window.show();
    // A reading file handed over by a file manager opens once the window is
    // up, so a message about a damaged file has a window to stand over.
    // Qt has taken its own options out; what begins with a dash is a probe's
    // switch, not a file (a file manager hands over whole paths).
    if (const QStringList arguments = QApplication::arguments();
        arguments.size() > 1 && !arguments.at(1).startsWith(QLatin1Char('-'))) {
        const QString path = arguments.at(1);
        QTimer::singleShot(0, &window, [&window, path] { window.OpenReading(path); });
    }
    if (whenShown) {
        return whenShown(window);
    }
    return application.exec();
}

}  // namespace tavrinel
