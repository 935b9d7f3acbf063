// The program's own icon, built into the help library's resources so the
// main window and the About window show the same picture.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tavrinel {

// Every rendered size, for window title bars and task bars.
[[nodiscard]] QIcon ProgramIcon();

// The icon at the given size in device-independent pixels.
[[nodiscard]] QPixmap ProgramIconPixmap(int size);

}  // namespace tavrinel
