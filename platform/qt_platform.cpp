#include "platform/qt_platform.h"

#include "platform/save_path.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace tavrinel {

namespace {

// The program's texts break lines with a lone CR, which a Qt label does not
// show as a break.
QString ForDisplay(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

BoxAnswer QtMessageService::Show(QWidget* parent, const QString& title, const QString& text,
                                 BoxIcon icon, BoxButtons buttons) {
    QMessageBox box(icon == BoxIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    title, ForDisplay(text),
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
    const auto ask = [&](const QString& proposed) {
        FileDialogRequest again = request;
        again.ProposedPath = proposed;
        return RunDialog(parent, again, QFileDialog::AcceptSave);
    };
    const auto tell = [&](const QString& text) {
        QMessageBox::warning(parent, request.Title, text);
    };
    return AskForPathInExistingFolder(ask, tell, request.ProposedPath);
}

std::optional<QString> QtFileDialogService::GetOpenFileName(QWidget* parent,
                                                            const FileDialogRequest& request) {
    return RunDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileDialogService::GetExistingFolder(QWidget* parent,
                                                              const QString& title) {
    const QString folder =
        QFileDialog::getExistingDirectory(parent, title, QString(), DialogOptions() |
                                                                        QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder;
}

void QtWebService::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

namespace {

// QSettings reads '/' and '\\' in a key as group separators, so a key holding
// one would be stored under another name than it is read back by; '%' is
// escaped too so that the escaping itself cannot collide.
QString SettingsKeyPart(const QString& part) {
    QString escaped;
    escaped.reserve(part.size());
    for (QChar c : part) {
        if (c == QLatin1Char('%') || c == QLatin1Char('/') || c == QLatin1Char('\\')) {
            escaped += QLatin1Char('%');
            escaped += QString::number(c.unicode(), 16).rightJustified(2, QLatin1Char('0'));
        } else {
            escaped += c;
        }
    }
    return escaped;
}

QString SettingsPath(const QString& section, const QString& key) {
    return SettingsKeyPart(section) + QLatin1Char('/') + SettingsKeyPart(key);
}

}  // namespace

QString QtSettingsStore::Get(const QString& section, const QString& key) {
    QSettings settings(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    const QVariant value = settings.value(SettingsPath(section, key));
    // An unquoted comma in a hand-edited file makes QSettings split the text
    // into a list; joining gives back what the file says.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    return value.toString();
}

void QtSettingsStore::Set(const QString& section, const QString& key, const QString& value) {
    QSettings settings(QCoreApplication::applicationName(), QCoreApplication::applicationName());
    settings.setValue(SettingsPath(section, key), value);
    settings.sync();
}

int QtDialogRunner::RunModal(QDialog& dialog) { return dialog.exec(); }

DialogRunner& ExecDialogRunner() {
    static QtDialogRunner runner;
    return runner;
}

QDate SystemClock::Today() { return QDate::currentDate(); }

}  // namespace tavrinel
