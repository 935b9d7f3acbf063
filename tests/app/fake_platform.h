// Recording fakes of the platform for the window's tests: every message box
// is recorded and answered at once, so no test waits on a modal dialog.
#pragma once

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QUrl>
#include <optional>

#include "help/platform.h"

namespace tavrinel::apptest {

struct ShownBox {
    QString Title;
    QString Text;
    BoxIcon Icon;
    BoxButtons Buttons;
};

class RecordingMessages final : public MessageService {
public:
    BoxAnswer Show(QWidget*, const QString& title, const QString& text, BoxIcon icon,
                   BoxButtons buttons) override {
        Shown.append({title, text, icon, buttons});
        return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::No;
    }
    QList<ShownBox> Shown;
};

class CancellingFiles final : public FileDialogService {
public:
    std::optional<QString> GetSaveFileName(QWidget*, const FileDialogRequest&) override {
        ++Asked;
        return std::nullopt;
    }
    std::optional<QString> GetOpenFileName(QWidget*, const FileDialogRequest&) override {
        ++Asked;
        return std::nullopt;
    }
    int Asked = 0;
};

class RecordingWeb final : public WebService {
public:
    void OpenUrl(const QUrl& url) override { Opened.append(url); }
    QList<QUrl> Opened;
};

class MemorySettings final : public SettingsStore {
public:
    QString Get(const QString& section, const QString& key) override {
        return Values.value(section + QLatin1Char('/') + key);
    }
    void Set(const QString& section, const QString& key, const QString& value) override {
        Values[section + QLatin1Char('/') + key] = value;
    }
    QMap<QString, QString> Values;
};

class FixedClock final : public Clock {
public:
    QDate Today() override { return QDate(2024, 3, 15); }
};

// One bundle per test, handed to the window like the program's own.
struct FakePlatform {
    RecordingMessages Messages;
    CancellingFiles Files;
    RecordingWeb Web;
    MemorySettings Settings;
    FixedClock Today;
    Platform Services{Messages, Files, Web, Settings, Today};
};

}  // namespace tavrinel::apptest
