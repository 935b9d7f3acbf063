// The Library window over a large library: the time from File > Library...
// to the window on the screen, each keystroke's refiltering with the table
// repainted, and (run twice by library_window.sh, with and without the
// window) the peak memory it adds. The library is the one under
// $XDG_DATA_HOME, made by library_window.sh.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/frm_main.h"
#include "app/library/library_table_model.h"
#include "app/library/library_window.h"
#include "app/program.h"

namespace {

double Milliseconds(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

// Until the window has been exposed and every pending paint is done.
void Settle(QWidget& window) {
    while (!window.windowHandle() || !window.windowHandle()->isExposed()) {
        QApplication::processEvents();
    }
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const bool library = argc > 1 && std::strcmp(argv[1], "--library") == 0;
    return tavrinel::RunProgram(application, [library](tavrinel::FrmMain& window) {
        if (!QTest::qWaitForWindowExposed(&window)) {
            return 1;
        }
        if (!library) {
            return 0;
        }
        QElapsedTimer timer;
        timer.start();
        window.findChild<QAction*>(QStringLiteral("mnuLibrary"))->trigger();
        auto* libraryWindow = window.findChild<tavrinel::LibraryWindow*>();
        if (!libraryWindow) {
            return 1;
        }
        Settle(*libraryWindow);
        const double opened = Milliseconds(timer);
        std::printf("the Library window with %d charts shown in %.1f ms\n",
                    libraryWindow->Model().ChartCount(), opened);

        auto* search = libraryWindow->findChild<QLineEdit*>(QStringLiteral("txtLibrarySearch"));
        const std::pair<Qt::Key, const char*> keys[] = {
            {Qt::Key_J, "j"}, {Qt::Key_O, "o"}, {Qt::Key_Backspace, ""}, {Qt::Key_Backspace, ""},
            {Qt::Key_P, "p"}, {Qt::Key_U, "u"}, {Qt::Key_Backspace, ""}, {Qt::Key_Backspace, ""},
            {Qt::Key_K, "k"}, {Qt::Key_U, "u"}, {Qt::Key_Backspace, ""}, {Qt::Key_Backspace, ""}};
        std::vector<double> twoLetters;
        std::vector<double> all;
        for (const auto& [key, text] : keys) {
            timer.restart();
            QTest::sendKeyEvent(QTest::Click, search, key, QString::fromLatin1(text),
                                Qt::NoModifier);
            Settle(*libraryWindow);
            const double took = Milliseconds(timer);
            all.push_back(took);
            if (search->text().size() == 2) {
                twoLetters.push_back(took);
            }
        }
        const auto median = [](std::vector<double> times) {
            std::sort(times.begin(), times.end());
            return times[times.size() / 2];
        };
        std::printf(
            "a keystroke's refiltering: median %.1f ms, two letters typed median %.1f ms, "
            "slowest %.1f ms (the empty text: every chart)\n",
            median(all), median(twoLetters), *std::max_element(all.begin(), all.end()));
        return 0;
    });
}
