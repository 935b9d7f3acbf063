// Recording fakes of the platform interfaces with canned answers.
#pragma once

#include <QList>
#include <QMap>
#include <QPair>

#include "help/platform.h"

namespace tavrinel::testing {

class FakeWeb final : public WebService {
public:
    void OpenUrl(const QUrl& url) override { Opened.append(url); }
    QList<QUrl> Opened;
};

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
        return Answer;
    }
    BoxAnswer Answer = BoxAnswer::No;
    QList<ShownBox> Shown;
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
    explicit FakeClock(QDate today) : Date(today) {}
    QDate Today() override { return Date; }
    QDate Date;
};

}  // namespace tavrinel::testing
