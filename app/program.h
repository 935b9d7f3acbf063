// The whole window program between the application object and its event
// loop, so that main() and the start-up benchmark run the very same steps.
#pragma once

#include <QApplication>
#include <functional>

namespace tavrinel {

class FrmMain;

// Names the application after its executable, gives it the window's font and
// the program's icon, makes the previous-instance test, runs the start-up
// steps and shows the main window. Then runs the event loop, or, when
// `whenShown` is given, calls it with the shown window and returns its result.
int RunProgram(QApplication& application,
               const std::function<int(FrmMain&)>& whenShown = nullptr);

}  // namespace tavrinel
