// The window program: one instance per user, the start-up steps, then the
// main window until it is closed.
#include <QApplication>

#include "app/program.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return tavrinel::RunProgram(application);
}
