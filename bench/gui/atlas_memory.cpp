// Peak-memory probe for the atlas: the program's own start up to the window
// shown, then, with --atlas, "Pun" typed into the city box and the first
// place picked, which reads the whole atlas. Run by atlas_memory.sh, which
// compares the two under /usr/bin/time.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <cstring>

#include "app/frm_main.h"
#include "app/program.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const bool atlas = argc > 1 && std::strcmp(argv[1], "--atlas") == 0;
    return tavrinel::RunProgram(application, [atlas](tavrinel::FrmMain& window) {
        if (!QTest::qWaitForWindowExposed(&window)) {
            return 1;
        }
        if (atlas) {
            auto* city = window.findChild<QLineEdit*>(QStringLiteral("txtCity"));
            city->setFocus();
            QTest::keyClicks(city, QStringLiteral("Pun"));
            QTest::keyClick(city, Qt::Key_Return);
            QApplication::processEvents();
        }
        return 0;
    });
}
