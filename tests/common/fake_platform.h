// Recording fakes of the platform interfaces with canned answers, shared by
// the window's tests and the help tests: every message box, file dialog, web
// page and modal window is recorded and answered at once, so no test waits on
// a modal dialog or needs a timer to close one.
#pragma once

#include <QDate>
#include <QDialog>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

#include "platform/platform.h"

namespace tavrinel::testing {

struct ShownBox {
    QString Title;
    QString Text;
    BoxIcon Icon;
    BoxButtons Buttons;
};

class FakeMessages final : public MessageService {
public:
    BoxAnswer Show(QWidget*, const QString& title, const QString& text, BoxIcon icon,
                   BoxButtons buttons) override {
        Shown.append({title, text, icon, buttons});
        return buttons == BoxButtons::Ok ? BoxAnswer::Ok : Answer;
    }
    QStringList Texts() const {
        QStringList texts;
        for (const ShownBox& box : Shown) {
            texts << box.Text;
        }
        return texts;
    }
    BoxAnswer Answer = BoxAnswer::No;  // to a Yes/No question
    QList<ShownBox> Shown;
};

// Answers each dialog with the next canned path; nothing canned is a cancel.
class FakeFiles final : public FileDialogService {
public:
    std::optional<QString> GetSaveFileName(QWidget*, const FileDialogRequest& request) override {
        SaveRequests.append(request);
        return Take(SaveAnswers);
    }
    std::optional<QString> GetOpenFileName(QWidget*, const FileDialogRequest& request) override {
        OpenRequests.append(request);
        return Take(OpenAnswers);
    }
    std::optional<QString> GetExistingFolder(QWidget*, const QString& title) override {
        FolderTitles.append(title);
        return Take(FolderAnswers);
    }
    QList<QString> SaveAnswers;
    QList<QString> OpenAnswers;
    QList<QString> FolderAnswers;
    QStringList FolderTitles;
    QList<FileDialogRequest> SaveRequests;
    QList<FileDialogRequest> OpenRequests;

private:
    static std::optional<QString> Take(QList<QString>& answers) {
        if (answers.isEmpty()) {
            return std::nullopt;
        }
        return answers.takeFirst();
    }
};

class FakeWeb final : public WebService {
public:
    void OpenUrl(const QUrl& url) override { Opened.append(url); }
    QList<QUrl> Opened;
};

class FakeSettings final : public SettingsStore {
public:
    QString Get(const QString& section, const QString& key) override {
        return Values.value({section, key});
    }
    void Set(const QString& section, const QString& key, const QString& value) override {
        ++SetCount;
        Values[{section, key}] = value;
    }
    QMap<QPair<QString, QString>, QString> Values;
    int SetCount = 0;
};

class FakeClock final : public Clock {
public:
    explicit FakeClock(QDate today = QDate(2024, 3, 15)) : Date(today) {}
    QDate Today() override { return Date; }
    QDate Date;
};

// Records each modal window instead of running its event loop. While it
// "shows", the test may act on the window through WhileShown.
class FakeDialogs final : public DialogRunner {
public:
    struct Shown {
        QString ObjectName;
        QString Title;
        QWidget* Parent;
        bool Modal;
    };
    int RunModal(QDialog& dialog) override {
        Runs.append({dialog.objectName(), dialog.windowTitle(), dialog.parentWidget(),
                     dialog.isModal()});
        if (WhileShown) {
            WhileShown(dialog);
        }
        return dialog.result();
    }
    std::function<void(QDialog&)> WhileShown;
    QList<Shown> Runs;
};

// One bundle per test, handed to the window like the program's own.
struct FakePlatform {
    FakeMessages Messages;
    FakeFiles Files;
    FakeWeb Web;
    FakeSettings Settings;
    FakeClock Today;
    FakeDialogs Dialogs;
    Platform Services{Messages, Files, Web, Settings, Today, Dialogs};
};

}  // namespace tavrinel::testing
