// Shows the main window after a user has typed the start of a city and
// picked a place from the atlas, for the screenshots in docs/:
//   atlas_showcase pune      "Pun", picked Pune, born 15 July 1990 12:00
//   atlas_showcase chicago   "Chica", picked Chicago, born 4 July 1990 12:00
//   atlas_showcase list      "Pun" typed, the places offered
//   atlas_showcase TEXT      TEXT typed, the first place picked, 15 July 1990
//   atlas_showcase about     the About window, which credits the atlas's data
// The keys go through the window's own event handling, key filter included.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <cstring>

#include "ann_form.h"
#include "app/atlas_completion.h"
#include "app/frm_main.h"
#include "app/window_font.h"
#include "help/about_window.h"
#include "platform/qt_platform.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setFont(tavrinel::WindowFont(tavrinel::PickWindowFontFamily(),
                                               tavrinel::kDesignPixelSize, false));
    tavrinel::QtPlatform services;
    tavrinel::Platform& platform = services.platform;

    if (argc > 1 && std::strcmp(argv[1], "about") == 0) {
        tavrinel::frmAbout about(services.web);
        about.show();
        return QApplication::exec();
    }
    tavrinel::ChartState chart;
    tavrinel::FrmMain window(chart, platform);
    const bool chicago = argc > 1 && std::strcmp(argv[1], "chicago") == 0;
    const bool listOnly = argc > 1 && std::strcmp(argv[1], "list") == 0;
    const bool pune = argc < 2 || listOnly || std::strcmp(argv[1], "pune") == 0;
    using tavrinel::testing::Select;
    using tavrinel::testing::SetText;
    SetText(window, "txtName", chicago ? "Al" : "Ann");
    Select(window, "cboDate", chicago ? "4" : "15");
    Select(window, "cboMonth", "July");
    Select(window, "cboYear", "1990");
    Select(window, "cboHour", "12");
    window.show();
    static_cast<void>(QTest::qWaitForWindowExposed(&window));
    auto* city = window.findChild<QLineEdit*>(QStringLiteral("txtCity"));
    city->setFocus();
    QTest::keyClicks(city, chicago ? QStringLiteral("Chica")
                           : pune  ? QStringLiteral("Pun")
                                   : QString::fromLocal8Bit(argv[1]));
    if (!listOnly) {
        QTest::keyClick(city, Qt::Key_Return);  // the first place offered
    }
    return QApplication::exec();
}
