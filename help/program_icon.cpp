#include "help/program_icon.h"

#include <QGuiApplication>
#include <QImageReader>
#include <array>

#include "help/deferred_icon.h"

namespace tavrinel {

namespace {

// What a window needs: title bar, task switcher, the About window, up to 64
// points. Every image added is decoded on first use, and the large ones cost more
// than the rest of the icon together, so an image is added only where the
// screen's density needs it: launchers take theirs from the icon theme.
constexpr std::array<int, 6> kRenderedSizes = {16, 32, 48, 64, 128, 256};
constexpr int kLargestWindowIconPoints = 64;

QString IconResource(int size) { return QStringLiteral(":/tavrinel/tavrinel-%1.png").arg(size); }

QPixmap DecodeImage(int size) {
    QImageReader reader(IconResource(size), "png");
    // Left to find the format itself, the reader would load every image
    // plugin installed to ask it about the file first.
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon DecodeProgramIcon() {
    QIcon icon;
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    int previous = 0;
    for (int size : kRenderedSizes) {
        // Up to the first image that covers the largest icon at this density.
        if (previous >= kLargestWindowIconPoints * ratio) {
            break;
        }
        icon.addPixmap(DecodeImage(size));
        previous = size;
    }
    return icon;
}

}  // namespace

QIcon ProgramIcon() {
    // Once the program has given the application its icon, every window
    // shares that one instead of decoding the images again.
    const QIcon shared = QGuiApplication::windowIcon();
    if (!shared.isNull()) {
        return shared;
    }
    // Decoded when first drawn: the window gets its icon long before it is seen.
    return DeferredIcon(&DecodeProgramIcon);
}

QPixmap ProgramIconPixmap(int size) { return ProgramIcon().pixmap(size, size); }

}  // namespace tavrinel
