// The platform as the window sees it: message boxes, file dialogs, the web
// browser, the settings store and today's date. The program passes the Qt
// implementations; tests pass recording fakes with canned answers, so no test
// ever has to close a modal box.
#pragma once

#include <QDate>
#include <QString>
#include <QUrl>
#include <optional>

class QDialog;
class QWidget;

namespace tavrinel {

enum class BoxIcon { Error, Information };
enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };

class MessageService {
public:
    virtual ~MessageService() = default;
    // A modal box with the given title, icon and buttons; returns the answer.
    virtual BoxAnswer Show(QWidget* parent, const QString& title, const QString& text,
                           BoxIcon icon, BoxButtons buttons) = 0;
};

struct FileDialogRequest {
    QString Title;
    QString Filter;            // Qt form, e.g. "Tavrinel (*.tvl)"
    QString DefaultSuffix;     // "tvl"
    QString ProposedPath;      // empty for none
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen full path, or nothing when the user cancels.
    virtual std::optional<QString> GetSaveFileName(QWidget* parent,
                                                   const FileDialogRequest& request) = 0;
    virtual std::optional<QString> GetOpenFileName(QWidget* parent,
                                                   const FileDialogRequest& request) = 0;
    // An existing folder, or nothing when the user cancels.
    virtual std::optional<QString> GetExistingFolder(QWidget* parent, const QString& title) = 0;
};

class WebService {
public:
    virtual ~WebService() = default;
    // Opens the address in the default browser; the outcome is not reported.
    virtual void OpenUrl(const QUrl& url) = 0;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Empty when nothing is stored.
    virtual QString Get(const QString& section, const QString& key) = 0;
    virtual void Set(const QString& section, const QString& key, const QString& value) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate Today() = 0;
};

class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // Shows the window modally and returns its result (QDialog::DialogCode).
    virtual int RunModal(QDialog& dialog) = 0;
};

// The real thing, exec(): the default for whoever builds a Platform without
// a runner of its own.
[[nodiscard]] DialogRunner& ExecDialogRunner();

// Everything the window reaches the platform through.
struct Platform {
    MessageService& Messages;
    FileDialogService& Files;
    WebService& Web;
    SettingsStore& Settings;
    Clock& Today;
    DialogRunner& Dialogs = ExecDialogRunner();
};

}  // namespace tavrinel
