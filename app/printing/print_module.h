// What the window and its printing module say to each other. Printing needs
// the print support library, which is large to load; the module that links it
// is opened when the user first prints, so that it is not loaded at every
// start of the window.
#pragma once

#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace tavrinel {

class DialogRunner;

enum class PrintDialogKind { Print, Preview };

struct PrintRequest {
    PrintDialogKind Kind = PrintDialogKind::Print;
    QWidget* Parent = nullptr;
    DialogRunner* Dialogs = nullptr;
    // Paints the pages onto the printer the user chose (or the preview's).
    std::function<void(QPagedPaintDevice&)> Paint;
};

// The module's one entry, looked up by this name.
inline constexpr const char* kPrintEntryName = "tavrinel_run_print_dialog";
using PrintEntry = void (*)(const PrintRequest*);

}  // namespace tavrinel
