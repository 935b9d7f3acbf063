// The yardstick for the start-up probe: the smallest Qt Widgets program with
// a main window, shown and exited the same way.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTest>

#include "shown_moment.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Hello")));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    PrintShownMoment();
    return 0;
}
