// The Qt implementations of the platform interfaces, used by the program.
#pragma once

#include <QSettings>

#include "platform/platform.h"

namespace tavrinel {

class QtMessageService final : public MessageService {
public:
    BoxAnswer Show(QWidget* parent, const QString& title, const QString& text, BoxIcon icon,
                   BoxButtons buttons) override;
};

class QtFileDialogService final : public FileDialogService {
public:
    std::optional<QString> GetSaveFileName(QWidget* parent,
                                           const FileDialogRequest& request) override;
    std::optional<QString> GetOpenFileName(QWidget* parent,
                                           const FileDialogRequest& request) override;
    std::optional<QString> GetExistingFolder(QWidget* parent, const QString& title) override;
};

class QtWebService final : public WebService {
public:
    void OpenUrl(const QUrl& url) override;
};

// Per-user settings under the application name (the executable's name).
class QtSettingsStore final : public SettingsStore {
public:
    QString Get(const QString& section, const QString& key) override;
    void Set(const QString& section, const QString& key, const QString& value) override;
};

class QtDialogRunner final : public DialogRunner {
public:
    int RunModal(QDialog& dialog) override;
};

class SystemClock final : public Clock {
public:
    QDate Today() override;
};

// The real services, owned together, as the program and its showcases hand
// them to the window.
struct QtPlatform {
    QtMessageService messages;
    QtFileDialogService files;
    QtWebService web;
    QtSettingsStore settings;
    SystemClock clock;
    QtDialogRunner dialogs;
    Platform platform{messages, files, web, settings, clock, dialogs};
};

}  // namespace tavrinel
