#include "help/program_icon.h"

#include <QGuiApplication>
#include <array>

namespace tavrinel {

namespace {

// What a window needs: title bar, task switcher, the About window. Launchers
// take the larger sizes from the installed icon theme instead, so they are not
// decoded at every start (they cost more than the rest of the icon together).
// The two largest serve high-density screens; an image is decoded only when a
// window asks for its size.
constexpr std::array<int, 6> kRenderedSizes = {16, 32, 48, 64, 128, 256};

QString IconResource(int size) { return QStringLiteral(":/tavrinel/tavrinel-%1.png").arg(size); }

}  // namespace

QIcon ProgramIcon() {
    // Once the program has given the application its icon, every window
    // shares that one instead of decoding the images again.
    const QIcon shared = QGuiApplication::windowIcon();
    if (!shared.isNull()) {
        return shared;
    }
    QIcon icon;
    for (int size : kRenderedSizes) {
        icon.addFile(IconResource(size), QSize(size, size));
    }
    return icon;
}

QPixmap ProgramIconPixmap(int size) { return ProgramIcon().pixmap(size, size); }

}  // namespace tavrinel
