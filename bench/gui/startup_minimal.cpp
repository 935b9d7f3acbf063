// The yardstick for the start-up probe: the smallest Qt Widgets program with
// a main window, shown and exited the same way.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTest>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Hello")));
    window.show();
    return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
}
