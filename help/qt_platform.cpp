#include "help/qt_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace tavrinel {

BoxAnswer QtMessageService::Show(QWidget* parent, const QString& title, const QString& text,
                                 BoxIcon icon, BoxButtons buttons) {
    QMessageBox box(icon == BoxIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    title, text,
                    buttons == BoxButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No)
                                                 : QMessageBox::Ok,
                    parent);
    box.setWindowModality(Qt::ApplicationModal);
    const int answer = box.exec();
    if (buttons == BoxButtons::Ok) {
        return BoxAnswer::Ok;
    }
    return answer == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

namespace {

QFileDialog::Options DialogOptions() {
    // The platform's own dialog where there is one; Qt's otherwise.
    return {};
}

std::optional<QString> RunDialog(QWidget* parent, const FileDialogRequest& request,
                                 QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.Title);
    dialog.setOptions(DialogOptions());
    dialog.setAcceptMode(mode);
    dialog.setNameFilter(request.Filter);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.ProposedPath.isEmpty()) {
        dialog.selectFile(request.ProposedPath);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> QtFileDialogService::GetSaveFileName(QWidget* parent,
                                                            const FileDialogRequest& request) {
    return RunDialog(parent, request, QFileDialog::AcceptSave);
}

std::optional<QString> QtFileDialogService::GetOpenFileName(QWidget* parent,
                                                            const FileDialogRequest& request) {
    return RunDialog(parent, request, QFileDialog::AcceptOpen);
}

void QtWebService::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

QString QtSettingsStore::Get(const QString& section, const QString& key) {
    QSettings settings(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    return settings.value(section + "/" + key).toString();
}

void QtSettingsStore::Set(const QString& section, const QString& key, const QString& value) {
    QSettings settings(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    settings.setValue(section + "/" + key, value);
}

QDate SystemClock::Today() { return QDate::currentDate(); }

}  // namespace tavrinel
