#include "help/program_icon.h"

#include <array>

namespace tavrinel {

namespace {

constexpr std::array<int, 6> kRenderedSizes = {16, 32, 48, 64, 128, 256};

QString IconResource(int size) { return QStringLiteral(":/tavrinel/tavrinel-%1.png").arg(size); }

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : kRenderedSizes) {
        icon.addFile(IconResource(size), QSize(size, size));
    }
    return icon;
}

QPixmap ProgramIconPixmap(int size) { return ProgramIcon().pixmap(size, size); }

}  // namespace tavrinel
