// The printing module: the print and preview dialogs on a high-resolution
// printer, run through the window's dialog runner.
#include "app/printing/print_module.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "platform/platform.h"

namespace {

void RunPrint(const tavrinel::PrintRequest& request) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, request.Parent);
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    if (request.Dialogs->RunModal(dialog) == QDialog::Accepted) {
        request.Paint(printer);
    }
}

void RunPreview(const tavrinel::PrintRequest& request) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, request.Parent);
    preview.setObjectName(QStringLiteral("dlgPrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&request](QPrinter* target) { request.Paint(*target); });
    request.Dialogs->RunModal(preview);
}

}  // namespace

extern "C" Q_DECL_EXPORT void tavrinel_run_print_dialog(const tavrinel::PrintRequest* request) {
    if (request->Kind == tavrinel::PrintDialogKind::Print) {
        RunPrint(*request);
    } else {
        RunPreview(*request);
    }
}
